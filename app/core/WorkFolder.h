// Where the program writes what it makes for the user: the backup tree ("BackUp\") and driver
// packages ("Packages") lie in the process's current folder. A copy started from its own folder
// writes beside itself, which is what a copy unpacked onto a stick or into a folder of the user's
// wants. An installed copy lives among program files that only an administrator can write and
// that an upgrade or a repair may touch, so it keeps the user's files in the user's documents.
#pragma once

#include <string>
#include <string_view>

// The file beside the program that only the installer writes (its uninstaller): its presence
// tells an installed copy from one that was unpacked.
inline constexpr char kInstalledSign[] = "uninstall.exe";
// The folder of the user's documents that an installed copy writes into.
inline constexpr char kDocumentsFolderName[] = "Driver Keeper";

// Run at the start of the window program. An installed copy that was started in its own folder
// (its shortcut, a double-click) makes the documents' "Driver Keeper" folder, when missing, its
// current folder. A copy started in another folder (a shortcut with another working folder, a
// command prompt) was sent there and stays; so does one whose documents folder cannot be had.
void EnterWorkFolder();

// The absolute path of an entry of the current folder: "BackUp\" is the folder that the backup
// writes its tree into, "Packages" the default folder for driver packages.
std::string InWorkFolder(std::string_view entry);
