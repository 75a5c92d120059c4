#include "skin/controls/veSizerWnd.h"

#include "skin/data/MaskGeometry.h"
#include "skin/render/sMaskSlices.h"

namespace {

// The grip among the skin's global images.
constexpr size_t kGripImage = 10;

}  // namespace

TveSizerWnd::TveSizerWnd(HWND handle, bool repaint, const std::string& skinSection,
                         TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, skinSection.empty() ? "CHECKBOX" : skinSection, manager,
                  skinData) {
  SkinData->UpdateIndexes();
  if (repaint && IsWindowVisible(handle)) Redraw();
}

bool TveSizerWnd::RenderCache() {
  if (!PaintSection(0)) return false;
  const int index = SkinManager->QuickIndexes.GlobalImages[kGripImage];
  if (SkinManager->IsValidImageIndex(index)) {
    img::Bitmap32& cache = *SkinData->CacheBitmap;
    const TsMaskData& grip = SkinManager->ImageTable[size_t(index)];
    PaintStateGlyph(cache,
                    {cache.Width() - ::FrameWidth(grip), cache.Height() - ::FrameHeight(grip)}, 0,
                    MakeBgSource(&cache, 0, 0), grip, 1);
  }
  return true;
}
