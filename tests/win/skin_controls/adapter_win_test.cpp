// The adapter base on real windows: a foreign window's procedure and a framework control's
// handler get the adapter in front of them; skin commands are answered, the rest reaches the
// window once; a later subclass keeps working after the adapter lets go, and the window's own
// destruction messages arrive exactly once; commands carrying pointers are obeyed only from the
// window's own thread.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/controls/veMainWnd.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sCtrlUtils.h"
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

// Subclasses stacked on one window, each with its own predecessor.
constexpr int kLayers = 17;
std::array<WNDPROC, kLayers> beneath{};

template <int Layer>
LRESULT CALLBACK LayerProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return CallWindowProcA(beneath[Layer], wnd, msg, wParam, lParam);
}

template <int... Layers>
std::array<WNDPROC, kLayers> MakeLayers(std::integer_sequence<int, Layers...>) {
  return {&LayerProc<Layers>...};
}

// A window of ours that, asked by anybody, gives another window of ours a section the way the
// engine does: a send of this thread nested in the handling of another thread's message.
constexpr UINT kRelayMsg = WM_USER + 7;
LRESULT CALLBACK RelayProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != kRelayMsg) return DefWindowProcA(wnd, msg, wParam, lParam);
  auto target = reinterpret_cast<HWND>(wParam);
  TveSectionInfo info;
  info.Name = "GROUPBOX";
  SendSkinCommand(target, CmdSetSection, reinterpret_cast<LPARAM>(&info));
  return TveMainWnd::AdapterFromHandle(target)->SkinData->SkinSection == info.Name;
}

// Lets sent messages in while work of another thread or process runs, until it is done.
void PumpUntil(const std::atomic<bool>& done) {
  while (!done) {
    fw::Application.ProcessMessages();
    Sleep(5);
  }
}

// Runs the other program against a window and returns its exit code: the command's answer.
DWORD RunSender(HWND wnd, uint16_t command, const char* lParam, const char* how) {
  char path[MAX_PATH];
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string exe(path);
  exe = exe.substr(0, exe.find_last_of("\\/") + 1) + "skin_command_sender.exe";
  std::string line = "\"" + exe + "\" " + std::to_string(reinterpret_cast<uintptr_t>(wnd)) + " " +
                     std::to_string(command) + " " + lParam + " " + how;
  STARTUPINFOA start{};
  start.cb = sizeof start;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &start, &process))
    return DWORD(-100);
  std::atomic<bool> done = false;
  std::thread waiter([&] {
    WaitForSingleObject(process.hProcess, 20000);
    done = true;
  });
  PumpUntil(done);
  waiter.join();
  DWORD code = DWORD(-101);
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return code;
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

TEST_F(AdapterWinTest, AdaptersComingAndGoingUnderLaterSubclassesEachKeepTheirOwnPredecessor) {
  // Round after round an adapter attaches, somebody subclasses the window over it, and the adapter
  // goes, leaving a pass-through under the subclass. Every message still arrives once, and each
  // new adapter answers for the window, until no attachment is left to take: the last one leaves
  // the window to its own handling.
  const std::array<WNDPROC, kLayers> layers =
      MakeLayers(std::make_integer_sequence<int, kLayers>());
  for (int round = 0; round < kLayers; ++round) {
    SCOPED_TRACE(round);
    auto adapter = std::make_unique<TveMainWnd>(wnd, false, "EDIT", manager.get(), nullptr);
    EXPECT_EQ(Command(CmdIsSkinned, 0), round < kLayers - 1 ? 1 : 77);
    seen.clear();
    EXPECT_TRUE(SetWindowTextA(wnd, "round"));
    EXPECT_EQ(seen[WM_SETTEXT], 1);
    beneath[size_t(round)] = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(layers[size_t(round)])));
    adapter.reset();
    seen.clear();
    EXPECT_EQ(Command(CmdIsSkinned, 0), 77);
    EXPECT_EQ(seen[SkinCommandMsg], 1);
  }
  seen.clear();
  DestroyWindow(wnd);
  EXPECT_EQ(seen[WM_NCDESTROY], 1);
}

TEST_F(AdapterWinTest, CommandsCarryingPointersAreObeyedOnlyFromTheWindowsOwnThread) {
  // A foreign window's adapter and a framework control's: each is asked from this thread, from
  // another thread, from another program, and by a posted message. A bogus pointer obeyed would
  // be written to and stop the program.
  fw::TForm form(nullptr);
  auto* button = new fw::TButton(&form);
  button->SetParent(&form);
  form.HandleNeeded();
  TsCommonData data(button, true);
  data.SetSkinManager(manager.get());
  auto foreign = std::make_unique<TveMainWnd>(wnd, false, "EDIT", manager.get(), nullptr);
  auto own = std::make_unique<TveMainWnd>(button->Handle(), false, "BUTTON", nullptr, &data);
  const LPARAM bogus = 0x10;
  WNDCLASSA relayClass{};
  relayClass.lpfnWndProc = RelayProc;
  relayClass.lpszClassName = "SkinCommandRelay";
  RegisterClassA(&relayClass);
  HWND relay =
      CreateWindowA("SkinCommandRelay", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  for (HWND target : {wnd, button->Handle()}) {
    SCOPED_TRACE(target == wnd ? "foreign window" : "framework control");
    TsCommonData& skinData = *TveMainWnd::AdapterFromHandle(target)->SkinData;
    TveSectionInfo info;
    info.Name = "CHECKBOX";
    SendMessageA(target, SkinCommandMsg, SkinCommandParam(CmdSetSection),
                 reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(skinData.SkinSection, "CHECKBOX");

    std::atomic<bool> done = false;
    LRESULT pointer = -1, plain = -1, relayed = -1;
    std::thread other([&] {
      pointer = SendMessageA(target, SkinCommandMsg, SkinCommandParam(CmdGetSectionIndex), bogus);
      plain = SendMessageA(target, SkinCommandMsg, SkinCommandParam(CmdIsSkinned), 0);
      relayed = SendMessageA(relay, kRelayMsg, reinterpret_cast<WPARAM>(target), 0);
      done = true;
    });
    PumpUntil(done);
    other.join();
    EXPECT_EQ(pointer, 0);
    EXPECT_EQ(plain, 1);    // what carries no pointer stays open to all
    EXPECT_EQ(relayed, 1);  // our own send inside another thread's message
    EXPECT_EQ(skinData.SkinSection, "GROUPBOX");

    EXPECT_EQ(RunSender(target, CmdGetBg, "16", "send"), 0u);
    EXPECT_EQ(RunSender(target, CmdSetSection, "16", "send"), 0u);
    EXPECT_EQ(RunSender(target, CmdIsSkinned, "0", "send"), 1u);
    EXPECT_EQ(RunSender(target, CmdGetSectionIndex, "16", "post"), 0u);
    PostMessageA(target, SkinCommandMsg, SkinCommandParam(CmdSetSection), bogus);
    fw::Application.ProcessMessages();
    EXPECT_EQ(SendMessageA(target, SkinCommandMsg, SkinCommandParam(CmdIsSkinned), 0), 1);
    EXPECT_EQ(skinData.SkinSection, "GROUPBOX");
  }
  DestroyWindow(relay);
}
