#include "skin/controls/veSpinWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"

namespace {

// Places of the scroll buttons among the quick indexes: top, bottom, left, right.
constexpr int kArrowUp = 0, kArrowDown = 1, kArrowLeft = 2, kArrowRight = 3;

}  // namespace

TveSpinWnd::TveSpinWnd(HWND handle, bool repaint, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false,
                  !skinSection.empty() ? skinSection
                  : DialogSkinning     ? "SPEEDBUTTON_SMALL"
                                       : "BUTTON",
                  manager, skinData) {
  SkinData->UpdateIndexes();
  if (repaint && IsWindowVisible(handle)) Redraw();
}

bool TveSpinWnd::Horizontal() const {
  return GetWindowLongA(Handle, GWL_STYLE) & UDS_HORZ;
}

RECT TveSpinWnd::ButtonRect(int button) const {
  RECT r;
  GetClientRect(Handle, &r);
  if (Horizontal()) {
    const int half = r.right / 2;
    return button == 0 ? RECT{0, 0, half, r.bottom} : RECT{half, 0, r.right, r.bottom};
  }
  const int half = r.bottom / 2;
  return button == 0 ? RECT{0, 0, r.right, half} : RECT{0, half, r.right, r.bottom};
}

int TveSpinWnd::ButtonAt(POINT client) const {
  for (int button = 0; button < 2; ++button) {
    const RECT r = ButtonRect(button);
    if (PtInRect(&r, client)) return button;
  }
  return -1;
}

int TveSpinWnd::ButtonState(int button) const {
  if (!IsWindowEnabled(Handle)) return 0;
  if (pressed_ == button) return 2;
  return hot_ == button ? 1 : 0;
}

bool TveSpinWnd::RenderCache() {
  // The section over the whole window first: its background is what the buttons stand on.
  if (!PaintSection(0)) return false;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const TsBgSource behind = MakeBgSource(&cache, 0, 0);
  for (int button = 0; button < 2; ++button) {
    const RECT r = ButtonRect(button);
    const int state = ButtonState(button);
    ::PaintSection(&Skin(), SkinData->SectionIndex, SkinData->SkinSection, behind, -1, -1, cache,
                   {0, 0}, {r.left, r.top, r.right, r.bottom}, state);
    const int arrow = Horizontal() ? (button == 0 ? kArrowLeft : kArrowRight)
                                   : (button == 0 ? kArrowUp : kArrowDown);
    const int glyph = Skin().QuickIndexes.ScrollButtons[size_t(arrow)].GlyphIndex;
    if (!Skin().IsValidImageIndex(glyph)) continue;
    const TsMaskData& entry = Skin().ImageTable[size_t(glyph)];
    const int w = ::FrameWidth(entry), h = ::FrameHeight(entry);
    const int shift = state == 2 ? 1 : 0;
    const TPoint at{r.left + (r.right - r.left - w) / 2 + shift,
                    r.top + (r.bottom - r.top - h) / 2 + shift};
    PaintStateGlyph(cache, at, std::min(state, std::max(0, int(entry.StateCount) - 1)),
                    MakeBgSource(&cache, 0, 0), entry, IsWindowEnabled(Handle) ? 1 : 0);
  }
  FadeIfDisabled();
  return true;
}

void TveSpinWnd::HandleMessage(fw::TMessage& message) {
  if (!Painting()) {
    TvePressWnd::HandleMessage(message);
    return;
  }
  const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      if (const int button = ButtonAt(at); button != hot_) {
        hot_ = button;
        Redraw();
      }
      break;
    case WM_MOUSELEAVE:
      hot_ = -1;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      pressed_ = ButtonAt(at);
      TvePressWnd::HandleMessage(message);
      Redraw();
      return;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      pressed_ = -1;
      TvePressWnd::HandleMessage(message);
      Redraw();
      return;
    default:
      break;
  }
  TvePressWnd::HandleMessage(message);
}
