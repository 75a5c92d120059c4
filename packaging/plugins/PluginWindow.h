// What the shipped plug-ins share: their name in the host's length-prefixed form, their own
// window run modally over the host's, drawn at its monitor's scale, and their dialogs marked as
// the program's own. The window, and any work it started, is gone before the entry point
// returns, because the host unloads the library then.
#pragma once

#include <windows.h>

struct TPluginWindow {
  HINSTANCE instance;
  const char* className;
  const char* title;
  // Also gets WM_DPICHANGED, after the window and its controls have taken the new scale.
  WNDPROC windowProc;
  int clientWidth, clientHeight;  // at 96 DPI
  // Ends what the window still has running (a worker thread) and waits for it; called before
  // the window goes when the program quits while it is open.
  void (*endWork)() = nullptr;
};

// Writes name into the host's 256-byte buffer: its length in byte 0, the characters after it.
void WritePluginName(unsigned char* buffer, const char* name);

// Closes a plug-in window. The owner is enabled again before the window goes, so that the system
// hands the activation back to it rather than to another program.
void ClosePluginWindow(HWND wnd);

// Shows the window centred over the owner, with the owner disabled, until it is closed. The
// window opens at the owner's scale and follows its monitor's.
void RunPluginWindow(const TPluginWindow& window, HWND owner);

// Makes a control of the plug-in window at its place designed for 96 DPI, at the window's scale,
// in the window's font. The control keeps its design: it is placed again when the scale changes.
struct TDesignPlace {
  int x, y, width, height;
};
HWND AddPluginControl(HWND parent, const char* kind, const char* text, DWORD style, DWORD exStyle,
                      const TDesignPlace& design, int id);

// A length designed at 96 DPI at the plug-in window's scale.
int PluginLength(int length);

// While it lives, every dialog this thread opens (a message box, the save or the folder dialog)
// is marked as the program's own window, so that it wears the program's skin like the window
// that opens it. Dialogs other programs' plug-ins open stay unmarked and keep the platform's look.
class TOwnDialogs {
 public:
  TOwnDialogs();
  ~TOwnDialogs();
  TOwnDialogs(const TOwnDialogs&) = delete;
  TOwnDialogs& operator=(const TOwnDialogs&) = delete;

 private:
  HHOOK hook_;
};
