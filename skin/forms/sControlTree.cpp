#include "skin/forms/sControlTree.h"

#include <windows.h>

#include "skin/data/sSkinCommands.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sCtrlUtils.h"
#include "framework/Graphics.h"

namespace {

constexpr LPARAM kPrintAll = PRF_NONCLIENT | PRF_ERASEBKGND | PRF_CLIENT;

// The control's painting goes to dc while it is printed (null: back to the screen).
void SetPrintTarget(fw::TControl* control, HDC dc) {
  control->Perform(SkinCommandMsg, SkinCommandParam(CmdSetPrintDC), reinterpret_cast<LPARAM>(dc));
}

void SetPrintTarget(HWND wnd, HDC dc) {
  SendSkinCommand(wnd, CmdSetPrintDC, reinterpret_cast<LPARAM>(dc));
}

// The parent's background in the rectangle of a control that does not show.
void PaintParentBg(HDC dc, fw::TControl* control) {
  TsBgQuery query;
  if (!QueryParentBg(query, control->Parent(), false)) return;
  const int w = control->Width(), h = control->Height();
  if (query.Kind == bgkBitmap && query.Bitmap && query.Bitmap->DC()) {
    BitBlt(dc, 0, 0, w, h, query.Bitmap->DC(), control->Left() + query.OffsetX,
           control->Top() + query.OffsetY, SRCCOPY);
    return;
  }
  HBRUSH brush = CreateSolidBrush(fw::ColorToRGB(query.Color));
  RECT r{0, 0, w, h};
  FillRect(dc, &r, brush);
  DeleteObject(brush);
}

// Where a window's client area starts inside the window.
POINT ClientOrigin(HWND wnd) {
  RECT window;
  GetWindowRect(wnd, &window);
  POINT corner{0, 0};
  ClientToScreen(wnd, &corner);
  return {corner.x - window.left, corner.y - window.top};
}

void PaintTree(HDC dc, fw::TControl* control, TsSkinProvider* provider) {
  if (!control->Visible() && control->Parent() && !provider) {
    PaintParentBg(dc, control);
    return;
  }
  IntersectClipRect(dc, 0, 0, control->Width(), control->Height());
  if (!control->IsWindowed()) {
    SetPrintTarget(control, dc);
    control->Perform(WM_PRINT, reinterpret_cast<WPARAM>(dc), 0);
    SetPrintTarget(control, nullptr);
    return;
  }
  auto* windowed = static_cast<fw::TWinControl*>(control);
  if (!windowed->HandleAllocated()) return;
  HWND wnd = windowed->Handle();
  if (SendMessageA(wnd, SkinCommandMsg, SkinCommandParam(CmdIsSkinned), 0) == 1) {
    SetPrintTarget(wnd, dc);
    SendMessageA(wnd, WM_PRINT, reinterpret_cast<WPARAM>(dc), kPrintAll);
    SetPrintTarget(wnd, nullptr);
  } else {
    windowed->PaintTo(dc, 0, 0);
  }
  // Children sit in the client area; a skinned child of a control the platform paints is only
  // right once it is printed as a skinned control itself.
  POINT client = ClientOrigin(wnd);
  for (int i = 0; i < windowed->ControlCount(); ++i) {
    fw::TControl* child = windowed->Controls(i);
    if (!child->IsWindowed() || !child->Visible()) continue;
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, client.x + child->Left(), client.y + child->Top(), nullptr);
    PaintTree(dc, child, nullptr);
    RestoreDC(dc, saved);
  }
}

}  // namespace

void PaintControlTree(img::Bitmap32& bitmap, fw::TControl* control, int x, int y,
                      TsSkinProvider* provider) {
  HDC dc = bitmap.DC();
  if (!dc || !control) return;
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  PaintTree(dc, control, provider);
  RestoreDC(dc, saved);
  GdiFlush();
}
