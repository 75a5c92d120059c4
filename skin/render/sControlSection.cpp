#include "skin/render/sControlSection.h"

#include <algorithm>

#include "skin/data/SkinSystem.h"
#include "skin/render/sBackground.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"

void PaintControlBg(const TsCommonData& skinData, const TsBgSource& bg, int state,
                    img::Bitmap32& target, TPoint origin, TRect rect) {
  const TsSkinModel* manager = skinData.PaintSkin();
  if (!manager || !manager->IsValidSectionIndex(skinData.SectionIndex)) return;
  const TsGeneralData& section = manager->SectionTable[size_t(skinData.SectionIndex)];
  state = std::max(0, std::min(state, section.StateCount - 1));
  const fw::TControl* host = skinData.HostControl;
  const int32_t customColor =
      skinData.CustomColor && host ? skin::ColorToRGB(host->Color()) : kKeyColor;
  PaintSectionBg(manager, skinData.SectionIndex, skinData.SkinSection, bg, customColor,
                 skinData.PatternIndex, skinData.HotPatternIndex, target, origin, rect, state);
}

void PaintControlSection(const TsCommonData& skinData, const TsBgSource& bg, bool fillCorners,
                         img::Bitmap32& target, TPoint origin, TRect rect, int state) {
  const TsSkinModel* manager = skinData.PaintSkin();
  if (!manager || !manager->IsValidSectionIndex(skinData.SectionIndex) ||
      !InsideTarget(rect, target))
    return;
  const TsGeneralData& section = manager->SectionTable[size_t(skinData.SectionIndex)];
  state = std::max(0, std::min(state, section.StateCount - 1));
  PaintControlBg(skinData, bg, state, target, origin, rect);
  PaintSectionCorners(*manager, section, target, rect, state);

  const int borderIndex = skinData.BorderMaskIndex;
  const bool border = manager->IsValidImageIndex(borderIndex) &&
                      !(state == 0 && (manager->ImageTable[size_t(borderIndex)].PaintFlags & 2));
  if (border) {
    TsBgSource behind = bg;
    behind.OffsetX += origin.X;
    behind.OffsetY += origin.Y;
    PaintMaskSlices(target, rect, manager->ImageTable[size_t(borderIndex)], state, behind,
                    fillCorners);
  } else if (section.States[size_t(std::min(state, 1))].Transparency != 0) {
    // What shows through is the parent, already in its own colours.
    return;
  }
  if (skinData.HUEOffset) ChangeBitmapHue(target, skinData.HUEOffset);
  if (skinData.Saturation) ChangeBitmapSaturation(target, skinData.Saturation);
}
