// A platform service that tests and benchmarks can replace: the real one of the platform the
// program was built for, or another one installed in its place.
#pragma once

namespace platform {

template <class T>
class Replaceable {
 public:
  virtual ~Replaceable() = default;

  // The service in use; T::Default() unless another one is installed.
  static T& Current() { return installed_ ? *installed_ : T::Default(); }
  // Installs another service; null restores the default. Returns the previous one.
  static T* Install(T* service) {
    T* previous = installed_;
    installed_ = service;
    return previous;
  }

 private:
  static inline T* installed_ = nullptr;
};

// Keeps a service installed for the lifetime of a scope.
template <class T>
class ScopedInstall {
 public:
  explicit ScopedInstall(T& service) : previous_(T::Install(&service)) {}
  ~ScopedInstall() { T::Install(previous_); }
  ScopedInstall(const ScopedInstall&) = delete;
  ScopedInstall& operator=(const ScopedInstall&) = delete;

 private:
  T* previous_;
};

}  // namespace platform
