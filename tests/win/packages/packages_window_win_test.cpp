// The Driver packages window while a job runs, loaded as the program loads it (and unloaded
// after): the window answers at once while a 1 GB file is verified, shows that file and the
// line of each package that is done, Cancel ends the job as cancelled, and closing the window
// or quitting the program waits for the worker, which no longer holds the file afterwards.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "app/plugins/untPlugin.h"
#include "packaging/plugins/DriverPackagesControls.h"
#include "tests/win/packages/TestPackages.h"

namespace {

using namespace driver_packages;
using testing_support::TestPackages;

const char kTitle[] = "Driver packages";

bool WaitUntil(const std::function<bool()>& condition, int seconds) {
  for (int i = 0; i < seconds * 100; ++i) {
    if (condition()) return true;
    Sleep(10);
  }
  return condition();
}

// The window as a test thread drives it: by posted clicks and by messages that time out. The
// limit only stops a hung window from hanging the test; that the window answers while its worker
// runs is shown by the worker still holding the file it reads after each answer.
constexpr UINT kHungAfterMs = 2000;
struct Window {
  HWND wnd = nullptr;

  HWND Item(int id) const { return GetDlgItem(wnd, id); }
  // The text of a control, or "<no answer>" when the window does not answer at all.
  std::string Text(int id) const {
    char text[512] = "";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(Item(id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                             SMTO_ABORTIFHUNG, kHungAfterMs, &length))
      return "<no answer>";
    return std::string(text, length);
  }
  std::vector<std::string> Results() const {
    std::vector<std::string> lines;
    LRESULT count = SendMessageA(Item(kResults), LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char line[1024] = "";
      SendMessageA(Item(kResults), LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
      lines.push_back(line);
    }
    return lines;
  }
  void Click(int id) const {
    PostMessageA(wnd, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Item(id)));
  }
  // Verifies the folder and waits until the worker reads the large file.
  void VerifyUntilBigFile(const TestPackages& packages) const {
    SendMessageA(Item(kFolder), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(packages.root.c_str()));
    Click(kVerify);
    std::string reading = packages.big + ": big.bin";
    ASSERT_TRUE(WaitUntil([&] { return Text(kStatus) == reading; }, 60)) << Text(kStatus);
  }
};

// Runs the plug-in's window on this thread, as the program does, while drive acts on it from
// another thread.
void WithWindow(const std::function<void(const Window&)>& drive) {
  std::thread driver([&] {
    Window window;
    // Shown once its controls are made and its list filled.
    auto shown = [&] {
      window.wnd = FindWindowA(nullptr, kTitle);
      return window.wnd && IsWindowVisible(window.wnd);
    };
    if (!WaitUntil(shown, 60)) {
      ADD_FAILURE() << "the window did not open";
      return;
    }
    drive(window);
    // After a failed step too: the window goes, once its worker has ended.
    if (IsWindow(window.wnd)) PostMessageA(window.wnd, WM_CLOSE, 0, 0);
  });
  ShowPluginForm(DK_PACKAGES_PLUGIN);
  driver.join();
}

TEST(DriverPackagesWindowTest, AnswersWhileVerifyingAndCancels) {
  TestPackages packages("window");
  WithWindow([&](const Window& window) {
    window.VerifyUntilBigFile(packages);
    // The worker reads the large file for seconds meanwhile: every answer comes while it still
    // holds that file, not after it let go.
    for (int probe = 0; probe < 5; ++probe) {
      DWORD_PTR answer = 0;
      EXPECT_TRUE(
          SendMessageTimeoutA(window.wnd, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kHungAfterMs, &answer))
          << "probe " << probe;
      EXPECT_EQ(window.Text(kStatus), packages.big + ": big.bin") << "probe " << probe;
      EXPECT_FALSE(packages.BigFileFree()) << "probe " << probe;
      Sleep(50);
    }
    EXPECT_EQ(window.Results(),
              std::vector<std::string>{"OK    " + packages.small + ": verified 2 files"});
    EXPECT_EQ(SendMessageA(window.Item(kProgress), PBM_GETPOS, 0, 0), 1);
    EXPECT_FALSE(IsWindowEnabled(window.Item(kVerify)));
    EXPECT_FALSE(IsWindowEnabled(window.Item(kFolder)));

    window.Click(kCancel);
    EXPECT_TRUE(WaitUntil(
        [&] { return window.Text(kStatus) == "2 packages, 1 failed, then cancelled."; }, 60))
        << window.Text(kStatus);
    std::vector<std::string> results = window.Results();
    ASSERT_EQ(results.size(), 2u);
    EXPECT_TRUE(results[1].starts_with("FAIL  " + packages.big + ": ")) << results[1];
    EXPECT_TRUE(results[1].ends_with("verification cancelled")) << results[1];
    EXPECT_EQ(SendMessageA(window.Item(kProgress), PBM_GETPOS, 0, 0), 2);
    EXPECT_TRUE(IsWindowEnabled(window.Item(kVerify)));
    EXPECT_FALSE(IsWindowEnabled(window.Item(kCancel)));
    EXPECT_TRUE(packages.BigFileFree());
    window.Click(kClose);
  });
  EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
}

// The folder proposed is the current folder's "Packages", beside the backup tree, not the
// program's folder (the tests' own).
TEST(DriverPackagesWindowTest, ProposesThePackagesFolderOfTheCurrentFolder) {
  char previous[MAX_PATH], temp[MAX_PATH];
  ASSERT_TRUE(GetCurrentDirectoryA(MAX_PATH, previous));
  ASSERT_TRUE(GetTempPathA(MAX_PATH, temp));
  const std::string work = std::string(temp) + "dk-packages-work";
  CreateDirectoryA(work.c_str(), nullptr);
  ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  std::string proposed;
  WithWindow([&](const Window& window) {
    proposed = window.Text(kFolder);
    window.Click(kClose);
  });
  SetCurrentDirectoryA(previous);
  RemoveDirectoryA(work.c_str());
  EXPECT_EQ(proposed, std::string(current) + "\\Packages");
}

RECT PlaceInWindow(HWND control) {
  RECT place;
  GetWindowRect(control, &place);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&place), 2);
  return place;
}

