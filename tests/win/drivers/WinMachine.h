// Real registry keys, files and folders that a Windows test makes and removes again.
#pragma once

#include <windows.h>
#include <shellapi.h>
#include <winioctl.h>

#include <string>
#include <vector>

namespace testing_support {

// A registry key below HKEY_LOCAL_MACHINE, deleted with its subkeys when the object goes.
class TempRegKey {
 public:
  explicit TempRegKey(std::string path) : path_(std::move(path)) {
    HKEY key;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegCloseKey(key);
  }
  ~TempRegKey() { RegDeleteTreeA(HKEY_LOCAL_MACHINE, path_.c_str()); }
  TempRegKey(const TempRegKey&) = delete;
  TempRegKey& operator=(const TempRegKey&) = delete;

  const std::string& path() const { return path_; }

  void Set(const std::string& subKey, const std::string& name, DWORD kind, const void* data,
           DWORD size) const {
    HKEY key;
    std::string full = subKey.empty() ? path_ : path_ + "\\" + subKey;
    RegCreateKeyExA(HKEY_LOCAL_MACHINE, full.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    RegSetValueExA(key, name.empty() ? nullptr : name.c_str(), 0, kind,
                   static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }
  void SetString(const std::string& subKey, const std::string& name,
                 const std::string& text) const {
    Set(subKey, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
  }

 private:
  std::string path_;
};

inline void WriteFileText(const std::string& path, const std::string& text) {
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(f);
}

inline std::string ReadFileText(const std::string& path) {
  HANDLE f =
      CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return "<missing>";
  std::string text(GetFileSize(f, nullptr), '\0');
  DWORD got = 0;
  ReadFile(f, text.data(), static_cast<DWORD>(text.size()), &got, nullptr);
  CloseHandle(f);
  return text;
}

// Deletes a folder with everything in it.
inline void RemoveTree(const std::string& folder) {
  SHFILEOPSTRUCTA op = {};
  std::string from = folder + '\0';
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
  SHFileOperationA(&op);
}

// Makes link a junction to target; false where the file system cannot.
inline bool MakeJunction(const std::string& link, const std::string& target) {
  if (!CreateDirectoryA(link.c_str(), nullptr)) return false;
  HANDLE dir = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (dir == INVALID_HANDLE_VALUE) return false;
  std::wstring print(target.begin(), target.end()), substitute = L"\\??\\" + print;
  // A mount point's reparse data: tag, length, then the substitute and print names.
  std::vector<WORD> data = {0,
                            0,
                            0,
                            0,
                            0,
                            static_cast<WORD>(substitute.size() * 2),
                            static_cast<WORD>(substitute.size() * 2 + 2),
                            static_cast<WORD>(print.size() * 2)};
  data.insert(data.end(), substitute.begin(), substitute.end());
  data.push_back(0);
  data.insert(data.end(), print.begin(), print.end());
  data.push_back(0);
  *reinterpret_cast<DWORD*>(data.data()) = IO_REPARSE_TAG_MOUNT_POINT;
  data[2] = static_cast<WORD>(data.size() * 2 - 8);
  DWORD returned = 0;
  bool made = DeviceIoControl(dir, FSCTL_SET_REPARSE_POINT, data.data(),
                              static_cast<DWORD>(data.size() * 2), nullptr, 0, &returned, nullptr);
  CloseHandle(dir);
  return made;
}

// A name no other test run uses at the same time.
inline std::string Unique(const std::string& stem) {
  return stem + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
}

}  // namespace testing_support
