// Writing 32-bit pictures as PNG files: skin images made by our tools, preview sheets and the
// expected pictures of tests. The bytes depend only on the pixels, so the same picture always
// gives the same file.
#pragma once

#include <string>

#include "imaging/Bitmap32.h"

namespace img {

// The picture as an 8-bit RGBA PNG (colour type 6, not interlaced), alpha kept as stored.
std::string EncodePng(const Bitmap32& bitmap);

// Writes EncodePng(bitmap) to path. Throws std::runtime_error naming the file and the reason
// when it cannot be written; an existing file is replaced only by a complete one.
void SavePng(const std::string& path, const Bitmap32& bitmap);

}  // namespace img
