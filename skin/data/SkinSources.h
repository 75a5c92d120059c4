// The three places a skin's files come from, as sources for the skin model: a packed skin file,
// packed bytes kept in the program (a stored skin), and a folder on disk.
#pragma once

#include <string>
#include <string_view>

#include "skin/data/sSkinModel.h"

// Throws what ReadPackedSkin throws, and platform::FileOpenError when the file cannot be read.
// folder is the skin folder recorded in the model (empty for none).
TsSkinSource PackedFileSource(const std::string& fileName, const std::string& folder);
// Packed bytes; empty data is not a packed skin and throws EPackedSkinError.
TsSkinSource PackedDataSource(std::string_view data);
// A folder holding "Options.dat" and the images; folder ends in a separator. Throws
// platform::FileOpenError when the options file cannot be read.
TsSkinSource FolderSource(const std::string& folder);
