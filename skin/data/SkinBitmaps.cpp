#include "skin/data/SkinBitmaps.h"

#include "skin/data/BmpFile.h"
#include "skin/data/PngAdapter.h"
#include "skin/data/sColorMath.h"

namespace {

img::TRGBAPixel Opaque(uint8_t r, uint8_t g, uint8_t b) {
  bool key = r == 0xFF && g == 0 && b == 0xFF;
  return {b, g, r, static_cast<uint8_t>(key ? 0 : 255)};
}

}  // namespace

std::optional<img::Picture> DecodeSkinImage(std::string_view bytes, bool isBitmap) {
  return isBitmap ? DecodeBmp(bytes) : DecodePng(bytes);
}

std::optional<std::pair<int, int>> SkinImageSize(std::string_view bytes, bool isBitmap) {
  return isBitmap ? BmpSize(bytes) : PngSize(bytes);
}

img::Bitmap32 ToSkinBitmap(img::Picture&& picture) {
  if (auto* bitmap = std::get_if<img::Bitmap32>(&picture.pixels)) return std::move(*bitmap);
  img::Bitmap32 result(picture.Width(), picture.Height());
  if (const auto* indexed = std::get_if<img::IndexedBitmap>(&picture.pixels)) {
    for (int y = 0; y < indexed->Height(); ++y) {
      const uint8_t* src = indexed->Row(y);
      img::TRGBAPixel* dst = result.Row(y);
      for (int x = 0; x < indexed->Width(); ++x) {
        img::TPaletteEntry c =
            src[x] < indexed->palette.size() ? indexed->palette[src[x]] : img::TPaletteEntry{};
        dst[x] = Opaque(c.R, c.G, c.B);
      }
    }
  } else if (const auto* rgb = std::get_if<img::Bitmap24>(&picture.pixels)) {
    for (int y = 0; y < rgb->Height(); ++y) {
      const uint8_t* src = rgb->Row(y);
      img::TRGBAPixel* dst = result.Row(y);
      for (int x = 0; x < rgb->Width(); ++x, src += 3) dst[x] = Opaque(src[2], src[1], src[0]);
    }
  }
  return result;
}

void PreparePngBitmap(img::Bitmap32& bitmap, double skinVersion) {
  if (skinVersion > 7.45) {
    PremultiplyBitmap(bitmap);
    return;
  }
  const img::TRGBAPixel emptyWhite{0xFF, 0xFF, 0xFF, 0};
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y) == emptyWhite) bitmap.Pixel(x, y) = {0, 0, 0, 0};
}
