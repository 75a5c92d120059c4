// The driver scan: fills the driver list from the system's device class database.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "app/drivers/DriverList.h"

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

// Replaces the list's rows by the drivers of the mode, one row per distinct description, the
// first one met. Does nothing while a backup runs, because the backup is still reading the rows.
void SearchDriver(TDriverRowSink& list, std::uint8_t mode);
