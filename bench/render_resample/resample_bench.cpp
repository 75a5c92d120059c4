// Blur of a megapixel glow image and resampling of a full-HD picture; the time per pixel of the
// blur is the figure that matters (items are pixels).
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "skin/render/sBlur.h"
#include "skin/render/sResample.h"

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
}
// 1.2 gives 7 taps, 3 gives 19.
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

}  // namespace

BENCHMARK_MAIN();
