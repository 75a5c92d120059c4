// The weighted blend of a full-screen picture (a window's background over its parent's, as a
// 40 % transparent panel does) against a plain copy of the same picture, and the gradient painter.
#include <benchmark/benchmark.h>

#include <cstring>

#include "skin/render/sBlend.h"
#include "skin/render/sGradient.h"

namespace {

constexpr int kWidth = 1920, kHeight = 1080;

// Typical interface content: a vertical gradient with flat panels and some text-like noise.
img::Bitmap32 Interface(uint32_t seed) {
  img::Bitmap32 b(kWidth, kHeight);
  PaintGradient(b, {0, 0, kWidth, kHeight}, {{0xF0E0D0, 0x806040, 100, 0}});
  FillRectAlpha(b, {100, 100, 900, 700}, 0xFFFFFF, 255);
  FillRectAlpha(b, {1000, 50, 1800, 1000}, 0x404040, 255);
  uint32_t state = seed;
  for (int y = 120; y < 680; y += 3)
    for (int x = 120; x < 880; x += 2) {
      state = state * 1664525u + 1013904223u;
      if (state >> 30) b.Pixel(x, y) = {uint8_t(state >> 8), uint8_t(state >> 16), 0, 255};
    }
  return b;
}

void BM_Memcpy(benchmark::State& state) {
  const img::Bitmap32 source = Interface(1);
  img::Bitmap32 target(kWidth, kHeight);
  for (auto _ : state) {
    std::memcpy(target.Row(0), source.Row(0), source.PixelCount() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.PixelCount()) * 4);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMillisecond);

void BM_BlendBitmaps(benchmark::State& state) {
  const img::Bitmap32 source = Interface(1);
  img::Bitmap32 target = Interface(2);
  for (auto _ : state) {
    BlendBitmaps(target, source, 102, 0, 0, {0, 0, kWidth, kHeight});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.PixelCount()) * 4);
}
BENCHMARK(BM_BlendBitmaps)->Unit(benchmark::kMillisecond);

void BM_VerticalGradient(benchmark::State& state) {
  img::Bitmap32 target(kWidth, kHeight);
  const TsGradArray g{{0xF0E0D0, 0x806040, 60, 0}, {0x806040, 0x404040, 40, 0}};
  for (auto _ : state) {
    PaintGradient(target, {0, 0, kWidth, kHeight}, g);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_VerticalGradient)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
