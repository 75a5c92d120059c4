#include <windows.h>

#include <algorithm>

#include "platform/Registry.h"

namespace platform {
namespace {

// Closes a key that was opened for reading when the scope ends.
class OpenKey {
 public:
  OpenKey(RegRoot root, const std::string& path, REGSAM access = KEY_READ) {
    HKEY rootKey = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG>(root)));
    if (RegOpenKeyExA(rootKey, path.c_str(), 0, access, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~OpenKey() {
    if (key_) RegCloseKey(key_);
  }
  OpenKey(const OpenKey&) = delete;
  OpenKey& operator=(const OpenKey&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

constexpr size_t kFirstReadSize = 512;

// Most values fit a small buffer and are read in one call; a larger one is read again at the
// size the first call reported, and again if it grew meanwhile.
std::optional<RegValue> ReadValue(HKEY key, const std::string& name) {
  RegValue value{0, std::string(kFirstReadSize, '\0')};
  for (;;) {
    DWORD kind = 0, size = static_cast<DWORD>(value.data.size());
    LONG status = RegQueryValueExA(key, name.c_str(), nullptr, &kind,
                                   reinterpret_cast<BYTE*>(value.data.data()), &size);
    if (status == ERROR_MORE_DATA) {
      value.data.assign(std::max<size_t>(size, value.data.size() * 2), '\0');
      continue;
    }
    if (status != ERROR_SUCCESS) return std::nullopt;
    value.kind = kind;
    value.data.resize(size);
    return value;
  }
}

// The registry's own change notification on the key's tree, armed once: it stays signalled
// after the first change. It is cancelled when the key is closed.
class TreeWatch final : public RegistryWatch {
 public:
  TreeWatch(RegRoot root, const std::string& path)
      : key_(root, path, KEY_NOTIFY), event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    armed_ = key_.get() && event_ &&
             RegNotifyChangeKeyValue(key_.get(), TRUE,
                                     REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET, event_,
                                     TRUE) == ERROR_SUCCESS;
  }
  ~TreeWatch() override {
    if (event_) CloseHandle(event_);
  }
  TreeWatch(const TreeWatch&) = delete;
  TreeWatch& operator=(const TreeWatch&) = delete;

  bool Changed() override { return !armed_ || WaitForSingleObject(event_, 0) != WAIT_TIMEOUT; }

 private:
  OpenKey key_;
  HANDLE event_;
  bool armed_ = false;
};

class Win32Registry final : public Registry {
 public:
  std::optional<RegValue> QueryValue(RegRoot root, const std::string& path,
                                     const std::string& name) override {
    OpenKey key(root, path);
    if (!key.get()) return std::nullopt;
    return ReadValue(key.get(), name);
  }

  // Each open and close of a key is a call into the registry's keeper (a server round trip
  // under Wine): reading a driver's values at one opening halves the calls of a scan.
  std::vector<std::optional<RegValue>> QueryValues(RegRoot root, const std::string& path,
                                                   const std::vector<std::string>& names) override {
    std::vector<std::optional<RegValue>> values(names.size());
    OpenKey key(root, path);
    if (!key.get()) return values;
    for (size_t i = 0; i < names.size(); ++i) values[i] = ReadValue(key.get(), names[i]);
    return values;
  }

  std::vector<std::string> SubKeyNames(RegRoot root, const std::string& path) override {
    std::vector<std::string> names;
    OpenKey key(root, path);
    if (!key.get()) return names;
    DWORD longest = 0;
    if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, &longest, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      return names;
    std::string name(longest + 1, '\0');
    for (DWORD index = 0;; ++index) {
      DWORD length = static_cast<DWORD>(name.size());
      LONG status =
          RegEnumKeyExA(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
      if (status == ERROR_MORE_DATA) {
        // A subkey added since the size query: make room and read this index again.
        name.resize(name.size() * 2);
        --index;
        continue;
      }
      if (status != ERROR_SUCCESS) break;
      names.emplace_back(name.data(), length);
    }
    return names;
  }

  std::unique_ptr<RegistryWatch> WatchTree(RegRoot root, const std::string& path) override {
    return std::make_unique<TreeWatch>(root, path);
  }
};

}  // namespace

Registry& Registry::Default() {
  static Win32Registry registry;
  return registry;
}

}  // namespace platform
