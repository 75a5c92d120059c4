// The folders and file operations that driver backup and plug-in discovery need. Paths are
// Windows paths; relative ones are taken from the process's current folder.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Seam.h"

namespace platform {

class FileSystem : public Replaceable<FileSystem> {
 public:
  static FileSystem& Default();

  // The Windows folder and the system folder, as the system reports them (no trailing "\").
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  // The user's documents folder, made when it is missing as the system makes it; empty when the
  // system names none or its name does not fit the program's 8-bit text.
  virtual std::string DocumentsDirectory() = 0;
  // The process's current folder, absolute, and changing it to an existing folder.
  virtual std::string CurrentDirectory() = 0;
  virtual bool ChangeDirectory(const std::string& path) = 0;
  // Names of the entries of folder (which ends in "\") that match pattern ("*.*", "*.dll"),
  // files and folders alike, hidden and system entries included, in the order the system
  // lists them; "." and ".." are left out.
  virtual std::vector<std::string> ListFolder(const std::string& folder,
                                              const std::string& pattern) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Whether path is a link to another place (a junction or a symbolic link): walking into it
  // can leave the tree or loop back into it.
  virtual bool IsLink(const std::string& path) = 0;
  // Creates one folder level; false when it cannot be created (LastErrorText says why: "Access
  // is denied." for a standard user in Program Files).
  virtual bool CreateFolder(const std::string& path) = 0;
  // Copies a file, replacing an existing destination; false when the copy failed.
  virtual bool CopyFileOver(const std::string& source, const std::string& destination) = 0;
  // Reads a file from start to end, handing it to sink piece by piece; false when it cannot be
  // opened or a read fails (sink may have had part of it by then). A link (a symbolic link or a
  // junction) is never read through: reading one fails.
  virtual bool ReadFileChunks(const std::string& path,
                              const std::function<void(const char*, size_t)>& sink) = 0;
  // Creates or replaces a file holding content; false when it could not be written whole.
  virtual bool WriteFileWhole(const std::string& path, std::string_view content) = 0;
  // Moves a file onto another name, replacing a file there in one step.
  virtual bool MoveFileOver(const std::string& source, const std::string& destination) = 0;
  // The absolute form of a path, relative ones taken from the current folder.
  virtual std::string FullPath(const std::string& path) = 0;
  // Why the last operation of this object that failed did, in the system's words.
  virtual std::string LastErrorText() = 0;
  // The size of a file, asked without reading it; nothing for a folder or a missing file.
  virtual std::optional<std::uint64_t> FileSize(const std::string& path) = 0;
};

// Whether path names a file (not a folder) of the file system in use.
bool FileExists(const std::string& path);

}  // namespace platform
