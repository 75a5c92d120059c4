// Private staging folders: a folder made for one run, that only administrators and the system can
// write, where files are copied before the system's installer is given them. What the installer
// reads there cannot be changed by a process without administrator rights between the check and
// the install.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

#include "platform/Seam.h"

namespace platform {

// A new file in a staging folder, written piece by piece.
class StagedFile {
 public:
  virtual ~StagedFile() = default;
  virtual bool Write(const char* data, size_t size) = 0;
  // Completes the file; false when it could not be written whole.
  virtual bool Close() = 0;
};

class Staging : public Replaceable<Staging> {
 public:
  static Staging& Default();

  // Makes a new, empty folder below the program's staging root, "%SystemRoot%\Temp\Driver
  // Keeper": no process without administrator rights can rename, replace or write anything on
  // that path, and the root itself is refused when it is a link or may be changed by others than
  // the administrators (where the file system keeps access lists). The new folder has the same
  // private access list, is checked after it is made to be a folder and not a link, and is held
  // open, so that it cannot be renamed or replaced, until RemoveFolder. Before it, the folders
  // that ended processes left in the root are removed. Returns the folder's final path as the
  // system names it (what an installer is given), or empty (LastErrorText says why).
  virtual std::string MakeFolder() = 0;
  // Makes a folder inside a staging folder; paths of any length.
  virtual bool MakeSubfolder(const std::string& path) = 0;
  // Creates a new file inside a staging folder; null when it cannot (it exists, say).
  virtual std::unique_ptr<StagedFile> NewFile(const std::string& path) = 0;
  // Removes a folder MakeFolder returned and everything in it, through the folder still held:
  // nothing is removed when the path no longer leads to that folder, and a link inside is
  // removed itself, never followed. False when something stays; the folder is let go either way.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Why the last operation that failed did, in the system's words.
  virtual std::string LastErrorText() = 0;
};

}  // namespace platform
