// The skins of our own collection, stored inside the program: the packed bytes of each skin with
// the name the skin manager finds it by and the values kept beside it.
#pragma once

#include <string>

#include "skin/data/sStoredSkins.h"

// Adds the stored skins to skins, in the collection's fixed order. Each name ends in
// " (internal)"; the last one is the skin the program starts with.
void AddStoredSkins(TsStoredSkins& skins);

// The name of the skin the program starts with: the last stored skin.
std::string DefaultStoredSkinName();
