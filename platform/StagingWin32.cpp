#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <algorithm>
#include <map>
#include <mutex>

#include "platform/AnsiText.h"
#include "platform/StagingSecurity.h"
#include "platform/Win32Error.h"

namespace platform {
namespace {

bool IsAdministratorsOrSystem(PSID sid) {
  return sid && (IsWellKnownSid(sid, WinBuiltinAdministratorsSid) ||
                 IsWellKnownSid(sid, WinLocalSystemSid));
}

// The path in the ANSI code page, or empty when one of its characters has no place there.
std::string Narrow(const std::wstring& wide) {
  bool lost = false;
  std::string text = AnsiFromWide(wide, &lost);
  return lost ? std::string() : text;
}

// The form of a drive path the system takes at any length and without reinterpreting names.
std::wstring LongPath(const std::wstring& path) {
  return path.starts_with(L"\\\\") ? path : L"\\\\?\\" + path;
}

// A file or folder opened as itself: a link is opened, not followed.
HANDLE OpenEntry(const std::wstring& path, DWORD access, DWORD share) {
  return CreateFileW(LongPath(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                     FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
}

// Folders this program removes or stages in are opened so: they can be listed and removed
// through the handle, and nobody else can rename or delete them while it is open.
constexpr DWORD kFolderAccess = DELETE | READ_CONTROL | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES;
constexpr DWORD kNoDeleteSharing = FILE_SHARE_READ | FILE_SHARE_WRITE;

// The attributes of an open entry together with those the path shows: Wine shows a link only in
// the latter, and follows it when opening.
DWORD AttributesOf(HANDLE entry, const std::wstring& path, BY_HANDLE_FILE_INFORMATION& info) {
  if (!GetFileInformationByHandle(entry, &info)) return INVALID_FILE_ATTRIBUTES;
  DWORD shown = GetFileAttributesW(LongPath(path).c_str());
  return info.dwFileAttributes | (shown == INVALID_FILE_ATTRIBUTES ? 0 : shown);
}

// Why the open folder may not hold or be a staging folder; empty when it is private.
std::string FolderRefusal(HANDLE folder, const std::wstring& path,
                          BY_HANDLE_FILE_INFORMATION& info) {
  DWORD attributes = AttributesOf(folder, path, info);
  if (attributes == INVALID_FILE_ATTRIBUTES) return SystemErrorMessage(GetLastError());
  if (!FilesKeepAccessLists()) return PrivateFolderRefusal(attributes, nullptr);
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  DWORD error = GetSecurityInfo(folder, SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, nullptr, nullptr, &descriptor);
  if (error != ERROR_SUCCESS) return SystemErrorMessage(error);
  std::string refusal = PrivateFolderRefusal(attributes, descriptor);
  LocalFree(descriptor);
  return refusal;
}

bool SameEntry(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

// Marks an open entry to be deleted when its last handle closes; a read-only file too.
bool DeleteOnClose(HANDLE entry) {
  FILE_BASIC_INFO basic = {};
  basic.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  SetFileInformationByHandle(entry, FileBasicInfo, &basic, sizeof basic);
  FILE_DISPOSITION_INFO disposition = {TRUE};
  return SetFileInformationByHandle(entry, FileDispositionInfo, &disposition, sizeof disposition);
}

// Calls visit with the name and attributes of each entry of the open folder, listed through the
// handle (a listing by path would need to share what the holder of the folder does not).
template <typename Visit>
bool ForEachEntry(HANDLE folder, Visit visit) {
  alignas(LONGLONG) char buffer[64 * 1024];
  FILE_INFO_BY_HANDLE_CLASS next = FileIdBothDirectoryRestartInfo;
  while (GetFileInformationByHandleEx(folder, next, buffer, sizeof buffer)) {
    next = FileIdBothDirectoryInfo;
    for (char* at = buffer;;) {
      const auto* entry = reinterpret_cast<const FILE_ID_BOTH_DIR_INFO*>(at);
      std::wstring name(entry->FileName, entry->FileNameLength / sizeof(wchar_t));
      if (name != L"." && name != L"..") visit(name, entry->FileAttributes);
      if (entry->NextEntryOffset == 0) break;
      at += entry->NextEntryOffset;
    }
  }
  return GetLastError() == ERROR_NO_MORE_FILES;
}

// Deletes what the open folder at path holds. Each entry is opened as itself and deleted through
// its handle; a folder inside is held while it is emptied. A link is removed, never followed.
bool RemoveContents(HANDLE folder, const std::wstring& path) {
  bool removed = true;
  bool listed = ForEachEntry(folder, [&](const std::wstring& name, DWORD listedAttributes) {
    std::wstring child = path + L"\\" + name;
    if (listedAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
      // Wine follows a link it opens; its name alone is removed.
      removed =
          ((listedAttributes & FILE_ATTRIBUTE_DIRECTORY) ? RemoveDirectoryW(LongPath(child).c_str())
                                                         : DeleteFileW(LongPath(child).c_str())) &&
          removed;
      return;
    }
    HANDLE entry = OpenEntry(child, kFolderAccess | FILE_WRITE_ATTRIBUTES, kNoDeleteSharing);
    BY_HANDLE_FILE_INFORMATION info;
    DWORD attributes =
        entry == INVALID_HANDLE_VALUE ? INVALID_FILE_ATTRIBUTES : AttributesOf(entry, child, info);
    bool isFolder =
        attributes != INVALID_FILE_ATTRIBUTES && PrivateFolderRefusal(attributes, nullptr).empty();
    removed = attributes != INVALID_FILE_ATTRIBUTES &&
              (!isFolder || RemoveContents(entry, child)) && DeleteOnClose(entry) && removed;
    if (entry != INVALID_HANDLE_VALUE) CloseHandle(entry);
  });
  return listed && removed;
}

// Whether the process with this id may still be running: only one the system says it does not
// know, or that has ended, is not.
bool MayRun(DWORD id) {
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (!process) return GetLastError() != ERROR_INVALID_PARAMETER;
  bool running = WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
  CloseHandle(process);
  return running;
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
  explicit Win32Staging(std::wstring root) : root_(std::move(root)) {}
  ~Win32Staging() override {
    for (auto& [path, folder] : held_) CloseHandle(folder.handle);
  }
  Win32Staging(const Win32Staging&) = delete;
  Win32Staging& operator=(const Win32Staging&) = delete;

  std::string MakeFolder() override {
    std::lock_guard<std::mutex> lock(mutex_);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kStagingSecurity, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
      return NoFolder(SystemErrorMessage(GetLastError()));
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    // The root is held while the new folder is made in it, so that it cannot be replaced meanwhile.
    HANDLE root = OpenRoot(attributes);
    std::string made = root == INVALID_HANDLE_VALUE ? std::string() : MakeHeldFolder(attributes);
    if (root != INVALID_HANDLE_VALUE) CloseHandle(root);
    LocalFree(descriptor);
    return made;
  }

  bool MakeSubfolder(const std::string& path) override {
    return CreateDirectoryW(LongPath(WideFromAnsi(path)).c_str(), nullptr) || Fail();
  }

  std::unique_ptr<StagedFile> NewFile(const std::string& path) override {
    HANDLE file =
        CreateFileW(LongPath(WideFromAnsi(path)).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Fail();
      return nullptr;
    }
    return std::make_unique<Win32StagedFile>(file, lastError_);
  }

  bool RemoveFolder(const std::string& path) override {
    std::lock_guard<std::mutex> lock(mutex_);
    auto held = held_.find(path);
    if (held == held_.end()) {
      lastError_ = path + " is not a staging folder of this run.";
      return false;
    }
    HeldFolder folder = held->second;
    held_.erase(held);
    std::wstring wide = WideFromAnsi(path);
    // The path must still lead to the folder held: its contents are listed through it.
    HANDLE now =
        OpenEntry(wide, READ_CONTROL | FILE_READ_ATTRIBUTES, kNoDeleteSharing | FILE_SHARE_DELETE);
    BY_HANDLE_FILE_INFORMATION info;
    bool same = now != INVALID_HANDLE_VALUE && FolderRefusal(now, wide, info).empty() &&
                SameEntry(info, folder.info);
    if (now != INVALID_HANDLE_VALUE) CloseHandle(now);
    bool removed = false;
    if (!same)
      lastError_ = "The staging folder " + path + " was replaced; nothing in it was removed.";
    else if (!RemoveContents(folder.handle, wide) || !DeleteOnClose(folder.handle))
      Fail();
    else
      removed = true;
    CloseHandle(folder.handle);
    return removed;
  }

  std::string LastErrorText() override { return lastError_; }

 private:
  struct HeldFolder {
    HANDLE handle;
    BY_HANDLE_FILE_INFORMATION info;
  };

  // Keeps the system's reason for a failure; false for the caller to pass on.
  bool Fail(DWORD error = GetLastError()) {
    lastError_ = SystemErrorMessage(error);
    return false;
  }
  std::string NoFolder(const std::string& why) {
    lastError_ = why;
    return {};
  }

  // Makes the root with the private security, or opens the one there, and holds it; a root that
  // is a link, or that others than the administrators may change, is refused.
  HANDLE OpenRoot(SECURITY_ATTRIBUTES& attributes) {
    if (!CreateDirectoryW(LongPath(root_).c_str(), &attributes) &&
        GetLastError() != ERROR_ALREADY_EXISTS) {
      Fail();
      return INVALID_HANDLE_VALUE;
    }
    // Not shared for deletion, it cannot be renamed meanwhile; asking no deletion itself, other
    // runs may open it too.
    HANDLE root = OpenEntry(root_, READ_CONTROL | FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                            kNoDeleteSharing);
    if (root == INVALID_HANDLE_VALUE) {
      Fail();
      return root;
    }
    BY_HANDLE_FILE_INFORMATION info;
    std::string refusal = FolderRefusal(root, root_, info);
    if (!refusal.empty()) {
      CloseHandle(root);
      NoFolder("The staging root " + Narrow(root_) + " " + refusal + ".");
      return INVALID_HANDLE_VALUE;
    }
    RemoveStale(root);
    return root;
  }

  // Removes the staging folders of processes that have ended; one still held open by its process
  // cannot be opened for deletion and stays.
  void RemoveStale(HANDLE root) {
    ForEachEntry(root, [&](const std::wstring& name, DWORD listedAttributes) {
      if (!name.starts_with(L"stage-")) return;
      std::wstring path = root_ + L"\\" + name;
      DWORD owner = wcstoul(name.c_str() + 6, nullptr, 10);
      if (owner == GetCurrentProcessId() || MayRun(owner)) return;
      if (listedAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveDirectoryW(LongPath(path).c_str());
        return;
      }
      HANDLE folder = OpenEntry(path, kFolderAccess | FILE_WRITE_ATTRIBUTES, kNoDeleteSharing);
      if (folder == INVALID_HANDLE_VALUE) return;
      BY_HANDLE_FILE_INFORMATION info;
      DWORD attributes = AttributesOf(folder, path, info);
      if (attributes != INVALID_FILE_ATTRIBUTES &&
          PrivateFolderRefusal(attributes, nullptr).empty() && RemoveContents(folder, path))
        DeleteOnClose(folder);
      CloseHandle(folder);
    });
  }

  // Makes a new folder in the root under a name nobody used, holds it and checks that it is the
  // private folder made. A name that exists already is never used, whoever made it.
  std::string MakeHeldFolder(SECURITY_ATTRIBUTES& attributes) {
    std::wstring made;
    DWORD error = ERROR_ALREADY_EXISTS;
    for (int attempt = 0; attempt < 100 && made.empty() && error == ERROR_ALREADY_EXISTS;
         ++attempt) {
      std::wstring path = root_ + L"\\stage-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                          std::to_wstring(GetTickCount()) + L"-" + std::to_wstring(++counter_);
      if (CreateDirectoryW(LongPath(path).c_str(), &attributes))
        made = path;
      else
        error = GetLastError();
    }
    if (made.empty()) return NoFolder(SystemErrorMessage(error));
    HANDLE folder = OpenEntry(made, kFolderAccess, kNoDeleteSharing);
    if (folder == INVALID_HANDLE_VALUE) return NoFolder(SystemErrorMessage(GetLastError()));
    HeldFolder held = {folder, {}};
    std::string refusal = FolderRefusal(folder, made, held.info), path = FinalPath(folder);
    if (!refusal.empty() || path.empty()) {
      CloseHandle(folder);
      return NoFolder(refusal.empty() ? lastError_
                                      : "The staging folder " + Narrow(made) + " " + refusal +
                                            "; it was not used.");
    }
    held_[path] = held;
    return path;
  }

  // The drive path of the open folder as the system names it now; empty when it has none in the
  // ANSI code page.
  std::string FinalPath(HANDLE folder) {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
      DWORD length = GetFinalPathNameByHandleW(folder, path.data(), static_cast<DWORD>(path.size()),
                                               FILE_NAME_NORMALIZED);
      if (length == 0) return NoFolder(SystemErrorMessage(GetLastError()));
      if (length < path.size()) {
        path.resize(length);
        break;
      }
      path.resize(length);
    }
    if (path.starts_with(L"\\\\?\\") && path.size() > 6 && path[5] == L':') path.erase(0, 4);
    std::string narrow = Narrow(path);
    if (narrow.empty()) lastError_ = "The staging folder's path has no ANSI form.";
    return narrow;
  }

  std::wstring root_;
  std::mutex mutex_;
  unsigned counter_ = 0;
  std::map<std::string, HeldFolder> held_;  // each folder made and not removed, by its path
  std::string lastError_;
};

// %SystemRoot%\Temp: users may make entries there, but only administrators may rename or remove
// those of others, and every folder above it is the administrators' too.
std::wstring ProgramRoot() {
  wchar_t windows[MAX_PATH];
  UINT length = GetSystemWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows, length < MAX_PATH ? length : 0) + L"\\Temp\\Driver Keeper";
}

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

std::string PrivateFolderRefusal(DWORD attributes, PSECURITY_DESCRIPTOR descriptor) {
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) return "is a link";
  if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) return "is not a folder";
  if (descriptor && !IsPrivateSecurity(descriptor))
    return "may be changed by others than the administrators";
  return {};
}

bool FilesKeepAccessLists() {
  static const bool keeps = !GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
  return keeps;
}

std::unique_ptr<Staging> NewStaging(const std::string& root) {
  return std::make_unique<Win32Staging>(WideFromAnsi(root));
}

Staging& Staging::Default() {
  static Win32Staging staging(ProgramRoot());
  return staging;
}

}  // namespace platform
