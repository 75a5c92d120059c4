// Fuzz target: bitmap files of a skin. Every input must either be refused or decode to a picture
// that is not empty; converting it reads every pixel and, for indexed pictures, every palette
// index, so ASan and UBSan see any that the decoder left pointing outside its data.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "skin/data/BmpFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::optional<img::Picture> picture =
      DecodeBmp(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!picture) return 0;
  if (picture->Empty()) std::abort();
  const img::RGBAImage rgba = img::ToRGBA(*picture);
  if (rgba.bytes.size() != size_t(picture->Width()) * size_t(picture->Height()) * 4) std::abort();
  return 0;
}
