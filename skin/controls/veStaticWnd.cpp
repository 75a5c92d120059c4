#include "skin/controls/veStaticWnd.h"

#include "platform/GdiScopes.h"
#include "skin/controls/veBaseWnd.h"
#include "skin/render/sSkinText.h"

namespace {

// The static's alignment and access-key styles as DrawText's format. DT_TABSTOP is left out on
// purpose: with it DrawText reads bits 8-15 as the tab width, which would swallow DT_NOCLIP and
// DT_NOPREFIX.
UINT StaticTextFormat(LONG style) {
  UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOCLIP;
  switch (style & SS_TYPEMASK) {
    case SS_CENTER:
      format |= DT_CENTER;
      break;
    case SS_RIGHT:
      format |= DT_RIGHT;
      break;
    default:
      break;
  }
  if (style & SS_NOPREFIX) format |= DT_NOPREFIX;
  return format;
}

}  // namespace

bool TveStaticWnd::KeepsPlatformLook() const {
  return (GetWindowLongA(Handle, GWL_STYLE) & WS_TABSTOP) ||
         (GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_STATICEDGE);
}

void TveStaticWnd::Redraw() {
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool TveStaticWnd::DrawCaption() {
  if (Caption.empty()) return true;
  HDC dc = SkinData->CacheBitmap->DC();
  platform::Selection font(dc, ControlFont());
  SetBkMode(dc, TRANSPARENT);
  UINT flags = StaticTextFormat(GetWindowLongA(Handle, GWL_STYLE));
  if (GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_RIGHT) flags |= DT_RIGHT;
  if (GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
  PaintSkinText(dc, Caption, IsWindowEnabled(Handle), &Skin(), 0, SkinData->SectionIndex, flags,
                {0, 0, WindowSize.cx, WindowSize.cy});
  GdiFlush();
  return true;
}

void TveStaticWnd::PaintTo(fw::TMessage& message) {
  UpdateGeometry();
  SkinData->SetBgDirty(true);
  RenderFrameCache(*SkinData, Handle);
  if (SkinData->BgDirty || !SkinData->CacheBitmap) return;
  DrawCaption();
  platform::WindowDC dc(Handle, true, reinterpret_cast<HDC>(message.WParam));
  BitBlt(dc, 0, 0, WindowSize.cx, WindowSize.cy, SkinData->CacheBitmap->DC(), 0, 0, SRCCOPY);
}

void TveStaticWnd::HandleMessage(fw::TMessage& message) {
  bool skinned = !Destroyed && Skinned() && !KeepsPlatformLook();
  bool visible = IsWindowVisible(Handle);
  if (skinned && message.Msg == WM_PRINT) {
    PaintTo(message);
    return;
  }
  if (!skinned) {
    TveMainWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_MOVE:
    case WM_ENABLE:
      if (!visible) break;
      SkinData->SetBgDirty(true);
      PassOn(message);
      Redraw();
      return;
    case WM_SETTEXT:
      if (!visible) break;
      SendMessageA(Handle, WM_SETREDRAW, 0, 0);
      PassOn(message);
      ReadCaption();
      SkinData->SetBgDirty(true);
      SendMessageA(Handle, WM_SETREDRAW, 1, 0);
      Redraw();
      return;
    case WM_PAINT: {
      platform::PaintScope dc(Handle, message.WParam);
      if (visible) {
        fw::TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc.dc()), 0, 0};
        PaintTo(paint);
      }
      return;
    }
    case WM_ERASEBKGND:
      if (!visible) break;
      message.Result = 1;
      return;
    case WM_NCPAINT:
      return;
    default:
      break;
  }
  TveMainWnd::HandleMessage(message);
}
