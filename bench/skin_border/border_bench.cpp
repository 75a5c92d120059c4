// The border window's picture on an activation change: the main window's skinned window image
// painted in the new look (the 722 x 454 sizeable form with a menu bar, as its border window
// enlarges it) and composed with the skin's shadow for that look into the layered picture. Text
// and the icon are the platform's and are left out. A memcpy of the picture's pixels is the
// floor to compare with.
#include <benchmark/benchmark.h>

#include <cstring>

#include "bench/BenchSkins.h"
#include "skin/forms/sBorderGeometry.h"
#include "skin/forms/sBorderPicture.h"
#include "skin/forms/sWindowImage.h"

namespace {

using bench::kSkins;
using bench::LoadSkin;

TsFormShape MainWindowShape(const TsSystemMetrics& metrics) {
  TsFormShape f;
  f.Width = 722;
  f.Height = 454;
  f.MenuLineHeight = metrics.CyMenu - 1;
  f.MenuLineCount = 1;
  const int frame = NativeFrameWidth(f, metrics);
  f.ClientWidth = f.Width - 2 * frame;
  f.ClientHeight =
      f.Height - 2 * frame - CaptionHeight(f, metrics) - f.MenuLineCount * f.MenuLineHeight;
  return f;
}

struct BorderScene {
  TsBorderShadows shadows;
  TsBorderFrame frame;
  TsFramePaint paint;
};

BorderScene MainWindowScene(const TsSkinModel& skin) {
  BorderScene s;
  s.shadows = ComputeBorderShadows(skin, true);
  TsSystemMetrics metrics;
  TsFormShape form = MainWindowShape(metrics);
  s.frame.Extent = s.shadows.Margins;
  s.frame.NativeFrame = NativeFrameWidth(form, metrics);
  s.frame.NativeCaption = CaptionHeight(form, metrics);
  s.frame.SkinBorder = skin.GlobalInfo.BorderWidth;
  s.frame.SkinTitle = skin.GlobalInfo.TitleHeight;
  s.paint.Form = SkinnedShape(form, s.frame);
  s.paint.Metrics = SkinnedMetrics(metrics, s.frame);
  s.paint.Sections = ResolveFrameSections(skin, "FORM", "", "");
  s.paint.Inputs.Images = ChooseButtonImages(skin, true, s.paint.Inputs.Rules);
  s.paint.Layout = LayoutTitle(skin, s.paint.Form, s.paint.Metrics, s.paint.Inputs);
  return s;
}

// Argument: index into kSkins.
void BM_BorderPictureOnActivation(benchmark::State& state) {
  const char* name = kSkins[state.range(0)];
  TsSkinModel skin;
  LoadSkin(skin, name);
  BorderScene scene = MainWindowScene(skin);
  if (scene.paint.Sections.Form < 0) state.SkipWithError("the skin has no FORM section");
  img::Bitmap32 image, strip, picture;
  SizeWindowImage(image, scene.paint.Form, scene.paint.Metrics);
  const std::vector<TRect> corners =
      CollectFrameCorners(skin, scene.paint.Sections, image.Width(), image.Height());
  bool active = false;
  for (auto _ : state) {
    active = !active;
    scene.paint.Active = active;
    PaintWindowImage(skin, image, strip, scene.paint, {});
    ComposeBorderPicture(picture, image, active ? scene.shadows.Active : scene.shadows.Inactive,
                         scene.frame.Extent, corners);
    benchmark::ClobberMemory();
  }
  state.SetLabel(std::string(name) + " " + std::to_string(picture.Width()) + "x" +
                 std::to_string(picture.Height()));
}
BENCHMARK(BM_BorderPictureOnActivation)
    ->DenseRange(0, std::size(kSkins) - 1)
    ->Unit(benchmark::kMicrosecond);

void BM_MemcpyBorderPicture(benchmark::State& state) {
  TsSkinModel skin;
  LoadSkin(skin, kSkins[0]);
  BorderScene scene = MainWindowScene(skin);
  TPoint size = BorderSize(scene.frame, 722, 454);
  img::Bitmap32 source(size.X, size.Y), target(size.X, size.Y);
  for (auto _ : state) {
    std::memcpy(target.Row(0), source.Row(0), source.PixelCount() * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyBorderPicture)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
