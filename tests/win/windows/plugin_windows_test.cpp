// The plug-ins in front of the user: the plug-in manager window.
#include <windows.h>

#include <commctrl.h>

#include "app/windows/untPluginSet.h"
#include "tests/win/windows/MainWindowFixture.h"

using namespace fw;

namespace {

using testing_support::MainWindowTest;

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
