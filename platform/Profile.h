// The system's private-profile (INI file) reading, as INF files are read: one value of a section,
// or the key names of a section, each into a buffer of a given size.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Seam.h"

namespace platform {

class Profile : public Replaceable<Profile> {
 public:
  static Profile& Default();

  // The value of key in the first section of that name, or def when either is missing; at most
  // bufferSize - 1 characters.
  virtual std::string ReadString(const std::string& file, const std::string& section,
                                 const std::string& key, const std::string& def,
                                 size_t bufferSize) = 0;
  // The key names of the first section of that name, in file order, as far as they fit a
  // buffer of bufferSize characters (the last name may be cut short).
  virtual std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section,
                                                size_t bufferSize) = 0;
};

// The names of a NUL-separated name list as the system fills it, up to the first empty one.
std::vector<std::string> SplitNameList(std::string_view buffer);

}  // namespace platform
