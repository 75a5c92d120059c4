// The states of a skinned title's buttons: which one the mouse is over (hot), which one is held
// down (pressed), and what a release does. The provider repaints the elements this reports as
// changed and carries out the command a release answers.
#pragma once

#include <vector>

#include "skin/forms/sTitleLayout.h"

enum class TsTitleCommand {
  None,
  Minimize,
  Maximize,
  Restore,
  Close,
  ContextHelp,
  UserButton,
  TitleItem
};

class TsTitleButtonStates {
 public:
  int Hot() const { return hot_; }
  int Pressed() const { return pressed_; }
  bool ButtonPressed() const { return pressed_ > 0; }
  // The look of an element: 0 normal, 1 hot, 2 pressed.
  int StateOf(int code) const;

  // The mouse is over code (below 1: over no element). While an element is held down no other
  // one lights up. Answers the elements whose look changed.
  std::vector<int> SetHot(int code);
  // A press on code; a disabled element is not pressed and nothing stays hot.
  std::vector<int> Press(int code, bool enabled);
  // The mouse moved while an element is held: it looks pressed only while the mouse is on it.
  std::vector<int> Drag(int code);
  // The button came up over code; only a release over the pressed element does something.
  TsTitleCommand Release(int code, bool minimized, bool maximized, std::vector<int>& changed);
  // Capture lost or the form deactivated: nothing is pressed or hot any more.
  std::vector<int> Reset();

 private:
  int hot_ = 0;
  int pressed_ = 0;
  bool pressedLook_ = false;  // the held element shows pressed (the mouse is on it)
};
