// The folders and file operations that driver backup and plug-in discovery need. Paths are
// Windows paths; relative ones are taken from the process's current folder.
#pragma once

#include <string>
#include <vector>

#include "platform/Seam.h"

namespace platform {

class FileSystem : public Replaceable<FileSystem> {
 public:
  static FileSystem& Default();

  // The Windows folder and the system folder, as the system reports them (no trailing "\").
  virtual std::string WindowsDirectory() = 0;
  virtual std::string SystemDirectory() = 0;
  // Names of the entries of folder (which ends in "\") that match pattern ("*.*", "*.dll"),
  // files and folders alike, hidden and system entries included, in the order the system
  // lists them; "." and ".." are left out.
  virtual std::vector<std::string> ListFolder(const std::string& folder,
                                              const std::string& pattern) = 0;
  virtual bool DirectoryExists(const std::string& path) = 0;
  // Creates one folder level. When it cannot be created: false, and the system's reason in
  // whyNot ("Access is denied." for a standard user in Program Files).
  virtual bool CreateFolder(const std::string& path, std::string& whyNot) = 0;
  // Copies a file, replacing an existing destination; false when the copy failed.
  virtual bool CopyFileOver(const std::string& source, const std::string& destination) = 0;
};

// Whether path names a file (not a folder) of the file system in use.
bool FileExists(const std::string& path);

}  // namespace platform
