// Small hand-made skin pieces for the texture and element tests: a 3 x 2 texture, bitmaps filled
// with one pixel, and models whose master image the tests draw themselves.
#pragma once

#include <memory>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"

namespace sections_test {

inline constexpr img::TRGBAPixel kRed{0, 0, 200, 255}, kGreen{0, 200, 0, 255},
    kBlue{200, 0, 0, 255}, kYellow{0, 200, 200, 255}, kPurple{200, 0, 200, 255},
    kCyan{200, 200, 0, 255};
// A master-image pixel that shows what lies behind.
inline constexpr img::TRGBAPixel kKey{255, 0, 255, 0};

inline img::Bitmap32 Filled(int width, int height, img::TRGBAPixel value) {
  img::Bitmap32 b(width, height);
  b.Fill(value);
  return b;
}

// Red, green, blue over yellow, purple, cyan.
inline img::Bitmap32 Texture() {
  img::Bitmap32 t(3, 2);
  const img::TRGBAPixel pixels[6] = {kRed, kGreen, kBlue, kYellow, kPurple, kCyan};
  for (int i = 0; i < 6; ++i) t.Pixel(i % 3, i / 3) = pixels[i];
  return t;
}

// The texture's pixel at (x, y) of tiles laid from (ax, ay).
inline img::TRGBAPixel TileAt(int x, int y, int ax = 0, int ay = 0) {
  static const img::Bitmap32 texture = Texture();
  return texture.Pixel(((x - ax) % 3 + 3) % 3, ((y - ay) % 2 + 2) % 2);
}

// The texture as an unmasked entry with a picture of its own, in the given fill mode.
inline TsMaskData TextureEntry(int fillMode) {
  TsMaskData e;
  e.Image = std::make_shared<img::Bitmap32>(Texture());
  e.SrcRect = {0, 0, 3, 2};
  e.StateCount = 1;
  e.PaintFlags = int16_t(fillMode);
  e.ImageKind = kImageTexture;
  return e;
}

// An image entry of model's master image; the model owns it.
inline int AddEntry(TsSkinModel& model, TRect src, int states, int maskRows, int paintFlags = 0) {
  TsMaskData e;
  e.SrcRect = src;
  e.StateCount = int16_t(states);
  e.MaskRows = int16_t(maskRows);
  e.PaintFlags = int16_t(paintFlags);
  e.Owner = &model;
  model.ImageTable.push_back(e);
  return int(model.ImageTable.size()) - 1;
}

// Pixels of a rectangle of a bitmap.
inline void FillRect(img::Bitmap32& b, TRect r, img::TRGBAPixel value) {
  for (int y = r.Top; y < r.Bottom; ++y)
    for (int x = r.Left; x < r.Right; ++x) b.Pixel(x, y) = value;
}

}  // namespace sections_test
