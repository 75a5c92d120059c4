// Scenarios of skinned controls on a real form, one per flow: a checked pop-up menu item as the
// menu painter draws it (its check mark, or its picture on a pressed plate instead), a pop-up
// item's shortcut column and a disabled item faded into the menu's background, the list
// header's hot and pressed columns, a press on a divider and the empty column right of the last
// one; and the status bar's simple mode.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "skin/controls/sSkinableMenus.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/controls/veStatusBarWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

// What the screen shows of a window's client area.
img::Bitmap32 ClientShot(HWND wnd) {
  RECT r;
  GetClientRect(wnd, &r);
  img::Bitmap32 shot(r.right, r.bottom);
  HDC dc = GetDC(wnd);
  BitBlt(shot.DC(), 0, 0, r.right, r.bottom, dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  return shot;
}

// Whether two pictures agree in the columns [left, right).
bool SameColumns(const img::Bitmap32& a, const img::Bitmap32& b, int left, int right) {
  for (int y = 0; y < std::min(a.Height(), b.Height()); ++y)
    for (int x = left; x < right; ++x) {
      const img::TRGBAPixel &p = a.Pixel(x, y), &q = b.Pixel(x, y);
      if (p.R != q.R || p.G != q.G || p.B != q.B) return false;
    }
  return true;
}

struct ScenarioWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetThirdParty(TveThirdKind::ListViews, "TListView\r\n");
    manager->SetThirdParty(TveThirdKind::StatusBar, "TStatusBar\r\n");
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(420, 260);
    form->SetBounds(40, 40, form->Width(), form->Height());
    // The painter takes over the menus the form has when the skin comes.
    menu = new TPopupMenu(form.get());
    item = new TMenuItem(form.get());
    item->SetCaption("Save");
    menu->Items()->Add(item);
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    list = new TListView(form.get());
    list->SetBounds(10, 10, 360, 150);
    list->AddColumn("Device", 120);
    list->AddColumn("Type", 90);
    list->SetParent(form.get());
    list->Add("Row").SetSubItem(0, "x");
    bar = new TStatusBar(form.get());
    bar->SetBounds(0, 240, 420, 20);
    bar->AddPanel(200);
    bar->AddPanel(100);
    bar->SetParent(form.get());
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
  TListView* list = nullptr;
  TStatusBar* bar = nullptr;
  TPopupMenu* menu = nullptr;
  TMenuItem* item = nullptr;
};

TEST_F(ScenarioWinTest, ACheckedPopupItemShowsItsMarkOrElseItsPictureOnAPressedPlate) {
  ASSERT_TRUE(item->OnAdvancedDrawItem);
  const int w = 220, h = 24;
  auto draw = [&] {
    img::Bitmap32 target(w, h);
    target.Fill({255, 255, 255, 255});
    item->OnAdvancedDrawItem(item, target.DC(), RECT{0, 0, w, h}, 0);
    GdiFlush();
    return target;
  };
  const int glyphEnd = 22;
  const img::Bitmap32 plain = draw();
  item->SetChecked(true);
  const img::Bitmap32 checked = draw();
  EXPECT_FALSE(SameColumns(checked, plain, 0, glyphEnd));
  EXPECT_TRUE(SameColumns(checked, plain, glyphEnd, w));

  // A checked item with a picture shows the picture on a pressed plate instead of the mark.
  TImageList images(16, 16);
  std::vector<uint8_t> red(16 * 16 * 4, 0);
  for (size_t i = 0; i < red.size(); i += 4) red[i] = red[i + 3] = 255;
  images.AddRGBA(red.data());
  menu->SetImages(&images);
  item->SetImageIndex(0);
  const img::Bitmap32 pictured = draw();
  EXPECT_EQ(pictured.Pixel(10, 12).R, 255);
  EXPECT_EQ(pictured.Pixel(10, 12).G, 0);
  EXPECT_FALSE(SameColumns(pictured, checked, 0, glyphEnd));
  EXPECT_TRUE(SameColumns(pictured, checked, glyphEnd, w));
  menu->SetImages(nullptr);
}

