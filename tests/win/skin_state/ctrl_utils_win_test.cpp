// The control-tree routines on real controls and windows: background colours, broadcasts,
// painting windowless children, and the message box.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "SkinStateWorld.h"
#include "framework/Forms.h"
#include "skin/render/sGraphicControls.h"
#include "skin/render/sMessageBox.h"

namespace {

using namespace skin_state_test;

// A windowless child that fills itself with one colour, or fails to paint.
class TSwatch : public fw::TGraphicControl {
 public:
  TSwatch(fw::TWinControl* parent, RECT r, COLORREF color)
      : TGraphicControl(parent), color_(color) {
    SetParent(parent);
    SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
  }
  bool fails = false;

 protected:
  void Paint(fw::TCanvas& canvas) override {
    if (fails) throw std::runtime_error("paint");
    HBRUSH brush = CreateSolidBrush(color_);
    RECT r{0, 0, Width(), Height()};
    FillRect(canvas.Handle(), &r, brush);
    DeleteObject(brush);
  }

 private:
  COLORREF color_;
};

// A group box that tells the tree it is being destroyed while it still sits in it.
class TDoomed : public fw::TGroupBox {
 public:
  using TComponent::SetDestroying;
  using TGroupBox::TGroupBox;
};

struct CtrlUtilsTest : ::testing::Test {
  CtrlUtilsTest() : form(std::make_unique<fw::TForm>(nullptr)) {
    form->SetClientSize(120, 80);
    form->HandleNeeded();
  }
  // Logs the skin commands a control receives under its name; skinned ones say so.
  void Watch(fw::TControl& control, const std::string& name, bool skinned) {
    AnswerSkinCommands(control, [this, name, skinned](uint16_t command, LPARAM, LRESULT& result) {
      if (command == CmdIsSkinned) {
        result = skinned;
        return true;
      }
      log += name + ":" + std::to_string(command) + " ";
      return true;
    });
  }
  std::unique_ptr<fw::TForm> form;
  std::string log;
};

TEST_F(CtrlUtilsTest, BackgroundColourOfAControlThatCanOrCannotAnswer) {
  EXPECT_EQ(GetControlBgColor(nullptr), 0xFF00FF);
  EXPECT_EQ(GetWindowBgColor(nullptr), 0xFF00FF);

  TSkinnedGroup group(nullptr);  // skinned, but without a window nobody hears it
  group.data.SetSkinManager(nullptr);
  group.SetColor(fw::clBtnFace);
  EXPECT_EQ(GetControlBgColor(&group), int32_t(GetSysColor(COLOR_BTNFACE)));

  TsSkinModel manager;
  manager.SectionTable = {Section("PANEL", 0x123456)};
  TSkinnedBox box(form.get());
  box.SetParent(form.get());
  box.data.SetSkinManager(&manager);
  box.data.SetSkinSection("PANEL");
  EXPECT_EQ(GetControlBgColor(&box), 0x123456);
  box.data.SetSkinSection("NONE");
  box.SetColor(0x0000FF);
  EXPECT_EQ(GetControlBgColor(&box), 0x0000FF);
}

TEST_F(CtrlUtilsTest, BroadcastReachesSkinnedWindowsBelowPlainOnesAndSkipsTheDestroyed) {
  auto* panel = new fw::TGroupBox(form.get());  // not skinned: the walk goes through it
  panel->SetParent(form.get());
  auto* doomed = new TDoomed(panel);
  doomed->SetParent(panel);
  auto* edit = new fw::TButton(panel);
  edit->SetParent(panel);
  auto* label = new TBox(panel);  // windowless: told directly
  label->SetParent(panel);
  panel->HandleNeeded();
  edit->HandleNeeded();
  Watch(*panel, "panel", false);
  Watch(*doomed, "doomed", true);
  Watch(*edit, "edit", true);
  Watch(*label, "label", false);
  doomed->SetDestroying();

  BroadcastToChildren(*form, SkinCommandMsg, SkinCommandParam(CmdSkinRefresh), 0);
  EXPECT_EQ(log, "edit:3 label:3 ");
}

TEST_F(CtrlUtilsTest, WindowlessChildrenArePaintedOverTheContainersColourInOneCopy) {
  form->SetColor(0x00FF00);
  new TSwatch(form.get(), {10, 10, 30, 30}, RGB(255, 0, 0));
  auto* failing = new TSwatch(form.get(), {40, 10, 60, 30}, RGB(0, 0, 255));
  new TSwatch(form.get(), {70, 10, 90, 30}, RGB(0, 0, 255));
  failing->fails = true;

  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP target = CreateCompatibleBitmap(screen, 120, 80);
  ReleaseDC(nullptr, screen);
  HGDIOBJ previous = SelectObject(dc, target);
  RECT all{0, 0, 120, 80};
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));

  PaintGraphicControls(dc, *form, false);
  EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(dc, 50, 20), RGB(0, 255, 0));  // the failed child shows the background
  EXPECT_EQ(GetPixel(dc, 80, 20), RGB(0, 0, 255));  // and the next one is still painted
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 255, 255));

  // A context that shows nothing paints nothing and marks the container partly visible.
  Watch(*form, "form", false);
  FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  HRGN empty = CreateRectRgn(0, 0, 0, 0);
  SelectClipRgn(dc, empty);
  PaintGraphicControls(dc, *form, false);
  SelectClipRgn(dc, nullptr);
  EXPECT_EQ(GetPixel(dc, 20, 20), RGB(255, 255, 255));
  EXPECT_EQ(log, "form:22 ");

  DeleteObject(empty);
  SelectObject(dc, previous);
  DeleteObject(target);
  DeleteDC(dc);
}

