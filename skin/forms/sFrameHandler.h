// What a skinned frame does under the mouse and the keyboard, written once for every window that
// shows one: a form's provider and a system dialog's adapter own a handler and give it their
// messages; the border window passes its clicks to its form, whose provider's handler acts on
// them, and asks that handler what a double-click on the caption means.
//
// The handler answers hit tests for the title's elements, runs the title buttons from their press
// to their release (the system command a release stands for, or the user button's events), turns
// a double-click on the caption into maximise or restore and one on the icon into close, opens
// the system menu under the icon, at a right click on the caption, at Alt+Space and at the task
// bar's request, and answers the skin commands that every skinned frame answers alike. What it
// needs to know or to have done it asks of its window through TsFrameFacts.
#pragma once

#include <windows.h>

#include <vector>

#include "framework/Lifetime.h"
#include "framework/Messages.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sWindowImage.h"

// The facts and services of the window whose frame is handled.
class TsFrameFacts {
 public:
  // The window that shows the frame.
  virtual HWND FrameWindow() const = 0;
  // The frame as last laid out: the window's shape and state, the title's layout and rules.
  virtual const TsFramePaint& Frame() const = 0;
  // Where the window image's corner lies left of and above the window's own (a border window
  // shows a larger frame around the window).
  virtual TPoint ImageOrigin() const { return {}; }
  // The element under a point of the screen.
  virtual int HitTest(POINT screen) = 0;
  // Paints these title elements in the states the handler's buttons give them.
  virtual void RepaintElements(const std::vector<int>& codes) = 0;
  // Paints the frame on the screen again; imageChanged: the window image is painted anew first.
  virtual void RepaintFrame(bool imageChanged) = 0;
  // Shows the window's own system menu at a point of the screen.
  virtual void PopupSystemMenu(int x, int y) = 0;
  // Passes a message on to the window's own handling.
  virtual void PassOn(fw::TMessage& message) = 0;
  // Fills the background question of a child (the message's lParam); false leaves it to the
  // window's own handling.
  virtual bool AnswerBackground(fw::TMessage& message) = 0;
  virtual LRESULT BackgroundColor() = 0;

  // The application's own answer to a hit test; 0 lets the frame answer.
  virtual LRESULT ApplicationHitTest(fw::TMessage&) { return 0; }
  // Shows the hint of the title element under the mouse (0: none).
  virtual void ShowHint(int) {}
  // A title bar item was pressed: it runs its own press.
  virtual void TitleItemDown(int) {}
  // The left button went up over the title bar item that it pressed.
  virtual void TitleItemUp(int) {}
  // The left button went down on, or up over, the user title button code (1000 + index).
  virtual void UserButtonMouse(int, bool) {}
  // Another window (the border window) watches the mouse leaving the title.
  virtual bool MouseLeaveWatched() const { return false; }

 protected:
  ~TsFrameFacts() = default;
};

class TsFrameHandler {
 public:
  explicit TsFrameHandler(TsFrameFacts& facts) : facts_(facts) {}
  TsFrameHandler(const TsFrameHandler&) = delete;
  TsFrameHandler& operator=(const TsFrameHandler&) = delete;

  // Which element is hot and which is pressed.
  TsTitleButtonStates& Buttons() { return buttons_; }
  const TsTitleButtonStates& Buttons() const { return buttons_; }

  // Hit tests, the title's mouse messages and the system menu's requests; true when the message
  // is answered, false when the window's own handling goes on with it.
  bool Handle(fw::TMessage& message);
  // The skin commands every skinned frame answers alike; false for the others.
  bool AnswerSkinCommand(fw::TMessage& message);
  // A double-click on the caption maximises, or restores a maximised or minimised window (as its
  // rules allow; a minimised window always comes back); one on the icon closes the window.
  // False, with nothing done, for any other element.
  bool DoubleClick(int code);
  // Opens the system menu at a point of the screen, with nothing of the title lit or pressed.
  void OpenSystemMenu(int x, int y);
  // Passes a message on with the window marked invisible: the platform paints its own caption
  // when the text or the icon changes, and must not, over the skin's. False when the window's
  // handling freed the handler's owner.
  bool PassOnHidden(fw::TMessage& message);

 private:
  bool AnswerHitTest(fw::TMessage& message);
  bool ButtonDown(fw::TMessage& message);
  void Press(int code);
  void Release(POINT screen);
  void RunCommand(TsTitleCommand command);
  bool Mouse(fw::TMessage& message);
  void OpenUnderIcon();
  // RepaintElements; false when a title item's event freed the handler's owner meanwhile.
  bool Show(const std::vector<int>& changed);

  TsFrameFacts& facts_;
  TsTitleButtonStates buttons_;
  // The handler goes with its owner, which a user's event or the window's handling may free.
  fw::TLifetime life_;
};
