// Fuzz target: JPEG textures through the platform's JPEG seam. Every input must either be refused
// or give a picture that draws at its own size, opaque except for key-coloured pixels.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/data/veTinyJPG.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TveTinyJPGImage picture;
  if (!picture.LoadFromStream(std::string_view(reinterpret_cast<const char*>(data), size)))
    return 0;
  if (picture.Empty()) std::abort();
  const img::Bitmap32 bitmap = picture.ToBitmap32();
  if (bitmap.Width() != picture.Width() || bitmap.Height() != picture.Height()) std::abort();
  return 0;
}
