#include <windows.h>
#include <shlobj.h>

#include <vector>

#include "platform/AnsiText.h"
#include "platform/FileSystem.h"
#include "platform/SystemEntry.h"
#include "platform/Win32Error.h"

namespace platform {
namespace {

// The 32-bit program on 64-bit Windows sees the 32-bit system folder in place of the real one,
// so installed driver files would not be found or copied. Redirection is switched off only
// for the one listing or copy at hand, never while window messages are processed, because
// everything the window does meanwhile (plug-ins, dialogs) must see the usual folders.
class RedirectionOff {
 public:
  RedirectionOff() {
#ifndef _WIN64
    static const auto disable = reinterpret_cast<BOOL(WINAPI*)(PVOID*)>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "Wow64DisableWow64FsRedirection")));
    if (disable && disable(&old_)) active_ = true;
#endif
  }
  ~RedirectionOff() {
#ifndef _WIN64
    static const auto revert = reinterpret_cast<BOOL(WINAPI*)(PVOID)>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "Wow64RevertWow64FsRedirection")));
    if (active_ && revert) revert(old_);
#endif
  }
  RedirectionOff(const RedirectionOff&) = delete;
  RedirectionOff& operator=(const RedirectionOff&) = delete;

 private:
  [[maybe_unused]] PVOID old_ = nullptr;
  [[maybe_unused]] bool active_ = false;
};

// A folder path read into the 255-character buffer the system fills.
std::string Folder(UINT(WINAPI* get)(LPSTR, UINT)) {
  char buffer[255];
  UINT n = get(buffer, sizeof buffer);
  return n < sizeof buffer ? std::string(buffer, n) : std::string();
}

