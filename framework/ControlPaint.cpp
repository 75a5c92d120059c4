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

// The window is printed into a picture of its own, whose device origin is the window's corner,
// and copied into place: platform classes may clip their painting to their client rectangle in
// device coordinates (the platform's buttons do under Wine), so into a context whose origin was
// moved they would print nothing. Each picture starts with what lies behind it, which shows where
// the window leaves pixels untouched.
void TWinControl::PaintTo(HDC dc, int x, int y) {
  HWND wnd = Handle();
  const int width = Width(), height = Height();
  if (width <= 0 || height <= 0) return;
  platform::MemoryDC whole(dc);
  platform::Owned<HBITMAP> wholeBits(CreateCompatibleBitmap(dc, width, height));
  platform::Selection wholeChosen(whole, wholeBits);
  BitBlt(whole, 0, 0, width, height, dc, x, y, SRCCOPY);
  ::SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(HDC(whole)), PRF_NONCLIENT);
  // The client area, where it lies inside the window, with the visible windowed children.
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  POINT corner{0, 0};
  ClientToScreen(wnd, &corner);
  const int cx = corner.x - window.left, cy = corner.y - window.top;
  if (client.right > 0 && client.bottom > 0) {
    platform::MemoryDC inside(dc);
    platform::Owned<HBITMAP> insideBits(CreateCompatibleBitmap(dc, client.right, client.bottom));
    platform::Selection insideChosen(inside, insideBits);
    BitBlt(inside, 0, 0, client.right, client.bottom, whole, cx, cy, SRCCOPY);
    ::SendMessageA(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(HDC(inside)), 0);
    ::SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(HDC(inside)), PRF_CLIENT);
    for (TControl* c : std::vector<TControl*>(controls_))
      if (c->IsWindowed() && c->Visible())
        static_cast<TWinControl*>(c)->PaintTo(inside, c->Left(), c->Top());
    BitBlt(whole, cx, cy, client.right, client.bottom, inside, 0, 0, SRCCOPY);
  }
  BitBlt(dc, x, y, width, height, whole, 0, 0, SRCCOPY);
}

}  // namespace fw
