// The application object: title, icon, message loop, and the standard error box for exceptions
// that escape start-up or an event handler.
#pragma once

#include <windows.h>

#include <exception>
#include <string>

namespace fw {

class TApplication {
 public:
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }

  HICON Icon() const { return icon_; }
  HICON SmallIcon() const { return smallIcon_; }
  // Loads a Windows icon file; throws platform::FileOpenError when it cannot be read and
  // std::runtime_error when it is not an icon.
  void LoadIconFromFile(const std::string& path);

  // Runs the message loop until the last top-level window of the program has gone.
  void Run();
  // Processes the messages that are waiting, then returns.
  void ProcessMessages();
  void Terminate() { PostQuitMessage(0); }

  // The standard error box: the exception's message, captioned with the title (or, before
  // there is one, the executable's name).
  void ShowException(const std::exception& error) const;

  ~TApplication();

 private:
  std::string title_;
  HICON icon_ = nullptr;
  HICON smallIcon_ = nullptr;
};

extern TApplication Application;

}  // namespace fw
