// Menus kept in place with owner drawing, and the form features a skinning layer builds on:
// client size under a foreign frame, the application's forms and hooks, window state,
// translucency and painting.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "tests/win/framework/FormFixture.h"

using namespace fw;

namespace {

using framework_test::kProbe;

struct MenuFormTest : framework_test::FormTest {
  void SetUp() override {
    FormTest::SetUp();
    menu = new TMainMenu(form.get());
    top = Add(menu->Items(), "Backup");
    first = Add(top, "Selected");
    second = Add(top, "All");
    form->SetMenu(menu);
    TWndMethod previous = form->WindowProc;
    form->WindowProc = [this, previous](TMessage& m) {
      if (m.Msg == CM_MENUCHANGED) ++menuChanges;
      previous(m);
    };
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(form.get());
    item->SetCaption(caption);
    parent->Add(item);
    return item;
  }
  MENUITEMINFOA Entry(HMENU handle, UINT position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
    GetMenuItemInfoA(handle, position, TRUE, &info);
    return info;
  }
  TMainMenu* menu = nullptr;
  TMenuItem *top = nullptr, *first = nullptr, *second = nullptr;
  int menuChanges = 0;
};

TEST_F(MenuFormTest, PlatformMenusAreUpdatedInPlaceAndKeepOwnerDrawing) {
  HMENU bar = GetMenu(form->Handle());
  HMENU popup = GetSubMenu(bar, 0);
  ASSERT_EQ(bar, menu->Handle());
  EXPECT_EQ(TMenu::ItemFromHandle(bar), menu->Items());
  EXPECT_EQ(TMenu::ItemFromHandle(popup), top);

  menu->SetOwnerDraw(true);
  first->SetCaption("Selected drivers");
  first->SetChecked(true);
  first->SetRadioItem(true);
  second->SetDefault(true);
  second->SetBreak(TMenuBreak::mbBarBreak);
  auto* third = Add(top, "Browse");
  second->SetVisible(false);
  second->SetVisible(true);
  top->Remove(third);

  EXPECT_EQ(GetMenu(form->Handle()), bar) << "the handles stay";
  EXPECT_EQ(GetSubMenu(bar, 0), popup);
  EXPECT_GT(menuChanges, 0);
  ASSERT_EQ(GetMenuItemCount(popup), 2);
  MENUITEMINFOA one = Entry(popup, 0), two = Entry(popup, 1);
  EXPECT_TRUE(one.fType & MFT_OWNERDRAW);
  EXPECT_TRUE(one.fType & MFT_RADIOCHECK);
  EXPECT_TRUE(one.fState & MFS_CHECKED);
  EXPECT_EQ(TMenuItem::FromItemData(one.dwItemData), first);
  EXPECT_TRUE(two.fType & MFT_OWNERDRAW) << "owner drawing survives hiding and showing";
  EXPECT_TRUE(two.fType & MFT_MENUBARBREAK);
  EXPECT_TRUE(two.fState & MFS_DEFAULT);
  char text[64] = {};
  GetMenuStringA(popup, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Selected drivers");

  menu->SetOwnerDraw(false);
  EXPECT_FALSE(Entry(popup, 0).fType & MFT_OWNERDRAW);
}

TEST_F(MenuFormTest, TheFormRoutesMeasuringDrawingAndOpeningToItems) {
  menu->SetOwnerDraw(true);
  std::vector<std::string> log;
  first->OnMeasureItem = [&](TMenuItem* item, HDC dc, int& w, int& h) {
    EXPECT_NE(dc, nullptr);
    log.push_back("measure " + item->Caption());
    w = 120;
    h = 30;
  };
  first->OnAdvancedDrawItem = [&](TMenuItem* item, HDC, const RECT& r, UINT state) {
    log.push_back("draw " + item->Caption() + " " + std::to_string(r.right) + " " +
                  std::to_string(state));
  };
  top->OnPopup = [&](TObject* sender) {
    log.push_back("popup " + static_cast<TMenuItem*>(sender)->Caption());
  };

  MEASUREITEMSTRUCT measure{ODT_MENU, 0, first->Command(),
                            0,        0, reinterpret_cast<ULONG_PTR>(first)};
  EXPECT_TRUE(form->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_EQ(measure.itemWidth, 120u);
  EXPECT_EQ(measure.itemHeight, 30u);

  HDC dc = GetDC(form->Handle());
  DRAWITEMSTRUCT draw{ODT_MENU,
                      0,
                      first->Command(),
                      ODA_DRAWENTIRE,
                      ODS_SELECTED,
                      nullptr,
                      dc,
                      {0, 0, 120, 30},
                      reinterpret_cast<ULONG_PTR>(first)};
  EXPECT_TRUE(form->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  form->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(top->Handle()), 0);
  EXPECT_EQ(log,
            (std::vector<std::string>{"measure Selected", "draw Selected 120 1", "popup Backup"}));

  // Items without handlers are measured and painted by the framework.
  measure.itemData = reinterpret_cast<ULONG_PTR>(second);
  EXPECT_TRUE(form->SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure)));
  EXPECT_GT(measure.itemWidth, 0u);
  EXPECT_GT(measure.itemHeight, 0u);
  draw.itemData = reinterpret_cast<ULONG_PTR>(second);
  EXPECT_TRUE(form->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));

