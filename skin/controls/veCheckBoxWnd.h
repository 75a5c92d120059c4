// The adapter of platform check boxes and radio buttons: the skin's box or radio glyph for the
// check state (pressed and hot glyph states too) over the "CHECKBOX" section, the caption beside
// it in the section's colours with its focus frame, and the disabled control faded into its
// parent. Owner-drawn buttons keep their owner's drawing.
#pragma once

#include "skin/controls/vePressWnd.h"

// Where the glyph and the caption go.
struct TveCheckLayout {
  RECT Glyph;
  RECT Caption;
  UINT Format;  // the DrawText flags the caption is measured and drawn with
};

// The layout in a window of size window for a glyph of size glyph, a caption of size text
// (measured with the layout's format in the width TextWidthLimit leaves), and the button's style
// and extended style.
TveCheckLayout CheckBoxLayout(SIZE window, SIZE glyph, SIZE text, LONG style, LONG exStyle);
// The width a caption is measured in.
inline int TextWidthLimit(SIZE window, SIZE glyph) {
  return window.cx - glyph.cx - 2;
}

class TveCheckBoxWnd : public TvePressWnd {
 public:
  TveCheckBoxWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                 TsCommonData* skinData);

  bool RenderCache() override;
  bool Painting() const override { return !OwnerDrawn() && TvePressWnd::Painting(); }
  // The skin's glyph entry for the button's kind and check state; -1 when the skin has none.
  int GlyphIndex() const;

 private:
  bool OwnerDrawn() const;
};
