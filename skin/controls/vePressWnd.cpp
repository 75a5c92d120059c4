#include "skin/controls/vePressWnd.h"

#include "skin/data/sSkinCommands.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sControlSection.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sFadeTimer.h"

bool TvePressWnd::Painting() const {
  return !Destroyed && Skinned() && SkinManager->IsValidSectionIndex(SkinData->SectionIndex);
}

bool TvePressWnd::Hot() const {
  return SkinData->IsMouseOver || (SkinManager && SkinManager->HotWindow() == Handle);
}

LRESULT TvePressWnd::ButtonState() const {
  return SendMessageA(Handle, BM_GETSTATE, 0, 0);
}

const TsGeneralData& TvePressWnd::Section() const {
  return SkinManager->SectionTable[size_t(SkinData->SectionIndex)];
}

bool TvePressWnd::PaintSection(int state) {
  UpdateGeometry();
  // The parent adds where its client lies in its picture to the asker's place.
  TsBgQuery query;
  query.OffsetX = PosInParent.x;
  query.OffsetY = PosInParent.y;
  if (SkinData->HostControl && SkinData->HostControl->Parent())
    QueryParentBg(query, SkinData->HostControl->Parent(), false);
  else
    QueryParentWindowBg(query, ParentWnd, false, SkinManager);
  if (query.Kind == bgkNotReady) {
    SkinData->Deferred = true;
    return false;
  }
  const TsBgSource bg = BgQueryToSource(query);
  GdiFlush();  // the last copy to the screen may still read the cache
  if (!SkinData->CacheBitmap) SkinData->CacheBitmap = std::make_unique<img::Bitmap32>();
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const int w = WindowSize.cx, h = WindowSize.cy;
  if (cache.Width() != w || cache.Height() != h) cache.Resize(w, h);
  if (w <= 0 || h <= 0) return false;
  state = std::max(0, std::min(state, int(Section().StateCount) - 1));
  PaintControlSection(*SkinData, bg, true, cache, {0, 0}, {0, 0, w, h}, state);
  return true;
}

void TvePressWnd::FadeIfDisabled() {
  if (IsWindowEnabled(Handle)) return;
  GdiFlush();
  TsBgSource behind;
  SkinData->GetBgSource(behind);
  PaintDisabled(*SkinData->CacheBitmap, kDisabledFade, {PosInParent.x, PosInParent.y}, behind,
                GetWindowBgColor(ParentWnd));
}

void TvePressWnd::PaintTo(HDC dc) {
  // A running fade shows the window until it ends.
  if (SkinData->IsDeferred() || FadeRunning(*SkinData)) return;
  SkinData->SetBgDirty(true);
  if (!RenderCache()) return;
  SkinData->SetBgDirty(false);
  GdiFlush();
  const img::Bitmap32& cache = *SkinData->CacheBitmap;
  BitBlt(dc, 0, 0, cache.Width(), cache.Height(), cache.DC(), 0, 0, SRCCOPY);
}

void TvePressWnd::Redraw() {
  SkinData->SetBgDirty(true);
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TvePressWnd::PassOnQuietly(fw::TMessage& message) {
  const bool visible = IsWindowVisible(Handle);
  if (visible) SendMessageA(Handle, WM_SETREDRAW, 0, 0);
  PassOn(message);
  if (!visible) return;
  SendMessageA(Handle, WM_SETREDRAW, 1, 0);
  Redraw();
}

void TvePressWnd::BecomeHot(bool hot) {
  if (hot) {
    // Only a window the cursor really lies in looks hot; the platform says when it leaves.
    POINT cursor;
    RECT window;
    if (!GetCursorPos(&cursor) || !GetWindowRect(Handle, &window) || !PtInRect(&window, cursor))
      return;
    TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle, 0};
    TrackMouseEvent(&track);
  }
  if (SkinData->IsMouseOver == hot) return;
  SkinData->IsMouseOver = hot;
  if (!RunFadeIfAllowed(*SkinData, Handle, hot ? aeMouseEnter : aeMouseLeave, aeGlobalDef))
    Redraw();
}

void TvePressWnd::HandleMessage(fw::TMessage& message) {
  if (!Painting()) {
    TveMainWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_PRINT:
      PaintTo(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_SETTEXT: {
      const bool visible = IsWindowVisible(Handle);
      if (visible) SendMessageA(Handle, WM_SETREDRAW, 0, 0);
      PassOn(message);
      ReadCaption();
      if (visible) SendMessageA(Handle, WM_SETREDRAW, 1, 0);
      Redraw();
      return;
    }
    default:
      break;
  }
  if (HandleCommon(message)) return;
  switch (message.Msg) {
    case WM_PAINT: {
      AnswerPaint(message, [this](HDC dc) { PaintTo(dc); });
      return;
    }
    case WM_ERASEBKGND:
    case WM_NCPAINT:
      message.Result = 1;
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      SkinData->IsFocused = message.Msg == WM_SETFOCUS;
      PassOnQuietly(message);
      return;
    // The platform button presses, checks and restyles itself through these messages (also on
    // clicks and keys), so holding them back is enough. The click is passed on untouched: its
    // handler may free the window and this adapter with it.
    case WM_ENABLE:
    case BM_SETSTATE:
    case BM_SETCHECK:
    case BM_SETSTYLE:
      PassOnQuietly(message);
      return;
    case WM_MOVE:
      SkinData->SetBgDirty(true);
      PassOn(message);
      InvalidateRect(Handle, nullptr, FALSE);
      return;
    case WM_MOUSEMOVE:
      // The manager took the window as its hot one before the cursor was seen inside it: the
      // next move inside gives it the hot look.
      PassOn(message);
      if (!SkinData->IsMouseOver && SkinManager->HotWindow() == Handle) BecomeHot(true);
      return;
    case WM_MOUSEHOVER:
      SendMessageA(Handle, SkinCommandMsg, MAKEWPARAM(0, CmdBecameHot),
                   reinterpret_cast<LPARAM>(SkinManager));
      PassOn(message);
      return;
    case WM_MOUSELEAVE:
      if (SkinManager->HotWindow() == Handle) SkinManager->SetHotWindow(nullptr);
      BecomeHot(false);
      PassOn(message);
      return;
    default:
      break;
  }
  if (message.Msg == SkinCommandMsg) {
    switch (HIWORD(message.WParam)) {
      case CmdBecameHot:
        BecomeHot(true);
        return;
      case CmdLostHot:
        BecomeHot(false);
        return;
      case CmdBgRepainted:
        // A fade asks for the new state's picture.
        SkinData->SetBgDirty(true);
        if (RenderCache()) SkinData->SetBgDirty(false);
        message.Result = 0;
        return;
      case CmdFadeFrame:
        message.Result = 0;
        return;
      case CmdStopFade:
        StopFade(*SkinData);
        Redraw();
        return;
      default:
        break;
    }
  }
  HandleSkinCommands(message);
}
