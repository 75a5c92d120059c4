// Start-up cost of reading the configuration: decoding and parsing the shipped file.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "app/core/Configuration.h"

namespace {

std::string ShippedConfig() {
  std::ifstream in(DK_SOURCE_DIR "/packaging/lamecore.dll", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_DecodeConfiguration(benchmark::State& state) {
  std::string stored = ShippedConfig();
  for (auto _ : state) {
    fw::IniText config = DecodeConfiguration(stored);
    benchmark::DoNotOptimize(ReadGlobalVars(config));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * stored.size()));
}
BENCHMARK(BM_DecodeConfiguration);

}  // namespace

BENCHMARK_MAIN();
