// The skinned button's painting: its cached picture (the section in the state of its look, its
// image list's picture, caption, focus frame, split part and disabled look), its window shape,
// and the picture shown on the screen or printed.
#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/controls/sButton.h"
#include "skin/controls/veAlphaImageList.h"
#include "skin/render/sAlphaImage.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sControlSection.h"
#include "skin/render/sControlText.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sPaintFlags.h"
#include "skin/render/sParentBg.h"
#include "skin/render/sRegion.h"
#include "skin/render/sSmallGlyphs.h"
#include "skin/render/sTextCompose.h"
#include "skin/render/sWindowRegion.h"

namespace {

// The entry asks for a window shape in this corner mode.
constexpr int32_t kRegionCorners = 2;
// Border entries whose normal state has no frame of its own.
constexpr int16_t kNoNormalFrame = 2;

}  // namespace

bool TsButton::MaskWantsRegion() const {
  const TsSkinModel* manager = skinData_->PaintSkin();
  return manager && manager->IsValidImageIndex(skinData_->BorderMaskIndex) &&
         manager->ImageTable[size_t(skinData_->BorderMaskIndex)].CornerTransparency ==
             kRegionCorners;
}

HRGN TsButton::BuildRegion(int state) const {
  const int w = Width(), h = Height();
  TsRegion shape(TRect{0, 0, w, h});
  const TsSkinModel* manager = skinData_->PaintSkin();
  const TsMaskData& mask = manager->ImageTable[size_t(skinData_->BorderMaskIndex)];
  if (state != 0 || !(mask.PaintFlags & kNoNormalFrame)) {
    img::Bitmap32 scratch(w, h);
    PaintMaskSlicesRegion(scratch, &shape, state, mask);
  }
  return RegionOfRects(shape.Rects());
}

void TsButton::ApplyRegion(HRGN region, bool redraw) {
  if (!region) {
    if (regionApplied_ && HandleAllocated()) SetWindowRgn(Handle(), nullptr, redraw);
    regionApplied_ = false;
    return;
  }
  if (!HandleAllocated()) {
    DeleteObject(region);
    return;
  }
  if (ApplyWindowRegion(Handle(), region, redraw)) regionApplied_ = regionEverSet_ = true;
}

void TsButton::PaintImage(img::Bitmap32& cache, TRect at, int index) {
  const auto* alpha = dynamic_cast<const TsAlphaImageList*>(Images());
  if (alpha && index < alpha->ItemCount()) {
    const int w = alpha->Width(), h = alpha->Height();
    std::unique_ptr<img::Bitmap32> picture = alpha->GetItemBitmap(index, w, h);
    if (picture)
      DrawAlphaImage({at.Left, at.Top, at.Left + w, at.Top + h}, {0, 0, w, h}, cache, reflected_, 0,
                     kNoTint, false, EmptyBgSource, picture.get());
    return;
  }
  Images()->Draw(cache.DC(), at.Left, at.Top, index);
  GdiFlush();
}

