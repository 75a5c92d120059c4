// Painting a whole element the size of a typical main window (722 x 454): a nine-slice border
// with transparent corners around a gradient and a texture, against a plain memcpy of the same
// pixels measured in the same run. Each element benchmark reports its frame time as a multiple of
// that copy ("x_memcpy").
//  - SinglePass: texture and vertical gradient sharing the area (30 % / 70 %), mixed in one pass;
//  - Layered: a texture strip along the top, the rest the colour, a gradient blended over both;
//  - TextureTiled / TextureStretched: the texture alone over the whole area.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>

#include "skin/render/sPattern.h"
#include "skin/render/sSection.h"

namespace {

constexpr int kWidth = 722, kHeight = 454;

// A master image holding a three-state 30 x 30 border frame (8-pixel margins, key pixels in its
// corners) and a 64 x 48 texture.
class ElementSkin {
 public:
  ElementSkin(int imagePercent, int gradientPercent, int textureMode) {
    img::Bitmap32& m = model_.MasterImage;
    m.Resize(160, 48);
    for (int y = 0; y < m.Height(); ++y)
      for (int x = 0; x < m.Width(); ++x)
        m.Pixel(x, y) = {uint8_t(x * 7 + y), uint8_t(y * 5), uint8_t(255 - x), 0};
    for (int frame = 0; frame < 3; ++frame)
      for (int i = 0; i < 3; ++i) {
        m.Pixel(frame * 30 + i, 0) = m.Pixel(frame * 30, i) = {255, 0, 255, 0};
        m.Pixel(frame * 30 + 29 - i, 29) = m.Pixel(frame * 30 + 29, 29 - i) = {255, 0, 255, 0};
      }
    TsMaskData border;
    border.SrcRect = {0, 0, 90, 30};
    border.StateCount = 3;
    border.MarginLeft = border.MarginTop = border.MarginRight = border.MarginBottom = 8;
    border.CornerTransparency = 1;
    border.Owner = &model_;
    TsMaskData texture;
    texture.SrcRect = {90, 0, 154, 48};
    texture.StateCount = 1;
    texture.PaintFlags = int16_t(textureMode);
    texture.ImageKind = kImageTexture;
    texture.Owner = &model_;
    model_.ImageTable = {border, texture};

    TsGeneralData section;
    section.SectionName = "FORM";
    section.BorderIndex = 0;
    for (TsGenState& s : section.States) {
      s.Color = 0xD8D4D0;
      s.ImagePercent = imagePercent;
      s.TextureIndex = 1;
      s.GradientPercent = gradientPercent;
      s.GradientData = "g";
      s.Gradient = {{0xF0F0F0, 0xD0D0D0, 60, 0}, {0xD0D0D0, 0xC0C0C0, 40, 0}};
    }
    model_.SectionTable = {section};
  }
  const TsSkinModel& Model() const { return model_; }

 private:
  TsSkinModel model_;
};

// Processor time in seconds: other work on a shared machine does not count.
double CpuSeconds() {
  return double(std::clock()) / CLOCKS_PER_SEC;
}

// Seconds per copy of a kWidth x kHeight picture with memcpy, the best of several tries.
double MemcpySeconds() {
  img::Bitmap32 from(kWidth, kHeight), to(kWidth, kHeight);
  double best = 1e9;
  for (int attempt = 0; attempt < 5; ++attempt) {
    const double start = CpuSeconds();
    constexpr int kCopies = 500;
    for (int i = 0; i < kCopies; ++i) {
      std::memcpy(to.Row(0), from.Row(0), from.PixelCount() * 4);
      benchmark::ClobberMemory();
    }
    best = std::min(best, (CpuSeconds() - start) / kCopies);
  }
  return best;
}

// Runs paint once per iteration and reports its processor time per frame against that of a
// memcpy of the same size.
template <typename Paint>
void Frames(benchmark::State& state, Paint paint) {
  const double copy = MemcpySeconds();
  const double start = CpuSeconds();
  for (auto _ : state) {
    paint();
    benchmark::ClobberMemory();
  }
  state.counters["x_memcpy"] = (CpuSeconds() - start) / double(state.iterations()) / copy;
  state.counters["memcpy_us"] = copy * 1e6;
}

void PaintElement(benchmark::State& state, int imagePercent, int gradientPercent, int mode) {
  const ElementSkin skin(imagePercent, gradientPercent, mode);
  img::Bitmap32 parent(kWidth + 40, kHeight + 40), target(kWidth, kHeight);
  const TsBgSource bg = MakeBgSource(&parent, 20, 20);
  Frames(state, [&] {
    PaintSection(&skin.Model(), 0, "FORM", bg, -1, -1, target, {0, 0}, {0, 0, kWidth, kHeight}, 1);
  });
}

void BM_Memcpy(benchmark::State& state) {
  img::Bitmap32 from(kWidth, kHeight), to(kWidth, kHeight);
  Frames(state, [&] { std::memcpy(to.Row(0), from.Row(0), from.PixelCount() * 4); });
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);

void BM_ElementSinglePass(benchmark::State& state) {
  PaintElement(state, 30, 70, fmTile);
}
BENCHMARK(BM_ElementSinglePass)->Unit(benchmark::kMicrosecond);

void BM_ElementLayered(benchmark::State& state) {
  PaintElement(state, 40, 50, fmTileTop);
}
BENCHMARK(BM_ElementLayered)->Unit(benchmark::kMicrosecond);

void Texture(benchmark::State& state, int mode) {
  const ElementSkin skin(100, 0, mode);
  img::Bitmap32 target(kWidth, kHeight);
  const TsMaskData& entry = skin.Model().ImageTable[1];
  Frames(state, [&] {
    TRect rect{0, 0, kWidth, kHeight};
    PaintPattern(target, rect, nullptr, mode, &entry);
  });
}

void BM_TextureTiled(benchmark::State& state) {
  Texture(state, fmTile);
}
BENCHMARK(BM_TextureTiled)->Unit(benchmark::kMicrosecond);

void BM_TextureStretched(benchmark::State& state) {
  Texture(state, fmStretch);
}
BENCHMARK(BM_TextureStretched)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
