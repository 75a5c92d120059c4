#include "skin/controls/veScrollWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "imaging/Bitmap32.h"
#include "platform/GdiScopes.h"
#include "skin/controls/sScrollPaint.h"
#include "skin/controls/sScrollPress.h"
#include "skin/data/MaskGeometry.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlBg.h"

namespace {

constexpr UINT_PTR kHoverTimer = 0xFFF2;
constexpr UINT kHoverInterval = 20;
constexpr UINT_PTR kRepeatTimer = 0xFFFE;

// One interaction at a time for the whole process: only one bar can be under the mouse or held.
struct TTracking {
  HWND HotWnd = nullptr;
  int HotBar = -1;
  int HotElement = -1;
  RECT HoverRect{};
  bool Hovering = false;
  int PressedBar = -1;
  int TrackElement = -1;
  UINT ScrollMsg = 0;
  TsScrollPress Press;
  DWORD LastTick = 0;
  int32_t LastPos = 0;
  // The thumb drag: the thumb at the press, the bar's rectangle then, and where it was grabbed.
  int ThumbLength = 0, ThumbStart = 0, GrabOffset = 0;
  RECT BarAtPress{};
};
TTracking tracking;

int DefaultArrowSize() {
  return GetSystemMetrics(SM_CXHSCROLL);
}

}  // namespace

