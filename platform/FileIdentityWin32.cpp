#include <windows.h>

#include <vector>

#include "platform/AnsiText.h"
#include "platform/FileIdentity.h"

namespace platform {
namespace {

// A file or folder opened only to ask about it: no rights to its content, nothing locked, links
// followed to what they lead to.
class Opened {
 public:
  explicit Opened(const std::string& path)
      : handle_(CreateFileW(WideFromAnsi(path).c_str(), FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
  ~Opened() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
  }
  Opened(const Opened&) = delete;
  Opened& operator=(const Opened&) = delete;
  HANDLE handle() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

class Win32FileIdentity final : public FileIdentity {
 public:
  std::optional<TFileId> IdOf(const std::string& path) override {
    Opened file(path);
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.handle(), &info)) return std::nullopt;
    return TFileId{info.dwVolumeSerialNumber,
                   (std::uint64_t{info.nFileIndexHigh} << 32) | info.nFileIndexLow};
  }

  std::string FinalPath(const std::string& path) override {
    Opened file(path);
    if (!file) return {};
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD n;
    while ((n = GetFinalPathNameByHandleW(file.handle(), buffer.data(),
                                          static_cast<DWORD>(buffer.size()),
                                          FILE_NAME_NORMALIZED | VOLUME_NAME_DOS)) >= buffer.size())
      buffer.resize(n + 1);
    if (n == 0) return {};
    // The answer comes as "\\?\C:\..." or "\\?\UNC\server\share\...".
    std::wstring final(buffer.data(), n);
    if (final.starts_with(L"\\\\?\\UNC\\"))
      final = L"\\" + final.substr(7);
    else if (final.starts_with(L"\\\\?\\"))
      final = final.substr(4);
    return AnsiFromWide(final);
  }
};

}  // namespace

FileIdentity& FileIdentity::Default() {
  static Win32FileIdentity identity;
  return identity;
}

}  // namespace platform
