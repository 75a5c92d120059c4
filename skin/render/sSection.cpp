#include "skin/render/sSection.h"

#include <algorithm>
#include <cstdint>
#include <exception>

#include "skin/data/MaskGeometry.h"
#include "skin/data/sDefaultModel.h"
#include "skin/render/sBackground.h"
#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"

namespace {

// Larger than any screen: an element this large is painted only where it shows.
constexpr int64_t kMaxElementPixels = int64_t(1) << 26;

// The state a section can show: states past its last use the last.
int ClampState(const TsGeneralData& section, int state) {
  return std::max(0, std::min(state, section.StateCount - 1));
}

// The section's border over rect, its key-coloured corners showing bg as seen from a target
// that sits at origin.
void PaintBorder(const TsSkinModel& manager, int borderIndex, img::Bitmap32& target, TPoint origin,
                 TRect rect, int state, TsBgSource bg) {
  if (!manager.IsValidImageIndex(borderIndex)) return;
  bg.OffsetX += origin.X;
  bg.OffsetY += origin.Y;
  PaintMaskSlices(target, rect, manager.ImageTable[size_t(borderIndex)], state, bg, true);
}

}  // namespace

void PaintSectionCorners(const TsSkinModel& manager, const TsGeneralData& section,
                         img::Bitmap32& target, TRect rect, int state) {
  // Corner ornaments sit over the background just painted, which their key pixels show.
  const TsBgSource painted = MakeBgSource(&target, 0, 0);
  for (size_t corner = 0; corner < section.CornerIndex.size(); ++corner) {
    const int index = section.CornerIndex[corner];
    if (!manager.IsValidImageIndex(index)) continue;
    const TsMaskData& image = manager.ImageTable[size_t(index)];
    const bool right = corner == 1 || corner == 3, bottom = corner >= 2;
    const TPoint at{right ? rect.Right - FrameWidth(image) : rect.Left,
                    bottom ? rect.Bottom - FrameHeight(image) : rect.Top};
    PaintStateGlyph(target, at, state, painted, image, 1);
  }
}

void PaintSection(const TsSkinModel* manager, int sectionIndex, std::string_view sectionName,
                  const TsBgSource& bg, int patternIndex, int hotPatternIndex,
                  img::Bitmap32& target, TPoint origin, TRect rect, int state) {
  manager = ResolveManager(manager);
  if (!manager || !manager->IsValidSectionIndex(sectionIndex) || !InsideTarget(rect, target))
    return;
  const TsGeneralData& section = manager->SectionTable[size_t(sectionIndex)];
  state = ClampState(section, state);
  PaintSectionBg(manager, sectionIndex, sectionName, bg, kKeyColor, patternIndex, hotPatternIndex,
                 target, origin, rect, state);
  PaintSectionCorners(*manager, section, target, rect, state);
  PaintBorder(*manager, section.BorderIndex, target, origin, rect, state, bg);
}

void PaintSectionToDC(const TsSkinModel* manager, int sectionIndex, std::string_view sectionName,
                      const TsBgSource& bg, img::Bitmap32& surface, TPoint origin, TRect rect,
                      int state) {
  manager = ResolveManager(manager);
  if (!manager || !manager->IsValidSectionIndex(sectionIndex) || rect.Left < 0 || rect.Top < 0 ||
      rect.Width() <= 0 || rect.Height() <= 0)
    return;
  if (rect.Left >= surface.Width() || rect.Top >= surface.Height()) return;
  // An element partly off the surface is painted whole and cut when copied, so its border stays
  // off the surface too. Only a rectangle too large to paint at all is cut to the surface first.
  if (int64_t(rect.Width()) * rect.Height() > kMaxElementPixels) {
    rect.Right = std::min(rect.Right, surface.Width());
    rect.Bottom = std::min(rect.Bottom, surface.Height());
  }
  img::Bitmap32 element;
  try {
    element.Resize(rect.Width(), rect.Height());
  } catch (const std::exception&) {
    return;
  }
  PaintSection(manager, sectionIndex, sectionName, bg, -1, -1, element, origin,
               {0, 0, rect.Width(), rect.Height()}, state);
  CopyBlock(surface, rect.Left, rect.Top, rect.Width(), rect.Height(), element, 0, 0);
}

int PaintSectionByName(const TsSkinModel* manager, img::Bitmap32& target, std::string_view name,
                       std::string_view fallbackName, const img::Bitmap32* parent, TRect rect,
                       int state) {
  manager = ResolveManager(manager);
  if (!manager) return -1;
  int index = manager->FindSection(name);
  std::string_view used = name;
  if (!manager->IsValidSectionIndex(index)) {
    index = manager->FindSection(fallbackName);
    used = fallbackName;
  }
  if (!manager->IsValidSectionIndex(index)) return index;
  // Without a parent there is nothing behind the element, not even a colour.
  TsBgSource bg = EmptyBgSource;
  bg.BgColor = kKeyColor;
  if (parent) {
    CopyBlock(target, 0, 0, target.Width(), target.Height(), *parent, rect.Left, rect.Top);
    bg = MakeBgSource(&target, 0, 0);
  }
  PaintSection(manager, index, used, bg, -1, -1, target, {0, 0},
               {0, 0, target.Width(), target.Height()}, state);
  return index;
}

void PaintSectionAt(const TsSkinModel* manager, int sectionIndex, int borderIndex, int patternIndex,
                    int hotPatternIndex, img::Bitmap32& target, TPoint origin, TRect rect,
                    int state, const TsBgSource& bg) {
  manager = ResolveManager(manager);
  if (!manager || !manager->IsValidSectionIndex(sectionIndex) || !InsideTarget(rect, target))
    return;
  state = ClampState(manager->SectionTable[size_t(sectionIndex)], state);
  PaintSectionBgFlat(manager, sectionIndex, bg, target, origin, rect, state, patternIndex,
                     hotPatternIndex);
  PaintBorder(*manager, borderIndex, target, origin, rect, state, bg);
}

void PaintSectionAlpha(const TsSkinModel* manager, int sectionIndex, int state,
                       img::Bitmap32& target, TRect rect) {
  manager = ResolveManager(manager);
  if (!manager || !manager->IsValidSectionIndex(sectionIndex) || !InsideTarget(rect, target))
    return;
  const TsGeneralData& section = manager->SectionTable[size_t(sectionIndex)];
  state = ClampState(section, state);
  // The border's see-through pixels show what the rectangle held before the section, not its
  // background.
  img::Bitmap32 before;
  try {
    before.Resize(rect.Width(), rect.Height());
  } catch (const std::exception&) {
    return;
  }
  CopyBlock(before, 0, 0, rect.Width(), rect.Height(), target, rect.Left, rect.Top);
  PaintSectionBgAlpha(manager, sectionIndex, state, rect, kKeyColor, target);
  if (manager->IsValidImageIndex(section.BorderIndex))
    PaintMaskSlicesAlpha(target, rect, manager->ImageTable[size_t(section.BorderIndex)], state,
                         MakeBgSource(&before, -rect.Left, -rect.Top));
  // A picture that is all this element is ready for a layered window.
  if (rect == TRect{0, 0, target.Width(), target.Height()}) PremultiplyRect(target, rect);
}
