#include "skin/controls/sScrollPress.h"

int TsScrollPress::Press(int element) {
  held_ = element;
  over_ = true;
  elapsed_ = fired_ = 0;
  return element;
}

void TsScrollPress::Track(int hit) {
  over_ = Held() && hit == held_;
}

int TsScrollPress::Advance(int ms) {
  if (!Held()) return 0;
  elapsed_ += ms;
  int due = elapsed_ < kFirstDelay ? 0 : (elapsed_ - kFirstDelay) / kRepeatInterval;
  int now = due - fired_;
  fired_ = due;
  // Time passes while the mouse is off the element, but nothing scrolls then.
  return over_ ? now : 0;
}

void TsScrollPress::End() {
  held_ = -1;
  over_ = false;
}
