// The application object: title, icon, message loop, and the standard error box for exceptions
// that escape start-up or an event handler.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace fw {

class TForm;

class TApplication {
 public:
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }
  // Loads a Windows icon file; throws platform::FileOpenError when it cannot be read and
  // std::runtime_error when it is not an icon.
  void LoadIconFromFile(const std::string& path);

  // The form whose closing ends the program; its window owns the program's other windows.
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  // The main form's window, or null.
  HWND Handle() const;

  // Runs the message loop until Terminate.
  void Run();
  // Waits for one message and handles it; false when the program is ending (the quit message
  // is posted again for the loops further out).
  bool HandleMessage();
  // Processes the messages that are waiting, then returns.
  void ProcessMessages();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The standard error box: the exception's message, captioned with the title (or, before
  // there is one, the executable's name).
  void ShowException(const std::exception& error) const;

  ~TApplication();

 private:
  // Shortcut keys of the form's main menu, then dialog keys (Tab, Enter, Esc, access keys).
  void Dispatch(MSG& msg);

  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  std::string title_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
};

extern TApplication Application;

}  // namespace fw
