// The pictures of the main window's four buttons (backup, select all, invert, exit), 32 x 32
// PNG files built into the program.
#pragma once

#include <memory>

#include "skin/controls/veAlphaImageList.h"

// An alpha image list holding the four pictures in that order. A picture that cannot be decoded
// stays blank, so the others keep their indexes.
std::unique_ptr<TsAlphaImageList> LoadButtonPictures();
