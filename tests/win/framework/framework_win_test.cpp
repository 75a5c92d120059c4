#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "platform/Host.h"
#include "tests/win/framework/FormFixture.h"

using namespace fw;
using framework_test::FormTest;
using framework_test::kProbe;

namespace {

// What was there before the framework: a foreign subclass, as the skinning engine puts one.
WNDPROC foreignPrevious = nullptr;
std::vector<std::string>* foreignLog = nullptr;
LRESULT CALLBACK ForeignProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == kProbe && foreignLog) foreignLog->push_back("subclass");
  return CallWindowProcA(foreignPrevious, wnd, msg, wParam, lParam);
}

TEST_F(FormTest, SendRunsTheWindowProcedureChainThenWindowProcPerformOnlyWindowProc) {
  HWND wnd = button->Handle();
  foreignLog = &log;
  foreignPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ForeignProc)));
  TWndMethod previous = button->WindowProc;
  button->WindowProc = [&](TMessage& m) {
    if (m.Msg == kProbe) log.push_back("chain");
    previous(m);
  };

  button->SendMessage(kProbe, 1, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"subclass", "chain"}));
  log.clear();
  button->Perform(kProbe, 1, 2);
  EXPECT_EQ(log, (std::vector<std::string>{"chain"}));

  SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(foreignPrevious));
  foreignLog = nullptr;
}

TEST_F(FormTest, AReplacedWindowProcAnswersAndTheRestoredOneGoesBackToThePlatform) {
  TWndMethod previous = button->WindowProc;
  button->WindowProc = [](TMessage& m) { m.Result = 42; };
  EXPECT_EQ(button->SendMessage(WM_GETTEXTLENGTH), 42);
  button->WindowProc = previous;
  button->SetCaption("Four");
  EXPECT_EQ(button->SendMessage(WM_GETTEXTLENGTH), 4);
  EXPECT_EQ(button->Perform(WM_GETTEXTLENGTH), 4);
}

TEST_F(FormTest, AHandlerThatDestroysItsOwnWindowLeavesTheControlWithoutOne) {
  HWND wnd = button->Handle();
  TWndMethod previous = button->WindowProc;
  button->WindowProc = [&](TMessage& m) {
    if (m.Msg == kProbe) DestroyWindow(wnd);
    previous(m);
  };
  button->SendMessage(kProbe);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_FALSE(button->HandleAllocated());
  EXPECT_EQ(button->Perform(WM_GETTEXTLENGTH), 0);
}

TEST_F(FormTest, AHandlerThatReleasesItsControlEndsCleanly) {
  HWND wnd = button->Handle();
  button->WindowProc = [this](TMessage& m) {
    if (m.Msg == kProbe) {
      delete button;
      button = nullptr;
      m.Result = 7;
    }
  };
  EXPECT_EQ(SendMessageA(wnd, kProbe, 0, 0), 7);
  EXPECT_FALSE(IsWindow(wnd));
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(form->ComponentCount(), 0);
}

TEST_F(FormTest, AControlReleasedWhileItsWindowIsDestroyedIsNoLongerFoundByTheHandle) {
  HWND wnd = button->Handle();
  button->WindowProc = [this](TMessage& m) {
    // Releasing the control destroys its window again, which brings WM_DESTROY once more.
    if (m.Msg == WM_DESTROY && button) delete std::exchange(button, nullptr);
  };
  ASSERT_EQ(TWinControl::FromHandle(wnd), button);
  DestroyWindow(wnd);
  EXPECT_EQ(button, nullptr);
  EXPECT_EQ(TWinControl::FromHandle(wnd), nullptr);
}

