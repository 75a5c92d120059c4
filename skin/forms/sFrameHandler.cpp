#include "skin/forms/sFrameHandler.h"

#include <windowsx.h>

#include "skin/data/sSkinCommands.h"
#include "skin/forms/sFrameWindow.h"

namespace {

// The task bar asks a window for its system menu with this message (cursor position).
constexpr UINT kPopupSystemMenu = 0x0313;

POINT CursorPos() {
  POINT p{};
  GetCursorPos(&p);
  return p;
}

POINT ScreenPoint(LPARAM lParam) {
  return {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
}

// The screen point a mouse message carries: client coordinates for client messages (what the
// captured mouse sends), screen coordinates for non-client ones.
POINT MessagePoint(HWND wnd, const fw::TMessage& message) {
  POINT p = ScreenPoint(message.LParam);
  if (message.Msg != WM_NCLBUTTONUP) ClientToScreen(wnd, &p);
  return p;
}

bool OnCaptionOrIcon(WPARAM code) {
  return code == HTCAPTION || code == HTSYSMENU;
}

}  // namespace

bool TsFrameHandler::Handle(fw::TMessage& message) {
  switch (message.Msg) {
    case WM_NCHITTEST:
      return AnswerHitTest(message);
    case WM_NCLBUTTONDOWN:
      return ButtonDown(message);
    case WM_NCLBUTTONDBLCLK:
      // A title element takes the second click as a press of its own.
      if (IsTitleElement(int(message.WParam))) return ButtonDown(message);
      if (!DoubleClick(int(message.WParam))) return false;
      message.Result = 0;
      return true;
    case WM_NCRBUTTONDOWN:
      // The menu opens at the release; the platform's own tracking of the press would open its
      // own menu instead.
      return OnCaptionOrIcon(message.WParam);
    case WM_NCRBUTTONUP:
      if (!OnCaptionOrIcon(message.WParam)) return false;
      OpenSystemMenu(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
      return true;
    case kPopupSystemMenu: {
      POINT p = CursorPos();
      OpenSystemMenu(p.x, p.y);
      return true;
    }
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) != SC_KEYMENU || message.LParam != ' ') return false;
      OpenUnderIcon();
      return true;
    default:
      return Mouse(message);
  }
}

bool TsFrameHandler::AnswerHitTest(fw::TMessage& message) {
  fw::TLifeToken alive = life_.Token();
  LRESULT own = facts_.ApplicationHitTest(message);
  if (own || !alive) {
    message.Result = own;
    return true;
  }
  POINT screen = ScreenPoint(message.LParam);
  int code = facts_.HitTest(screen);
  const TsFramePaint& frame = facts_.Frame();
  RECT window;
  GetWindowRect(facts_.FrameWindow(), &window);
  bool inTitle = screen.y - window.top < frame.Layout.TitleBottom;
  // A disabled title element is answered as client: pressing it neither drags nor clicks. The
  // rest (caption, borders, menu band) is the platform's to act on.
  if (IsTitleElement(code) || code == kHitSysMenu || (code == kHitClient && inTitle) ||
      (code == kHitBottomRight && frame.GripShown)) {
    message.Result = code;
    return true;
  }
  return false;
}

bool TsFrameHandler::ButtonDown(fw::TMessage& message) {
  int code = int(message.WParam);
  if (code >= kHitTitleItem) {
    facts_.TitleItemDown(code);
  } else if (IsTitleElement(code)) {
    Press(code);
  } else if (code == kHitSysMenu) {
    OpenUnderIcon();
  } else {
    facts_.RepaintElements(buttons_.Reset());
    return false;
  }
  message.Result = 0;
  return true;
}

void TsFrameHandler::Press(int code) {
  if (!Show(buttons_.Press(code, TitleElementEnabled(facts_.Frame(), code)))) return;
  facts_.ShowHint(0);
  if (!buttons_.ButtonPressed()) return;
  SetCapture(facts_.FrameWindow());
  if (code >= kHitUserButton) facts_.UserButtonMouse(code, true);
}

void TsFrameHandler::Release(POINT screen) {
  int pressed = buttons_.Pressed();
  int under = facts_.HitTest(screen);
  const TsFormShape& form = facts_.Frame().Form;
  std::vector<int> changed;
  TsTitleCommand command = buttons_.Release(under, form.Minimized, form.Maximized, changed);
  if (GetCapture() == facts_.FrameWindow()) ReleaseCapture();
  // Before the states are shown: a released item still knows it was pressed. The events of
  // items and user buttons may free the window and this handler with it.
  fw::TLifeToken alive = life_.Token();
  if (command == TsTitleCommand::TitleItem) facts_.TitleItemUp(pressed);
  if (!alive || !Show(changed)) return;
  if (command == TsTitleCommand::UserButton) facts_.UserButtonMouse(pressed, false);
  if (alive) RunCommand(command);
}

