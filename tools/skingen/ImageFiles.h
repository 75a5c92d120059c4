// Writers for the picture files a skin carries besides PNG: the 24-bit Windows bitmap of the
// master image and baseline JPEG textures. Both give the same bytes for the same pixels.
#pragma once

#include <string>

#include "imaging/Bitmap32.h"

namespace skingen {

// An uncompressed 24-bit bottom-up Windows bitmap; the alpha byte is dropped.
std::string EncodeBmp24(const img::Bitmap32& bitmap);

// A baseline JFIF JPEG at a fixed quality: one grey component, or YCbCr without subsampling.
std::string EncodeJpeg(const img::Bitmap32& bitmap, bool grey);

}  // namespace skingen
