#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <map>
#include <mutex>

#include "platform/Staging.h"
#include "platform/StagingSecurity.h"
#include "platform/Win32Error.h"

namespace platform {
namespace {

bool IsAdministratorsOrSystem(PSID sid) {
  return sid && (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
                 IsWellKnownSid(sid, WinLocalSystemSid));
}

// Whether the folder opened is the one this program made: a real folder, not a link, with the
// security it was made with. A folder someone else swapped in for it, or a link to another
// place, fails here.
bool IsPrivateFolder(HANDLE folder) {
  BY_HANDLE_FILE_INFORMATION info;
  if (!GetFileInformationByHandle(folder, &info) ||
      !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
      (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return false;
  if (!FilesKeepAccessLists()) return true;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetSecurityInfo(folder, SE_FILE_OBJECT,
                      OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr, nullptr,
                      nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
    return false;
  bool isPrivate = IsPrivateSecurity(descriptor);
  LocalFree(descriptor);
  return isPrivate;
}

class Win32StagedFile final : public StagedFile {
 public:
  Win32StagedFile(HANDLE file, std::string& lastError) : file_(file), lastError_(lastError) {}
  ~Win32StagedFile() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
  }
  Win32StagedFile(const Win32StagedFile&) = delete;
  Win32StagedFile& operator=(const Win32StagedFile&) = delete;

  bool Write(const char* data, size_t size) override {
    while (size > 0) {
      DWORD piece = static_cast<DWORD>(std::min<size_t>(size, 1u << 30)), written = 0;
      if (!::WriteFile(file_, data, piece, &written, nullptr) || written != piece) return Failed();
      data += piece;
      size -= piece;
    }
    return true;
  }
  bool Close() override {
    HANDLE file = file_;
    file_ = INVALID_HANDLE_VALUE;
    return CloseHandle(file) || Failed();
  }

 private:
  bool Failed() {
    lastError_ = SystemErrorMessage(GetLastError());
    return false;
  }

  HANDLE file_;
  std::string& lastError_;
};

class Win32Staging final : public Staging {
 public:
  std::string MakeFolder() override {
    std::lock_guard<std::mutex> lock(mutex_);
    char temp[MAX_PATH + 1];
    DWORD n = GetTempPathA(sizeof temp, temp);
    if (n == 0 || n > MAX_PATH) return NoFolder();
    std::string base = std::string(temp, n) + "Driver Keeper";
    if (!CreateDirectoryA(base.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
      return NoFolder();
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kStagingSecurity, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
      return NoFolder();
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    // A name that exists already is never used, whoever made it: the next one is tried.
    std::string made;
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 100 && made.empty() && error == ERROR_ALREADY_EXISTS;
         ++attempt) {
      std::string path = base + "\\stage-" + std::to_string(GetCurrentProcessId()) + "-" +
                         std::to_string(GetTickCount()) + "-" + std::to_string(++counter_);
      if (CreateDirectoryA(path.c_str(), &attributes))
        made = path;
      else
        error = GetLastError();
    }
    LocalFree(descriptor);
    if (made.empty()) return NoFolder(error);
    // Held open without sharing deletion until it is removed, the folder cannot be renamed or
    // replaced meanwhile.
    HANDLE folder = CreateFileA(made.c_str(), READ_CONTROL | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE) return NoFolder();
    if (!IsPrivateFolder(folder)) {
      CloseHandle(folder);
      RemoveDirectoryA(made.c_str());  // a link, or an empty folder: nothing else goes
      lastError_ = "The staging folder " + made + " was replaced by another one.";
      return {};
    }
    held_[made] = folder;
    return made;
  }

  bool MakeSubfolder(const std::string& path) override {
    return CreateDirectoryA(path.c_str(), nullptr) || Fail();
  }

  std::unique_ptr<StagedFile> NewFile(const std::string& path) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Fail();
      return nullptr;
    }
    return std::make_unique<Win32StagedFile>(file, lastError_);
  }

  bool RemoveFolder(const std::string& path) override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      auto held = held_.find(path);
      if (held != held_.end()) {
        CloseHandle(held->second);
        held_.erase(held);
      }
    }
    return RemoveTree(path);
  }

  std::string LastErrorText() override { return lastError_; }

 private:
  // Keeps the system's reason for a failure; false for the caller to pass on.
  bool Fail(DWORD error = GetLastError()) {
    lastError_ = SystemErrorMessage(error);
    return false;
  }
  std::string NoFolder(DWORD error = GetLastError()) {
    Fail(error);
    return {};
  }

  // Deletes what the folder holds, then the folder; a link inside is removed, never followed.
  bool RemoveTree(const std::string& folder) {
    bool removed = true;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        std::string name = data.cFileName, path = folder + "\\" + name;
        if (name == "." || name == "..") continue;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
          SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
          removed = DeleteFileA(path.c_str()) && removed;
        } else if (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
          removed = RemoveDirectoryA(path.c_str()) && removed;
        } else {
          removed = RemoveTree(path) && removed;
        }
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    return (RemoveDirectoryA(folder.c_str()) || Fail()) && removed;
  }

  std::mutex mutex_;
  unsigned counter_ = 0;
  std::map<std::string, HANDLE> held_;  // each folder made and not removed, held open
  std::string lastError_;
};

}  // namespace

bool IsPrivateSecurity(PSECURITY_DESCRIPTOR descriptor) {
  PSID owner = nullptr;
  PACL dacl = nullptr;
  BOOL defaulted = FALSE, present = FALSE;
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) ||
      !GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) ||
      !GetSecurityDescriptorControl(descriptor, &control, &revision))
    return false;
  bool isPrivate =
      IsAdministratorsOrSystem(owner) && present && dacl && (control & SE_DACL_PROTECTED);
  for (DWORD i = 0; isPrivate && i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    isPrivate = GetAce(dacl, i, reinterpret_cast<void**>(&ace)) &&
                ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE &&
                IsAdministratorsOrSystem(&ace->SidStart);
  }
  return isPrivate;
}

bool FilesKeepAccessLists() {
  static const bool keeps = !GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
  return keeps;
}

Staging& Staging::Default() {
  static Win32Staging staging;
  return staging;
}

}  // namespace platform
