// A file system held in memory with Windows paths, for tests and benchmarks. Names compare
// case-insensitively and keep their own letter case; folders list their entries in the order
// they were added.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace platform {

class MemoryFileSystem : public FileSystem {
 public:
  MemoryFileSystem();

  std::string windowsDirectory = "C:\\Windows";
  std::string systemDirectory = "C:\\Windows\\system32";
  std::string currentDirectory = "C:\\Work";
  std::string documentsDirectory = "C:\\Users\\Ann\\Documents";

  // Creates the folder and any missing parents.
  void AddFolder(const std::string& path);
  // Creates or replaces a file, creating its folder as needed.
  void AddFile(const std::string& path, const std::string& content);
  // Nothing can be created in a read-only folder, and a read-only file cannot be replaced.
  void SetReadOnly(const std::string& path);
  // Marks an entry as a link to another place; a file marked so cannot be read.
  void SetLink(const std::string& path);
  // The content of a file, or nothing when there is no such file.
  std::optional<std::string> Content(const std::string& path) const;
  // Number of successful copies so far.
  size_t copies = 0;
  // Removes a file, or a folder with everything in it.
  void Remove(const std::string& path);

  std::string WindowsDirectory() override { return windowsDirectory; }
  std::string SystemDirectory() override { return systemDirectory; }
  std::string DocumentsDirectory() override { return documentsDirectory; }
  std::string CurrentDirectory() override { return currentDirectory; }
  bool ChangeDirectory(const std::string& path) override;
  std::vector<std::string> ListFolder(const std::string& folder,
                                      const std::string& pattern) override;
  bool DirectoryExists(const std::string& path) override;
  bool IsLink(const std::string& path) override;
  // Fails with the reasons Windows gives, in its words.
  bool CreateFolder(const std::string& path) override;
  bool CopyFileOver(const std::string& source, const std::string& destination) override;
  bool ReadFileChunks(const std::string& path,
                      const std::function<void(const char*, size_t)>& sink) override;
  bool WriteFileWhole(const std::string& path, std::string_view content) override;
  bool MoveFileOver(const std::string& source, const std::string& destination) override;
  std::string FullPath(const std::string& path) override;
  std::string LastErrorText() override { return lastError_; }
  std::optional<std::uint64_t> FileSize(const std::string& path) override;

 private:
  struct Entry {
    bool folder = false;
    bool readOnly = false;
    bool link = false;
    std::string content;
    std::vector<std::string> children;  // folders: entry names in the order added
  };
  // The absolute path's components, and their folded join that keys the entries.
  std::vector<std::string> Parts(const std::string& path) const;
  std::string Key(const std::string& path) const;
  Entry* Find(const std::string& path);
  const Entry* Find(const std::string& path) const;
  // Adds an entry below an existing folder; null when the parent is missing or read-only.
  Entry* Add(const std::string& path, bool folder);

  // Records why an operation failed; returns false for the caller to pass on.
  bool Fail(const char* reason);

  std::map<std::string, Entry> entries_;  // by folded absolute path
  std::string lastError_;
};

// Whether name matches a folder-listing pattern with "*" and "?", ignoring letter case.
bool MatchesPattern(const std::string& name, const std::string& pattern);

}  // namespace platform
