#include "skin/controls/veToolBarWnd.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "platform/GdiScopes.h"
#include "skin/data/MaskGeometry.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"

namespace {

// The arrow of the bottom scroll button among the quick indexes.
constexpr size_t kArrowDown = 1;

bool IsSeparator(const TBBUTTON& button) {
  return button.fsStyle & BTNS_SEP;
}

bool HasDropDown(const TBBUTTON& button) {
  return button.fsStyle & (BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN);
}

}  // namespace

TveToolBarWnd::TveToolBarWnd(HWND handle, bool repaint, const std::string& skinSection,
                             TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, skinSection.empty() ? "BAR" : skinSection, manager, skinData) {
  if (SkinManager && SkinManager->FindSection(SkinData->SkinSection) < 0)
    SkinData->SetSkinSection("CHECKBOX");
  SkinData->UpdateIndexes();
  if (repaint && IsWindowVisible(handle)) Redraw();
}

int TveToolBarWnd::ButtonState(int index) const {
  TBBUTTON button{};
  if (!SendMessageA(Handle, TB_GETBUTTON, WPARAM(index), reinterpret_cast<LPARAM>(&button)))
    return 0;
  if (!(button.fsState & TBSTATE_ENABLED)) return 0;
  if (button.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) return 2;
  return int(SendMessageA(Handle, TB_GETHOTITEM, 0, 0)) == index ? 1 : 0;
}

void TveToolBarWnd::PaintSeparator(RECT rect) {
  const int section = SkinManager->FindSection("DIVIDER");
  if (section < 0) return;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const int x = (rect.left + rect.right) / 2 - 1;
  ::PaintSection(&Skin(), section, "DIVIDER", MakeBgSource(&cache, 0, 0), -1, -1, cache, {0, 0},
                 {x, rect.top + 2, x + 2, rect.bottom - 2}, 0);
}

void TveToolBarWnd::PaintPicture(const TBBUTTON& button, RECT area, int state, bool captioned) {
  const bool enabled = button.fsState & TBSTATE_ENABLED;
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(Handle, TB_GETIMAGELIST, 0, 0));
  if (!enabled) {
    if (auto disabled =
            reinterpret_cast<HIMAGELIST>(SendMessageA(Handle, TB_GETDISABLEDIMAGELIST, 0, 0)))
      images = disabled;
  } else if (state == 1) {
    if (auto hot = reinterpret_cast<HIMAGELIST>(SendMessageA(Handle, TB_GETHOTIMAGELIST, 0, 0)))
      images = hot;
  }
  int w = 0, h = 0;
  if (!images || button.iBitmap < 0 || !ImageList_GetIconSize(images, &w, &h)) return;
  const int shift = state == 2 ? 1 : 0;
  const int x = area.left + (area.right - area.left - w) / 2 + shift;
  const LONG style = GetWindowLongA(Handle, GWL_STYLE);
  // A caption under the picture pushes it to the top; otherwise it is centred.
  const bool above = captioned && !(style & TBSTYLE_LIST);
  const int y = above ? area.top + 3 + shift : area.top + (area.bottom - area.top - h) / 2 + shift;
  ImageList_Draw(images, button.iBitmap, SkinData->CacheBitmap->DC(),
                 (style & TBSTYLE_LIST) ? area.left + 3 + shift : x, y,
                 ILD_TRANSPARENT | (enabled ? 0 : ILD_BLEND50));
}

