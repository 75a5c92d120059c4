// The few operating-system services that the application core needs, behind one small interface.
// The Win32 build installs the real implementation; native unit tests install a fake.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

enum class Cursor { Default, HourGlass, HandPoint };

// Message box flags, with the values of the Win32 MB_* constants they stand for.
enum MessageBoxFlags : unsigned {
  MbOk = 0x00,
  MbIconError = 0x10,
  MbIconQuestion = 0x20,
  MbIconWarning = 0x30,
  MbIconInformation = 0x40,
};

// A file that could not be opened or read. The message names the full path and the system's
// reason: Cannot open file "C:\x\lamecore.dll". The system cannot find the file specified.
class FileOpenError : public std::runtime_error {
 public:
  FileOpenError(const std::string& path, const std::string& reason);
};

class Host {
 public:
  virtual ~Host() = default;
  // Full path of the running executable.
  virtual std::string ExecutablePath() = 0;
  // The whole content of a file; throws FileOpenError when it cannot be opened or read.
  virtual std::string ReadFile(const std::string& path) = 0;
  // The shell's "Open" verb on a web address, file or folder; the outcome is not reported.
  virtual void ShellOpen(const std::string& target) = 0;
  // The application-wide cursor shown over the program's windows.
  virtual void SetScreenCursor(Cursor cursor) = 0;
  virtual Cursor ScreenCursor() = 0;
  // Makes the hand-point cursor the system's standard hand (IDC_HAND).
  virtual void InstallSystemHandCursor() = 0;
  // A modal message box; owner is a window handle or null. Returns the button pressed.
  virtual int ShowMessage(void* owner, const std::string& text, const std::string& caption,
                          unsigned flags) = 0;
};

// The host in use. Defaults to the real one of the platform the program was built for.
Host& CurrentHost();
// Installs another host (tests); null restores the default. Returns the previous one.
Host* SetHost(Host* host);

}  // namespace platform
