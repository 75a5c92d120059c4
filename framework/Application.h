// The application object: title, icon, message loop, and the standard error box for exceptions
// that escape start-up or an event handler.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace fw {

class TForm;
struct TMessage;

// A handler that sees the main form's messages before the form; true consumes the message.
using TWindowHook = std::function<bool(TMessage& message)>;

class TApplication {
 public:
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }
  // Loads a Windows icon file; throws platform::FileOpenError when it cannot be read and
  // std::runtime_error when it is not an icon.
  void LoadIconFromFile(const std::string& path);
  // A new icon of size pixels square from the loaded icon file's image for that size, which the
  // caller destroys; null when no file was loaded.
  HICON MakeIcon(int size) const;

  // The form whose closing ends the program; its window owns the program's other windows.
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  // The main form's window, or null.
  HWND Handle() const;

  // The forms that exist, in the order they were made.
  int FormCount() const { return static_cast<int>(forms_.size()); }
  TForm* Forms(int index) const { return forms_[index]; }
  // Called by every form as it is made and released.
  void AddForm(TForm* form) { forms_.push_back(form); }
  void RemoveForm(TForm* form);

  // Hooks into the main form's window procedure, ahead of its WindowProc; the id removes it.
  int HookMainWindow(TWindowHook hook);
  void UnhookMainWindow(int id);
  // Runs the hooks in the order they were added; true when one consumed the message.
  bool RunMainWindowHooks(TMessage& message);

  // Runs the message loop until Terminate.
  void Run();
  // Waits for one message and handles it; false when the program is ending (the quit message
  // is posted again for the loops further out).
  bool HandleMessage();
  // Processes the messages that are waiting, then returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Frees object once the outermost message that the message loop is dispatching now has
  // returned: a window procedure may let go of what it runs in, and the object outlives every
  // modal loop inside that message. Let go of outside any message, it waits for the end of the
  // next one.
  void FreeAfterMessage(std::shared_ptr<void> object);

  // The standard error box: the exception's message, captioned with the title (or, before
  // there is one, the executable's name).
  void ShowException(const std::exception& error) const;
  // Keeps the error to show it once the message loop has the control again: raised while
  // painting, a box opened at once would paint into the same error. Only the first error of a
  // burst is kept, none arriving while the box is open, and none repeating the last one shown.
  void ShowExceptionLater(const std::exception& error);

  ~TApplication();

 private:
  // Hands a message to its window once the form's shortcut keys and dialog keys (Tab, Enter,
  // Esc, access keys) did not take it; what was let go of inside it is freed when the outermost
  // message returns.
  void Dispatch(MSG& msg);
  void DispatchOne(MSG& msg);
  // Shows the error kept by ShowExceptionLater, if any.
  void ReportPendingException();

  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::string title_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
  std::string iconPath_, iconFile_;
  std::vector<TForm*> forms_;
  std::vector<std::pair<int, std::shared_ptr<TWindowHook>>> hooks_;
  int nextHookId_ = 1;
  std::string pendingError_;
  std::string lastLaterError_;  // a paint that fails every time is reported once
  bool reporting_ = false;
  int dispatchDepth_ = 0;
  std::vector<std::shared_ptr<void>> freeAfterMessage_;
};

extern TApplication Application;

// Messages whose parameters are this thread's own pointers or handles (an engine above plugs in
// which ones; none while empty). Only this thread's own SendMessage may deliver them: posted to the
// queue they are dropped by the message loop, and sent by another thread or process they are
// refused at the window procedure (RefusedFromElsewhere), since any program on the desktop can
// address our windows.
using TMessageTest = std::function<bool(UINT msg, WPARAM wParam, LPARAM lParam)>;
TMessageTest& ThreadPrivateMessages();
bool IsThreadPrivate(UINT msg, WPARAM wParam, LPARAM lParam);
// True for a thread-private message that another thread or process sent to the window procedure
// now running: it is to be answered 0 and not obeyed.
bool RefusedFromElsewhere(UINT msg, WPARAM wParam, LPARAM lParam);

// Marks this thread's own send of a thread-private message, by its lParam, for the send's
// duration. A send nested in the handling of another thread's message reads to the platform as
// sent from elsewhere too; the mark lets it in.
class TOwnSend {
 public:
  explicit TOwnSend(LPARAM lParam);
  ~TOwnSend();
  TOwnSend(const TOwnSend&) = delete;
  TOwnSend& operator=(const TOwnSend&) = delete;
};

}  // namespace fw
