#include <windows.h>

#include "platform/Library.h"

namespace platform {
namespace {

class Win32Library final : public Library {
 public:
  void* Load(const std::string& path) override {
    // A broken or foreign library is skipped quietly, without the system's error box.
    DWORD old = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &old);
    HMODULE module = LoadLibraryA(path.c_str());
    SetThreadErrorMode(old, nullptr);
    return module;
  }

  void* Find(void* library, const std::string& name) override {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name.c_str()));
  }

  void Unload(void* library) override { FreeLibrary(static_cast<HMODULE>(library)); }
};

}  // namespace

Library& Library::Default() {
  static Win32Library library;
  return library;
}

}  // namespace platform
