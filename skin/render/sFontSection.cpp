#include "skin/render/sFontSection.h"

#include <algorithm>
#include <cstdint>

#include "skin/data/sSkinCommands.h"
#include "skin/render/sCommonData.h"

namespace {

struct TParentSection {
  int index = -1;
  bool paintsCentre = false;  // its border entry paints over the middle
};

TParentSection SectionOf(fw::TWinControl& parent, const TsSkinModel& manager) {
  std::intptr_t published = 0;
  if (fw::GetOrdProp(&parent, "SkinData", published) && published) {
    const auto* data = reinterpret_cast<const TsCommonData*>(published);
    const bool centre = manager.IsValidImageIndex(data->BorderMaskIndex) &&
                        manager.ImageTable[size_t(data->BorderMaskIndex)].PaintFlags & 4;
    return {data->SectionIndex, centre};
  }
  if (!parent.HandleAllocated()) return {};
  TveSectionInfo info;
  SendSkinCommand(&parent, CmdGetSectionIndex, reinterpret_cast<LPARAM>(&info));
  return {info.Index, false};
}

}  // namespace

int FontSectionFor(fw::TControl* control, int defaultSection, const TsSkinModel& manager,
                   int state) {
  int level = state > 0 ? 1 : 0;
  for (fw::TWinControl* parent = control ? control->Parent() : nullptr; parent;
       parent = parent->Parent(), level = 0) {
    const TParentSection found = SectionOf(*parent, manager);
    if (!manager.IsValidSectionIndex(found.index)) return defaultSection;
    const TsGeneralData& section = manager.SectionTable[size_t(found.index)];
    const int s = std::max(0, std::min(level, section.StateCount - 1));
    const bool seeThrough =
        section.States[size_t(s)].Transparency > 50 && !found.paintsCentre && parent->Parent();
    if (!seeThrough) return section.GiveOwnFont ? found.index : defaultSection;
  }
  return defaultSection;
}
