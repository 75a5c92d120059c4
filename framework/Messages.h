// The message record every control handles, and the framework's own message numbers.
//
// A control's WindowProc takes a TMessage by reference and leaves its answer in Result. Windowed
// controls turn each call of their window procedure into one such record, so a handler that is
// put in front of WindowProc sees platform messages and direct Perform calls alike.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <type_traits>

namespace fw {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

// A message handler. Copies share one handler: every skin layer keeps the previous WindowProc
// inside its own, so copying a chain for each message (which a window procedure does, because a
// handler may replace WindowProc while it runs) must not copy every layer below it.
class TWndMethod {
 public:
  TWndMethod() = default;
  TWndMethod(std::nullptr_t) {}
  template <class F, class = std::enable_if_t<!std::is_same_v<std::decay_t<F>, TWndMethod> &&
                                              std::is_invocable_v<F&, TMessage&>>>
  TWndMethod(F handler)
      : handler_(std::make_shared<const std::function<void(TMessage&)>>(std::move(handler))) {}

  void operator()(TMessage& message) const { (*handler_)(message); }
  explicit operator bool() const { return handler_ && *handler_; }
  // The handler as the function object it was made from, or null when it is of another type: a
  // handler that put itself in front can tell whether it is still the front one.
  template <class F>
  const F* target() const {
    return handler_ ? handler_->template target<F>() : nullptr;
  }

 private:
  std::shared_ptr<const std::function<void(TMessage&)>> handler_;
};

// Messages of the framework itself, above WM_APP and clear of the skin command range (0xA000+).
// Controls send them to themselves through WindowProc after the change they report, so that a
// handler in front sees them; the numbers follow the component model's usual table.
inline constexpr UINT CM_BASE = 0xB000;
// Sent to every control below a container when the platform cancels modes (a box opened, the
// capture was taken): pressed and dropped-down states end.
inline constexpr UINT CM_CANCELMODE = CM_BASE + 4;
// An access key (Alt + character, wParam) offered to the controls of a form; Result 1 takes it.
inline constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;
// Broadcast down a form when a control (lParam) took the focus.
inline constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;
// wParam is the new Visible value.
inline constexpr UINT CM_VISIBLECHANGED = CM_BASE + 11;
inline constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 12;
inline constexpr UINT CM_FONTCHANGED = CM_BASE + 14;
inline constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
// The mouse entered or left a control; lParam is that control. A control passes both on to its
// parent, so a form hears about every control under it.
inline constexpr UINT CM_MOUSEENTER = CM_BASE + 19;
inline constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
// Sent to a form after its main menu changed.
inline constexpr UINT CM_MENUCHANGED = CM_BASE + 21;
// Visible and every parent visible changed; wParam is the new Showing value. A form's window is
// shown or hidden by the default handling of this message, so a handler in front of it acts
// before and after the window appears.
inline constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 25;
// Posted to a form by Release(): the form deletes itself once the handler that asked has ended.
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
// Sent to a container: wParam is a control, lParam 1 when it was inserted, 0 when it is about to
// be removed.
inline constexpr UINT CM_CONTROLLISTCHANGE = CM_BASE + 44;
// RecreateWnd asks through this message; its default handling destroys and remakes the window.
inline constexpr UINT CM_RECREATEWND = CM_BASE + 51;

// Notifications that a parent reflects back to the child control they concern, with the
// original parameters. An unanswered one gets the parent's platform default for the original.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
inline constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
inline constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
inline constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
inline constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
inline constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
inline constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
inline constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
inline constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
inline constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
inline constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
inline constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
// Key presses offered to the focused control by the message loop before anything else; a
// non-zero Result consumes the key.
inline constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
inline constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;

}  // namespace fw
