// The skin manager's view of the disk, through the platform's file system.
#pragma once

#include <string>
#include <vector>

// Skin names in a skin directory (without its trailing separator): sub-folders holding an
// "Options.dat" when folders are asked for, and files whose extension is exactly ".vlz", named
// up to their first ".", when packed skins are. Names beginning with "." are skipped.
std::vector<std::string> ListSkinsIn(const std::string& directory, bool folders, bool packed);
