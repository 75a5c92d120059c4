// The main window.
#pragma once

#include <windows.h>

class TfrmMain {
 public:
  // Creates and shows the window, then runs its creation handler.
  void Create();
  HWND Handle() const { return handle_; }

  // Sets the caption to the application title and fills GlobalVars from the configuration.
  void LoadConfiguration();

 private:
  static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void FormCreate();

  HWND handle_ = nullptr;
};
