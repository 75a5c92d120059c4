// Read-only access to the system registry: open a key for reading, query one value, list the
// names of a key's subkeys, watch a key's tree for changes. The application reads the registry
// only through this.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/Seam.h"

namespace platform {

// Root keys, with the values of the Win32 HKEY_* constants they stand for.
enum class RegRoot : std::uint32_t { LocalMachine = 0x80000002u };

// Value kinds, with the values of the Win32 REG_* constants they stand for.
enum RegKind : std::uint32_t { RegSz = 1, RegExpandSz = 2, RegBinary = 3, RegDword = 4 };

struct RegValue {
  std::uint32_t kind = RegSz;
  std::string data;  // the stored bytes, terminating NULs included as stored
};

// Tells whether a key or anything below it may have changed since the watch began. It errs
// towards a change: a watch that could not be set up reports one at once.
class RegistryWatch {
 public:
  virtual ~RegistryWatch() = default;
  virtual bool Changed() = 0;
};

class Registry : public Replaceable<Registry> {
 public:
  static Registry& Default();

  // A value of the key at path (below root, no leading backslash), or nothing when the key
  // cannot be opened for reading or has no value of that name. An empty name is the key's
  // default value.
  virtual std::optional<RegValue> QueryValue(RegRoot root, const std::string& path,
                                             const std::string& name) = 0;
  // Several values of one key, in the order of names, as QueryValue reads each; the key is
  // opened once. All are nothing when the key cannot be opened for reading.
  virtual std::vector<std::optional<RegValue>> QueryValues(
      RegRoot root, const std::string& path, const std::vector<std::string>& names) = 0;
  // The names of the key's immediate subkeys in enumeration order; empty when the key cannot
  // be opened for reading.
  virtual std::vector<std::string> SubKeyNames(RegRoot root, const std::string& path) = 0;
  // Begins watching the key at path and every key below it for keys added or removed and
  // values set or deleted.
  virtual std::unique_ptr<RegistryWatch> WatchTree(RegRoot root, const std::string& path) = 0;
};

}  // namespace platform
