// Driver List Exporter, the plug-in that ships with the program: writes the drivers installed on
// this computer (class, description, provider, version, date, INF file) to a CSV file that the
// user picks. Every window it opens is closed before its entry point returns, because the host
// unloads the library as soon as the call is over.
#include <windows.h>
#include <commdlg.h>

#include <string>

#include "app/drivers/DriverRecords.h"
#include "PluginWindow.h"
#include "platform/Library.h"

namespace {

const char kName[] = "Driver List Exporter";
const char kClassName[] = "DkDriverListExporter";
enum : int { kExportButton = 101, kCloseButton = 102 };

HINSTANCE instance = nullptr;

// The save dialog's library is loaded when a list is exported, not with the plug-in: the program
// loads every plug-in at start-up to read its name, and loading this library took longer than
// everything else the plug-in costs there.
using TGetSaveFileName = BOOL(WINAPI*)(OPENFILENAMEA*);

// Shows the save dialog and writes the list; the outcome is reported to the user.
void ExportList(HWND owner) {
  TOwnDialogs own;
  char path[MAX_PATH] = "drivers.csv";
  OPENFILENAMEA dialog = {};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = "CSV files (*.csv)\0*.csv\0Text files (*.txt)\0*.txt\0All files\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = sizeof path;
  dialog.lpstrDefExt = "csv";
  dialog.lpstrTitle = "Export driver list";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  platform::LoadedLibrary dialogs("comdlg32.dll");
  auto getSaveFileName = dialogs.Find<TGetSaveFileName>("GetSaveFileNameA");
  if (!getSaveFileName || !getSaveFileName(&dialog)) return;

  std::vector<TDriverRecord> records = ReadDriverRecords();
  std::string text = FormatDriverCsv(records);
  HANDLE file =
      CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool ok = file != INVALID_HANDLE_VALUE &&
            WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
            written == text.size();
  DWORD error = ok ? 0 : GetLastError();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (ok) {
    std::string done = std::to_string(records.size()) + " drivers written to\r\n" + path;
    MessageBoxA(owner, done.c_str(), kName, MB_OK | MB_ICONINFORMATION);
  } else {
    std::string failed = std::string("The driver list could not be written to\r\n") + path +
                         "\r\n\r\nError " + std::to_string(error) + ".";
    MessageBoxA(owner, failed.c_str(), kName, MB_OK | MB_ICONWARNING);
  }
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE: {
      std::string summary = std::to_string(ReadDriverRecords().size()) +
                            " drivers are installed on this computer.\r\nExport writes each "
                            "one's class, description, provider, version, date and INF file.";
      AddPluginControl(wnd, "STATIC", summary.c_str(), SS_LEFT, 0, {12, 12, 336, 44}, -1);
      AddPluginControl(wnd, "BUTTON", "&Export...", BS_DEFPUSHBUTTON | WS_TABSTOP, 0,
                       {156, 66, 92, 26}, kExportButton);
      AddPluginControl(wnd, "BUTTON", "&Close", BS_PUSHBUTTON | WS_TABSTOP, 0, {256, 66, 92, 26},
                       kCloseButton);
      return 0;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == kExportButton) ExportList(wnd);
      if (LOWORD(wParam) == kCloseButton || LOWORD(wParam) == IDCANCEL) ClosePluginWindow(wnd);
      return 0;
    case WM_CLOSE:
      ClosePluginWindow(wnd);
      return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE dll, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) instance = dll;
  return TRUE;
}

__declspec(dllexport) void WINAPI PluginName(unsigned char* buffer) {
  WritePluginName(buffer, kName);
}

__declspec(dllexport) void WINAPI PluginAbout(HWND owner) {
  TOwnDialogs own;
  MessageBoxA(owner,
              "Driver List Exporter 1.0\r\n\r\nWrites the drivers installed on this computer "
              "(class, description, provider, version, date and INF file) to a CSV file of your "
              "choice, for an inventory or to compare two machines.",
              "About Driver List Exporter", MB_OK | MB_ICONINFORMATION);
}

__declspec(dllexport) void WINAPI PluginFormShow() {
  RunPluginWindow({instance, kClassName, kName, WindowProc, 360, 104}, GetActiveWindow());
}
}
