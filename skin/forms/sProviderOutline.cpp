// Outline moving and sizing: while the mouse is captured an inverted frame on the screen shows
// where the form will go, and the form takes that place when the button is released. Losing
// the capture cancels.
#include <windowsx.h>

#include "platform/GdiScopes.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sSkinProvider.h"

using namespace fw;

namespace {

constexpr int kOutlineWidth = 3;

void InvertFrame(const RECT& r) {
  platform::WindowDC dc(nullptr, DWORD(DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE));
  int w = r.right - r.left, h = r.bottom - r.top;
  PatBlt(dc, r.left, r.top, w, kOutlineWidth, DSTINVERT);
  PatBlt(dc, r.left, r.bottom - kOutlineWidth, w, kOutlineWidth, DSTINVERT);
  PatBlt(dc, r.left, r.top + kOutlineWidth, kOutlineWidth, h - 2 * kOutlineWidth, DSTINVERT);
  PatBlt(dc, r.right - kOutlineWidth, r.top + kOutlineWidth, kOutlineWidth, h - 2 * kOutlineWidth,
         DSTINVERT);
}

}  // namespace

bool TsSkinProvider::OutlineDragging() const {
  return ResizeMode == TsResizeMode::rmBorder && !CompositionEnabled();
}

void TsSkinProvider::StartOutlineDrag(int code, LPARAM where) {
  HWND wnd = form_->Handle();
  RECT window;
  GetWindowRect(wnd, &window);
  // A command from a mouse press carries the press's screen point; one from the menu does not.
  if (where)
    outline_.Start = {GET_X_LPARAM(where), GET_Y_LPARAM(where)};
  else
    GetCursorPos(&outline_.Start);
  outline_.StartRect = {window.left, window.top, window.right, window.bottom};
  outline_.Shown = window;
  // The smallest size the form accepts: the platform's, raised by the form's own answer.
  MINMAXINFO limits{};
  limits.ptMinTrackSize = {GetSystemMetrics(SM_CXMINTRACK), GetSystemMetrics(SM_CYMINTRACK)};
  SendMessageA(wnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  outline_.MinSize = {limits.ptMinTrackSize.x, limits.ptMinTrackSize.y};
  outline_.Code = code;
  SetCapture(wnd);
  InvertFrame(outline_.Shown);
}

void TsSkinProvider::TrackOutline(POINT screen) {
  TRect r =
      DraggedRect(outline_.StartRect, outline_.Code,
                  {screen.x - outline_.Start.x, screen.y - outline_.Start.y}, outline_.MinSize);
  RECT next{r.Left, r.Top, r.Right, r.Bottom};
  if (EqualRect(&next, &outline_.Shown)) return;
  InvertFrame(outline_.Shown);
  outline_.Shown = next;
  InvertFrame(outline_.Shown);
}

void TsSkinProvider::EndOutlineDrag(bool apply) {
  if (!outline_.Code) return;
  outline_.Code = 0;  // before the capture goes: its loss comes back here
  InvertFrame(outline_.Shown);
  if (GetCapture() == form_->Handle()) ReleaseCapture();
  if (!apply) return;
  const RECT& r = outline_.Shown;
  SetWindowPos(form_->Handle(), nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TsSkinProvider::HandleOutline(TMessage& message) {
  if (!outline_.Code) return false;
  switch (message.Msg) {
    case WM_MOUSEMOVE: {
      POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      ClientToScreen(form_->Handle(), &p);
      TrackOutline(p);
      return true;
    }
    case WM_LBUTTONUP:
      EndOutlineDrag(true);
      return true;
    case WM_CAPTURECHANGED:
      EndOutlineDrag(false);
      return true;
    default:
      return false;
  }
}
