#include "skin/controls/veBtnWnd.h"

#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/render/sControlText.h"
#include "skin/render/sTextCompose.h"

RECT ButtonCaptionRect(SIZE window, SIZE text, bool pressed) {
  const int x = (window.cx - text.cx) / 2, y = (window.cy - text.cy) / 2;
  RECT rect{x - 1, y, window.cx - x + 2, window.cy - y};
  if (pressed) OffsetRect(&rect, 1, 1);
  return rect;
}

TveBtnWnd::TveBtnWnd(HWND handle, bool repaint, const std::string& skinSection,
                     TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, skinSection.empty() ? "BUTTON" : skinSection, manager, skinData) {
  picture_ = ShowsPicture();
  if (repaint && IsWindowVisible(handle) && !picture_) Redraw();
}

bool TveBtnWnd::ShowsPicture() const {
  return SendMessageA(Handle, BM_GETIMAGE, IMAGE_ICON, 0) ||
         SendMessageA(Handle, BM_GETIMAGE, IMAGE_BITMAP, 0);
}

void TveBtnWnd::HandleMessage(fw::TMessage& message) {
  if (message.Msg != BM_SETIMAGE || Destroyed) {
    TvePressWnd::HandleMessage(message);
    return;
  }
  PassOn(message);
  const bool had = picture_;
  picture_ = ShowsPicture();
  if (had != picture_) {
    SkinData->SetBgDirty(true);
    RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
}

int TveBtnWnd::State() const {
  if (ButtonState() & BST_PUSHED) return 2;
  if (!IsWindowEnabled(Handle)) return 0;
  if (GetFocus() == Handle || Hot()) return 1;
  return (GetWindowLongA(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON ? 1 : 0;
}

bool TveBtnWnd::RenderCache() {
  const int state = State();
  if (!PaintSection(state)) return false;
  PaintCaption(state);
  PaintGlyph();
  FadeIfDisabled();
  return true;
}

void TveBtnWnd::PaintCaption(int state) {
  if (Caption.empty()) return;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  HDC dc = cache.DC();
  RECT rect;
  {
    platform::Selection font(dc, ControlFont());
    SetBkMode(dc, TRANSPARENT);
    const LONG style = GetWindowLongA(Handle, GWL_STYLE);
    const UINT wrap = (style & BS_MULTILINE) ? DT_WORDBREAK : 0;
    // The caption is measured as wide as the button leaves beside its picture.
    const SIZE glyph = GlyphSize();
    const int limit =
        glyph.cx == 0 ? WindowSize.cx + 1 : std::max(0, int(WindowSize.cx - glyph.cx));
    RECT measured{0, 0, limit + 2, 0};
    DrawTextA(dc, Caption.c_str(), int(Caption.size()), &measured,
              DT_CALCRECT | DT_NOPREFIX | DT_EXPANDTABS | DT_CENTER | wrap);
    rect = ButtonCaptionRect(
        WindowSize, {measured.right - measured.left, measured.bottom - measured.top}, state == 2);
    UINT format = DT_CENTER | DT_EXPANDTABS | wrap;
    if (GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) format |= DT_RTLREADING;
    PaintControlText(dc, Caption, true, state != 0, *SkinData, format, rect);
  }
  GdiFlush();
  if (IsWindowEnabled(Handle) && (ButtonState() & BST_FOCUS) && Section().ShowFocus)
    PaintFocusFrame(cache, {rect.left - 1, rect.top - 1, rect.right + 1, rect.bottom + 1},
                    int32_t(GetSysColor(COLOR_BTNFACE)), 0);
}