TEST_F(FormTest, WhatAMessageLetsGoOfLivesUntilTheOutermostMessageReturns) {
  struct Tracked {
    explicit Tracked(std::vector<std::string>& to) : log(to) {}
    ~Tracked() { log.push_back("freed"); }
    std::vector<std::string>& log;
  };
  constexpr UINT kNested = kProbe + 1;
  HWND wnd = button->Handle();
  TWndMethod previous = button->WindowProc;
  button->WindowProc = [&](TMessage& m) {
    if (m.Msg == kProbe) {
      Application.FreeAfterMessage(std::make_shared<Tracked>(log));
      // A modal loop inside the message that let go: a message of the window's own comes and
      // goes through the message loop, and the object stays.
      PostMessageA(wnd, kNested, 0, 0);
      Application.ProcessMessages();
      log.push_back("modal loop over");
    } else if (m.Msg == kNested) {
      log.push_back("nested message");
    }
    previous(m);
  };
  PostMessageA(wnd, kProbe, 0, 0);
  Application.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"nested message", "modal loop over", "freed"}));
  // Let go of outside any message, it goes when the next one has returned.
  log.clear();
  Application.FreeAfterMessage(std::make_shared<Tracked>(log));
  EXPECT_TRUE(log.empty());
  Application.ProcessMessages();
  EXPECT_EQ(log, (std::vector<std::string>{"freed"}));
}

TEST_F(FormTest, NotificationsReachTheChildAndItsClickEvent) {
  int clicks = 0;
  button->OnClick = [&](TObject* sender) {
    EXPECT_EQ(sender, button);
    ++clicks;
  };
  button->SendMessage(BM_CLICK);
  EXPECT_EQ(clicks, 1);
  button->SetEnabled(false);
  button->Click();
  EXPECT_EQ(clicks, 1) << "a disabled button does not click";
}

TEST_F(FormTest, LabelsArePaintedAndClickedThroughTheirParent) {
  auto* label = new TLabel(form.get());
  label->SetBounds(20, 60, 0, 13);
  label->SetParent(form.get());
  label->SetCaption("A longer caption than before");
  int wide = label->Width();
  label->SetCaption("Short");
  EXPECT_LT(label->Width(), wide) << "auto-size follows the caption";
  int clicks = 0;
  label->OnClick = [&](TObject*) { ++clicks; };
  LPARAM inside = MAKELPARAM(22, 62), outside = MAKELPARAM(200, 150);
  form->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, inside);
  form->SendMessage(WM_LBUTTONUP, 0, inside);
  form->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, outside);
  form->SendMessage(WM_LBUTTONUP, 0, outside);
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->GraphicControlAt({22, 62}), label);
}

TEST_F(FormTest, TheScreenCursorWinsOverTheControlsOwn) {
  button->SetCursor(TCursor::crHandPoint);
  HWND wnd = button->Handle();
  platform::CurrentHost().SetScreenCursor(platform::Cursor::HourGlass);
  EXPECT_TRUE(button->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), HTCLIENT));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  platform::CurrentHost().SetScreenCursor(platform::Cursor::Default);
  EXPECT_TRUE(button->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(wnd), HTCLIENT));
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_HAND));
}

TEST_F(FormTest, ClientSizeIsTheClientAreaWithAMenuBar) {
  auto* menu = new TMainMenu(form.get());
  auto* top = new TMenuItem(form.get());
  top->SetCaption("File");
  menu->Items()->Add(top);
  form->SetMenu(menu);
  form->SetClientSize(722, 454);
  EXPECT_EQ(form->ClientWidth(), 722);
  EXPECT_EQ(form->ClientHeight(), 454);
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 1);
}

struct MenuTest : FormTest {
  void SetUp() override {
    FormTest::SetUp();
    menu = new TMainMenu(form.get());
    top = Add(menu->Items(), "Backup", 0);
    item = Add(top, "Backup selected drivers", ShortCut(VK_F9));
    Add(top, "-", 0);
    exitItem = Add(top, "Exit", ShortCut(VK_F4, scCtrl));
    form->SetMenu(menu);
  }
  TMenuItem* Add(TMenuItem* parent, const std::string& caption, TShortCut shortCut) {
    auto* i = new TMenuItem(form.get());
    i->SetCaption(caption);
    i->SetShortCut(shortCut);
    i->OnClick = [this, i](TObject* sender) {
      EXPECT_EQ(sender, i);
      clicked.push_back(i->Caption());
    };
    parent->Add(i);
    return i;
  }
  TMainMenu* menu = nullptr;
  TMenuItem *top = nullptr, *item = nullptr, *exitItem = nullptr;
  std::vector<std::string> clicked;
};

