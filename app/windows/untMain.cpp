#include "app/windows/untMain.h"

#include "app/core/Configuration.h"
#include "app/core/globals.h"
#include "framework/Application.h"

namespace {
const char kClassName[] = "TfrmMain";
}

void TfrmMain::Create() {
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = &TfrmMain::WndProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = fw::Application.Icon();
  wc.hIconSm = fw::Application.SmallIcon();
  wc.lpszClassName = kClassName;
  RegisterClassExA(&wc);
  handle_ = CreateWindowExA(0, kClassName, "", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                            738, 492, nullptr, nullptr, wc.hInstance, this);
  try {
    FormCreate();
  } catch (const std::exception& error) {
    fw::Application.ShowException(error);
  }
  ShowWindow(handle_, SW_SHOWNORMAL);
  UpdateWindow(handle_);
}

void TfrmMain::FormCreate() {
  LoadConfiguration();
}

void TfrmMain::LoadConfiguration() {
  SetWindowTextA(handle_, fw::Application.Title().c_str());
  GlobalVars = ReadGlobalVars(ReadConfiguration());
}

LRESULT CALLBACK TfrmMain::WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}
