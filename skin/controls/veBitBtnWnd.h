// The adapter of push buttons that show a picture of their own (an icon or a bitmap set with
// BM_SETIMAGE): the push button's look with the picture beside the caption, or centred without
// one.
#pragma once

#include "skin/controls/veBtnWnd.h"

class TveBitBtnWnd : public TveBtnWnd {
 public:
  TveBitBtnWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
               TsCommonData* skinData)
      : TveBtnWnd(handle, false, skinSection, manager, skinData) {
    if (repaint && IsWindowVisible(handle)) Redraw();
  }

  bool Painting() const override { return TvePressWnd::Painting(); }

 protected:
  SIZE GlyphSize() const override;
  void PaintGlyph() override;
};