TEST_F(MenuTest, ShortcutsShowBesideTheCaptionAndClickTheirItem) {
  EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, scCtrl)), "Ctrl+F4");
  HMENU sub = GetSubMenu(GetMenu(form->Handle()), 0);
  char text[64] = {};
  GetMenuStringA(sub, 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "Backup selected drivers\tF9");
  EXPECT_TRUE(GetMenuState(sub, 1, MF_BYPOSITION) & MF_SEPARATOR);

  EXPECT_TRUE(form->IsShortCut(ShortCut(VK_F9)));
  EXPECT_TRUE(form->IsShortCut(ShortCut(VK_F4, scCtrl)));
  EXPECT_FALSE(form->IsShortCut(ShortCut(VK_F4))) << "F4 alone is not Ctrl+F4";
  EXPECT_EQ(clicked, (std::vector<std::string>{"Backup selected drivers", "Exit"}));
}

TEST_F(MenuTest, AKeyTypedInAChildReachesTheFormsMenuThroughTheMessageLoop) {
  form->Show();
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_F9, 0);
  Application.ProcessMessages();
  EXPECT_EQ(clicked, (std::vector<std::string>{"Backup selected drivers"}));
}

TEST_F(MenuTest, HiddenMenusAndDisabledItemsKeepTheirShortcutsToThemselves) {
  top->SetVisible(false);
  EXPECT_EQ(GetMenuItemCount(GetMenu(form->Handle())), 0) << "the menu is rebuilt without it";
  EXPECT_FALSE(form->IsShortCut(ShortCut(VK_F9)));
  top->SetVisible(true);
  item->SetEnabled(false);
  EXPECT_FALSE(form->IsShortCut(ShortCut(VK_F9)));
  EXPECT_TRUE(clicked.empty());
}

TEST_F(MenuTest, MenuCommandsDispatchToTheirItemAndItemsOwnedByTheFormLeaveWithIt) {
  form->SendMessage(WM_COMMAND, MAKEWPARAM(exitItem->Command(), 0), 0);
  EXPECT_EQ(clicked, (std::vector<std::string>{"Exit"}));
  delete exitItem;
  EXPECT_EQ(top->Count(), 2);
  form.reset();  // items, menu and window all go; nothing may touch the released form
}

TEST_F(FormTest, ListViewRowsHaveCaptionsSubItemsChecksAndSelection) {
  auto* list = new TListView(form.get());
  list->SetBounds(0, 0, 280, 150);
  list->SetCheckboxes(true);
  list->AddColumn("Device", 100);
  list->AddColumn("Type", 80);
  list->AddColumn("", 0);
  list->SetParent(form.get());
  for (const char* caption : {"One", "Two & more"}) {
    TListItem row = list->Add(caption);
    row.SetSubItem(0, std::string(caption) + " type");
    row.SetSubItem(1, std::string(3000, 'k'));  // longer than the first read buffer
  }
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ(list->Items(1).Caption(), "Two & more");
  EXPECT_EQ(list->Items(1).SubItem(0), "Two & more type");
  EXPECT_EQ(list->Items(1).SubItem(1), std::string(3000, 'k'));
  EXPECT_FALSE(list->Items(0).Checked());
  list->Items(0).SetChecked(true);
  EXPECT_TRUE(list->Items(0).Checked());
  EXPECT_FALSE(list->Items(1).Checked());
  EXPECT_FALSE(list->Selected().has_value());
  list->Items(1).SetSelected(true);
  ASSERT_TRUE(list->Selected().has_value());
  EXPECT_EQ(list->Selected()->Index(), 1);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(list->Selected().has_value());
}

