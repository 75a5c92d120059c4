// Dynamic libraries: load one by its full path, find an exported entry point by name, unload it.
#pragma once

#include <string>

#include "platform/Seam.h"

// The calling convention of plug-in entry points: stdcall on 32-bit x86 Windows, where it
// differs from the default; elsewhere there is only one.
#if defined(_WIN32) && defined(__i386__)
#define DK_STDCALL __attribute__((stdcall))
#else
#define DK_STDCALL
#endif

namespace platform {

class Library : public Replaceable<Library> {
 public:
  static Library& Default();

  // A handle of the loaded library, or null when it cannot be loaded. The system shows no
  // error box for a library that cannot be loaded.
  virtual void* Load(const std::string& path) = 0;
  // The address of an export of a loaded library, or null when it has none of that name.
  virtual void* Find(void* library, const std::string& name) = 0;
  virtual void Unload(void* library) = 0;
};

// Unloads a loaded library when the scope ends, also when a call into it raises.
class LoadedLibrary {
 public:
  explicit LoadedLibrary(const std::string& path) : handle_(Library::Current().Load(path)) {}
  ~LoadedLibrary() {
    if (handle_) Library::Current().Unload(handle_);
  }
  LoadedLibrary(const LoadedLibrary&) = delete;
  LoadedLibrary& operator=(const LoadedLibrary&) = delete;

  explicit operator bool() const { return handle_ != nullptr; }
  // The export as a function of type Fn, or null when the library or the export is missing.
  template <class Fn>
  Fn Find(const std::string& name) const {
    return handle_ ? reinterpret_cast<Fn>(Library::Current().Find(handle_, name)) : nullptr;
  }

 private:
  void* handle_;
};

}  // namespace platform
