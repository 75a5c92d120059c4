// Stored skins: what the program pays at start-up to list the embedded collection, and what
// loading one stored skin into the model costs (the load the skin manager runs on every change of
// skin).
#include <benchmark/benchmark.h>

#include "skin/data/SkinSources.h"
#include "skins/StoredSkins.h"

namespace {

void BM_AddStoredSkins(benchmark::State& state) {
  for (auto _ : state) {
    TsStoredSkins skins;
    AddStoredSkins(skins);
    benchmark::DoNotOptimize(skins.Count());
  }
}
BENCHMARK(BM_AddStoredSkins)->Unit(benchmark::kMillisecond);

// Argument: index of the stored skin, -1 for the last one, the skin the program starts with.
void BM_LoadStoredSkin(benchmark::State& state) {
  TsStoredSkins skins;
  AddStoredSkins(skins);
  int index = state.range(0) < 0 ? skins.Count() - 1 : static_cast<int>(state.range(0));
  const TsStoredSkin& skin = skins.Items(index);
  state.SetLabel(skin.Name);
  for (auto _ : state) {
    TsSkinModel model;
    model.Load(PackedDataSource(skin.Data));
    benchmark::DoNotOptimize(model.ImageTable.size());
  }
}
BENCHMARK(BM_LoadStoredSkin)->Arg(0)->Arg(-1)->Unit(benchmark::kMillisecond);

}  // namespace
BENCHMARK_MAIN();
