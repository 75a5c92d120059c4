// Small hand-made image entries for the slice painting tests: a model whose master image holds the
// entry's frames, each pixel coloured by its place so that a misplaced slice shows.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"

namespace img {
inline void PrintTo(const TRGBAPixel& p, std::ostream* out) {
  *out << "BGRA(" << int(p.B) << ", " << int(p.G) << ", " << int(p.R) << ", " << int(p.A) << ")";
}
}  // namespace img

namespace slices_test {

using img::TRGBAPixel;

constexpr TRGBAPixel kKey{0xFF, 0x00, 0xFF, 0x00};
constexpr TRGBAPixel kPaper{90, 90, 90, 255};  // what targets hold before painting

// The image pixel at (x, y) of frame f: blue and green tell the place, red the frame. Opaque, as
// the skin loader makes every pixel but the key ones.
inline TRGBAPixel FramePixel(int x, int y, int f) {
  return {uint8_t(20 + 18 * x), uint8_t(20 + 18 * y), uint8_t(60 + 70 * f), 255};
}

struct TSliceSkin {
  std::unique_ptr<TsSkinModel> Model = std::make_unique<TsSkinModel>();
  TsMaskData Entry;

  img::Bitmap32& Master() { return Model->MasterImage; }
  // Pixel (x, y) of frame f, and of its mask band.
  TRGBAPixel& Image(int x, int y, int f = 0) {
    return Master().Pixel(Entry.SrcRect.Left + FrameW() * f + x, Entry.SrcRect.Top + y);
  }
  TRGBAPixel& Mask(int x, int y, int f = 0) { return Image(x, y + FrameH(), f); }
  int FrameW() const { return Entry.SrcRect.Width() / Entry.StateCount; }
  int FrameH() const { return Entry.SrcRect.Height() / (Entry.MaskRows + 1); }
  // Every mask pixel of every frame := value.
  void FillMask(TRGBAPixel value) {
    for (int f = 0; f < Entry.StateCount; ++f)
      for (int y = 0; y < FrameH(); ++y)
        for (int x = 0; x < FrameW(); ++x) Mask(x, y, f) = value;
  }
};

// states frames of fw x fh with the given margins on every side, image band filled by FramePixel
// and (with maskRows 1) a mask band of zeros below it, in a master image with a spare column and
// row around the entry.
inline TSliceSkin MakeSkin(int fw, int fh, int states, int maskRows, int margin,
                           int16_t paintFlags) {
  TSliceSkin skin;
  const int w = fw * states, h = fh * (maskRows + 1);
  skin.Master() = img::Bitmap32(w + 2, h + 2);
  skin.Master().Fill({1, 2, 3, 4});
  TsMaskData& e = skin.Entry;
  e.SrcRect = {1, 1, 1 + w, 1 + h};
  e.StateCount = int16_t(states);
  e.MaskRows = int16_t(maskRows);
  e.PaintFlags = paintFlags;
  e.MarginLeft = e.MarginTop = e.MarginRight = e.MarginBottom = int16_t(margin);
  e.Owner = skin.Model.get();
  for (int f = 0; f < states; ++f)
    for (int y = 0; y < fh; ++y)
      for (int x = 0; x < fw; ++x) skin.Image(x, y, f) = FramePixel(x, y, f);
  if (maskRows == 1) skin.FillMask({0, 0, 0, 0});
  return skin;
}

inline img::Bitmap32 Paper(int w, int h, TRGBAPixel value = kPaper) {
  img::Bitmap32 b(w, h);
  b.Fill(value);
  return b;
}

// True when every pixel of the bitmap equals value.
inline bool AllPixels(const img::Bitmap32& b, TRGBAPixel value) {
  for (int y = 0; y < b.Height(); ++y)
    for (int x = 0; x < b.Width(); ++x)
      if (!(b.Pixel(x, y) == value)) return false;
  return true;
}

}  // namespace slices_test
