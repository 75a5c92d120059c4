#include "skin/controls/sImgListItems.h"

#include <exception>
#include <optional>
#include <string_view>
#include <variant>

#include "skin/data/SkinBitmaps.h"
#include "skin/render/sResample.h"

namespace {

bool HasAlpha(const img::Bitmap32& bitmap) {
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (bitmap.Pixel(x, y).A != 0) return true;
  return false;
}

// A picture without alpha is opaque except where it has its bottom-left pixel's colour: the
// colour that bitmaps of this kind traditionally leave out.
void KeyByBottomLeft(img::Bitmap32& bitmap) {
  if (bitmap.Empty() || HasAlpha(bitmap)) return;
  img::TRGBAPixel key = bitmap.Pixel(0, bitmap.Height() - 1);
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x)
      if (img::TRGBAPixel& p = bitmap.Pixel(x, y); p != key) p.A = 255;
}

// Alpha from what the file says about transparency: a palette's alpha table, or the one colour
// meant to be see-through. False when the file says nothing.
bool AlphaFromFile(const img::Picture& picture, img::Bitmap32& bitmap) {
  const img::Transparency& t = picture.transparency;
  const auto* indexed = std::get_if<img::IndexedBitmap>(&picture.pixels);
  if (indexed && t.hasPaletteAlpha) {
    for (int y = 0; y < bitmap.Height(); ++y)
      for (int x = 0; x < bitmap.Width(); ++x)
        bitmap.Pixel(x, y).A = t.paletteAlpha[indexed->Row(y)[x]];
    return true;
  }
  if (!t.colourKey) return false;
  const img::TPaletteEntry key = *t.colourKey;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      img::TRGBAPixel& p = bitmap.Pixel(x, y);
      p.A = p.R == key.R && p.G == key.G && p.B == key.B ? 0 : 255;
    }
  return true;
}

// The picture's pixels as a 32-bit picture with alpha 0 where the picture has no alpha channel;
// a 32-bit picture's pixels are moved out.
img::Bitmap32 ToBitmap32(img::Picture& picture) {
  if (auto* bitmap = std::get_if<img::Bitmap32>(&picture.pixels)) return std::move(*bitmap);
  img::RGBAImage rgba = img::ToRGBA(picture);
  img::Bitmap32 result(rgba.width, rgba.height);
  const uint8_t* src = rgba.bytes.data();
  for (int y = 0; y < rgba.height; ++y)
    for (int x = 0; x < rgba.width; ++x, src += 4) result.Pixel(x, y) = {src[2], src[1], src[0], 0};
  return result;
}

std::optional<img::Bitmap32> Decode(const TsImgListItem& item) {
  std::string_view bytes(reinterpret_cast<const char*>(item.ImgData.data()), item.ImgData.size());
  std::optional<img::Picture> picture =
      DecodeSkinImage(bytes, item.ImageFormat == TsImageFormat::ifBMP32);
  if (!picture || picture->Empty()) return std::nullopt;
  img::Bitmap32 bitmap = ToBitmap32(*picture);
  if (!AlphaFromFile(*picture, bitmap)) KeyByBottomLeft(bitmap);
  return bitmap;
}

}  // namespace

int TsImgListItems::Add(TsImageFormat format, std::span<const uint8_t> data) {
  TsImgListItem& item = items_.emplace_back();
  item.ImageFormat = format;
  item.ImgData.assign(data.begin(), data.end());
  return Count() - 1;
}

void TsImgListItems::SetUseCache(bool value) {
  useCache_ = value;
  for (TsImgListItem& item : items_) item.CachedBitmap.reset();
}

std::unique_ptr<img::Bitmap32> TsImgListItems::GetItemBitmap(int index, int width, int height) {
  if (index < 0 || index >= Count() || width <= 0 || height <= 0) return nullptr;
  TsImgListItem& item = items_[size_t(index)];
  if (item.ImageFormat == TsImageFormat::ifICO || item.ImgData.empty()) return nullptr;
  if (item.CachedBitmap) {
    if (useCache_ && item.CachedBitmap->Width() == width && item.CachedBitmap->Height() == height)
      return std::make_unique<img::Bitmap32>(*item.CachedBitmap);
    item.CachedBitmap.reset();
  }
  std::unique_ptr<img::Bitmap32> result;
  try {
    std::optional<img::Bitmap32> decoded = Decode(item);
    if (!decoded) return nullptr;
    item.ItemWidth = decoded->Width();
    item.ItemHeight = decoded->Height();
    result = std::make_unique<img::Bitmap32>();
    if (decoded->Width() == width && decoded->Height() == height)
      *result = std::move(*decoded);
    else
      ResampleBitmap(*decoded, *result, width, rfMitchell, height);
  } catch (const std::exception&) {
    // An item that cannot be decoded or resampled paints nothing.
    return nullptr;
  }
  if (useCache_) item.CachedBitmap = std::make_unique<img::Bitmap32>(*result);
  return result;
}
