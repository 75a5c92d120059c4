// Program entry: read the configuration, set the application's title and icon, create the main
// window and run until it closes.
//
// With a package command (/export, /verify, /restore, /?) the program opens no window: it runs
// the command, writes one line per package to its standard output when it has one, and ends
// with the command's exit code. A console does not wait for a window program: DriverKeeper.com
// (app/console) runs the same commands as a console program.
//
// DK_TRACE_STARTUP in the environment stamps the start-up phases into a file
// (platform/StartupTrace.h).
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "app/console/PackageConsole.h"
#include "app/core/Configuration.h"
#include "app/core/UtilFuncs.h"
#include "app/core/WorkFolder.h"
#include "app/drivers/PackageCommand.h"
#include "app/windows/DisplayScale.h"
#include "app/windows/untMain.h"
#include "framework/Application.h"
#include "text/Paths.h"
#include "platform/Host.h"
#include "platform/StartupTrace.h"
#include "skin/data/sSkinPaths.h"

namespace {

// The output a window program has: the handle it inherited when its output is redirected, else
// the console of the command prompt that started it; null when there is neither.
HANDLE CommandOutput() {
  HANDLE inherited = GetStdHandle(STD_OUTPUT_HANDLE);
  if (inherited && inherited != INVALID_HANDLE_VALUE) return inherited;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return nullptr;
  HANDLE console =
      CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  return console == INVALID_HANDLE_VALUE ? nullptr : console;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::TraceStartup("program entered");
  const std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
  TPackageCommand command = ParsePackageCommand(args);
  if (command.kind != TPackageCommandKind::None)
    return RunPackageCommandTo(CommandOutput(), command);
  // Decided before anything asks the system for a scale: the answers depend on it.
  ApplyDisplayScale();
  // Package commands take their folders from the command line, relative ones from the folder
  // they were typed in; the window writes into its work folder. That may be the user's
  // documents, which any program of the user can write, while this one may run as an
  // administrator: libraries are never looked for in the current folder.
  SetDllDirectoryA("");
  EnterWorkFolder();
  // Controls that ask for the hand-point cursor get the system's own hand.
  platform::CurrentHost().InstallSystemHandCursor();
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    fw::Application.SetTitle(ReadApplicationTitle(ReadConfiguration()));
    platform::TraceStartup("configuration read");
    fw::Application.LoadIconFromFile(
        AddTrailingBackslash(fw::ExtractFileDir(platform::CurrentHost().ExecutablePath())) +
        "icon.ico");
    auto frmMain = std::make_unique<TfrmMain>(nullptr);
    platform::TraceStartup("main window created");
    frmMain->Show();
    platform::TraceStartup("main window shown");
    fw::Application.Run();
  } catch (const std::exception& error) {
    fw::Application.ShowException(error);
    return 1;
  }
  return 0;
}
