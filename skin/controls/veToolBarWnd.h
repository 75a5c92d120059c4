// The adapter of a platform tool bar that the framework did not make: the bar's background from
// its section ("BAR", or "CHECKBOX" when the skin lacks it), each button from "TOOLBUTTON" when
// hot, pressed or checked, separators from "DIVIDER", drop-down arrows from the bottom scroll
// button's arrow, the buttons' pictures from the bar's image lists (hot and disabled ones when it
// has them) and their captions in the section's colours.
#pragma once

#include "skin/controls/vePressWnd.h"

class TveToolBarWnd : public TvePressWnd {
 public:
  TveToolBarWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                TsCommonData* skinData);

  bool RenderCache() override;
  void HandleMessage(fw::TMessage& message) override;

  // 2 pressed or checked, 1 hot, else 0.
  int ButtonState(int index) const;

 private:
  void PaintButton(int index, const TBBUTTON& button, RECT rect);
  void PaintSeparator(RECT rect);
  void PaintPicture(const TBBUTTON& button, RECT area, int state, bool captioned);
};
