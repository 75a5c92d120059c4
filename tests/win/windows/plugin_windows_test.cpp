// The plug-ins in front of the user, with two real test plug-ins: the plug-in manager window
// and its place over the main window.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "app/windows/untPluginSet.h"
#include "tests/win/windows/MainWindowFixture.h"

using namespace fw;

namespace {

using testing_support::MainWindowTest;
using testing_support::MainWindowWithPluginsTest;

// Runs the action on the plug-in manager once its modal window shows, from a timer of the modal
// loop. After ten seconds without one the loop is ended instead.
std::function<void(TfrmPlugin&)> whenManagerShows;
int ticksLeft = 0;

void CALLBACK WatchForManager(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND wnd = FindWindowA("TfrmPlugin", nullptr);
  if (wnd && IsWindowVisible(wnd)) {
    KillTimer(nullptr, timer);
    whenManagerShows(*dynamic_cast<TfrmPlugin*>(TWinControl::FromHandle(wnd)));
  } else if (--ticksLeft == 0) {
    KillTimer(nullptr, timer);
    PostQuitMessage(0);
  }
}

void WhenManagerShows(std::function<void(TfrmPlugin&)> action) {
  whenManagerShows = std::move(action);
  ticksLeft = 200;
  SetTimer(nullptr, 0, 50, WatchForManager);
}

POINT Centre(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

TEST_F(MainWindowWithPluginsTest, TheManagerOpensOwnedByTheMainWindowCentredOnItAndGoesOnClose) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  form->SetBounds(40, 30, form->Width(), form->Height());
  HWND shown = nullptr, owner = nullptr;
  POINT centre{};
  WhenManagerShows([&](TfrmPlugin& manager) {
    shown = manager.Handle();
    owner = GetWindow(shown, GW_OWNER);
    centre = Centre(shown);
    manager.Button3->SendMessage(BM_CLICK);
  });
  form->SendMessage(WM_COMMAND, form->N11->Command());
  ASSERT_NE(shown, nullptr) << "no plug-in manager showed";
  EXPECT_EQ(owner, form->Handle());
  POINT mainCentre = Centre(form->Handle());
  EXPECT_NEAR(centre.x, mainCentre.x, 1);
  EXPECT_NEAR(centre.y, mainCentre.y, 1);
  EXPECT_FALSE(IsWindow(shown)) << "the manager stays after closing";
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
}

TEST_F(MainWindowTest, TheManagersPictureOutlivesItsListViewsWindow) {
  TfrmPlugin manager(nullptr);
  auto images =
      reinterpret_cast<HIMAGELIST>(manager.lv->SendMessage(LVM_GETIMAGELIST, LVSIL_SMALL));
  ASSERT_NE(images, nullptr);
  manager.lv->SetParent(nullptr);  // the list view's window goes; the form still holds the list
  int width = 0, height = 0;
  EXPECT_TRUE(ImageList_GetIconSize(images, &width, &height));
  EXPECT_EQ(width, 16);
}

}  // namespace
