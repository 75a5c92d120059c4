// The adapter base on real windows: a foreign window's procedure and a framework control's
// handler get the adapter in front of them; skin commands are answered, the rest reaches the
// window once; a later subclass keeps working after the adapter lets go, and the window's own
// destruction messages arrive exactly once.
#include <gtest/gtest.h>
#include <windows.h>

#include <map>
#include <memory>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/controls/veMainWnd.h"
#include "skin/data/sSkinCommands.h"
#include "skins/StoredSkins.h"

namespace {

std::map<UINT, int> seen;   // messages the window's own procedure got
std::map<UINT, int> later;  // messages the subclass put in after the adapter got
WPARAM paintedWith = 0;
WNDPROC beforeLater = nullptr;

LRESULT CALLBACK OwnProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++seen[msg];
  if (msg == WM_PAINT) paintedWith = wParam;
  if (msg == SkinCommandMsg) return 77;
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

LRESULT CALLBACK LaterProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++later[msg];
  return CallWindowProcA(beforeLater, wnd, msg, wParam, lParam);
}

struct AdapterWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    WNDCLASSA cls{};
    cls.lpfnWndProc = OwnProc;
    cls.lpszClassName = "AdapterTestWindow";
    RegisterClassA(&cls);
    wnd = CreateWindowA("AdapterTestWindow", "start", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                        nullptr, nullptr, nullptr);
    seen.clear();
    later.clear();
  }
  void TearDown() override {
    if (IsWindow(wnd)) DestroyWindow(wnd);
    manager.reset();
  }
  LRESULT Command(uint16_t command, LPARAM value) {
    return SendMessageA(wnd, SkinCommandMsg, SkinCommandParam(command), value);
  }
  std::unique_ptr<TsSkinManager> manager;
  HWND wnd = nullptr;
};

}  // namespace

TEST_F(AdapterWinTest, ForeignWindowGetsCommandsAnsweredAndItsOwnMessagesOnce) {
  auto adapter = std::make_unique<TveMainWnd>(wnd, false, "EDIT", manager.get(), nullptr);
  EXPECT_EQ(TveMainWnd::AdapterFromHandle(wnd), adapter.get());
  EXPECT_TRUE(adapter->OwnsSkinData);
  EXPECT_EQ(adapter->SkinData->SkinSection, "EDIT");
  EXPECT_EQ(Command(CmdIsSkinned, 0), 1);
  EXPECT_EQ(Command(CmdGetSkinData, 0), reinterpret_cast<LRESULT>(adapter->SkinData));
  EXPECT_EQ(seen[SkinCommandMsg], 0);
  // A command for another manager goes on to the window.
  EXPECT_EQ(Command(CmdSkinLoaded, 12345), 77);

  SetWindowTextA(wnd, "renamed");
  EXPECT_EQ(seen[WM_SETTEXT], 1);
  EXPECT_EQ(adapter->Caption, "renamed");
  SendMessageA(wnd, WM_PRINT, 0x1234, PRF_CLIENT);
  EXPECT_EQ(paintedWith, 0x1234u);
  SendMessageA(wnd, WM_UPDATEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS), 0);
  EXPECT_EQ(seen[WM_UPDATEUISTATE], 0);

  // Without an active skin every message is the window's.
  manager->SetActive(false);
  EXPECT_EQ(Command(CmdIsSkinned, 0), 77);
  manager->SetActive(true);

  // Somebody subclasses the window after the adapter; the window is destroyed: the later
  // procedure keeps its place, and the destruction messages reach the window once each.
  beforeLater = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterProc)));
  DestroyWindow(wnd);
  EXPECT_TRUE(adapter->Destroyed);
  EXPECT_EQ(seen[WM_DESTROY], 1);
  EXPECT_EQ(seen[WM_NCDESTROY], 1);
  EXPECT_EQ(later[WM_NCDESTROY], 1);
  adapter.reset();  // lets nothing go twice
}

TEST_F(AdapterWinTest, FrameworkControlKeepsALaterHandlerWhenTheAdapterGoes) {
  fw::TForm form(nullptr);
  auto* button = new fw::TButton(&form);
  button->SetParent(&form);
  form.HandleNeeded();
  TsCommonData data(button, true);
  data.SetSkinManager(manager.get());
  auto adapter = std::make_unique<TveMainWnd>(button->Handle(), false, "BUTTON", nullptr, &data);
  EXPECT_FALSE(adapter->OwnsSkinData);
  EXPECT_EQ(adapter->SkinManager, manager.get());
  EXPECT_EQ(SendMessageA(button->Handle(), SkinCommandMsg, SkinCommandParam(CmdGetSkinData), 0),
            reinterpret_cast<LRESULT>(&data));

  int wrapped = 0;
  fw::TWndMethod inner = button->WindowProc;
  button->WindowProc = [&wrapped, inner](fw::TMessage& m) {
    if (m.Msg == WM_SETTEXT) ++wrapped;
    inner(m);
  };
  adapter.reset();
  SetWindowTextA(button->Handle(), "After");
  EXPECT_EQ(wrapped, 1);
  char text[16] = {};
  GetWindowTextA(button->Handle(), text, sizeof text);
  EXPECT_STREQ(text, "After");
  // The adapter is gone: commands reach the control's own handling.
  EXPECT_EQ(SendMessageA(button->Handle(), SkinCommandMsg, SkinCommandParam(CmdIsSkinned), 0), 0);
}