// Rows given while updating do not lay the list out one by one, also in a form not shown yet
// (the scan at start-up); a list hidden itself stays hidden afterwards.
TEST_F(FormTest, ListViewUpdatesOfAFormNotShownYetAreNotLaidOutRowByRow) {
  auto* shown = new TListView(form.get());
  auto* hidden = new TListView(form.get());
  for (TListView* list : {shown, hidden}) {
    list->SetBounds(0, 0, 280, 150);
    list->AddColumn("Device", 100);
    list->SetParent(form.get());
  }
  hidden->SetVisible(false);
  static int moves;
  const auto countMoves = [](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                             DWORD_PTR) -> LRESULT {
    moves += msg == WM_WINDOWPOSCHANGING;
    return DefSubclassProc(wnd, msg, wParam, lParam);
  };
  HWND header = ListView_GetHeader(shown->Handle());
  ASSERT_TRUE(SetWindowSubclass(header, countMoves, 1, 0));
  moves = 0;
  for (TListView* list : {shown, hidden}) {
    list->BeginUpdate();
    for (int row = 0; row < 50; ++row) list->Add("Row " + std::to_string(row));
    list->EndUpdate();
  }
  RemoveWindowSubclass(header, countMoves, 1);
  EXPECT_LT(moves, 50) << "the header was laid out again for every row";
  EXPECT_EQ(shown->Count(), 50);
  EXPECT_EQ(hidden->Count(), 50);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(GetWindowLongA(shown->Handle(), GWL_STYLE) & WS_VISIBLE);
  EXPECT_FALSE(GetWindowLongA(hidden->Handle(), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(FormTest, StatusPanelsKeepTheirTexts) {
  auto* bar = new TStatusBar(form.get());
  bar->AddPanel(100);
  bar->AddPanel(50, TAlignment::taCenter);
  bar->SetParent(form.get());
  bar->SetPanelText(0, "29 drivers found.");
  char text[64] = {};
  bar->SendMessage(SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, "29 drivers found.");
  EXPECT_EQ(bar->PanelText(0), "29 drivers found.");
  EXPECT_EQ(bar->Top() + bar->Height(), 200) << "aligned to the bottom of the client area";
}

TEST_F(FormTest, ShowModalReturnsTheModalResultAndCloseCancels) {
  TWndMethod previous = form->WindowProc;
  TModalResult answer = mrOk;
  form->WindowProc = [&, previous](TMessage& m) {
    if (m.Msg == kProbe) {
      if (answer == mrOk)
        form->SetModalResult(mrOk);
      else
        form->Close();
    }
    previous(m);
  };
  PostMessageA(form->Handle(), kProbe, 0, 0);
  EXPECT_EQ(form->ShowModal(), mrOk);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));

  answer = mrCancel;
  PostMessageA(form->Handle(), kProbe, 0, 0);
  EXPECT_EQ(form->ShowModal(), mrCancel);
}

TEST_F(FormTest, AnExceptionInAHandlerGoesToTheErrorBoxAndTheWindowLivesOn) {
  struct RecordingHost : platform::Host {
    std::string ExecutablePath() override { return "C:\\t.exe"; }
    std::string ReadFile(const std::string&) override { return ""; }
    void ShellOpen(const std::string&) override {}
    void SetScreenCursor(platform::Cursor) override {}
    platform::Cursor ScreenCursor() override { return platform::Cursor::Default; }
    void InstallSystemHandCursor() override {}
    int ShowMessage(void*, const std::string& text, const std::string&, unsigned) override {
      shown.push_back(text);
      return IDOK;
    }
    std::vector<std::string> shown;
  } host;
  platform::Host* saved = platform::SetHost(&host);
  button->OnClick = [](TObject*) { throw std::runtime_error("broken handler"); };
  button->SendMessage(BM_CLICK);
  platform::SetHost(saved);
  EXPECT_EQ(host.shown, (std::vector<std::string>{"broken handler"}));
  EXPECT_TRUE(IsWindow(button->Handle()));
}

TEST_F(FormTest, PublishedPropertiesAreFoundByName) {
  std::intptr_t value = 0;
  EXPECT_TRUE(GetOrdProp(button, "Color", value));
  EXPECT_EQ(value, clBtnFace);
  EXPECT_TRUE(SetOrdProp(button, "color", clBlue)) << "names ignore letter case";
  EXPECT_EQ(button->Color(), clBlue);
  EXPECT_TRUE(SetOrdProp(button, "Visible", 0));
  EXPECT_FALSE(IsWindowVisible(button->Handle()));
  EXPECT_TRUE(SetOrdProp(button, "Left", 33));
  RECT r;
  GetWindowRect(button->Handle(), &r);
  MapWindowPoints(nullptr, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 33);
  EXPECT_FALSE(GetOrdProp(button, "SkinData", value));
  EXPECT_FALSE(SetOrdProp(nullptr, "Color", 0));
}

}  // namespace
