// One 32 x 32 glyph with its own alpha (a disc feathered at its edge over a clear corner, as an
// image-list item is) drawn onto a control's picture: plain, translucent and tinted, and with its
// mirror image. The reference in the same run is pixman's OVER of the same premultiplied glyph
// when pixman is installed, else a copy of the glyph's pixels.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "skin/render/sAlphaImage.h"

#if defined(DK_HAVE_PIXMAN)
#include <pixman.h>
#endif

namespace {

constexpr int kSize = 32;

img::Bitmap32 Glyph(bool premultiplied) {
  img::Bitmap32 b(kSize, kSize);
  for (int y = 0; y < kSize; ++y)
    for (int x = 0; x < kSize; ++x) {
      const double d = std::hypot(x + 0.5 - kSize / 2.0, y + 0.5 - kSize / 2.0);
      const int a = int(std::lround(std::clamp(kSize / 2.0 - 1 - d, 0.0, 1.0) * 255));
      const uint8_t c = uint8_t(x * 8), k = premultiplied ? uint8_t(c * a / 255) : c;
      b.Pixel(x, y) = {k, uint8_t(premultiplied ? 200 * a / 255 : 200), k, uint8_t(a)};
    }
  return b;
}

// The control: opaque, tall enough for the mirror image below the glyph.
img::Bitmap32 Control() {
  img::Bitmap32 b(kSize, kSize * 2);
  b.Fill({0xF0, 0xE0, 0xD0, 255});
  return b;
}

void Draw(benchmark::State& state, bool reflection, int translucency, int32_t tint) {
  const img::Bitmap32 glyph = Glyph(false);
  img::Bitmap32 target = Control();
  const TRect r{0, 0, kSize, kSize};
  for (auto _ : state) {
    DrawAlphaImage(r, r, target, reflection, translucency, tint, false, EmptyBgSource, &glyph);
    benchmark::ClobberMemory();
  }
}

void BM_DrawAlphaImage(benchmark::State& state) {
  Draw(state, false, 0, kNoTint);
}
BENCHMARK(BM_DrawAlphaImage)->Unit(benchmark::kMicrosecond);

void BM_DrawAlphaImageTranslucentTinted(benchmark::State& state) {
  Draw(state, false, 30, 0x2080FF);
}
BENCHMARK(BM_DrawAlphaImageTranslucentTinted)->Unit(benchmark::kMicrosecond);

void BM_DrawAlphaImageReflected(benchmark::State& state) {
  Draw(state, true, 0, kNoTint);
}
BENCHMARK(BM_DrawAlphaImageReflected)->Unit(benchmark::kMicrosecond);

#if defined(DK_HAVE_PIXMAN)
pixman_image_t* PixmanImage(img::Bitmap32& bitmap) {
  return pixman_image_create_bits(PIXMAN_a8r8g8b8, bitmap.Width(), bitmap.Height(),
                                  reinterpret_cast<uint32_t*>(bitmap.Row(0)), bitmap.Width() * 4);
}

void BM_ReferencePixmanOver(benchmark::State& state) {
  img::Bitmap32 glyph = Glyph(true), target = Control();
  pixman_image_t* src = PixmanImage(glyph);
  pixman_image_t* dst = PixmanImage(target);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_OVER, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kSize, kSize);
    benchmark::ClobberMemory();
  }
  pixman_image_unref(dst);
  pixman_image_unref(src);
}
BENCHMARK(BM_ReferencePixmanOver)->Unit(benchmark::kMicrosecond);
#else
void BM_ReferenceCopy(benchmark::State& state) {
  const img::Bitmap32 glyph = Glyph(false);
  img::Bitmap32 target = Control();
  for (auto _ : state) {
    std::memcpy(target.Row(0), glyph.Row(0), glyph.PixelCount() * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ReferenceCopy)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK_MAIN();
