// A registry held in memory, for machines without one (the native build) and for tests and
// benchmarks. Key and value names compare case-insensitively, as in the system registry; subkeys
// are enumerated in the order they were added. A watch reports a change made to its key or below
// it after it began, and the registry's end.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/Registry.h"

namespace platform {

class MemoryRegistry : public Registry {
 public:
  MemoryRegistry() = default;
  ~MemoryRegistry() override;
  MemoryRegistry(const MemoryRegistry&) = delete;
  MemoryRegistry& operator=(const MemoryRegistry&) = delete;

  // Creates the key and any missing parents; paths are below LocalMachine, "\"-separated.
  void AddKey(const std::string& path);
  // Sets a value, creating the key as needed. An empty name is the key's default value.
  void SetValue(const std::string& path, const std::string& name, RegValue value);
  void SetString(const std::string& path, const std::string& name, const std::string& text);
  // Keys that the current user may not open read as missing.
  void DenyAccess(const std::string& path);

  std::optional<RegValue> QueryValue(RegRoot root, const std::string& path,
                                     const std::string& name) override;
  std::vector<std::optional<RegValue>> QueryValues(RegRoot root, const std::string& path,
                                                   const std::vector<std::string>& names) override;
  std::vector<std::string> SubKeyNames(RegRoot root, const std::string& path) override;
  std::unique_ptr<RegistryWatch> WatchTree(RegRoot root, const std::string& path) override;

 private:
  struct Key {
    std::vector<std::string> subKeys;
    std::map<std::string, RegValue> values;  // by folded name
    bool denied = false;
  };
  Key* Find(RegRoot root, const std::string& path);
  Key& Make(const std::string& path);

  std::unordered_map<std::string, Key> keys_;  // by folded path
  // The folded paths of the keys changed, in order, and whether the registry is gone; shared
  // with the watches, which may outlive the registry.
  struct Changes {
    std::vector<std::string> keys;
    bool gone = false;
  };
  std::shared_ptr<Changes> changes_ = std::make_shared<Changes>();
};

}  // namespace platform
