// Painting of windowed controls: the paint message, windowless children drawn over their
// parent, printing into a device context, and painting a whole tree elsewhere.
#include <algorithm>

#include "framework/Controls.h"
#include "platform/GdiScopes.h"

namespace fw {

bool TWinControl::OwnPaint() const {
  return std::any_of(controls_.begin(), controls_.end(),
                     [](TControl* c) { return !c->IsWindowed() && c->Visible(); });
}

void TWinControl::PaintHandler(TMessage& message) {
  if (!OwnPaint()) {
    DefaultHandler(message);
    return;
  }
  platform::PaintScope paint(handle_, message.WParam);
  PaintWindow(paint.dc(), WM_PAINT);
  PaintControls(paint.dc());
  message.Result = 0;
}

void TWinControl::PaintWindow(HDC dc, UINT msg) {
  // The platform class paints itself into the given context.
  TMessage own{msg, reinterpret_cast<WPARAM>(dc), msg == WM_PRINTCLIENT ? PRF_CLIENT : 0, 0};
  DefaultHandler(own);
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : std::vector<TControl*>(controls_)) {
    if (c->IsWindowed() || !c->Visible() || c->Width() <= 0 || c->Height() <= 0) continue;
    int saved = SaveDC(dc);
    POINT origin;
    GetViewportOrgEx(dc, &origin);
    SetViewportOrgEx(dc, origin.x + c->Left(), origin.y + c->Top(), nullptr);
    IntersectClipRect(dc, 0, 0, c->Width(), c->Height());
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  HWND wnd = Handle();
  int saved = SaveDC(dc);
  POINT origin;
  GetViewportOrgEx(dc, &origin);
  SetViewportOrgEx(dc, origin.x + x, origin.y + y, nullptr);
  IntersectClipRect(dc, 0, 0, Width(), Height());
  ::SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), PRF_NONCLIENT);
  // The client area, where it lies inside the window.
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT corner{0, 0};
  ClientToScreen(wnd, &corner);
  SetViewportOrgEx(dc, origin.x + x + corner.x - window.left, origin.y + y + corner.y - window.top,
                   nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  ::SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  ::SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  for (TControl* c : std::vector<TControl*>(controls_))
    if (c->IsWindowed() && c->Visible())
      static_cast<TWinControl*>(c)->PaintTo(dc, c->Left(), c->Top());
  RestoreDC(dc, saved);
}

}  // namespace fw