LONG FontHeight(HWND control) {
  LOGFONTA font = {};
  GetObjectA(reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)), sizeof font, &font);
  return font.lfHeight;
}

// Check images a skin put into the list are the skin's: a scale change leaves them in place and
// does not free them.
TEST(DriverPackagesWindowTest, LeavesCheckImagesItDidNotMakeToTheirMaker) {
  HIMAGELIST skins = ImageList_Create(13, 13, ILC_COLOR32 | ILC_MASK, 2, 0);
  WithWindow([&](const Window& window) {
    HWND list = window.Item(kList);
    HIMAGELIST platform = ListView_SetImageList(list, skins, LVSIL_STATE);
    RECT suggested = {40, 20, 40 + 840, 20 + 705};
    SendMessageA(window.wnd, WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(ListView_GetImageList(list, LVSIL_STATE), skins);
    int side = 0, height = 0;
    EXPECT_TRUE(ImageList_GetIconSize(skins, &side, &height)) << "still alive";
    EXPECT_EQ(side, 13);
    ListView_SetImageList(list, platform, LVSIL_STATE);
    window.Click(kClose);
  });
  ImageList_Destroy(skins);
}

// A move to monitors of other scales, as the system tells it, and back: the window takes the
// suggested rectangle, its controls their designed places at the scale and a font made for it,
// the list its column; back at 96 DPI everything is as it was made.
TEST(DriverPackagesWindowTest, FollowsTheScaleOfItsMonitorAndComesBackExactly) {
  HDC screen = GetDC(nullptr);
  ASSERT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96) << "the table is for a display at 96 DPI";
  ReleaseDC(nullptr, screen);
  struct Row {
    int dpi;
    RECT close, results;
    int column, extent;
    LONG font;
    int checkSide;
  };
  const Row rows[] = {
      {144, {699, 357, 822, 396}, {18, 474, 822, 642}, 765, 2400, -17, 24},
      {120, {583, 298, 686, 331}, {15, 395, 685, 535}, 638, 2000, -14, 20},
      {192, {932, 476, 1096, 528}, {24, 632, 1096, 856}, 1020, 3200, -22, 32},
      {96, {466, 238, 548, 264}, {12, 316, 548, 428}, 510, 1600, -11, 16},
  };
  WithWindow([&](const Window& window) {
    const LONG stockFont = FontHeight(window.Item(kExport));
    EXPECT_EQ(stockFont, -11);
    HWND list = window.Item(kList);
    std::vector<BOOL> checks;
    for (int i = 0, n = ListView_GetItemCount(list); i < n; ++i)
      checks.push_back(ListView_GetCheckState(list, i));
    for (const Row& row : rows) {
      SCOPED_TRACE(row.dpi);
      RECT suggested = {30 + row.dpi, 20, 30 + row.dpi + 560 * row.dpi / 96,
                        20 + 470 * row.dpi / 96};
      SendMessageA(window.wnd, WM_DPICHANGED, MAKEWPARAM(row.dpi, row.dpi),
                   reinterpret_cast<LPARAM>(&suggested));
      RECT now;
      GetWindowRect(window.wnd, &now);
      EXPECT_TRUE(EqualRect(&now, &suggested));
      RECT close = PlaceInWindow(window.Item(kClose)),
           results = PlaceInWindow(window.Item(kResults));
      EXPECT_TRUE(EqualRect(&close, &row.close))
          << close.left << "," << close.top << "," << close.right << "," << close.bottom;
      EXPECT_TRUE(EqualRect(&results, &row.results))
          << results.left << "," << results.top << "," << results.right << "," << results.bottom;
      EXPECT_EQ(SendMessageA(window.Item(kList), LVM_GETCOLUMNWIDTH, 0, 0), row.column);
      EXPECT_EQ(SendMessageA(window.Item(kResults), LB_GETHORIZONTALEXTENT, 0, 0), row.extent);
      for (int id : {kExport, kFolder, kStatus, kResults})
        EXPECT_EQ(FontHeight(window.Item(id)), row.font) << "control " << id;
      int side = 0, height = 0;
      ImageList_GetIconSize(ListView_GetImageList(list, LVSIL_STATE), &side, &height);
      EXPECT_EQ(side, row.checkSide);
      EXPECT_EQ(height, row.checkSide);
      EXPECT_EQ(ImageList_GetImageCount(ListView_GetImageList(list, LVSIL_STATE)), 2);
      for (int i = 0; i < int(checks.size()); ++i)
        EXPECT_EQ(ListView_GetCheckState(list, i), checks[size_t(i)]) << "row " << i;
    }
    EXPECT_EQ(reinterpret_cast<HGDIOBJ>(SendMessageA(window.Item(kClose), WM_GETFONT, 0, 0)),
              GetStockObject(DEFAULT_GUI_FONT))
        << "back at the system's scale the stock font again";
    window.Click(kClose);
  });
}

