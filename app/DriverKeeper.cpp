// Program entry: read the configuration, set the application's title and icon, create the main
// window and run until it closes.
//
// "/exit-when-shown" on the command line ends the program as soon as the main window is on the
// screen and painted, after printing "shown": the start-up timing (bench/startup) runs it so.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "app/core/Configuration.h"
#include "app/core/UtilFuncs.h"
#include "app/windows/untMain.h"
#include "framework/Application.h"
#include "framework/Paths.h"
#include "platform/Host.h"
#include "skin/data/sSkinPaths.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  // Controls that ask for the hand-point cursor get the system's own hand.
  platform::CurrentHost().InstallSystemHandCursor();
  INITCOMMONCONTROLSEX controls = {sizeof controls,
                                   ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  try {
    fw::Application.SetTitle(ReadApplicationTitle(ReadConfiguration()));
    fw::Application.LoadIconFromFile(
        AddTrailingBackslash(fw::ExtractFileDir(platform::CurrentHost().ExecutablePath())) +
        "icon.ico");
    auto frmMain = std::make_unique<TfrmMain>(nullptr);
    frmMain->Show();
    const std::vector<std::string> args = SplitCommandLine(GetCommandLineA());
    if (std::find(args.begin(), args.end(), "/exit-when-shown") != args.end()) {
      fw::Application.ProcessMessages();
      std::puts("shown");
      std::fflush(stdout);
      return 0;
    }
    fw::Application.Run();
  } catch (const std::exception& error) {
    fw::Application.ShowException(error);
    return 1;
  }
  return 0;
}
