// The plug-ins in front of the user, with two real test plug-ins: the Plugin menu, and the
// plug-in manager window with its list, its About button and its place over the main window.
#include <windows.h>

#include <commctrl.h>

#include <functional>

#include "app/windows/untPluginSet.h"
#include "tests/win/plugins/TestPluginRecords.h"
#include "tests/win/windows/MainWindowFixture.h"

using namespace fw;

namespace {

using testing_support::Counter;
using testing_support::MainWindowTest;
using testing_support::MainWindowWithPluginsTest;
using testing_support::OwnerText;
using testing_support::Recorded;

POINT RowPoint(TListView& list, int row) {
  RECT bounds{LVIR_BOUNDS, 0, 0, 0};
  list.SendMessage(LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&bounds));
  return {bounds.left + 20, (bounds.top + bounds.bottom) / 2};
}

// The left mouse button's messages at a point of the list, handled as they arrive.
void Mouse(TListView& list, POINT at, std::initializer_list<UINT> messages) {
  for (UINT message : messages)
    PostMessageA(list.Handle(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON,
                 MAKELPARAM(at.x, at.y));
  Application.ProcessMessages();
}

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

TEST_F(MainWindowWithPluginsTest, EachPluginMenuItemCallsItsOwnLibrary) {
  form = std::make_unique<TfrmMain>(nullptr);
  ASSERT_TRUE(form->N3->Visible());
  ASSERT_EQ(form->N3->Count(), 4);
  EXPECT_EQ(form->N3->Items(2)->Caption(), "Test Plugin One");
  EXPECT_EQ(form->N3->Items(3)->Caption(), "Test Plugin Two");
  form->SendMessage(WM_COMMAND, form->N3->Items(3)->Command());
  EXPECT_EQ(Counter("DK_TEST_FORM_SHOWS_TWO"), 1);
  EXPECT_EQ(Counter("DK_TEST_FORM_SHOWS"), 0);
  form->SendMessage(WM_COMMAND, form->N3->Items(2)->Command());
  EXPECT_EQ(Counter("DK_TEST_FORM_SHOWS"), 1);
  EXPECT_EQ(Counter("DK_TEST_FORM_SHOWS_TWO"), 1);
}

TEST_F(MainWindowWithPluginsTest, TheManagersAboutWaitsForAClickedRowAndADoubleClickOpensIt) {
  form = std::make_unique<TfrmMain>(nullptr);
  TfrmPlugin manager(nullptr);
  manager.Show();
  TListView& list = *manager.lv;
  ASSERT_EQ(list.Count(), 2);
  EXPECT_EQ(list.Items(1).Caption(), "second.dll");
  EXPECT_EQ(list.Items(1).SubItem(0), "Test Plugin Two");
  EXPECT_EQ(list.Items(1).SubItem(1), pluginDir + "second.dll");
  EXPECT_FALSE(manager.btnPluginInfo->Enabled());

  Mouse(list, {20, list.Height() - 10}, {WM_LBUTTONDOWN, WM_LBUTTONUP});
  EXPECT_FALSE(manager.btnPluginInfo->Enabled()) << "a click below the rows";
  Mouse(list, RowPoint(list, 1), {WM_LBUTTONDOWN, WM_LBUTTONUP});
  EXPECT_TRUE(manager.btnPluginInfo->Enabled());

  Mouse(list, RowPoint(list, 1), {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP});
  EXPECT_EQ(Recorded("DK_TEST_ABOUT_OWNER_TWO"), OwnerText(form->Handle()));
  EXPECT_EQ(Recorded("DK_TEST_ABOUT_OWNER"), "");
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