void TveToolBarWnd::PaintButton(int index, const TBBUTTON& button, RECT rect) {
  if (IsSeparator(button)) {
    PaintSeparator(rect);
    return;
  }
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const int state = ButtonState(index);
  const int section = SkinManager->FindSection("TOOLBUTTON");
  // A flat tool button shows its plate only while hot, pressed or checked.
  if (state > 0 && section >= 0)
    ::PaintSection(&Skin(), section, "TOOLBUTTON", MakeBgSource(&cache, 0, 0), -1, -1, cache,
                   {0, 0}, {rect.left, rect.top, rect.right, rect.bottom}, state);
  GdiFlush();
  RECT area = rect;
  if (HasDropDown(button)) {
    const int glyph = Skin().QuickIndexes.ScrollButtons[kArrowDown].GlyphIndex;
    if (Skin().IsValidImageIndex(glyph)) {
      const TsMaskData& arrow = Skin().ImageTable[size_t(glyph)];
      const int w = ::FrameWidth(arrow), h = ::FrameHeight(arrow);
      area.right -= w + 2;
      PaintStateGlyph(cache, {area.right, rect.top + (rect.bottom - rect.top - h) / 2}, 0,
                      MakeBgSource(&cache, 0, 0), arrow,
                      (button.fsState & TBSTATE_ENABLED) ? 1 : 0);
    }
  }
  // The bar writes the whole caption without a limit: it is asked how long it is first.
  std::string text(size_t(std::max<LRESULT>(
                       0, SendMessageA(Handle, TB_GETBUTTONTEXTA, WPARAM(button.idCommand), 0))) +
                       1,
                   '\0');
  if (text.size() > 1)
    SendMessageA(Handle, TB_GETBUTTONTEXTA, WPARAM(button.idCommand),
                 reinterpret_cast<LPARAM>(text.data()));
  text.resize(size_t(lstrlenA(text.c_str())));
  const bool captioned = !text.empty();
  PaintPicture(button, area, state, captioned);
  if (captioned) {
    HDC dc = cache.DC();
    platform::Selection font(dc, ControlFont());
    SetBkMode(dc, TRANSPARENT);
    const bool list = GetWindowLongA(Handle, GWL_STYLE) & TBSTYLE_LIST;
    RECT place = area;
    if (list) {
      int w = 0, h = 0;
      auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(Handle, TB_GETIMAGELIST, 0, 0));
      if (images && ImageList_GetIconSize(images, &w, &h)) place.left += w + 6;
    } else {
      place.top = place.bottom - 18;
    }
    const int textSection = section >= 0 && state > 0 ? section : SkinData->SectionIndex;
    PaintSkinText(dc, text, button.fsState & TBSTATE_ENABLED, &Skin(), state > 0 ? 1 : 0,
                  textSection,
                  (list ? DT_LEFT : DT_CENTER) | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX, place);
  }
  GdiFlush();
}

bool TveToolBarWnd::RenderCache() {
  if (!PaintSection(0)) return false;
  const int count = int(SendMessageA(Handle, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    RECT rect{};
    if (!SendMessageA(Handle, TB_GETBUTTON, WPARAM(index), reinterpret_cast<LPARAM>(&button)) ||
        (button.fsState & TBSTATE_HIDDEN) ||
        !SendMessageA(Handle, TB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&rect)))
      continue;
    PaintButton(index, button, rect);
  }
  FadeIfDisabled();
  return true;
}

void TveToolBarWnd::HandleMessage(fw::TMessage& message) {
  if (!Painting()) {
    TvePressWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
    case TB_SETSTATE:
    case TB_CHECKBUTTON:
    case TB_PRESSBUTTON:
    case TB_ENABLEBUTTON:
    case TB_SETHOTITEM:
    case TB_ADDBUTTONSA:
    case TB_ADDBUTTONSW:
    case TB_INSERTBUTTONA:
    case TB_INSERTBUTTONW:
    case TB_DELETEBUTTON: {
      // The bar changed a button's look and may have drawn it itself: the skin's picture again,
      // only when something changed for mouse moves.
      const int hot = int(SendMessageA(Handle, TB_GETHOTITEM, 0, 0));
      TvePressWnd::HandleMessage(message);
      if (!IsWindow(Handle)) return;
      if (message.Msg != WM_MOUSEMOVE || hot != int(SendMessageA(Handle, TB_GETHOTITEM, 0, 0)))
        Redraw();
      return;
    }
    default:
      break;
  }
  TvePressWnd::HandleMessage(message);
}
