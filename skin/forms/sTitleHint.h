// The hint of a user title button: a small topmost window in the info colours near the cursor,
// kept inside the monitor's work area, shown without taking the activation.
#pragma once

#include <windows.h>

#include <string>

class TsTitleHint {
 public:
  TsTitleHint() = default;
  TsTitleHint(const TsTitleHint&) = delete;
  TsTitleHint& operator=(const TsTitleHint&) = delete;
  ~TsTitleHint() { Hide(); }

  // Shows text at cursor + (8, 16); short texts fade in when the platform's tooltip animation
  // and fade settings are both on.
  void Show(const std::string& text, POINT cursor);
  void Hide();
  HWND Handle() const { return wnd_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND wnd_ = nullptr;
  HFONT font_ = nullptr;
  std::string text_;
  int fadeStep_ = 0;
};
