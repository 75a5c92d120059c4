// The up-down control's adapter: its two arrow buttons painted from the skin, each hot under the
// mouse and pressed while held, with the scroll buttons' arrows.
#pragma once

#include "skin/controls/vePressWnd.h"

class TveSpinWnd : public TvePressWnd {
 public:
  // Without a section the buttons are "SPEEDBUTTON_SMALL" in a dialog, else "BUTTON".
  TveSpinWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
             TsCommonData* skinData);

  bool RenderCache() override;
  void HandleMessage(fw::TMessage& message) override;

  // The button at a client point: 0 up (or left), 1 down (or right).
  int ButtonAt(POINT client) const;
  // A button's rectangle in the window.
  RECT ButtonRect(int button) const;
  // 2 while held, 1 under the mouse, else 0.
  int ButtonState(int button) const;

 private:
  bool Horizontal() const;

  int hot_ = -1;
  int pressed_ = -1;
};
