#include "skin/forms/sTitleButtons.h"

namespace {

void Add(std::vector<int>& list, int code) {
  if (code > 0) list.push_back(code);
}

}  // namespace

int TsTitleButtonStates::StateOf(int code) const {
  if (code <= 0) return 0;
  if (code == pressed_) return pressedLook_ ? 2 : 0;
  return code == hot_ ? 1 : 0;
}

std::vector<int> TsTitleButtonStates::SetHot(int code) {
  std::vector<int> changed;
  if (code < 1) code = 0;
  if (code == hot_ || ButtonPressed()) return changed;
  Add(changed, hot_);
  hot_ = code;
  Add(changed, hot_);
  return changed;
}

std::vector<int> TsTitleButtonStates::Press(int code, bool enabled) {
  std::vector<int> changed;
  Add(changed, hot_);
  hot_ = 0;
  if (!enabled || code < 1) return changed;
  pressed_ = code;
  pressedLook_ = true;
  if (changed.empty() || changed.back() != code) Add(changed, code);
  return changed;
}

std::vector<int> TsTitleButtonStates::Drag(int code) {
  std::vector<int> changed;
  if (!ButtonPressed()) return changed;
  bool on = code == pressed_;
  if (on != pressedLook_) {
    pressedLook_ = on;
    Add(changed, pressed_);
  }
  return changed;
}

TsTitleCommand TsTitleButtonStates::Release(int code, bool minimized, bool maximized,
                                            std::vector<int>& changed) {
  if (!ButtonPressed()) return TsTitleCommand::None;
  int pressed = pressed_;
  pressed_ = 0;
  pressedLook_ = false;
  Add(changed, pressed);
  if (code != pressed) return TsTitleCommand::None;
  hot_ = code;  // the mouse is still over it
  switch (code) {
    case kHitMinButton:
      return minimized ? TsTitleCommand::Restore : TsTitleCommand::Minimize;
    case kHitMaxButton:
      return maximized ? TsTitleCommand::Restore : TsTitleCommand::Maximize;
    case kHitClose:
      return TsTitleCommand::Close;
    case kHitHelp:
      return TsTitleCommand::ContextHelp;
    default:
      if (code >= kHitTitleItem) return TsTitleCommand::TitleItem;
      return code >= kHitUserButton ? TsTitleCommand::UserButton : TsTitleCommand::None;
  }
}

std::vector<int> TsTitleButtonStates::Reset() {
  std::vector<int> changed;
  Add(changed, hot_);
  if (pressed_ != hot_) Add(changed, pressed_);
  hot_ = pressed_ = 0;
  pressedLook_ = false;
  return changed;
}