TEST_F(ScenarioWinTest, APopupItemsShortcutSitsAtItsRightEndAndADisabledItemFadesIntoTheMenu) {
  // A longer entry keeps the menu as wide whatever this item shows at its right; the item is
  // drawn across the menu's whole width, over the menu's background.
  auto* longer = new TMenuItem(form.get());
  longer->SetCaption("Look for newer drivers of every device");
  menu->Items()->Add(longer);
  const int border = SkinableMenus().BorderWidth, h = 20;
  int w = 0;
  auto draw = [&] {
    img::Bitmap32 target(std::max(w, 1), h);
    item->OnAdvancedDrawItem(item, target.DC(), RECT{0, 0, target.Width(), h}, 0);
    GdiFlush();
    return target;
  };
  draw();
  const img::Bitmap32* menuPicture = SkinableMenus().PopupPicture(nullptr);
  ASSERT_TRUE(menuPicture);
  w = menuPicture->Width() - 2 * border;
  const img::Bitmap32 plain = draw();
  // The shortcut, or the part after a tab, right-aligned 8 pixels from the item's right end.
  item->SetShortCut(ShortCut('S', scCtrl));
  const img::Bitmap32 shortcut = draw();
  ASSERT_EQ(SkinableMenus().PopupPicture(nullptr)->Width(), w + 2 * border);
  EXPECT_TRUE(SameColumns(shortcut, plain, 0, w - 70));
  EXPECT_FALSE(SameColumns(shortcut, plain, w - 40, w - 8));
  EXPECT_TRUE(SameColumns(shortcut, plain, w - 8, w));
  item->SetShortCut(0);
  item->SetCaption("Save\tCtrl+S");
  EXPECT_TRUE(SameColumns(draw(), shortcut, 0, w));

  // Disabled: 40 % of the item over 60 % of the menu's background, where the item shows.
  item->SetEnabled(false);
  const img::Bitmap32 disabled = draw();
  menuPicture = SkinableMenus().PopupPicture(nullptr);
  int differing = 0, wrong = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const img::TRGBAPixel &e = shortcut.Pixel(x, y), &d = disabled.Pixel(x, y),
                            &b = menuPicture->Pixel(x + border, y + border);
      differing += e.R != b.R || e.G != b.G || e.B != b.B;
      auto off = [](int item, int behind, int shown) {
        return std::abs(int(std::lround(0.4 * item + 0.6 * behind)) - shown) > 1;
      };
      wrong += off(e.R, b.R, d.R) || off(e.G, b.G, d.G) || off(e.B, b.B, d.B);
    }
  EXPECT_GT(differing, 100);
  EXPECT_EQ(wrong, 0);
}

TEST_F(ScenarioWinTest, TheHeaderShowsTheHotAndThePressedColumnButNothingPressedOnADivider) {
  auto* adapter = dynamic_cast<TveListViewWnd*>(TveMainWnd::AdapterFromHandle(list->Handle()));
  ASSERT_TRUE(adapter && adapter->HeaderWnd);
  HWND header = adapter->HeaderWnd;
  auto at = [header](int x, int y) {
    POINT p{x, y};
    ClientToScreen(header, &p);
    return MAKELPARAM(p.x, p.y);
  };
  auto shot = [header] {
    RedrawWindow(header, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    return ClientShot(header);
  };
  // Nothing hot: the list takes the hover back.
  SendMessageA(list->Handle(), WM_NCHITTEST, 0, 0);
  const img::Bitmap32 plain = shot();
  const int first = 120, second = 210, right = plain.Width();

  SendMessageA(header, WM_NCHITTEST, 0, at(150, 8));
  EXPECT_EQ(adapter->HotColumn, 1);
  const img::Bitmap32 hot = shot();
  EXPECT_TRUE(SameColumns(hot, plain, 0, first - 2));
  EXPECT_FALSE(SameColumns(hot, plain, first + 2, second - 2));
  EXPECT_TRUE(SameColumns(hot, plain, second + 2, right));

  // The room right of the last column is a column of its own for the mouse.
  SendMessageA(header, WM_NCHITTEST, 0, at(300, 8));
  EXPECT_EQ(adapter->HotColumn, -2);
  const img::Bitmap32 emptyHot = shot();
  EXPECT_TRUE(SameColumns(emptyHot, plain, 0, second - 2));
  EXPECT_FALSE(SameColumns(emptyHot, plain, second + 2, right));

  // A press shows its column pressed and every other one plain, the hot one too.
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 8));
  EXPECT_EQ(adapter->PressedColumn, 0);
  const img::Bitmap32 pressed = shot();
  EXPECT_FALSE(SameColumns(pressed, plain, 2, first - 2));
  EXPECT_TRUE(SameColumns(pressed, plain, first + 2, right));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(40, 8));
  EXPECT_EQ(adapter->PressedColumn, -1);

  // A press on the divider between the columns sizes them and presses nothing.
  SendMessageA(list->Handle(), WM_NCHITTEST, 0, 0);
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first, 8));
  EXPECT_EQ(adapter->PressedColumn, -1);
  EXPECT_TRUE(SameColumns(shot(), plain, 0, right));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(first, 8));
  ReleaseCapture();
}

TEST_F(ScenarioWinTest, ASimpleStatusBarShowsItsOwnTextAcrossTheWholeBar) {
  auto* adapter = dynamic_cast<TveStatusBarWnd*>(TveMainWnd::AdapterFromHandle(bar->Handle()));
  ASSERT_TRUE(adapter);
  bar->SetPanelText(0, "First panel");
  bar->SetPanelText(1, "Second");
  auto picture = [&] {
    RedrawWindow(bar->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    return *adapter->SkinData->CacheBitmap;
  };
  const img::Bitmap32 panels = picture();
  SendMessageA(bar->Handle(), SB_SIMPLE, TRUE, 0);
  SendMessageA(bar->Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(""));
  const img::Bitmap32 blank = picture();
  SendMessageA(bar->Handle(), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>("Backing up"));
  EXPECT_EQ(adapter->PanelText(-1), "Backing up");
  const img::Bitmap32 simple = picture();
  // The simple text at the left; neither panel's text nor the divider anywhere.
  EXPECT_FALSE(SameColumns(simple, blank, 0, 80));
  EXPECT_TRUE(SameColumns(simple, blank, 80, simple.Width()));
  EXPECT_FALSE(SameColumns(blank, panels, 0, 220));

  SendMessageA(bar->Handle(), SB_SIMPLE, FALSE, 0);
  EXPECT_EQ(adapter->PanelText(0), "First panel");
  EXPECT_TRUE(SameColumns(picture(), panels, 0, panels.Width()));
}

}  // namespace
