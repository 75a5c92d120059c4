// Nine-slice painting of a window-sized element (722 x 454) from a 30 x 30 frame with 8-pixel
// borders: tiled and stretched, with and without a mask band, on opaque and alpha targets. The
// centre is painted, so every pixel of the element is written. The Tiny cases have 14-pixel
// borders, so edges and centre are tiled from 2-pixel slices: the cost of many small tiles.
#include <benchmark/benchmark.h>

#include "skin/data/sSkinModel.h"
#include "skin/render/sMaskSlices.h"

namespace {

constexpr int kWidth = 722, kHeight = 454;

class SliceSkin {
 public:
  SliceSkin(int maskRows, int16_t paintFlags, int16_t margin) {
    img::Bitmap32& m = model_.MasterImage;
    m.Resize(30, 30 * (maskRows + 1));
    for (int y = 0; y < m.Height(); ++y)
      for (int x = 0; x < m.Width(); ++x)
        m.Pixel(x, y) = y < 30 ? img::TRGBAPixel{uint8_t(x * 7 + y), uint8_t(y * 5), 90, 0}
                               : img::TRGBAPixel{uint8_t(x * 8), uint8_t(x * 8), uint8_t(y * 4), 0};
    m.Pixel(0, 0) = m.Pixel(29, 0) = {0xFF, 0, 0xFF, 0};  // key pixels in the corners
    entry_.SrcRect = {0, 0, 30, m.Height()};
    entry_.StateCount = 1;
    entry_.MaskRows = int16_t(maskRows);
    entry_.PaintFlags = paintFlags;
    entry_.MarginLeft = entry_.MarginTop = entry_.MarginRight = entry_.MarginBottom = margin;
    entry_.CornerTransparency = 1;
    entry_.Owner = &model_;
  }
  const TsMaskData& Entry() const { return entry_; }

 private:
  TsSkinModel model_;
  TsMaskData entry_;
};

void Slices(benchmark::State& state, int maskRows, int16_t flags, bool alpha, int16_t margin) {
  const SliceSkin skin(maskRows, flags, margin);
  img::Bitmap32 back(kWidth, kHeight), target(kWidth, kHeight);
  const TsBgSource bg = MakeBgSource(&back, 0, 0);
  for (auto _ : state) {
    if (alpha)
      PaintMaskSlicesAlpha(target, {0, 0, kWidth, kHeight}, skin.Entry(), 0, bg);
    else
      PaintMaskSlices(target, {0, 0, kWidth, kHeight}, skin.Entry(), 0, bg, true);
    benchmark::DoNotOptimize(target.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * kWidth * kHeight);
}

BENCHMARK_CAPTURE(Slices, TiledPlain, 0, 4, false, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, TinyTiledPlain, 0, 4, false, 14)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, TinyTiledMasked, 1, 4, false, 14)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, TiledMasked, 1, 4, false, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, TiledMaskedAlpha, 1, 4, true, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, StretchedPlain, 0, 5, false, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, StretchedMasked, 1, 5, false, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Slices, StretchedMaskedAlpha, 1, 5, true, 8)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
