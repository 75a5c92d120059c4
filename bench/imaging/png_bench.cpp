// PNG decoding: our decoder, libpng producing the same pixel layout, and plain zlib inflate of the
// same image data (the floor both decoders stand on).
#include <benchmark/benchmark.h>
#include <png.h>
#include <zlib.h>

#include <map>
#include <optional>
#include <tuple>

#include "LibpngCodec.h"
#include "imaging/PNGChunks.h"
#include "imaging/vePNG.h"

namespace {

using img::test::Bytes;

enum Kind { kRgba, kRgbaInterlaced, kPalette, kPaletteInterlaced };

const Bytes& Image(Kind kind, int size) {
  static std::map<std::pair<Kind, int>, Bytes> cache;
  Bytes& file = cache[{kind, size}];
  if (file.empty()) {
    img::test::ImageSpec shape;
    shape.width = shape.height = size;
    shape.content = img::test::Content::Smooth;
    shape.interlaced = kind == kRgbaInterlaced || kind == kPaletteInterlaced;
    if (kind == kPalette || kind == kPaletteInterlaced) shape.colorType = 3, shape.bitDepth = 8;
    file = img::test::WritePng(shape);
  }
  return file;
}

void Ours(benchmark::State& state, Kind kind) {
  const Bytes& file = Image(kind, int(state.range(0)));
  for (auto _ : state) {
    img::TPNGGraphic png;
    png.LoadFromMemory(file);
    benchmark::DoNotOptimize(png.Image().pixels);
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void Libpng(benchmark::State& state, Kind kind) {
  const Bytes& file = Image(kind, int(state.range(0)));
  for (auto _ : state) {
    Bytes out;
    if (!img::test::DecodeLikeOurs(file, out)) state.SkipWithError("libpng failed");
    benchmark::DoNotOptimize(out.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void Inflate(benchmark::State& state, Kind kind) {
  const Bytes& file = Image(kind, int(state.range(0)));
  Bytes idat;
  std::optional<img::PNGChunk> chunk;
  for (size_t pos = 8; (chunk = img::ReadChunk(file, pos)); pos = chunk->next)
    if (chunk->type == img::ChunkType("IDAT"))
      idat.insert(idat.end(), chunk->data.begin(), chunk->data.end());
  const size_t side = size_t(state.range(0));
  const size_t rawSize = side * (side * (kind == kRgba ? 4 : 1) + 1);
  for (auto _ : state) {
    Bytes raw(rawSize);
    uLongf size = uLongf(raw.size());
    if (uncompress(raw.data(), &size, idat.data(), uLong(idat.size())) != Z_OK)
      state.SkipWithError("inflate failed");
    benchmark::DoNotOptimize(raw.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0) * state.range(0));
}

void Sizes(benchmark::internal::Benchmark* b) {
  for (int size : {16, 64, 256, 1024, 2048}) b->Arg(size);
  b->Unit(benchmark::kMicrosecond);
}

BENCHMARK_CAPTURE(Ours, rgba, kRgba)->Apply(Sizes);
BENCHMARK_CAPTURE(Libpng, rgba, kRgba)->Apply(Sizes);
BENCHMARK_CAPTURE(Inflate, rgba, kRgba)->Apply(Sizes);
BENCHMARK_CAPTURE(Ours, palette, kPalette)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Libpng, palette, kPalette)->Arg(256)->Arg(1024)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ours, rgba_interlaced, kRgbaInterlaced)
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Libpng, rgba_interlaced, kRgbaInterlaced)
    ->Arg(256)
    ->Arg(1024)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Ours, palette_interlaced, kPaletteInterlaced)
    ->Arg(1024)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Libpng, palette_interlaced, kPaletteInterlaced)
    ->Arg(1024)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