  // Item data naming an item that is gone is not followed.
  delete second;
  EXPECT_FALSE(form->SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw)));
  EXPECT_EQ(GetMenuItemCount(top->Handle()), 1);
  ReleaseDC(form->Handle(), dc);
}

TEST_F(MenuFormTest, ClientSizeHoldsUnderAForeignFrameAndInsideTheBorderWidth) {
  EXPECT_EQ(form->ClientWidth(), 300) << "the designed size, without making the window";
  EXPECT_FALSE(form->HandleAllocated());
  // A frame of 10 pixels on every side and no caption or menu bar, as a skin may answer.
  TWndMethod previous = form->WindowProc;
  form->WindowProc = [previous](TMessage& m) {
    if (m.Msg == WM_NCCALCSIZE && m.WParam) {
      InflateRect(&reinterpret_cast<NCCALCSIZE_PARAMS*>(m.LParam)->rgrc[0], -10, -10);
      m.Result = 0;
      return;
    }
    previous(m);
  };
  SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  form->SetClientSize(320, 180);
  RECT client;
  GetClientRect(form->Handle(), &client);
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 180);
  EXPECT_EQ(form->Width(), 340);

  // The band inside the platform's own frame.
  form->WindowProc = previous;
  SetWindowPos(form->Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  int width = form->ClientWidth(), height = form->ClientHeight();
  form->SetBorderWidth(5);
  EXPECT_EQ(form->ClientWidth(), width - 10);
  EXPECT_EQ(form->ClientHeight(), height - 10);
}

TEST_F(MenuFormTest, TheApplicationListsItsFormsAndHooksTheMainWindow) {
  int before = Application.FormCount();
  auto* second = new TForm(nullptr);
  ASSERT_EQ(Application.FormCount(), before + 1);
  EXPECT_EQ(Application.Forms(before), second);
  EXPECT_EQ(Application.Forms(before - 1), form.get()) << "in creation order";
  delete second;
  EXPECT_EQ(Application.FormCount(), before);

  Application.SetMainForm(form.get());
  std::vector<std::string> log;
  int firstHook = 0;
  firstHook = Application.HookMainWindow([&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    log.push_back("first");
    Application.UnhookMainWindow(firstHook);  // a hook may remove itself
    return false;
  });
  int consuming = Application.HookMainWindow([&](TMessage& m) {
    if (m.Msg != kProbe) return false;
    log.push_back("second");
    m.Result = 9;
    return true;
  });
  TWndMethod previous = form->WindowProc;
  form->WindowProc = [&, previous](TMessage& m) {
    if (m.Msg == kProbe) log.push_back("form");
    previous(m);
  };
  EXPECT_EQ(form->SendMessage(kProbe), 9);
  EXPECT_EQ(form->SendMessage(kProbe), 9);
  Application.UnhookMainWindow(consuming);
  form->SendMessage(kProbe);
  EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "second", "form"}));
  Application.SetMainForm(nullptr);
  form->WindowProc = previous;
}

TEST_F(MenuFormTest, WindowStateTranslucencyAndThePaintEvent) {
  form->SetWindowState(TWindowState::wsMaximized);
  form->SetAlphaBlend(true);
  form->SetAlphaBlendValue(128);
  form->Show();
  EXPECT_TRUE(IsZoomed(form->Handle()));
  EXPECT_EQ(form->WindowState(), TWindowState::wsMaximized);
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, &flags));
  EXPECT_EQ(alpha, 128);
  EXPECT_TRUE(flags & LWA_ALPHA);
  form->SetWindowState(TWindowState::wsNormal);
  EXPECT_FALSE(IsZoomed(form->Handle()));

  EXPECT_THROW(form->Canvas(), std::logic_error) << "there is no canvas outside painting";
  form->OnPaint = [this](TObject* sender) {
    EXPECT_EQ(sender, form.get());
    form->Canvas().FillRect({0, 0, 10, 10}, RGB(0, 0, 250));
  };
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 20, 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  form->DoPaint(dc);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(0, 0, 250));
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

}  // namespace