void TsFrameHandler::RunCommand(TsTitleCommand command) {
  WPARAM sc = TitleSystemCommand(command);
  if (!sc) return;
  // The hot element belongs to the window state that is ending.
  buttons_.Reset();
  SendMessageA(facts_.FrameWindow(), WM_SYSCOMMAND, sc, 0);
}

bool TsFrameHandler::DoubleClick(int code) {
  HWND wnd = facts_.FrameWindow();
  if (code == kHitSysMenu) {
    PostMessageA(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
    return true;
  }
  if (code != kHitCaption) return false;
  const TsFramePaint& frame = facts_.Frame();
  const TsTitleButtonRules& r = frame.Inputs.Rules;
  bool restore = frame.Form.Maximized || frame.Form.Minimized;
  if (restore ? r.EnabledRestore || frame.Form.Minimized : r.EnabledMax)
    SendMessageA(wnd, WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MAXIMIZE, 0);
  return true;
}

bool TsFrameHandler::Mouse(fw::TMessage& message) {
  HWND wnd = facts_.FrameWindow();
  switch (message.Msg) {
    case WM_MOUSEMOVE:
      if (!buttons_.ButtonPressed()) return false;
      facts_.RepaintElements(buttons_.Drag(facts_.HitTest(MessagePoint(wnd, message))));
      return true;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
      if (!buttons_.ButtonPressed()) return false;
      Release(MessagePoint(wnd, message));
      return true;
    case WM_CAPTURECHANGED:
      if (buttons_.ButtonPressed()) facts_.RepaintElements(buttons_.Reset());
      return false;
    case WM_NCMOUSEMOVE: {
      int code = int(message.WParam);
      if (!IsTitleElement(code)) {
        if (Show(buttons_.SetHot(0))) facts_.ShowHint(0);
        return false;
      }
      if (!Show(buttons_.SetHot(code))) return true;
      if (!buttons_.ButtonPressed()) facts_.ShowHint(code);
      if (facts_.MouseLeaveWatched()) return true;
      TRACKMOUSEEVENT track{sizeof track, TME_LEAVE | TME_NONCLIENT, wnd, 0};
      TrackMouseEvent(&track);
      return true;
    }
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
      facts_.ShowHint(0);
      if (!buttons_.ButtonPressed()) facts_.RepaintElements(buttons_.SetHot(0));
      return false;
    default:
      return false;
  }
}

void TsFrameHandler::OpenUnderIcon() {
  RECT window;
  GetWindowRect(facts_.FrameWindow(), &window);
  const TsTitleLayout& layout = facts_.Frame().Layout;
  TPoint origin = facts_.ImageOrigin();
  OpenSystemMenu(window.left + layout.IconRect.Left - origin.X,
                 window.top + layout.TitleBottom - origin.Y);
}

void TsFrameHandler::OpenSystemMenu(int x, int y) {
  if (Show(buttons_.Reset())) facts_.PopupSystemMenu(x, y);
}

bool TsFrameHandler::Show(const std::vector<int>& changed) {
  fw::TLifeToken alive = life_.Token();
  facts_.RepaintElements(changed);
  return bool(alive);
}

bool TsFrameHandler::AnswerSkinCommand(fw::TMessage& message) {
  switch (HIWORD(message.WParam)) {
    case CmdGetBg:
      return facts_.AnswerBackground(message);
    case CmdGetBgColor:
      message.Result = facts_.BackgroundColor();
      return true;
    case CmdGetClientOffset: {
      const TsFramePaint& frame = facts_.Frame();
      TPoint offset = ClientOffset(frame.Form, frame.Metrics);
      message.Result = MAKELONG(offset.X, offset.Y);
      return true;
    }
    case CmdRepaintFrame:
      facts_.RepaintFrame(message.LParam == 1);
      return true;
    case CmdLostHot:
      facts_.RepaintElements(buttons_.Reset());
      return true;
    default:
      return false;
  }
}

bool TsFrameHandler::PassOnHidden(fw::TMessage& message) {
  HWND wnd = facts_.FrameWindow();
  LONG style = GetWindowLongA(wnd, GWL_STYLE);
  bool visible = style & WS_VISIBLE;
  if (visible) SetWindowLongA(wnd, GWL_STYLE, style & ~WS_VISIBLE);
  fw::TLifeToken alive = life_.Token();
  facts_.PassOn(message);
  if (visible) SetWindowLongA(wnd, GWL_STYLE, GetWindowLongA(wnd, GWL_STYLE) | WS_VISIBLE);
  return bool(alive);
}
