// The main window's frame: the whole window image of the 722 x 454 single-border window with a
// menu bar (frame, title band, menu band, title buttons over the skin's form background), as the
// form provider paints it on every change of skin, size or activation. Text and the icon are the
// platform's and are left out. A memcpy of the same pixels is the floor to compare with.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/BenchSkins.h"
#include "skin/forms/sWindowImage.h"

namespace {

using bench::kSkins;
using bench::LoadSkin;

TsFormShape MainWindowShape(const TsSystemMetrics& metrics) {
  TsFormShape f;
  f.Width = 722;
  f.Height = 454;
  f.BorderStyle = TsBorderKind::Single;
  f.ThickFrame = false;
  f.MenuLineHeight = metrics.CyMenu - 1;
  f.MenuLineCount = 1;
  const int frame = NativeFrameWidth(f, metrics);
  f.ClientWidth = f.Width - 2 * frame;
  f.ClientHeight =
      f.Height - 2 * frame - CaptionHeight(f, metrics) - f.MenuLineCount * f.MenuLineHeight;
  return f;
}

TsFramePaint MainWindowPaint(const TsSkinModel& skin) {
  TsFramePaint p;
  p.Form = MainWindowShape(p.Metrics);
  p.Sections = ResolveFrameSections(skin, "FORM", "", "");
  p.Inputs.Images = ChooseButtonImages(skin, true, p.Inputs.Rules);
  p.Inputs.Rules.VisibleMax = false;  // biSystemMenu | biMinimize
  p.Layout = LayoutTitle(skin, p.Form, p.Metrics, p.Inputs);
  return p;
}

// Argument: index into kSkins.
void BM_PaintWindowImage(benchmark::State& state) {
  const char* name = kSkins[state.range(0)];
  TsSkinModel skin;
  LoadSkin(skin, name);
  const TsFramePaint paint = MainWindowPaint(skin);
  if (paint.Sections.Form < 0) state.SkipWithError("the skin has no FORM section");
  img::Bitmap32 image, strip;
  SizeWindowImage(image, paint.Form, paint.Metrics);
  for (auto _ : state) {
    PaintWindowImage(skin, image, strip, paint, {});
    benchmark::ClobberMemory();
  }
  state.SetLabel(name);
}
BENCHMARK(BM_PaintWindowImage)->DenseRange(0, std::size(kSkins) - 1)->Unit(benchmark::kMicrosecond);

void BM_MemcpyWindowImage(benchmark::State& state) {
  TsSystemMetrics metrics;
  const TsFormShape form = MainWindowShape(metrics);
  img::Bitmap32 source, target;
  SizeWindowImage(source, form, metrics);
  SizeWindowImage(target, form, metrics);
  for (auto _ : state) {
    std::memcpy(target.Row(0), source.Row(0), source.PixelCount() * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyWindowImage)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
