// Private staging folders: a folder made for one run, that only administrators and the system can
// write, where files are copied before the system's installer is given them. What the installer
// reads there cannot be changed by another process of the user between the check and the install.
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

  // Makes a new, empty folder below the program's temporary folder ("%TEMP%\Driver Keeper\"),
  // writable only by administrators and the system, and makes sure that the folder in place is
  // the one made (no link, no folder that someone else made or swapped in); it keeps it from
  // being renamed until RemoveFolder. Returns its path, or empty (LastErrorText says why).
  virtual std::string MakeFolder() = 0;
  // Makes a folder inside a staging folder.
  virtual bool MakeSubfolder(const std::string& path) = 0;
  // Creates a new file inside a staging folder; null when it cannot (it exists, say).
  virtual std::unique_ptr<StagedFile> NewFile(const std::string& path) = 0;
  // Removes a staging folder and everything in it; false when something stays.
  virtual bool RemoveFolder(const std::string& path) = 0;
  // Why the last operation that failed did, in the system's words.
  virtual std::string LastErrorText() = 0;
};

}  // namespace platform
