// Small pictures for the tests of this folder and ways to print what was painted.
#pragma once

#include <memory>
#include <string>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"

namespace parentbg_test {

// What every test target starts as; printed as '.'.
inline constexpr img::TRGBAPixel kBlank{1, 2, 3, 4};
// The key pixel of skin pictures (fuchsia with alpha 0).
inline constexpr img::TRGBAPixel kKey{255, 0, 255, 0};

inline img::Bitmap32 Filled(int w, int h, img::TRGBAPixel value) {
  img::Bitmap32 b(w, h);
  b.Fill(value);
  return b;
}

// Every pixel holds its own position (x in blue, y in green), so copies show where they read.
inline img::Bitmap32 Numbered(int w, int h) {
  img::Bitmap32 b(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) b.Pixel(x, y) = {uint8_t(x), uint8_t(y), 7, 9};
  return b;
}

// One row of a target painted from a Numbered source: the source column of every pixel as a
// digit, '.' where the target is still blank.
inline std::string SourceColumns(const img::Bitmap32& b, int y) {
  std::string s;
  for (int x = 0; x < b.Width(); ++x)
    s += b.Pixel(x, y) == kBlank ? '.' : char('0' + b.Pixel(x, y).B);
  return s;
}
// One column: the source row of every pixel.
inline std::string SourceRows(const img::Bitmap32& b, int x) {
  std::string s;
  for (int y = 0; y < b.Height(); ++y)
    s += b.Pixel(x, y) == kBlank ? '.' : char('0' + b.Pixel(x, y).G);
  return s;
}

// A model whose master picture is given and whose one image entry is returned ready to fill in.
struct OneEntryModel {
  explicit OneEntryModel(img::Bitmap32 master) : model(std::make_unique<TsSkinModel>()) {
    model->MasterImage = std::move(master);
    model->ImageTable.emplace_back();
    entry().Owner = model.get();
  }
  TsMaskData& entry() { return model->ImageTable[0]; }
  std::unique_ptr<TsSkinModel> model;
};

}  // namespace parentbg_test
