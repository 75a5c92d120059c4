#include "skin/controls/veEdgeWnd.h"

#include "platform/GdiScopes.h"
#include "skin/controls/veBaseWnd.h"
#include "skin/render/sControlText.h"
#include "skin/render/sCtrlUtils.h"

TveEdgeWnd::TveEdgeWnd(HWND handle, bool repaint, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : TveMainWnd(handle, false, skinSection.empty() ? "EDIT" : skinSection, manager, skinData) {
  SkinData->UpdateIndexes();
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

bool TveEdgeWnd::RenderCache() {
  UpdateGeometry();
  SkinData->SetBgDirty(true);
  RenderFrameCache(*SkinData, Handle);
  if (SkinData->BgDirty || !SkinData->CacheBitmap) return false;
  ReadCaption();
  if (!Caption.empty()) {
    const RECT client = ClientRectInWindow(Handle);
    HDC dc = SkinData->CacheBitmap->DC();
    platform::Selection font(dc, ControlFont());
    const LONG style = GetWindowLongA(Handle, GWL_STYLE);
    UINT align = DT_LEFT;
    if ((style & SS_TYPEMASK) == SS_CENTER) align = DT_CENTER;
    if ((style & SS_TYPEMASK) == SS_RIGHT) align = DT_RIGHT;
    const RECT area{client.left + 1, client.top, client.right - 1, client.bottom};
    PaintControlText(dc, Caption, IsWindowEnabled(Handle), false, *SkinData,
                     align | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX, area);
  }
  GdiFlush();
  return true;
}

void TveEdgeWnd::PaintClient(HDC dc) {
  if (!RenderCache()) return;
  const RECT client = ClientRectInWindow(Handle);
  BitBlt(dc, 0, 0, client.right - client.left, client.bottom - client.top,
         SkinData->CacheBitmap->DC(), client.left, client.top, SRCCOPY);
}

void TveEdgeWnd::PaintFrame() {
  const RECT client = ClientRectInWindow(Handle);
  if (client.top <= 0 || !RenderCache()) return;
  CopyFrameFromCache(platform::WindowDC(Handle, true), *SkinData->CacheBitmap, client.top);
}

void TveEdgeWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !Skinned() || !SkinManager->IsValidSectionIndex(SkinData->SectionIndex)) {
    TveMainWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_PAINT: {
      AnswerPaint(message, [this](HDC dc) { PaintClient(dc); });
      return;
    }
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_NCPAINT:
      PaintFrame();
      return;
    case WM_PRINT: {
      if (!RenderCache()) return;
      const img::Bitmap32& cache = *SkinData->CacheBitmap;
      BitBlt(reinterpret_cast<HDC>(message.WParam), 0, 0, cache.Width(), cache.Height(), cache.DC(),
             0, 0, SRCCOPY);
      return;
    }
    case WM_SETTEXT:
    case WM_ENABLE:
      // The static draws its text at once; the skin's picture goes over it.
      TveMainWnd::HandleMessage(message);
      RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
      return;
    default:
      TveMainWnd::HandleMessage(message);
      return;
  }
}
