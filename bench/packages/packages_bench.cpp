// Hashing for driver packages: SHA-256 of 100 MB through the program's hashing seam, in the 1 MB
// pieces a file read hands it, beside a plain memory copy of the same bytes. sha256sum.sh times
// the system's sha256sum on a file of the same size, for comparison.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "app/drivers/PackageFiles.h"
#include "platform/FileSystemMemory.h"
#include "platform/Sha256.h"

namespace {

const size_t kBytes = 100u << 20;
const size_t kPiece = 1u << 20;

std::vector<char> Data() {
  std::vector<char> data(kBytes);
  for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 2654435761u >> 13);
  return data;
}

void BM_Sha256_100MB(benchmark::State& state) {
  std::vector<char> data = Data();
  for (auto _ : state) {
    platform::Sha256 hash;
    for (size_t at = 0; at < data.size(); at += kPiece) hash.Update(data.data() + at, kPiece);
    benchmark::DoNotOptimize(hash.Final());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BM_Sha256_100MB)->Unit(benchmark::kMillisecond);

// A whole file through the file seam, as verify reads it.
void BM_HashFile_100MB(benchmark::State& state) {
  std::vector<char> data = Data();
  platform::MemoryFileSystem files;
  files.AddFile("C:\\pk\\big.bin", std::string(data.begin(), data.end()));
  platform::ScopedInstall<platform::FileSystem> use(files);
  for (auto _ : state) benchmark::DoNotOptimize(HashFile("C:\\pk\\big.bin"));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BM_HashFile_100MB)->Unit(benchmark::kMillisecond);

void BM_Memcpy_100MB(benchmark::State& state) {
  std::vector<char> data = Data(), copy(kBytes);
  for (auto _ : state) {
    std::memcpy(copy.data(), data.data(), kBytes);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BM_Memcpy_100MB)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
