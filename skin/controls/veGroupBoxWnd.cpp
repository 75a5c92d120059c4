#include "skin/controls/veGroupBoxWnd.h"

#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sCachePaint.h"
#include "skin/render/sControlSection.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sGraphicControls.h"
#include "skin/render/sSkinText.h"

namespace {

// What lies behind the box, from its parent.
TsBgSource ParentBg(TsCommonData& skinData, HWND handle) {
  TsBgSource bg;
  if (skinData.HostControl)
    skinData.GetBgSource(bg);
  else
    GetWindowBgSource(handle, bg);
  return bg;
}

// A group box is a sibling of the controls it frames and lies over them; they are left out of
// its painting on the screen. A sibling that covers the whole box lies behind it (a page, a
// box around this one) and stays under it.
void ExcludeSiblingsInside(HDC dc, HWND box) {
  RECT own;
  GetWindowRect(box, &own);
  for (HWND w = GetWindow(box, GW_HWNDFIRST); w; w = GetWindow(w, GW_HWNDNEXT)) {
    RECT r, common;
    if (w == box || !IsWindowVisible(w) || !GetWindowRect(w, &r) ||
        !IntersectRect(&common, &r, &own))
      continue;
    if (r.left <= own.left && r.top <= own.top && r.right >= own.right && r.bottom >= own.bottom)
      continue;
    ExcludeClipRect(dc, r.left - own.left, r.top - own.top, r.right - own.left, r.bottom - own.top);
  }
}

void FillFromBg(img::Bitmap32& target, TRect rect, const TsBgSource& bg) {
  if (bg.Valid && bg.Bitmap)
    CopyBlock(target, rect.Left, rect.Top, rect.Width(), rect.Height(), *bg.Bitmap,
              bg.OffsetX + rect.Left, bg.OffsetY + rect.Top);
  else
    FillRectSolid(target, rect,
                  bg.BgColor == kKeyColor ? int32_t(GetSysColor(COLOR_BTNFACE)) : bg.BgColor);
}

}  // namespace

RECT GroupCaptionRect(int width, SIZE text, bool rightToLeft) {
  RECT rect;
  rect.left = rightToLeft ? width - text.cx - 14 : 6;
  rect.top = 0;
  rect.bottom = rect.top + std::max(4, int(text.cy)) + 2;
  rect.right = rect.left + text.cx + 8;
  if (rect.right > width) rect.right = width - 1;
  return rect;
}

TveGroupBoxWnd::TveGroupBoxWnd(HWND handle, bool repaint, const std::string& skinSection,
                               TsSkinManager* manager, TsCommonData* skinData)
    : TveMainWnd(handle, false, skinSection.empty() ? "GROUPBOX" : skinSection, manager, skinData) {
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

RECT TveGroupBoxWnd::CaptionRect() {
  SIZE size{};
  if (!Caption.empty()) {
    platform::WindowDC dc(Handle);
    platform::Selection font(dc, ControlFont());
    RECT measured{0, 0, 0, 0};
    DrawTextA(dc, Caption.c_str(), int(Caption.size()), &measured,
              DT_CALCRECT | DT_CENTER | DT_SINGLELINE);
    size = {measured.right - measured.left, measured.bottom - measured.top};
  }
  return GroupCaptionRect(WindowSize.cx, size,
                          GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING);
}

void TveGroupBoxWnd::RenderCache() {
  if (!SkinData->CacheBitmap) SkinData->CacheBitmap = std::make_unique<img::Bitmap32>();
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  int w = WindowSize.cx, h = WindowSize.cy;
  if (cache.Width() != w || cache.Height() != h) cache.Resize(w, h);
  if (w <= 0 || h <= 0) return;
  GdiFlush();  // the last copy to the screen may still read the cache
  RECT caption = CaptionRect();
  TsBgSource bg = ParentBg(*SkinData, Handle);
  FillFromBg(cache, {0, 0, w, std::min(h, int(caption.bottom))}, bg);
  int top = std::min(h, int(caption.bottom - caption.top) / 2);
  PaintControlSection(*SkinData, bg, true, cache, {0, 0}, {0, top, w, h}, 0);
  if (!Caption.empty()) PaintCaption(caption);
  SkinData->SetBgDirty(false);
}

void TveGroupBoxWnd::PaintCaption(RECT rect) {
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  TRect area{std::max(0, int(rect.left)), 0, std::min(cache.Width(), int(rect.right)),
             std::min(cache.Height(), int(rect.bottom))};
  if (area.Width() <= 0 || area.Height() <= 0) return;
  FillFromBg(cache, area, ParentBg(*SkinData, Handle));
  HDC dc = cache.DC();
  {
    platform::Selection font(dc, ControlFont());
    SetBkMode(dc, TRANSPARENT);
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING) flags |= DT_RTLREADING;
    PaintSkinText(dc, Caption, IsWindowEnabled(Handle), &Skin(), 0, SkinData->SectionIndex, flags,
                  rect);
  }
  GdiFlush();
}

