// Where an export may write its packages, and the names of the package folders it makes there.
#pragma once

#include <string>

// Why packages may not be written to destination, or empty when they may. Refused are: a path
// that is no folder on a drive or a share (such as "\\.\PhysicalDrive0"), a folder name that is
// a device (NUL, COM9) or holds a character folder names cannot have, the Windows folder and
// everything in it by whatever name it is reached (a device path, an administrative share, a
// junction, a substituted drive), and a driver package or any folder inside one, so that an
// export never writes into an earlier one.
std::string UnsuitableDestination(const std::string& destination);

// The one form of a suitable destination that every file operation of an export uses: absolute,
// "\" between folders, without the "\\?\" or "\\.\" before a drive or share path, and so with
// the usual name rules applied to it ("\\.\C:\pk." and "C:\pk" are one folder).
std::string NormalDestination(const std::string& destination);

// The folder name of a device's package, before a number keeps two packages apart: the backup's
// folder name without control characters, cut to a bounded length, without the dots and blanks
// at its end that the system would drop (so that the folder and the manifest path inside it
// name one folder), never a device name, and never empty.
std::string PackageFolderBase(const std::string& device);