// The reparse tag of an open entry, 0 when it is none. Links to another place (symbolic links,
// junctions) carry the tags that stand for another name; the others keep a file's data elsewhere.
DWORD ReparseTag(HANDLE entry) {
  FILE_ATTRIBUTE_TAG_INFO tag = {};
  if (!GetFileInformationByHandleEx(entry, FileAttributeTagInfo, &tag, sizeof tag) ||
      !(tag.FileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
    return 0;
  return tag.ReparseTag;
}

bool SameFile(HANDLE a, HANDLE b) {
  BY_HANDLE_FILE_INFORMATION infoA, infoB;
  return GetFileInformationByHandle(a, &infoA) && GetFileInformationByHandle(b, &infoB) &&
         infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
         infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

class Win32FileSystem final : public FileSystem {
 public:
  std::string WindowsDirectory() override { return Folder(GetWindowsDirectoryA); }
  std::string SystemDirectory() override { return Folder(GetSystemDirectoryA); }

  std::string DocumentsDirectory() override {
    // The shell and COM are loaded when the folder is first asked for, not at start-up.
    static const auto knownFolder =
        SystemEntry<decltype(&SHGetKnownFolderPath)>("shell32.dll", "SHGetKnownFolderPath");
    static const auto free = SystemEntry<decltype(&CoTaskMemFree)>("ole32.dll", "CoTaskMemFree");
    if (!knownFolder || !free) return {};
    PWSTR path = nullptr;
    std::string folder;
    bool lost = false;
    if (SUCCEEDED(knownFolder(FOLDERID_Documents, KF_FLAG_CREATE, nullptr, &path)))
      folder = AnsiFromWide(path, &lost);
    free(path);
    // A name the code page cannot hold would lead every later call to another folder.
    return lost ? std::string() : folder;
  }

  std::string CurrentDirectory() override {
    std::vector<char> buffer(MAX_PATH);
    DWORD n;
    while ((n = GetCurrentDirectoryA(static_cast<DWORD>(buffer.size()), buffer.data())) >=
           buffer.size())
      buffer.resize(n);
    return std::string(buffer.data(), n);
  }

  bool ChangeDirectory(const std::string& path) override {
    return Done(SetCurrentDirectoryA(path.c_str()));
  }

  std::vector<std::string> ListFolder(const std::string& folder,
                                      const std::string& pattern) override {
    std::vector<std::string> names;
    RedirectionOff off;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + pattern).c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
      std::string name = data.cFileName;
      if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return names;
  }

  bool DirectoryExists(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
  }

  bool IsLink(const std::string& path) override {
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
      return false;
    // The entry itself, a folder as well as a file, never what it leads to.
    HANDLE entry = CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (entry == INVALID_HANDLE_VALUE) return true;
    // A reparse point whose tag cannot be read is taken for a link (Wine shows no tags).
    DWORD tag = ReparseTag(entry);
    CloseHandle(entry);
    return tag == 0 || IsReparseTagNameSurrogate(tag);
  }

  bool CreateFolder(const std::string& path) override {
    return Done(CreateDirectoryA(path.c_str(), nullptr));
  }

  bool CopyFileOver(const std::string& source, const std::string& destination) override {
    RedirectionOff off;
    return Done(CopyFileA(source.c_str(), destination.c_str(), FALSE));
  }

  bool ReadFileChunks(const std::string& path,
                      const std::function<void(const char*, size_t)>& sink) override {
    HANDLE file = OpenForReading(path);
    if (file == INVALID_HANDLE_VALUE) return false;
    // Large enough that the per-call cost vanishes against hashing, small enough for the cache.
    std::vector<char> buffer(1 << 20);
    DWORD got = 0;
    BOOL ok;
    while (
        (ok = ::ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) &&
        got > 0)
      sink(buffer.data(), got);
    Done(ok);
    CloseHandle(file);
    return ok != FALSE;
  }

  bool WriteFileWhole(const std::string& path, std::string_view content) override {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Done(FALSE);
    DWORD written = 0;
    BOOL ok =
        ::WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr) &&
        written == content.size() && FlushFileBuffers(file);
    Done(ok);
    CloseHandle(file);
    return ok != FALSE;
  }

  bool MoveFileOver(const std::string& source, const std::string& destination) override {
    return Done(MoveFileExA(source.c_str(), destination.c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
  }

  std::string FullPath(const std::string& path) override {
    char buffer[MAX_PATH];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    return n > 0 && n < sizeof buffer ? std::string(buffer, n) : path;
  }

  std::string LastErrorText() override { return lastError_; }

  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    WIN32_FILE_ATTRIBUTE_DATA data;
    BOOL found;
    {
      RedirectionOff off;
      found = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    }
    if (!Done(found) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return std::nullopt;
    return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  }

 private:
  // Opens the file itself, never what a link leads to. A reparse point that is not a link (a
  // file compressed, deduplicated or kept in the cloud by a filter) is opened again to read its
  // data: the first handle, which does not share deletion, keeps the name on the same file, as
  // the identity check confirms. Invalid, with the reason kept, when it cannot be read.
  HANDLE OpenForReading(const std::string& path) {
    RedirectionOff off;
    HANDLE own = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                             FILE_FLAG_SEQUENTIAL_SCAN | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (own == INVALID_HANDLE_VALUE) {
      Done(FALSE);
      return own;
    }
    DWORD tag = ReparseTag(own);
    if (tag == 0) return own;
    HANDLE data = INVALID_HANDLE_VALUE;
    if (IsReparseTagNameSurrogate(tag)) {
      lastError_ = "The file is a link to another place.";
    } else {
      data = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
      if (data == INVALID_HANDLE_VALUE) {
        Done(FALSE);
      } else if (!SameFile(own, data)) {
        CloseHandle(data);
        data = INVALID_HANDLE_VALUE;
        lastError_ = "The file was replaced while it was opened.";
      }
    }
    CloseHandle(own);
    return data;
  }

  // Keeps the system's reason when a call failed, and passes on whether it succeeded.
  bool Done(BOOL ok) {
    if (!ok) lastError_ = SystemErrorMessage(GetLastError());
    return ok != FALSE;
  }

  std::string lastError_;
};

}  // namespace

FileSystem& FileSystem::Default() {
  static Win32FileSystem fileSystem;
  return fileSystem;
}

}  // namespace platform