void TveGroupBoxWnd::PaintTo(fw::TMessage& message) {
  UpdateGeometry();
  // Printing into a given DC leaves what waits to be painted on the screen alone.
  bool printing = message.WParam && message.LParam == 1;
  platform::PaintScope dc(Handle, printing ? message.WParam : 0);
  if (!SkinData->IsDeferred()) {
    if (!printing) ExcludeSiblingsInside(dc, Handle);
    RenderCache();
    RECT all{0, 0, WindowSize.cx, WindowSize.cy};
    if (fw::TWinControl* control = OwnerControl()) {
      PaintCacheToDC(*control, *SkinData, {0, 0}, 0, 0, false, dc, all);
      if (control->Visible()) PaintGraphicControls(dc, *control, true);
    } else {
      PaintCacheToWindowDC(Handle, *SkinData, {0, 0}, 0, 0, false, dc, all);
    }
    EndUpdateChildWindows(Handle);
  }
}

void TveGroupBoxWnd::Invalidate() {
  SkinData->SetBgDirty(true);
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TveGroupBoxWnd::HandleMessage(fw::TMessage& message) {
  if (message.Msg == WM_PRINT && Skinned() && !Destroyed) {
    SkinData->SetBgDirty(true);
    SkinData->Deferred = false;
    fw::TMessage print{WM_PAINT, message.WParam, 1, 0};
    PaintTo(print);
    return;
  }
  if (HandleCommon(message)) {
    if (message.Msg == WM_SETTEXT && Skinned() && !Destroyed) Invalidate();
    return;
  }
  if (Destroyed || !Skinned()) {
    HandleSkinCommands(message);
    return;
  }
  if (message.Msg == SkinCommandMsg) {
    switch (HIWORD(message.WParam)) {
      case CmdGetCaptionHeight:
        UpdateGeometry();
        message.Result = CaptionRect().bottom;
        return;
      default:
        break;
    }
    HandleSkinCommands(message);
    return;
  }
  switch (message.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SendMessageA(Handle, WM_SETREDRAW, 0, 0);
      HandleSkinCommands(message);
      SendMessageA(Handle, WM_SETREDRAW, 1, 0);
      Invalidate();
      return;
    case WM_PAINT:
      if (DialogChild) break;
      PaintTo(message);
      message.Result = 0;
      return;
    case WM_ERASEBKGND:
      if (DialogChild) break;
      if (message.WParam && WPARAM(message.LParam) == message.WParam) {
        auto dc = reinterpret_cast<HDC>(message.WParam);
        UpdateGeometry();
        if (SkinData->BgDirty) RenderCache();
        if (SkinData->CacheBitmap)
          BitBlt(dc, 0, 0, WindowSize.cx, WindowSize.cy, SkinData->CacheBitmap->DC(), 0, 0,
                 SRCCOPY);
      }
      message.Result = 1;
      return;
    case WM_PARENTNOTIFY:
      PassOn(message);
      if (LOWORD(message.WParam) == WM_CREATE) NotifyAdoptNewChild(OwnerControl(), Handle);
      return;
    case WM_NCPAINT: {
      if (!DialogChild) break;
      fw::TMessage paint{WM_PAINT, 0, 0, 0};
      PaintTo(paint);
      message.Result = 1;
      return;
    }
    default:
      break;
  }
  HandleSkinCommands(message);
}
