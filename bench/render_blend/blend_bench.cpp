// The weighted blend of a full-screen picture (a window's background over its parent's, as a
// 40 % transparent panel does) against a plain copy of the same picture, each instruction-set path
// of the blend, and the gradient painter. When pixman is installed, its compositing of the same
// pictures runs alongside as the speed to reach:
//  - PixmanOverConstant composites an opaque source through a constant mask of 154 / 255: the
//    same cross-fade as our blend with weight 102 / 256 (up to rounding), so the same work;
//  - PixmanOver composites the premultiplied picture with its own per-pixel alpha, pixman's
//    common case, which skips pixels of alpha 0 and copies those of alpha 255.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/render/sBlend.h"
#include "skin/render/sBlendRows.h"
#include "skin/render/sGradientPaint.h"

#if defined(DK_HAVE_PIXMAN)
#include <pixman.h>
#endif

namespace {

constexpr int kWidth = 1920, kHeight = 1080;
constexpr int kWeight = 102;  // the target keeps 40 %

// Typical interface content, premultiplied: a window with rounded corners over a transparent
// margin, its edges feathered over a few pixels, flat panels on a vertical gradient and rows of
// text-like strokes. Alpha is 0 or 255 nearly everywhere.
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
  constexpr double kMargin = 40, kRadius = 24, kFeather = 4;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      // Distance outside the rounded rectangle, negative inside it.
      const double dx = std::max({kMargin + kRadius - x, 0.0, x + 1 - kWidth + kMargin + kRadius});
      const double dy = std::max({kMargin + kRadius - y, 0.0, y + 1 - kHeight + kMargin + kRadius});
      const double cover = std::clamp(0.5 - (std::hypot(dx, dy) - kRadius) / kFeather, 0.0, 1.0);
      const int alpha = int(std::lround(cover * 255));
      img::TRGBAPixel& p = b.Pixel(x, y);
      p = {uint8_t(p.B * alpha / 255), uint8_t(p.G * alpha / 255), uint8_t(p.R * alpha / 255),
           uint8_t(alpha)};
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
    BlendBitmaps(target, source, kWeight, 0, 0, {0, 0, kWidth, kHeight});
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.PixelCount()) * 4);
}
BENCHMARK(BM_BlendBitmaps)->Unit(benchmark::kMillisecond);

// The rows of BlendBitmaps on one path: 0 plain, 1 SSE2 (the baseline of every Windows target),
// 2 AVX2 (where the processor has it).
void BM_BlendPath(benchmark::State& state) {
  const auto path = static_cast<BlendPath>(state.range(0));
  const img::Bitmap32 source = Interface(1);
  img::Bitmap32 target = Interface(2);
  for (auto _ : state) {
    for (int y = 0; y < kHeight; ++y)
      BlendRowsUpTo(path, target.Row(y), target.Row(y), source.Row(y), kWidth, kWeight);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.PixelCount()) * 4);
}
BENCHMARK(BM_BlendPath)->ArgName("path")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

#if defined(DK_HAVE_PIXMAN)

pixman_image_t* PixmanImage(img::Bitmap32& bitmap, pixman_format_code_t format) {
  return pixman_image_create_bits(format, bitmap.Width(), bitmap.Height(),
                                  reinterpret_cast<uint32_t*>(bitmap.Row(0)), bitmap.Width() * 4);
}

void PixmanComposite(benchmark::State& state, pixman_format_code_t sourceFormat,
                     pixman_image_t* mask) {
  img::Bitmap32 source = Interface(1), target = Interface(2);
  pixman_image_t* src = PixmanImage(source, sourceFormat);
  pixman_image_t* dst = PixmanImage(target, PIXMAN_a8r8g8b8);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, mask, dst, 0, 0, 0, 0, 0, 0, kWidth, kHeight);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(dst);
  pixman_image_unref(src);
  if (mask) pixman_image_unref(mask);
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.PixelCount()) * 4);
}

void BM_PixmanOverConstant(benchmark::State& state) {
  const pixman_color_t keep{0, 0, 0, uint16_t((256 - kWeight) * 257)};
  PixmanComposite(state, PIXMAN_x8r8g8b8, pixman_image_create_solid_fill(&keep));
}
BENCHMARK(BM_PixmanOverConstant)->Unit(benchmark::kMillisecond);

void BM_PixmanOver(benchmark::State& state) {
  PixmanComposite(state, PIXMAN_a8r8g8b8, nullptr);
}
BENCHMARK(BM_PixmanOver)->Unit(benchmark::kMillisecond);

#endif

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
