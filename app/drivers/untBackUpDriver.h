// A driver's installed files, resolved from its INF file, and their copy into the backup tree
// "BackUp\Drivers\<device>" below the current folder.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// The Windows folder, "\inf\", and the InfPath value of the driver's key.
std::string GetInfFileName(const std::string& keyPath);

// The folder (with a "\" added when missing) followed by the first entry of the folder whose
// name equals name ignoring letter case, in the entry's own letter case; empty when none does.
std::string FindFileNoCase(const std::string& folder, const std::string& name);

// The folder a driver file is installed in, guessed from its extension.
std::string DriverFileFolder(const std::string& fileName, const std::string& systemDir,
                             const std::string& windowsDir);

// The installed files named in the INF's SourceDisksFiles section, in INF order, files that are
// not installed left out, and the INF file itself last.
std::vector<std::string> GetDriverFiles(const std::string& keyPath);

// The device name made fit for a folder name: the characters / \ * : ? " < > | removed, blanks
// and control characters trimmed. A name of dots only gives the empty name, so that no device
// name can lead out of the backup tree.
std::string SanitizeFolderName(const std::string& name);

// What the backup of one driver did.
struct TDriverBackup {
  bool foldersReady = false;  // the driver's folder exists (false: nothing was copied)
  std::string folderError;    // when it does not: the folder and the system's reason
  size_t copied = 0;
  size_t failed = 0;     // files not copied, counting all of them when the folder is missing
  bool stopped = false;  // a stop was requested before the last file
};

// Creates "BackUp", "BackUp\Drivers" and the driver's folder as needed and copies the files
// into it, replacing files of the same name. Before each file, processMessages lets the window
// repaint and answer; a stop requested meanwhile ends the run before the next file.
TDriverBackup BackUpDriver(const std::string& name, const std::vector<std::string>& files,
                           const std::function<void()>& processMessages = {});
