// The main window's four button pictures: the alpha image list's cache made again (the caches
// dropped, then every item decoded at the list's size, or resampled to a smaller one), beside a
// memcpy of the same pixels and libpng decoding the same files.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/controls/sImgListItems.h"

#ifdef DK_HAVE_LIBPNG
#include "LibpngCodec.h"
#endif

namespace {

const std::vector<std::vector<uint8_t>>& Files() {
  static const std::vector<std::vector<uint8_t>> files = [] {
    std::vector<std::vector<uint8_t>> result;
    for (const char* name : {"backup", "selectall", "invert", "exit"}) {
      std::ifstream in(std::string(DK_SOURCE_DIR) + "/packaging/pictures/" + name + ".png",
                       std::ios::binary);
      result.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    return result;
  }();
  return files;
}

void CacheRebuilt(benchmark::State& state) {
  const int size = int(state.range(0));
  TsImgListItems items;
  for (const auto& file : Files()) items.Add(TsImageFormat::ifPNG, file);
  for (auto _ : state) {
    items.SetUseCache(true);
    for (int i = 0; i < items.Count(); ++i) {
      auto picture = items.GetItemBitmap(i, size, size);
      if (!picture) state.SkipWithError("a picture did not decode");
      benchmark::DoNotOptimize(picture.get());
    }
  }
}
BENCHMARK(CacheRebuilt)->Arg(32)->Arg(24)->Unit(benchmark::kMicrosecond);

void FromCache(benchmark::State& state) {
  TsImgListItems items;
  for (const auto& file : Files()) items.Add(TsImageFormat::ifPNG, file);
  for (auto _ : state)
    for (int i = 0; i < items.Count(); ++i)
      benchmark::DoNotOptimize(items.GetItemBitmap(i, 32, 32));
}
BENCHMARK(FromCache)->Unit(benchmark::kMicrosecond);

void MemcpyReference(benchmark::State& state) {
  std::vector<uint8_t> from(4 * 32 * 32 * 4, 7), to(from.size());
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), from.size());
    benchmark::DoNotOptimize(to.data());
  }
}
BENCHMARK(MemcpyReference)->Unit(benchmark::kMicrosecond);

#ifdef DK_HAVE_LIBPNG
void LibpngReference(benchmark::State& state) {
  for (auto _ : state)
    for (const auto& file : Files()) {
      img::test::Bytes out;
      if (!img::test::DecodeLikeOurs(file, out)) state.SkipWithError("libpng failed");
      benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(LibpngReference)->Unit(benchmark::kMicrosecond);
#endif

}  // namespace

BENCHMARK_MAIN();
