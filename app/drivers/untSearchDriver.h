// The driver scan: fills the driver list from the system's device class database.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/drivers/DriverList.h"
#include "platform/Registry.h"

// The class root below HKEY_LOCAL_MACHINE, with its leading and trailing backslash.
inline constexpr char kClassRoot[] = "\\SYSTEM\\CurrentControlSet\\Control\\Class\\";

enum TSearchMode : std::uint8_t {
  smRecommended = 1,  // drivers whose provider is not exactly "Microsoft"
  smAll = 2,
};

// Calls visit for every driver instance key (subkey names of at most 4 characters) of every
// device class, in registry enumeration order, with the class key path and the instance key
// path (\SYSTEM\CurrentControlSet\Control\Class\{guid}\0000).
void ForEachDriverInstance(
    const std::function<void(const std::string& classKey, const std::string& instanceKey)>& visit);

// A driver instance as the scan reads it.
struct TDriverInstance {
  std::string keyPath;      // as ForEachDriverInstance gives it
  std::string type;         // the class key's default value, "" when it has none
  std::string description;  // DriverDesc, "" when missing
  std::string provider;     // ProviderName, "Microsoft" when missing
};

// Every driver instance in enumeration order, read from the registry again only where it changed
// since the last reading. Each registry request is a round trip to the registry's keeper under
// Wine, five per instance; a class is watched with the registry's change notification, so a scan
// of an unchanged machine only fills the list. Classes are watched one by one because Wine writes
// the display adapters' class again whenever a process starts.
class TDriverInventory {
 public:
  const std::vector<TDriverInstance>& Instances();

 private:
  struct TClass {
    std::string name;
    std::unique_ptr<platform::RegistryWatch> watch;
    std::vector<TDriverInstance> instances;
  };
  static TClass ReadClass(const std::string& name);

  std::unique_ptr<platform::RegistryWatch> watch_;  // the class root's, for classes come and gone
  std::vector<TClass> classes_;
  std::vector<TDriverInstance> instances_;  // those of all classes, in order
};

// Replaces the list's rows by the drivers of the mode, one row per distinct description, the
// first one met. Does nothing while a backup runs, because the backup is still reading the rows.
void SearchDriver(TDriverRowSink& list, std::uint8_t mode, TDriverInventory& inventory);
