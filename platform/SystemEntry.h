// An entry point of a system library, looked up when first needed: the program does not load
// libraries at start-up that only some commands use, and older systems may lack an entry.
#pragma once

#include <windows.h>

#include <string>

namespace platform {

// The entry, or null where the system lacks it. The library stays loaded for the rest of the
// run. It is loaded from the system folder by its full path: the program's own folder may be
// writable by anyone, and driver installation runs with administrator rights.
template <class Fn>
Fn SystemEntry(const char* library, const char* name) {
  char system[MAX_PATH] = {};
  UINT length = GetSystemDirectoryA(system, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  HMODULE module = LoadLibraryA((std::string(system) + "\\" + library).c_str());
  return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace platform