void TsButton::PaintCaption(HDC dc, TRect rect, bool lit) {
  const std::string& text = Caption();
  if (text.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  UINT format = DT_EXPANDTABS | DT_VCENTER | DT_CENTER | (wordWrap_ ? DT_WORDBREAK : 0);
  if (GetWindowLongA(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) format |= DT_RTLREADING;
  PaintControlText(dc, text, Enabled() || Skinned(), lit, *skinData_, format, ToRect(rect));
}

bool TsButton::RenderCache() {
  return RenderCacheInto(nullptr);
}

bool TsButton::RenderCacheInto(HRGN* region) {
  if (!Parent() || !Skinned()) return false;
  TsBgQuery query;
  QueryParentBg(query, Parent(), false);
  if (query.Kind == bgkNotReady) {
    skinData_->Deferred = true;
    return false;
  }
  const TsBgSource bg = BgQueryToSource(query);
  GdiFlush();  // the last copy to the screen may still read the cache
  skinData_->PrepareCache();
  img::Bitmap32* cache = skinData_->CacheBitmap.get();
  if (!cache || cache->Empty()) return false;
  const TsSkinModel* manager = skinData_->PaintSkin();
  const TsGeneralData& section = manager->SectionTable[size_t(skinData_->SectionIndex)];
  const TsButtonState current = CurrentState();
  // The section's state of the look; a section without a default-button look shows the default
  // button hot.
  const int state = current == TsButtonState::Default && section.StateCount < 4
                        ? int(TsButtonState::Hot)
                        : std::max(0, std::min(int(current), section.StateCount - 1));
  const int w = cache->Width(), h = cache->Height();
  PaintControlSection(*skinData_, bg, true, *cache, {0, 0}, {0, 0, w, h}, state);
  if (region && regionDirty_ && MaskWantsRegion() && !AnimationInProgress)
    *region = BuildRegion(state);
  const TsButtonLayout layout = Layout();
  if (layout.HasImage) PaintImage(*cache, ButtonImageRect(layout), CurrentImageIndex());
  const TRect caption = ButtonCaptionRect(layout);
  {
    HDC dc = cache->DC();
    platform::Selection font(dc, Font().Handle());
    PaintCaption(dc, caption, current != TsButtonState::Normal);
  }
  GdiFlush();
  if (Enabled() && Focused() && !Caption().empty() && showFocus_ && section.ShowFocus)
    PaintFocusFrame(*cache,
                    {caption.Left - focusMargin_, caption.Top - focusMargin_,
                     caption.Right + focusMargin_, caption.Bottom + focusMargin_},
                    int32_t(GetSysColor(COLOR_BTNFACE)), 0);
  if (layout.Split) PaintSplitPart(*cache, state);
  if (!Enabled()) {
    TsBgSource behind;
    skinData_->GetBgSource(behind);
    PaintDisabled(*cache, disabledKind_, {Left(), Top()}, behind,
                  GetWindowBgColor(Parent()->Handle()));
  }
  skinData_->SetBgDirty(false);
  return true;
}

void TsButton::PaintSplitPart(img::Bitmap32& cache, int state) {
  const TsSkinModel* manager = skinData_->PaintSkin();
  const TsGeneralData& section = manager->SectionTable[size_t(skinData_->SectionIndex)];
  const int32_t color = skinData_->Tone(section.States[state == 0 ? 0 : 1].FontColor);
  const img::TRGBAPixel pixel{uint8_t(color >> 16), uint8_t(color >> 8), uint8_t(color), 255};
  const int w = cache.Width(), h = cache.Height(), x = w - kSplitPartWidth + 1;
  if (x >= 0)
    for (int y = 4; y < h - 4; ++y) cache.Pixel(x, y) = pixel;
  PaintSmallArrow(cache, color, {w - kSplitPartWidth, 0, w, h}, adDown);
}

void TsButton::PaintTo(HDC dc, bool printing) {
  const bool fading = !printing && FadeRunning(*skinData_);
  if ((AnimationInProgress || fading) && (!dc || dc != skinData_->PrintTarget)) {
    if (!dc) ValidateRect(Handle(), nullptr);  // the animation shows the button meanwhile
    return;
  }
  platform::PaintScope paint(Handle(), reinterpret_cast<WPARAM>(dc));
  dc = paint;
  if (Skinned() && !skinData_->ResetDeferred(false)) {
    RECT parent{}, bounds{Left(), Top(), Left() + Width(), Top() + Height()};
    if (Parent() && Parent()->HandleAllocated()) GetClientRect(Parent()->Handle(), &parent);
    const bool partly = bounds.left < parent.left || bounds.top < parent.top ||
                        bounds.right > parent.right || bounds.bottom > parent.bottom;
    if (skinData_->PartlyVisible) skinData_->SetBgDirty(true);
    skinData_->PartlyVisible = partly;
    bool ready = true;
    if (regionDirty_) {
      HRGN region = nullptr;
      ready = RenderCacheInto(&region);
      if (ready) {
        FillCornersFromParent(*skinData_, 0, kAllCorners);
        if (printing) {
          // A shape made only for printing is never handed to the window.
          if (region) DeleteObject(region);
        } else {
          ApplyRegion(region, !regionEverSet_);
          // A button that became smaller leaves its old corners on the parent.
          if ((bounds.right - bounds.left < lastBounds_.right - lastBounds_.left ||
               bounds.bottom - bounds.top < lastBounds_.bottom - lastBounds_.top) &&
              Parent() && Parent()->HandleAllocated())
            InvalidateRect(Parent()->Handle(), &lastBounds_, TRUE);
          lastBounds_ = bounds;
          regionDirty_ = false;
        }
      } else if (region) {
        DeleteObject(region);
      }
    } else if (skinData_->BgDirty) {
      ready = RenderCacheInto(nullptr);
    }
    const img::Bitmap32* cache = skinData_->CacheBitmap.get();
    if (ready && cache && !cache->Empty())
      BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->DC(), 0, 0, SRCCOPY);
  }
}
