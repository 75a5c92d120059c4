// Blur of a megapixel glow image and resampling of a full-HD picture; the time per pixel of the
// blur is the figure that matters (per_pixel). When pixman is installed, its separable
// Mitchell shrinking of the same picture runs alongside as the speed to beat.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "skin/render/sBlur.h"
#include "skin/render/sResample.h"

#if defined(DK_HAVE_PIXMAN)
#include <pixman.h>
#endif

namespace {

// Smooth content with some noise, so that no pass meets only zeros.
std::vector<uint8_t> Picture(int width, int height) {
  std::mt19937 random(5);
  std::vector<uint8_t> bytes(size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) bytes[size_t(y) * width + x] = uint8_t((x ^ y) + random() % 16);
  }
  return bytes;
}

void Blur(benchmark::State& state) {
  const int size = 1024;
  const double radius = double(state.range(0)) / 10;
  std::vector<uint8_t> pixels = Picture(size, size);
  state.counters["taps"] = 2 * MakeGaussKernel(radius).halfSize + 1;
  for (auto _ : state) {
    BlurGray8({pixels.data(), size, size, size}, radius);
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * size * size);
  state.counters["per_pixel"] =
      benchmark::Counter(double(size) * size, benchmark::Counter::kIsIterationInvariantRate |
                                                  benchmark::Counter::kInvert);
}
// 1.2 gives 7 taps, 3 gives 17.
BENCHMARK(Blur)->Arg(12)->Arg(30)->Unit(benchmark::kMillisecond);

template <class TBitmap, int Bpp>
void Resample(benchmark::State& state) {
  const int filter = int(state.range(0));
  TBitmap source(1920, 1080);
  const std::vector<uint8_t> bytes = Picture(1920 * Bpp, 1080);
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(source.Row(0)));
  TBitmap dest;
  for (auto _ : state) {
    ResampleBitmap(source, dest, 722, filter, 454);
    benchmark::DoNotOptimize(dest.Row(0));
  }
  state.SetItemsProcessed(state.iterations() * 722 * 454);
}
BENCHMARK(Resample<img::Bitmap32, 4>)
    ->Arg(rfMitchell)
    ->Arg(rfWindowedSine)
    ->Arg(rfBox)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Resample<img::Bitmap24, 3>)->Arg(rfMitchell)->Unit(benchmark::kMillisecond);

#if defined(DK_HAVE_PIXMAN)

// 1920 x 1080 to 722 x 454 of the same 32-bit picture through pixman's separable convolution.
// Its CUBIC kernel is Mitchell-Netravali with B = C = 1/3, our Mitchell; as the sampling kernel,
// stretched by the scale, over point samples of the source, it widens with the shrinking as ours
// does (about eleven taps a pass). Sixteen filter phases per source pixel.
void PixmanMitchell(benchmark::State& state) {
  constexpr int kSrcW = 1920, kSrcH = 1080, kDstW = 722, kDstH = 454;
  img::Bitmap32 source(kSrcW, kSrcH), dest(kDstW, kDstH);
  const std::vector<uint8_t> bytes = Picture(kSrcW * 4, kSrcH);
  std::copy(bytes.begin(), bytes.end(), reinterpret_cast<uint8_t*>(source.Row(0)));
  pixman_image_t* src = pixman_image_create_bits(
      PIXMAN_a8r8g8b8, kSrcW, kSrcH, reinterpret_cast<uint32_t*>(source.Row(0)), kSrcW * 4);
  pixman_image_t* dst = pixman_image_create_bits(
      PIXMAN_a8r8g8b8, kDstW, kDstH, reinterpret_cast<uint32_t*>(dest.Row(0)), kDstW * 4);
  const double scaleX = double(kSrcW) / kDstW, scaleY = double(kSrcH) / kDstH;
  pixman_transform_t transform;
  pixman_transform_init_scale(&transform, pixman_double_to_fixed(scaleX),
                              pixman_double_to_fixed(scaleY));
  pixman_image_set_transform(src, &transform);
  int count = 0;
  pixman_fixed_t* params = pixman_filter_create_separable_convolution(
      &count, pixman_double_to_fixed(scaleX), pixman_double_to_fixed(scaleY), PIXMAN_KERNEL_IMPULSE,
      PIXMAN_KERNEL_IMPULSE, PIXMAN_KERNEL_CUBIC, PIXMAN_KERNEL_CUBIC, 4, 4);
  pixman_image_set_filter(src, PIXMAN_FILTER_SEPARABLE_CONVOLUTION, params, count);
  pixman_image_set_repeat(src, PIXMAN_REPEAT_PAD);
  for (auto _ : state) {
    pixman_image_composite32(PIXMAN_OP_SRC, src, nullptr, dst, 0, 0, 0, 0, 0, 0, kDstW, kDstH);
    benchmark::DoNotOptimize(dest.Row(0));
  }
  free(params);
  pixman_image_unref(dst);
  pixman_image_unref(src);
  state.SetItemsProcessed(state.iterations() * kDstW * kDstH);
}
BENCHMARK(PixmanMitchell)->Unit(benchmark::kMillisecond);

#endif

}  // namespace

BENCHMARK_MAIN();
