// The main window's list view scroll bar: the vertical bar of the 708 x 242 list view (a 2-pixel
// client edge on each side, no horizontal bar), 17 pixels thick with 17-pixel arrows as the
// platform's default metrics give it, painted as the adapter paints it on every scroll, hover and
// press. The copy to the screen is the platform's and is left out. A memcpy of the same pixels
// is the floor to compare with.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/BenchSkins.h"
#include "skin/controls/sScrollPaint.h"

namespace {

using bench::kSkins;
using bench::LoadSkin;

// 100 rows, 13 of them shown, scrolled to the 21st.
TsBarPaint ListViewBar(bool enabled) {
  TsBarPaint bar;
  bar.Vertical = true;
  bar.Info = {0, 99, 13, 20};
  bar.Length = 242 - 2 * 2;
  bar.Thickness = 17;
  bar.ButtonLength = 17;
  bar.Enabled = enabled;
  bar.BgColor = 0xFFFFFF;
  return bar;
}

// Arguments: index into kSkins; 1 enabled, 0 disabled (faded, no thumb).
void BM_PaintScrollBar(benchmark::State& state) {
  const char* name = kSkins[state.range(0)];
  TsSkinModel skin;
  LoadSkin(skin, name);
  const TsBarPaint bar = ListViewBar(state.range(1) != 0);
  img::Bitmap32 image;
  if (!PaintScrollBar(skin, bar, image)) state.SkipWithError("the skin has no vertical track");
  for (auto _ : state) {
    PaintScrollBar(skin, bar, image);
    benchmark::ClobberMemory();
  }
  state.SetLabel(name);
}
BENCHMARK(BM_PaintScrollBar)
    ->ArgsProduct({benchmark::CreateDenseRange(0, std::size(kSkins) - 1, 1), {1, 0}})
    ->Unit(benchmark::kMicrosecond);

void BM_MemcpyScrollBar(benchmark::State& state) {
  const TsBarPaint bar = ListViewBar(true);
  img::Bitmap32 source(bar.Thickness, bar.Length), target(bar.Thickness, bar.Length);
  for (auto _ : state) {
    std::memcpy(target.Row(0), source.Row(0), source.PixelCount() * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyScrollBar)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
