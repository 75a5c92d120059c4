#include "skin/forms/sOutputWindow.h"

#include "platform/GdiScopes.h"
#include "skin/forms/sAnimWindow.h"

namespace {

constexpr char kOutputClass[] = "TOutputWindow";

LRESULT CALLBACK OutputProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_ERASEBKGND:
      return 1;
    case WM_NCPAINT:
      return 0;
    case WM_PAINT:
      // Whatever the screen showed stays: the window only takes the paint as done.
      ValidateRect(wnd, nullptr);
      return 0;
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    default:
      return DefWindowProcA(wnd, msg, wParam, lParam);
  }
}

}  // namespace

TOutputWindow::TOutputWindow(HWND owner, HWND parent) {
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = OutputProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    cls.lpszClassName = kOutputClass;
    return RegisterClassA(&cls);
  }();
  if (!registered) return;
  DWORD style = parent ? WS_CHILD | WS_CLIPSIBLINGS : WS_POPUP;
  DWORD exStyle = !parent && owner && IsTopmost(owner) ? WS_EX_TOPMOST : 0;
  wnd_ = CreateWindowExA(exStyle, kOutputClass, "veOutputWindow", style, 0, 0, 0, 0,
                         parent ? parent : owner, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TOutputWindow::~TOutputWindow() {
  if (wnd_) DestroyWindow(wnd_);
}

TsChangeCover& ChangeCover() {
  static TsChangeCover cover;
  return cover;
}

void FreeChangeCover() {
  TsChangeCover& cover = ChangeCover();
  delete cover.Window;
  delete cover.Snapshot;
  cover = {};
}

void SnapshotToOutputWindow(fw::TForm& form) {
  if (!form.HandleAllocated()) return;
  HWND wnd = form.Handle();
  RECT r;
  GetWindowRect(wnd, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  TsChangeCover& cover = ChangeCover();
  if (!cover.Snapshot) cover.Snapshot = new img::Bitmap32(w, h);
  if (cover.Snapshot->Width() != w || cover.Snapshot->Height() != h) cover.Snapshot->Resize(w, h);
  BitBlt(cover.Snapshot->DC(), 0, 0, w, h, platform::WindowDC(nullptr), r.left, r.top, SRCCOPY);
  GdiFlush();
  HWND parent = (GetWindowLongA(wnd, GWL_STYLE) & WS_CHILD) ? GetParent(wnd) : nullptr;
  if (!cover.Window) cover.Window = new TOutputWindow(wnd, parent);
  HWND out = cover.Window->Handle();
  if (!out) return;
  if (parent) {
    // In front of the form among its siblings, at the form's place in the parent.
    POINT corner{r.left, r.top};
    ScreenToClient(parent, &corner);
    HWND before = GetWindow(wnd, GW_HWNDPREV);
    SetWindowPos(out, before ? before : HWND_TOP, corner.x, corner.y, w, h, SWP_NOACTIVATE);
    ShowWindow(out, SW_SHOWNA);
    return;
  }
  SetWindowPos(out, nullptr, r.left, r.top, w, h, SWP_NOACTIVATE | SWP_NOZORDER);
  SetWindowPos(out, nullptr, 0, 0, 0, 0,
               SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE);
}
