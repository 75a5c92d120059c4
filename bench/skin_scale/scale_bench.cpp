// Making the skin's copy for a display scale: the default skin (and the other families) at 125,
// 150 and 200 %, every picture resampled slice by slice and every length scaled. This is what a
// window pays the first time it is shown on a monitor of that scale; afterwards the copy is kept.
// Beside the time, the bitmaps one copy makes (DIB sections on Windows, a server round trip each
// under Wine), a count the machine's load does not change; the skin's own pictures are decoded
// before, as a window would have decoded them.
#include <benchmark/benchmark.h>

#include "bench/BenchSkins.h"
#include "skin/render/sScaledSkin.h"

namespace {

void BM_BuildScaledSkin(benchmark::State& state, const char* name, int dpi) {
  TsSkinModel skin;
  bench::LoadSkin(skin, name);
  for (const TsMaskData& e : skin.ImageTable) benchmark::DoNotOptimize(e.Image.get());
  size_t pixels = 0;
  int64_t bitmaps = 0;
  for (auto _ : state) {
    const int64_t before = img::Bitmap32::StoragesMade();
    auto copy = BuildScaledSkin(skin, dpi);
    bitmaps = img::Bitmap32::StoragesMade() - before;
    pixels = copy->MasterImage.PixelCount();
    benchmark::DoNotOptimize(copy);
  }
  state.counters["master_pixels"] = double(pixels);
  state.counters["bitmaps"] = double(bitmaps);
}

void Register() {
  for (int dpi : {120, 192}) {
    const std::string percent = std::to_string(dpi * 100 / 96);
    benchmark::RegisterBenchmark(("BuildScaledSkin/Soft Azure/" + percent).c_str(),
                                 BM_BuildScaledSkin, "Soft Azure", dpi)
        ->Unit(benchmark::kMillisecond);
  }
  for (const char* name : bench::kSkins)
    benchmark::RegisterBenchmark((std::string("BuildScaledSkin/") + name + "/150").c_str(),
                                 BM_BuildScaledSkin, name, 144)
        ->Unit(benchmark::kMillisecond);
}

const int kRegistered = (Register(), 0);

}  // namespace

BENCHMARK_MAIN();