TEST(DriverPackagesWindowTest, ClosingWhileBusyWaitsForTheWorker) {
  TestPackages packages("closing");
  WithWindow([&](const Window& window) {
    window.VerifyUntilBigFile(packages);
    PostMessageA(window.wnd, WM_CLOSE, 0, 0);
    // The window stays, answering, until the worker has finished the file at hand.
    Sleep(200);
    EXPECT_TRUE(IsWindow(window.wnd));
    EXPECT_EQ(window.Text(kStatus), packages.big + ": big.bin");
    EXPECT_FALSE(packages.BigFileFree());
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(window.wnd); }, 60));
  });
  EXPECT_TRUE(packages.BigFileFree());
}

// The program quits while a job runs: the entry point returns only when the worker has ended,
// and leaves the quit request for the program's own loop.
TEST(DriverPackagesWindowTest, QuittingWhileBusyWaitsForTheWorker) {
  TestPackages packages("quitting");
  DWORD thread = GetCurrentThreadId();
  WithWindow([&](const Window& window) {
    window.VerifyUntilBigFile(packages);
    PostThreadMessageA(thread, WM_QUIT, 7, 0);
  });
  EXPECT_TRUE(packages.BigFileFree());
  EXPECT_EQ(FindWindowA(nullptr, kTitle), nullptr);
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 7u);
}

}  // namespace