TveScrollWnd::TveScrollWnd(HWND handle, bool repaint, const std::string& skinSection,
                           TsSkinManager* manager, TsCommonData* skinData)
    : TveMainWnd(handle, false, skinSection, manager, skinData) {
  LONG style = GetWindowLongA(handle, GWL_STYLE);
  LeftScrollBar = GetWindowLongA(handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  HorzBar.BarType = 0;
  VertBar.BarType = 1;
  HorzBar.Flags = style & WS_HSCROLL ? 8 : 0;
  VertBar.Flags = style & WS_VSCROLL ? 8 : 0;
  UpdateScrollInfo(false);
  // The frame is measured again at once, now with the bars' room reserved by the adapter.
  SetWindowPos(handle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  if (repaint) RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

TveScrollWnd::~TveScrollWnd() {
  StopInteraction();
  if (!Destroyed && IsWindow(Handle)) LetGo();
}

void TveScrollWnd::StopInteraction() {
  if (tracking.HotWnd != Handle) return;
  if (IsWindow(Handle)) {
    KillTimer(Handle, kHoverTimer);
    KillTimer(Handle, kRepeatTimer);
    if (GetCapture() == Handle) ReleaseCapture();
  }
  ThumbTracking = false;
  tracking = {};
}

void TveScrollWnd::LetGo() {
  StopInteraction();
  DetachFromWindow(false);
  // The platform measures its own bars again (the visual style comes back with the base).
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TveScrollWnd::UpdateScrollInfo(bool repaint) {
  for (TveScrollBar* bar : {&HorzBar, &VertBar}) {
    bar->Info = {};
    bar->Info.cbSize = sizeof bar->Info;
    bar->Info.fMask = SIF_ALL;
    GetScrollInfo(Handle, bar->BarType == 1 ? SB_VERT : SB_HORZ, &bar->Info);
  }
  if (repaint && IsWindowVisible(Handle)) PaintScrollBars(nullptr);
}

bool TveScrollWnd::ScrollStateMoved() const {
  for (const TveScrollBar* bar : {&HorzBar, &VertBar}) {
    SCROLLINFO now{};
    now.cbSize = sizeof now;
    now.fMask = SIF_ALL;
    GetScrollInfo(Handle, bar->BarType == 1 ? SB_VERT : SB_HORZ, &now);
    if (now.nMin != bar->Info.nMin || now.nMax != bar->Info.nMax || now.nPage != bar->Info.nPage ||
        now.nPos != bar->Info.nPos)
      return true;
  }
  return false;
}

int TveScrollWnd::BarMetric(const TveScrollBar& bar, bool thickness) const {
  bool vertical = bar.BarType == 1;
  if (thickness)
    return bar.Thickness >= 0
               ? bar.Thickness
               : -bar.Thickness * GetSystemMetrics(vertical ? SM_CXVSCROLL : SM_CYHSCROLL);
  if (bar.ArrowLength >= 0) return bar.ArrowLength;
  const TsSkinModel* skin = SkinManager ? &Skin() : nullptr;
  if (skin) {
    // The skin may size its arrow buttons by their picture.
    const TsPartIndexes& left = skin->QuickIndexes.ScrollButtons[2];
    const TsPartIndexes& own = skin->QuickIndexes.ScrollButtons[vertical ? 0 : 2];
    if (skin->IsValidSectionIndex(left.Section) &&
        skin->SectionTable[size_t(left.Section)].ReservedBoolean &&
        skin->IsValidImageIndex(own.BorderIndex)) {
      const TsMaskData& image = skin->ImageTable[size_t(own.BorderIndex)];
      return ((vertical ? FrameHeight(image) : FrameWidth(image)) + DefaultArrowSize() - 17) *
             -bar.ArrowLength;
    }
  }
  return -bar.ArrowLength * DefaultArrowSize();
}

int TveScrollWnd::ButtonLength(const TveScrollBar& bar) const {
  const TsSkinModel* skin = SkinManager ? &Skin() : nullptr;
  int track = skin ? skin->QuickIndexes.ScrollBars[bar.BarType == 1 ? 1 : 0].Section : -1;
  if (skin && skin->IsValidSectionIndex(track) && skin->SectionTable[size_t(track)].ReservedBoolean)
    return 0;
  return BarMetric(bar, false);
}

bool TveScrollWnd::BarEnabled(const TveScrollBar& bar) const {
  if (!IsWindowEnabled(Handle)) return false;
  SCROLLBARINFO info{};
  info.cbSize = sizeof info;
  if (GetScrollBarInfo(Handle, bar.BarType == 1 ? OBJID_VSCROLL : OBJID_HSCROLL, &info) &&
      (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE))
    return false;
  const SCROLLINFO& s = bar.Info;
  return s.nMax > s.nMin && int64_t(s.nPage) <= int64_t(s.nMax) - s.nMin;
}

TsBarFrame TveScrollWnd::Frame() const {
  TsBarFrame f;
  RECT window;
  GetWindowRect(Handle, &window);
  f.Window = {window.left, window.top, window.right, window.bottom};
  f.LeftEdge = LeftEdge;
  f.TopEdge = TopEdge;
  f.RightEdge = RightEdge;
  f.BottomEdge = BottomEdge;
  f.HorzThickness = BarMetric(HorzBar, true);
  f.VertThickness = BarMetric(VertBar, true);
  f.HorzVisible = HorzBar.Visible;
  f.VertVisible = VertBar.Visible;
  f.LeftScrollBar = LeftScrollBar;
  return f;
}

RECT TveScrollWnd::BarRect(const TveScrollBar& bar) const {
  TsBarFrame f = Frame();
  TRect r = bar.BarType == 1 ? VertBarRect(f) : HorzBarRect(f);
  return {r.Left, r.Top, r.Right, r.Bottom};
}

int TveScrollWnd::CornerSizingCode() const {
  HWND parent = GetParent(Handle);
  LONG style = parent ? GetWindowLongA(parent, GWL_STYLE) : 0;
  if (!parent || (style & WS_CHILD) || !(style & WS_THICKFRAME) || IsZoomed(parent)) return 0;
  RECT client;
  GetClientRect(parent, &client);
  MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
  if (!CornerSizesParent(Frame(), {client.left, client.top, client.right, client.bottom})) return 0;
  return LeftScrollBar ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
}

void TveScrollWnd::NcCalcSize(fw::TMessage& message) {
  LONG style = GetWindowLongA(Handle, GWL_STYLE);
  auto* rect = reinterpret_cast<RECT*>(message.LParam);
  RECT proposed = *rect;
  if (style & (WS_HSCROLL | WS_VSCROLL)) {
    // Without the bars' styles the platform reserves no room for them and never paints them
    // as part of measuring.
    StyleLock = true;
    SetWindowLongA(Handle, GWL_STYLE, style & ~(WS_HSCROLL | WS_VSCROLL));
    message.Result = CallPrevProc(message.Msg, message.WParam, message.LParam);
    SetWindowLongA(Handle, GWL_STYLE, style);
    StyleLock = false;
  } else {
    message.Result = CallPrevProc(message.Msg, message.WParam, message.LParam);
  }
  RECT& client = *rect;
  LeftEdge = client.left - proposed.left;
  TopEdge = client.top - proposed.top;
  RightEdge = proposed.right - client.right;
  BottomEdge = proposed.bottom - client.bottom;
  HorzBar.Flags = style & WS_HSCROLL ? 8 : 0;
  VertBar.Flags = style & WS_VSCROLL ? 8 : 0;
  int horz = BarMetric(HorzBar, true), vert = BarMetric(VertBar, true);
  HorzBar.Visible = (style & WS_HSCROLL) && client.bottom - client.top >= horz;
  if (HorzBar.Visible) client.bottom -= horz;
  VertBar.Visible = (style & WS_VSCROLL) && client.right - client.left >= vert;
  if (VertBar.Visible) {
    if (LeftScrollBar)
      client.left += vert;
    else
      client.right -= vert;
  }
}

int TveScrollWnd::HitTestBar(const TveScrollBar& bar, POINT screen) const {
  RECT r = BarRect(bar);
  return ::HitTestBar(bar.State(), {r.left, r.top, r.right, r.bottom}, bar.BarType == 1,
                      ButtonLength(bar), bar.MinThumb, {screen.x, screen.y});
}

int TveScrollWnd::HitTestBars(POINT screen) const {
  for (const TveScrollBar* bar : {&HorzBar, &VertBar}) {
    RECT r = BarRect(*bar);
    if (bar->Visible && PtInRect(&r, screen))
      return BarEnabled(*bar) ? (bar->BarType == 1 ? HTVSCROLL : HTHSCROLL) : HTNOWHERE;
  }
  TRect corner = SizeCornerRect(Frame());
  if (screen.x >= corner.Left && screen.x < corner.Right && screen.y >= corner.Top &&
      screen.y < corner.Bottom) {
    int sizing = CornerSizingCode();
    return sizing ? sizing : HTNOWHERE;
  }
  return HTERROR;  // not on a bar
}

void TveScrollWnd::PaintScrollBars(HDC given) {
  if (!SkinManager || !IsWindowVisible(Handle) || SkinData->IsDeferred()) return;
  platform::WindowDC dc(Handle, true, given);
  bool ours = tracking.HotWnd == Handle;
  for (const TveScrollBar* bar : {&HorzBar, &VertBar})
    if (bar->Visible)
      PaintBar(*bar, dc,
               ours && tracking.PressedBar == bar->BarType ? tracking.Press.Pressed() : -1, -1);
  PaintCorner(dc);
}

// The square between the bars shows what lies behind the window there, and the size grip when
// it sizes the parent.
void TveScrollWnd::PaintCorner(HDC dc) {
  TsBarFrame f = Frame();
  TRect corner = SizeCornerRect(f);
  if (corner.Width() <= 0 || corner.Height() <= 0) return;
  TsBgSource bg = EmptyBgSource;
  bg.BgColor = SkinData->GetBgColor(0, Handle);
  TsBgQuery query;
  if (QueryBgBehind(query, *SkinData, Handle, {corner.Left, corner.Top}) &&
      query.Kind != bgkNotReady)
    bg = BgQueryToSource(query);
  GdiFlush();  // the last copy to the screen may still read the picture
  if (cornerImage_.Width() != corner.Width() || cornerImage_.Height() != corner.Height())
    cornerImage_.Resize(corner.Width(), corner.Height());
  PaintScrollCorner(Skin(), bg, CornerSizingCode() != 0, cornerImage_);
  BitBlt(dc, corner.Left - f.Window.Left, corner.Top - f.Window.Top, corner.Width(),
         corner.Height(), cornerImage_.DC(), 0, 0, SRCCOPY);
}

void TveScrollWnd::PaintBar(const TveScrollBar& bar, HDC dc, int pressed, int thumbStart) {
  RECT window, screen = BarRect(bar);
  GetWindowRect(Handle, &window);
  int w = screen.right - screen.left, h = screen.bottom - screen.top;
  TsBarPaint paint;
  paint.Vertical = bar.BarType == 1;
  paint.Info = bar.State();
  paint.Length = paint.Vertical ? h : w;
  paint.Thickness = paint.Vertical ? w : h;
  paint.ButtonLength = ButtonLength(bar);
  paint.ArrowCell = DefaultArrowSize();
  paint.MinThumb = bar.MinThumb;
  paint.Enabled = BarEnabled(bar);
  paint.Pressed = pressed;
  if (tracking.HotWnd == Handle && tracking.HotBar == bar.BarType) paint.Hot = tracking.HotElement;
  paint.ThumbStart = thumbStart;
  paint.BgColor = SkinData->GetBgColor(0, Handle);
  // Kept between paints: a new device-independent bitmap for every paint costs more than the
  // painting itself.
  img::Bitmap32& image = barImages_[size_t(bar.BarType)];
  GdiFlush();  // the last copy to the screen may still read the picture
  if (!PaintScrollBar(Skin(), paint, image)) return;
  BitBlt(dc, screen.left - window.left, screen.top - window.top, w, h, image.DC(), 0, 0, SRCCOPY);
}

TveScrollBar& TveScrollWnd::Held() {
  return tracking.PressedBar == 1 ? VertBar : HorzBar;
}

void TveScrollWnd::SendScroll(UINT msg, int code, int pos) {
  SelfScrolling = true;
  LPARAM what = MAKELONG(code, msg);
  LRESULT moves = SendMessageA(Handle, SkinCommandMsg, SkinCommandParam(CmdBeforeScroll), what);
  if (moves != 1) {
    if (code == SB_THUMBTRACK) {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_POS;
      info.nPos = pos;
      SetScrollInfo(Handle, msg == WM_VSCROLL ? SB_VERT : SB_HORZ, &info, FALSE);
    }
    SendMessageA(Handle, msg, MAKEWPARAM(code, std::min(pos, 65535)), 0);
  } else {
    SendMessageA(Handle, msg, MAKEWPARAM(code, std::min(pos, 65535)), pos);
  }
  SendMessageA(Handle, SkinCommandMsg, SkinCommandParam(CmdAfterScroll), what);
  SelfScrolling = false;
  UpdateScrollInfo(false);
}

void TveScrollWnd::Hover(int barType) {
  if (tracking.HotWnd == Handle && barType == tracking.HotBar) return;
  tracking.HotWnd = Handle;
  tracking.HotElement = -1;
  tracking.HotBar = barType;
  tracking.HoverRect = BarRect(barType == 1 ? VertBar : HorzBar);
  tracking.Hovering = true;
  SetTimer(Handle, kHoverTimer, kHoverInterval, nullptr);
  PaintScrollBars(nullptr);
}

void TveScrollWnd::HoverTimer() {
  if (tracking.HotWnd != Handle) {
    KillTimer(Handle, kHoverTimer);  // another window's bar is the one under the mouse now
    return;
  }
  if (ThumbTracking) return;
  POINT p;
  GetCursorPos(&p);
  if (PtInRect(&tracking.HoverRect, p) && tracking.HotBar >= 0) {
    int hot = HitTestBar(tracking.HotBar == 1 ? VertBar : HorzBar, p);
    if (hot != tracking.HotElement) {
      tracking.HotElement = hot;
      RepaintBar(tracking.HotBar);
    }
    return;
  }
  KillTimer(Handle, kHoverTimer);
  int left = tracking.HotBar;
  tracking.Hovering = false;
  tracking.HotBar = tracking.HotElement = -1;
  RepaintBar(left);
}

// A hover change concerns one bar only: the other one and the corner stay as they are.
void TveScrollWnd::RepaintBar(int barType) {
  const TveScrollBar& bar = barType == 1 ? VertBar : HorzBar;
  if (barType < 0 || !bar.Visible || !SkinManager || !IsWindowVisible(Handle) ||
      SkinData->IsDeferred())
    return;
  bool pressed = tracking.HotWnd == Handle && tracking.PressedBar == barType;
  PaintBar(bar, platform::WindowDC(Handle, true), pressed ? tracking.Press.Pressed() : -1, -1);
}

void TveScrollWnd::NcButtonDown(fw::TMessage& message) {
  POINT p{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  bool vertical = message.WParam == HTVSCROLL;
  TveScrollBar& bar = vertical ? VertBar : HorzBar;
  tracking.HotWnd = Handle;
  tracking.ScrollMsg = vertical ? WM_VSCROLL : WM_HSCROLL;
  tracking.PressedBar = bar.BarType;
  tracking.TrackElement = HitTestBar(bar, p);
  message.Result = 0;
  switch (tracking.TrackElement) {
    case kScrollFirstArrow:
    case kScrollSecondArrow:
    case kScrollPageBefore:
    case kScrollPageAfter:
      if (!BarEnabled(bar)) {
        tracking.TrackElement = -1;
        return;
      }
      SendScroll(tracking.ScrollMsg, tracking.Press.Press(tracking.TrackElement), 0);
      tracking.LastTick = GetTickCount();
      SetTimer(Handle, kRepeatTimer, TsScrollPress::kRepeatInterval, nullptr);
      PaintScrollBars(nullptr);
      break;
    case kScrollThumb: {
      if (!BarEnabled(bar)) {
        tracking.TrackElement = -1;
        return;
      }
      RECT r = BarRect(bar);
      int start = vertical ? r.top : r.left;
      TsThumb thumb = ThumbGeometry(bar.State(), start, (vertical ? r.bottom : r.right) - start,
                                    ButtonLength(bar), bar.MinThumb);
      tracking.BarAtPress = r;
      tracking.ThumbStart = thumb.Start;
      tracking.ThumbLength = thumb.Length;
      tracking.GrabOffset = (vertical ? p.y : p.x) - thumb.Start;
      tracking.LastPos = bar.Info.nPos;
      ThumbTracking = true;
      PaintBar(bar, platform::WindowDC(Handle, true), -1, thumb.Start - start);
      break;
    }
    default:
      tracking.PressedBar = -1;
      PassOn(message);
      return;
  }
  SetCapture(Handle);
}

void TveScrollWnd::MouseMoveWhileHeld(POINT client) {
  TveScrollBar& bar = Held();
  POINT screen = client;
  ClientToScreen(Handle, &screen);
  if (!ThumbTracking) {
    tracking.Press.Track(HitTestBar(bar, screen));
    PaintScrollBars(nullptr);
    return;
  }
  bool vertical = bar.BarType == 1;
  const RECT& r = tracking.BarAtPress;
  int b = ButtonLength(bar);
  int trackStart = (vertical ? r.top : r.left) + b;
  int trackLength = (vertical ? r.bottom - r.top : r.right - r.left) - 2 * b;
  int start = std::clamp(int(vertical ? screen.y : screen.x) - tracking.GrabOffset, trackStart,
                         std::max(trackStart, trackStart + trackLength - tracking.ThumbLength));
  int32_t position =
      DragPosition(bar.State(), vertical, start, trackStart, trackLength, tracking.ThumbLength);
  if (position != tracking.LastPos) {
    bar.Info.nTrackPos = position;
    SendScroll(tracking.ScrollMsg, SB_THUMBTRACK, position);
  }
  tracking.LastPos = position;
  // After the scroll: the control draws the platform's bar as it scrolls, and no frame paint
  // of ours follows while the thumb is held.
  PaintBar(bar, platform::WindowDC(Handle, true), -1, start - (vertical ? r.top : r.left));
}

void TveScrollWnd::RepeatTimer() {
  DWORD now = GetTickCount();
  int due = tracking.Press.Advance(int(now - tracking.LastTick));
  tracking.LastTick = now;
  // A late timer makes up for at most a few steps, so a stalled window does not race.
  for (int i = 0; i < std::min(due, 3); ++i)
    SendScroll(tracking.ScrollMsg, tracking.Press.Pressed(), 0);
  if (due) PaintScrollBars(nullptr);
}

void TveScrollWnd::ButtonUp(bool released) {
  KillTimer(Handle, kRepeatTimer);
  UINT msg = tracking.ScrollMsg;
  bool thumb = ThumbTracking;
  ThumbTracking = false;
  tracking.Press.End();
  tracking.TrackElement = tracking.PressedBar = -1;
  tracking.ScrollMsg = 0;
  if (GetCapture() == Handle) ReleaseCapture();
  if (released && thumb) SendScroll(msg, SB_THUMBPOSITION, tracking.LastPos);
  SendScroll(msg, SB_ENDSCROLL, thumb ? tracking.LastPos : 0);
  PaintScrollBars(nullptr);
}

bool TveScrollWnd::HandleScrollMessage(fw::TMessage& message) {
  bool held = tracking.HotWnd == Handle && (tracking.Press.Held() || ThumbTracking);
  switch (message.Msg) {
    case WM_STYLECHANGED:
      if (StyleLock) {
        message.Result = 0;
        return true;
      }
      if (message.WParam == WPARAM(GWL_EXSTYLE))
        LeftScrollBar = GetWindowLongA(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
      return false;
    case WM_NCCALCSIZE:
      NcCalcSize(message);
      return true;
    case WM_NCHITTEST: {
      int hit = HitTestBars({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
      if (hit == HTERROR) return false;
      message.Result = hit;
      return true;
    }
    case WM_NCPAINT:
      // The platform's frame first: what it paints of its own bars lies under ours.
      PassOn(message);
      if (IsWindowVisible(Handle) && !SkinData->IsDeferred() && !SelfScrolling)
        UpdateScrollInfo(true);
      return true;
    case WM_NCMOUSEMOVE:
      if (message.WParam == HTHSCROLL || message.WParam == HTVSCROLL)
        Hover(message.WParam == HTVSCROLL ? 1 : 0);
      return false;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      if ((message.WParam == HTBOTTOMRIGHT || message.WParam == HTBOTTOMLEFT) &&
          message.WParam == WPARAM(CornerSizingCode())) {
        // The parent is sized from the square, not this window (the platform would size the
        // window itself).
        SendMessageA(GetParent(Handle), WM_SYSCOMMAND,
                     SC_SIZE | (message.WParam - HTLEFT + WMSZ_LEFT), message.LParam);
        message.Result = 0;
        return true;
      }
      if (message.WParam != HTHSCROLL && message.WParam != HTVSCROLL) return false;
      NcButtonDown(message);
      return true;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
      if (message.WParam != HTHSCROLL && message.WParam != HTVSCROLL) return false;
      message.Result = 0;
      return true;
    case WM_SYSCOMMAND:
      if (message.WParam != (SC_VSCROLL | HTVSCROLL)) return false;
      message.Result = 0;
      return true;
    case WM_MOUSEMOVE:
      if (!held) return false;
      MouseMoveWhileHeld({GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)});
      return true;
    case WM_LBUTTONUP:
      if (!held) return false;
      ButtonUp(true);
      PassOn(message);
      return true;
    case WM_CAPTURECHANGED:
      // Losing the mouse ends a held press: nothing keeps scrolling on its own.
      if (held && reinterpret_cast<HWND>(message.LParam) != Handle) ButtonUp(false);
      return false;
    case WM_TIMER:
      if (message.WParam == kHoverTimer) {
        HoverTimer();
        return true;
      }
      if (message.WParam == kRepeatTimer) {
        if (held) RepeatTimer();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void TveScrollWnd::HandleMessage(fw::TMessage& message) {
  if (HandleCommon(message)) return;
  if (Destroyed || !Skinned()) {
    // Nothing of the bars runs on without the skin: no hover or repeat timer, no held press.
    StopInteraction();
    if (message.Msg == SkinCommandMsg && HIWORD(message.WParam) == CmdSkinLoaded)
      SkinData->UpdateIndexes();
    HandleSkinCommands(message);
    return;
  }
  if (HandleScrollMessage(message)) return;
  HandleSkinCommands(message);
  // The control moved its own scroll state (keys, the wheel, its own code): the platform drew
  // its bars over ours as it did, so ours are painted again.
  if (message.Msg != SkinCommandMsg && !SelfScrolling && !ThumbTracking && ScrollStateMoved())
    UpdateScrollInfo(true);
}
