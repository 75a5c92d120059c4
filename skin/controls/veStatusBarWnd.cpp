#include "skin/controls/veStatusBarWnd.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/controls/veBaseWnd.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sPaintFlags.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"

TveStatusBarWnd::TveStatusBarWnd(HWND handle, bool repaint, const std::string& skinSection,
                                 TsSkinManager* manager, TsCommonData* skinData)
    : TveMainWnd(handle, false, skinSection.empty() ? "STATUSBAR" : skinSection, manager,
                 skinData) {
  StatusBar = dynamic_cast<fw::TStatusBar*>(OwnerControl());
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool TveStatusBarWnd::IsSimple() const {
  return SendMessageA(Handle, SB_ISSIMPLE, 0, 0) != 0;
}

int TveStatusBarWnd::PartCount() const {
  return int(SendMessageA(Handle, SB_GETPARTS, 0, 0));
}

RECT TveStatusBarWnd::PartRect(int index) const {
  RECT rect{};
  SendMessageA(Handle, SB_GETRECT, WPARAM(index), reinterpret_cast<LPARAM>(&rect));
  return rect;
}

std::string TveStatusBarWnd::PanelText(int index) const {
  if (PartCount() == 0) return {};
  if (IsSimple() || index < 0) {
    // The simple bar has a text of its own; the window's text is that of the first part. Part 0
    // answers with the simple text while the bar is simple.
    const size_t length = LOWORD(SendMessageA(Handle, SB_GETTEXTLENGTHA, 0, 0));
    std::string text(length + 1, '\0');
    SendMessageA(Handle, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return text;
  }
  if (StatusBar) return index < StatusBar->PanelCount() ? StatusBar->PanelText(index) : "";
  return {};
}

void TveStatusBarWnd::RenderCache() {
  SkinData->SetBgDirty(true);
  RenderFrameCache(*SkinData, Handle);
  if (SkinData->BgDirty) return;
  PaintPanels();
}

void TveStatusBarWnd::PaintPanels() {
  if (IsSimple()) {
    PaintPanel(-1, {0, 1, WindowSize.cx - 1, WindowSize.cy - 1});
    return;
  }
  // Parts are measured in the client area; the picture is the whole window.
  RECT client = ClientRectInWindow(Handle);
  for (int i = 0, count = PartCount(); i < count; ++i) {
    RECT rect = PartRect(i);
    OffsetRect(&rect, client.left, client.top);
    InflateRect(&rect, -1, -1);
    PaintPanel(i, rect);
  }
}

void TveStatusBarWnd::PaintPanel(int index, RECT rect) {
  const TsSkinModel* skin = SkinManager;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  InflateRect(&rect, -1, -1);
  int mask = skin->FindImage(SkinData->SectionIndex, SkinData->SkinSection, "STATUSPANELMASK");
  if (skin->IsValidImageIndex(mask)) {
    TRect area = index < 0 ? TRect{0, 0, cache.Width(), cache.Height()}
                           : TRect{rect.left, rect.top, rect.right, rect.bottom};
    PaintMaskSlices(cache, area, skin->ImageTable[size_t(mask)], 0, MakeBgSource(&cache, 0, 0),
                    false);
  } else if (index >= 0 && index < PartCount() - 1) {
    int divider = skin->FindSection("DIVIDER");
    int border =
        skin->IsValidSectionIndex(divider) ? skin->SectionTable[size_t(divider)].BorderIndex : -1;
    if (skin->IsValidImageIndex(border)) {
      const TsMaskData& entry = skin->ImageTable[size_t(border)];
      auto margin = [&entry](int own) { return own > 0 ? own : int(entry.DefaultMargin); };
      int width = std::max(2, margin(entry.MarginLeft) + margin(entry.MarginRight));
      int height = cache.Height() - 2;
      int x = std::clamp(int(rect.right) + 2 - width, 0, std::max(0, cache.Width() - width));
      if (height > 0) {
        img::Bitmap32 piece(width, height);
        PaintSectionByName(skin, piece, "DIVIDER", "", &cache, {x, 1, x + width, 1 + height}, 0);
        CopyBlock(cache, x, 1, width, height, piece, 0, 0);
      }
    }
  }
  if (!StatusBar) return;
  RECT area{rect.left + 2, rect.top, rect.right - 4, rect.bottom - 1};
  UINT align = DT_LEFT;
  if (index >= 0 && index < StatusBar->PanelCount()) {
    fw::TAlignment alignment = StatusBar->PanelAlignment(index);
    align = alignment == fw::TAlignment::taCenter         ? DT_CENTER
            : alignment == fw::TAlignment::taRightJustify ? DT_RIGHT
                                                          : DT_LEFT;
  }
  HDC dc = cache.DC();
  {
    platform::Selection font(dc, ControlFont());
    SetBkMode(dc, TRANSPARENT);
    PaintSkinText(dc, PanelText(index), true, skin, 0, SkinData->SectionIndex,
                  DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX | align, area);
  }
  GdiFlush();
}

void TveStatusBarWnd::PaintAll(HDC dc) {
  UpdateGeometry();
  RenderCache();
  if (!SkinData->CacheBitmap || SkinData->BgDirty) return;
  // A given DC is the client area's; the window's DC starts at the frame.
  RECT client = dc ? ClientRectInWindow(Handle) : RECT{};
  platform::WindowDC target(Handle, true, dc);
  const img::Bitmap32& cache = *SkinData->CacheBitmap;
  BitBlt(target, -client.left, -client.top, cache.Width(), cache.Height(), cache.DC(), 0, 0,
         SRCCOPY);
}

void TveStatusBarWnd::PaintNonClient(HDC dc) {
  if (!StatusBar) return;
  UpdateGeometry();
  if (SkinData->BgDirty) RenderCache();
  RECT client = ClientRectInWindow(Handle);
  if (client.top <= 0 || !SkinData->CacheBitmap) return;
  CopyFrameFromCache(platform::WindowDC(Handle, true, dc), *SkinData->CacheBitmap, client.top);
}

void TveStatusBarWnd::HandleMessage(fw::TMessage& message) {
  if (message.Msg == WM_PRINT && Skinned() && !Destroyed) {
    PaintAll(reinterpret_cast<HDC>(message.WParam));
    return;
  }
  if (HandleCommon(message)) return;
  if (Destroyed || !Skinned()) {
    HandleSkinCommands(message);
    return;
  }
  switch (message.Msg) {
    case WM_PAINT: {
      // The bar is drawn whole when erased; the platform's text painting never reaches the
      // screen. A given context is a picture being taken: the bar paints into it.
      if (!message.WParam) InvalidateRect(Handle, nullptr, TRUE);
      platform::PaintScope paint(Handle, message.WParam);
      if (message.WParam) PaintAll(paint);
      message.Result = 0;
      return;
    }
    case WM_ERASEBKGND:
      PaintAll(reinterpret_cast<HDC>(message.WParam));
      message.Result = 1;
      return;
    case WM_NCPAINT:
      if (!AnimationInProgress) PaintNonClient(nullptr);
      message.Result = 0;
      return;
    default:
      break;
  }
  HandleSkinCommands(message);
  if (message.Msg == WM_SIZE) InvalidateRect(Handle, nullptr, TRUE);
}
