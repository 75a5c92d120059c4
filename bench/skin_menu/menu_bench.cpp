// A drop-down menu of 10 entries (the size the "Backup" menu would have with ten of its entries,
// 16-pixel glyphs): its background built as on opening, then every entry's plate composed as the
// menu painter does (a copy of the background under the entry, the MENUITEM plate, one entry
// highlighted). Text and the copy to the screen are the platform's and are left out. A memcpy of
// the popup's pixels is the floor to compare with.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/BenchSkins.h"
#include "skin/controls/sMenuLayout.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sSection.h"

namespace {

using bench::kSkins;
using bench::LoadSkin;

constexpr int kEntries = 10, kEntryHeight = 22, kWidth = 257;

void BM_PaintDropDownMenu(benchmark::State& state) {
  const char* name = kSkins[state.range(0)];
  TsSkinModel skin;
  LoadSkin(skin, name);
  TsMenuSpacing spacing;
  TsPopupBackground popup;
  popup.Width = kWidth;
  popup.Height = kEntries * kEntryHeight + 2 * spacing.BorderWidth;
  int item = skin.FindSection("MENUITEM");
  int entryWidth = kWidth - 2 * spacing.BorderWidth;
  img::Bitmap32 entry(entryWidth, kEntryHeight);
  std::vector<TRect> corners;
  for (auto _ : state) {
    img::Bitmap32 background = BuildPopupPicture(skin, popup, spacing, corners);
    for (int i = 0; i < kEntries; ++i) {
      int top = spacing.BorderWidth + i * kEntryHeight;
      CopyBlock(entry, 0, 0, entryWidth, kEntryHeight, background, spacing.BorderWidth, top);
      PaintSection(&skin, item, "MENUITEM", MakeBgSource(&entry, 0, 0), -1, -1, entry, {0, 0},
                   {0, 0, entryWidth, kEntryHeight}, i == 2 ? 1 : 0);
    }
    benchmark::ClobberMemory();
  }
  state.SetLabel(name);
}
BENCHMARK(BM_PaintDropDownMenu)
    ->DenseRange(0, std::size(kSkins) - 1, 1)
    ->Unit(benchmark::kMicrosecond);

void BM_MemcpyDropDownMenu(benchmark::State& state) {
  img::Bitmap32 source(kWidth, kEntries * kEntryHeight + 6), target(kWidth, source.Height());
  for (auto _ : state) {
    std::memcpy(target.Row(0), source.Row(0), source.PixelCount() * 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_MemcpyDropDownMenu)->Unit(benchmark::kMicrosecond);

}  // namespace
BENCHMARK_MAIN();
