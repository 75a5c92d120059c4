#include "skin/controls/veCheckBoxWnd.h"

#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/data/MaskGeometry.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sControlText.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sTextCompose.h"

namespace {

// Places of the glyphs among the skin's global images.
constexpr int kBoxChecked = 0, kBoxUnchecked = 1, kBoxGrayed = 2, kRadioChecked = 3,
              kRadioUnchecked = 4;

bool IsRadio(LONG style) {
  const LONG type = style & BS_TYPEMASK;
  return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

}  // namespace

TveCheckLayout CheckBoxLayout(SIZE window, SIZE glyph, SIZE text, LONG style, LONG exStyle) {
  TveCheckLayout layout{};
  const bool leftText = style & BS_LEFTTEXT, multiLine = style & BS_MULTILINE;
  const int x = leftText ? window.cx - glyph.cx : 0;
  const int y = (window.cy - glyph.cy) / 2;
  layout.Glyph = {x, y, x + glyph.cx, y + glyph.cy};
  layout.Format = multiLine ? DT_WORDBREAK : DT_SINGLELINE;
  const int e = std::max(int(window.cy - text.cy) / 2, 0);
  if (!leftText) {
    layout.Caption = {glyph.cx + 4, e, glyph.cx + 4 + text.cx, window.cy - e};
    OffsetRect(&layout.Caption, multiLine ? -1 : 0, -1);
  } else if (exStyle & WS_EX_RTLREADING) {
    const int right = window.cx - glyph.cx - 6;
    layout.Caption = {right - text.cx, e, right, window.cy - e};
    layout.Format |= multiLine ? DT_RTLREADING : DT_RIGHT | DT_RTLREADING;
  } else {
    layout.Caption = {2, e, text.cx + 2, window.cy - e};
  }
  return layout;
}

TveCheckBoxWnd::TveCheckBoxWnd(HWND handle, bool repaint, const std::string& skinSection,
                               TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, skinSection.empty() ? "CHECKBOX" : skinSection, manager,
                  skinData) {
  if (repaint && IsWindowVisible(handle) && !OwnerDrawn()) Redraw();
}

bool TveCheckBoxWnd::OwnerDrawn() const {
  return (GetWindowLongA(Handle, GWL_STYLE) & BS_TYPEMASK) == BS_OWNERDRAW;
}

int TveCheckBoxWnd::GlyphIndex() const {
  const LRESULT state = ButtonState();
  const bool radio = IsRadio(GetWindowLongA(Handle, GWL_STYLE));
  int slot = radio ? kRadioUnchecked : kBoxUnchecked;
  if (state & BST_INDETERMINATE)
    slot = kBoxGrayed;
  else if (state & BST_CHECKED)
    slot = radio ? kRadioChecked : kBoxChecked;
  const int index = Skin().QuickIndexes.GlobalImages[size_t(slot)];
  return Skin().IsValidImageIndex(index) ? index : -1;
}

bool TveCheckBoxWnd::RenderCache() {
  const bool hot = Hot();
  if (!PaintSection(hot ? 1 : 0)) return false;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const LRESULT state = ButtonState();
  const int index = GlyphIndex();
  const TsMaskData* entry = index >= 0 ? &Skin().ImageTable[size_t(index)] : nullptr;
  const int side = platform::ScaleToDpi(16, Dpi());
  const SIZE glyph = entry ? SIZE{FrameWidth(*entry), FrameHeight(*entry)} : SIZE{side, side};
  const LONG style = GetWindowLongA(Handle, GWL_STYLE);
  const LONG exStyle = GetWindowLongA(Handle, GWL_EXSTYLE);
  if (!Caption.empty()) {
    HDC dc = cache.DC();
    TveCheckLayout layout;
    {
      platform::Selection font(dc, ControlFont());
      SetBkMode(dc, TRANSPARENT);
      const UINT measure = (style & BS_MULTILINE) ? DT_WORDBREAK : DT_SINGLELINE;
      RECT measured{0, 0, TextWidthLimit(WindowSize, glyph), 0};
      DrawTextA(dc, Caption.c_str(), int(Caption.size()), &measured, DT_CALCRECT | measure);
      layout = CheckBoxLayout(WindowSize, glyph,
                              {measured.right - measured.left, measured.bottom - measured.top},
                              style, exStyle);
      PaintControlText(dc, Caption, true, hot, *SkinData, layout.Format, layout.Caption);
    }
    GdiFlush();
    if (state & BST_FOCUS) {
      const RECT& r = layout.Caption;
      PaintFocusFrame(cache, {r.left - 1, r.top - 1, r.right + 1, r.bottom + 1},
                      int32_t(GetSysColor(COLOR_BTNFACE)), 0);
    }
  }
  if (entry) {
    const TveCheckLayout layout = CheckBoxLayout(WindowSize, glyph, {0, 0}, style, exStyle);
    int glyphState = (state & BST_PUSHED) ? 2 : (state & BST_FOCUS) || hot ? 1 : 0;
    glyphState = std::min(glyphState, std::max(0, int(entry->StateCount) - 1));
    PaintStateGlyph(cache, {layout.Glyph.left, layout.Glyph.top}, glyphState,
                    MakeBgSource(&cache, 0, 0), *entry, 1);
  }
  FadeIfDisabled();
  return true;
}
