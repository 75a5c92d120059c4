// A held press on a scroll bar's arrow or track: one scroll at the press, then, after a pause of
// 300 ms, one every 55 ms while the mouse stays on the pressed element. Moving off the element
// pauses it, moving back resumes it; releasing the button or losing the mouse capture ends it,
// so a press never keeps scrolling on its own.
#pragma once

class TsScrollPress {
 public:
  static constexpr int kFirstDelay = 300;
  static constexpr int kRepeatInterval = 55;

  // Starts a press on an arrow or track element; answers the scroll code to send now.
  int Press(int element);
  // The mouse is over hit now (an element of the held bar, or -1).
  void Track(int hit);
  // ms milliseconds went by; answers how many scrolls of Pressed() are due.
  int Advance(int ms);
  // The button went up, or the capture went elsewhere.
  void End();

  bool Held() const { return held_ != -1; }
  // The element shown pressed: the held one while the mouse is over it, else -1.
  int Pressed() const { return over_ ? held_ : -1; }

 private:
  int held_ = -1;
  bool over_ = false;
  int elapsed_ = 0;  // since the press
  int fired_ = 0;    // repeats sent so far
};