TEST(MessageBoxTest, ButtonsAndKindGiveTheBoxStyle) {
  struct Case {
    int kind;
    TveMessageButtons buttons;
    UINT style;
  };
  const Case cases[] = {
      {mkWarning, mbYes | mbNo | mbCancel, MB_ICONEXCLAMATION | MB_YESNOCANCEL},
      {mkError, mbOK | mbCancel, MB_ICONHAND | MB_OKCANCEL},
      {mkInformation, mbYes | mbNo, MB_ICONASTERISK | MB_YESNO},
      {mkConfirmation, mbAbort | mbRetry | mbIgnore, MB_ICONQUESTION | MB_ABORTRETRYIGNORE},
      {7, mbRetry | mbCancel, MB_RETRYCANCEL},
      {mkError, mbOK | mbHelp, MB_ICONHAND | MB_OK | MB_HELP},
      {mkError, mbOK | mbYes | mbAbort, MB_ICONHAND | MB_OK},
  };
  for (const Case& c : cases) EXPECT_EQ(MessageBoxStyle(c.kind, c.buttons), c.style) << c.buttons;
}

struct WhileBoxOpen {
  HWND enabledForm = nullptr;
  bool wasEnabled = true;
};
WhileBoxOpen boxSeen;

BOOL CALLBACK CloseBox(HWND wnd, LPARAM) {
  char name[16] = {};
  GetClassNameA(wnd, name, sizeof name);
  if (std::string(name) != "#32770") return TRUE;
  boxSeen.wasEnabled = IsWindowEnabled(boxSeen.enabledForm);
  PostMessageA(wnd, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK CloseBoxOnTimer(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

TEST_F(CtrlUtilsTest, TheMessageBoxEnablesAgainOnlyTheWindowsItDisabled) {
  form->Show();
  fw::TForm other(nullptr);
  other.SetClientSize(50, 50);
  other.Show();
  EnableWindow(other.Handle(), FALSE);  // disabled by someone else, a modal form say
  boxSeen = {form->Handle(), true};
  const UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseBoxOnTimer);
  EXPECT_EQ(ShowMessageBox("text", mkError, mbOK, 0), IDOK);
  KillTimer(nullptr, timer);
  EXPECT_FALSE(boxSeen.wasEnabled);
  EXPECT_TRUE(IsWindowEnabled(form->Handle()));
  EXPECT_FALSE(IsWindowEnabled(other.Handle()));
}

}  // namespace
