// The frame handler that a form's provider, a system dialog's adapter and the border window
// share, on a window of its own with a frame whose facts the test sets: hit tests, the title
// buttons from press to release, the double-click on the caption, the system menu's openings,
// the hover and its hints, and the skin commands every skinned frame answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "skin/data/sSkinCommands.h"
#include "skin/forms/sFrameHandler.h"

namespace {

constexpr UINT kPopupSystemMenu = 0x0313;
constexpr RECT kWindow{100, 120, 400, 320};
constexpr int kTitleBottom = 30;

// System commands the window received, sent or posted.
std::vector<WPARAM> received;

LRESULT CALLBACK RecordingProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg != WM_SYSCOMMAND) return DefWindowProcA(wnd, msg, wParam, lParam);
  received.push_back(wParam);
  return 0;
}

HWND MakeWindow() {
  static const ATOM registered = [] {
    WNDCLASSA cls{};
    cls.lpfnWndProc = RecordingProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "FrameHandlerTest";
    return RegisterClassA(&cls);
  }();
  EXPECT_NE(registered, 0);
  return CreateWindowExA(0, "FrameHandlerTest", "", WS_POPUP, kWindow.left, kWindow.top,
                         kWindow.right - kWindow.left, kWindow.bottom - kWindow.top, nullptr,
                         nullptr, GetModuleHandleA(nullptr), nullptr);
}

// A frame whose facts the test sets and whose requests it records, as "what code" lines.
struct FakeFrame final : TsFrameFacts {
  HWND FrameWindow() const override { return wnd; }
  const TsFramePaint& Frame() const override { return paint; }
  TPoint ImageOrigin() const override { return origin; }
  int HitTest(POINT) override {
    if (logHits) log.push_back("hit");
    return hit;
  }
  void RepaintElements(const std::vector<int>& codes) override {
    for (int code : codes) log.push_back("paint " + std::to_string(code));
  }
  void RepaintFrame(bool imageChanged) override {
    log.push_back(imageChanged ? "frame anew" : "frame");
  }
  void PopupSystemMenu(int x, int y) override {
    log.push_back("menu " + std::to_string(x) + "," + std::to_string(y));
  }
  void PassOn(fw::TMessage&) override {
    log.push_back(IsWindowVisible(wnd) ? "pass shown" : "pass hidden");
  }
  bool AnswerBackground(fw::TMessage& message) override {
    log.push_back("background");
    message.Result = 7;
    return answersBackground;
  }
  LRESULT BackgroundColor() override { return 0x123456; }
  LRESULT ApplicationHitTest(fw::TMessage&) override {
    if (freeOnEvent) freeOnEvent();
    return own;
  }
  void ShowHint(int code) override { log.push_back("hint " + std::to_string(code)); }
  void TitleItemDown(int code) override { log.push_back("item down " + std::to_string(code)); }
  void TitleItemUp(int code) override {
    log.push_back("item up " + std::to_string(code));
    if (freeOnEvent) freeOnEvent();
  }
  void UserButtonMouse(int code, bool down) override {
    log.push_back("user " + std::to_string(code) + (down ? " down" : " up"));
  }
  bool MouseLeaveWatched() const override { return true; }

  HWND wnd = nullptr;
  TsFramePaint paint;
  TPoint origin;
  int hit = kHitNowhere;
  LRESULT own = 0;
  bool answersBackground = true;
  bool logHits = false;
  // An event of the application that frees the handler.
  std::function<void()> freeOnEvent;
  std::vector<std::string> log;
};

struct FrameHandlerWinTest : ::testing::Test {
  void SetUp() override {
    frame.wnd = MakeWindow();
    ASSERT_NE(frame.wnd, nullptr);
    frame.paint.Layout.TitleBottom = kTitleBottom;
    frame.paint.Layout.IconRect = {6, 7, 22, 23};
    frame.paint.Form.Width = 300;
    frame.paint.Form.Height = 200;
    frame.paint.Form.ClientWidth = 292;
    frame.paint.Form.ClientHeight = 166;
    received.clear();
  }
  void TearDown() override {
    if (GetCapture() == frame.wnd) ReleaseCapture();
    DestroyWindow(frame.wnd);
  }
  bool Send(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr) {
    fw::TMessage message{msg, wParam, lParam, -99};
    bool handled = handler.Handle(message);
    if (result) *result = message.Result;
    return handled;
  }
  // The commands posted to the window as well as those sent.
  std::vector<WPARAM> Commands() {
    MSG msg;
    while (PeekMessageA(&msg, frame.wnd, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    return received;
  }
  static LPARAM At(int x, int y) { return MAKELPARAM(kWindow.left + x, kWindow.top + y); }

  FakeFrame frame;
  TsFrameHandler handler{frame};
};

TEST_F(FrameHandlerWinTest, HitTestsAnswerTheTitleAndLeaveTheRestToThePlatform) {
  struct Row {
    const char* what;
    int code;
    int y;
    bool gripShown;
    LRESULT own;
    bool answered;
    LRESULT result;
  } rows[] = {
      {"close button", kHitClose, 10, false, 0, true, kHitClose},
      {"help button", kHitHelp, 10, false, 0, true, kHitHelp},
      {"user button", kHitUserButton + 1, 10, false, 0, true, kHitUserButton + 1},
      {"title item", kHitTitleItem, 10, false, 0, true, kHitTitleItem},
      {"icon", kHitSysMenu, 10, false, 0, true, kHitSysMenu},
      {"caption", kHitCaption, 10, false, 0, false, 0},
      {"sizing border", kHitLeft, 50, false, 0, false, 0},
      {"disabled element at the title's last line", kHitClient, kTitleBottom - 1, false, 0, true,
       kHitClient},
      {"client just below the title", kHitClient, kTitleBottom, false, 0, false, 0},
      {"size grip shown", kHitBottomRight, 190, true, 0, true, kHitBottomRight},
      {"size grip not shown", kHitBottomRight, 190, false, 0, false, 0},
      {"the application answers first", kHitClose, 10, false, HTBORDER, true, HTBORDER},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    frame.hit = r.code;
    frame.own = r.own;
    frame.paint.GripShown = r.gripShown;
    LRESULT result = -99;
    EXPECT_EQ(Send(WM_NCHITTEST, 0, At(150, r.y), &result), r.answered);
    EXPECT_EQ(result, r.answered ? r.result : -99);
  }
}

TEST_F(FrameHandlerWinTest, TitleButtonsActOnlyOnAReleaseOverThePressedOne) {
  struct Row {
    const char* what;
    int code;
    int releasedOver;
    bool minimized, maximized, canClose, enabledMax, enabledRestore;
    int stateAfterPress;
    std::vector<WPARAM> commands;
    std::vector<std::string> events;
  } rows[] = {
      {"close", kHitClose, kHitClose, false, false, true, true, false, 2, {SC_CLOSE}, {}},
      {"close released on the caption",
       kHitClose,
       kHitCaption,
       false,
       false,
       true,
       true,
       false,
       2,
       {},
       {}},
      {"close that cannot close",
       kHitClose,
       kHitClose,
       false,
       false,
       false,
       true,
       false,
       0,
       {},
       {}},
      {"minimise",
       kHitMinButton,
       kHitMinButton,
       false,
       false,
       true,
       true,
       false,
       2,
       {SC_MINIMIZE},
       {}},
      {"minimise of a minimised window",
       kHitMinButton,
       kHitMinButton,
       true,
       false,
       true,
       true,
       false,
       2,
       {SC_RESTORE},
       {}},
      {"maximise",
       kHitMaxButton,
       kHitMaxButton,
       false,
       false,
       true,
       true,
       false,
       2,
       {SC_MAXIMIZE},
       {}},
      {"maximise of a maximised window",
       kHitMaxButton,
       kHitMaxButton,
       false,
       true,
       true,
       false,
       true,
       2,
       {SC_RESTORE},
       {}},
      {"maximise not allowed",
       kHitMaxButton,
       kHitMaxButton,
       false,
       false,
       true,
       false,
       true,
       0,
       {},
       {}},
      {"help", kHitHelp, kHitHelp, false, false, true, true, false, 2, {SC_CONTEXTHELP}, {}},
      {"user button",
       kHitUserButton,
       kHitUserButton,
       false,
       false,
       true,
       true,
       false,
       2,
       {},
       {"user 1000 down", "user 1000 up"}},
      {"user button released elsewhere",
       kHitUserButton,
       kHitCaption,
       false,
       false,
       true,
       true,
       false,
       2,
       {},
       {"user 1000 down"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    received.clear();
    frame.log.clear();
    frame.paint.Form.Minimized = r.minimized;
    frame.paint.Form.Maximized = r.maximized;
    frame.paint.Inputs.Rules.CanClose = r.canClose;
    frame.paint.Inputs.Rules.EnabledMax = r.enabledMax;
    frame.paint.Inputs.Rules.EnabledRestore = r.enabledRestore;
    frame.hit = r.code;
    LRESULT result = -99;
    EXPECT_TRUE(Send(WM_NCLBUTTONDOWN, r.code, At(150, 10), &result));
    EXPECT_EQ(result, 0);
    EXPECT_EQ(handler.Buttons().StateOf(r.code), r.stateAfterPress);
    EXPECT_EQ(GetCapture() == frame.wnd, r.stateAfterPress == 2);
    frame.hit = r.releasedOver;
    // The captured mouse reports in client coordinates.
    EXPECT_EQ(Send(WM_LBUTTONUP, 0, MAKELPARAM(50, 10)), r.stateAfterPress == 2);
    EXPECT_EQ(Commands(), r.commands);
    EXPECT_FALSE(handler.Buttons().ButtonPressed());
    EXPECT_NE(GetCapture(), frame.wnd);
    std::vector<std::string> events;
    for (const std::string& line : frame.log)
      if (line.rfind("user", 0) == 0) events.push_back(line);
    EXPECT_EQ(events, r.events);
    handler.Buttons().Reset();
  }
}

TEST_F(FrameHandlerWinTest, APressFollowsTheMouseAndAnItemRunsItsOwnPress) {
  frame.hit = kHitClose;
  Send(WM_NCLBUTTONDOWN, kHitClose, At(280, 10));
  EXPECT_EQ(frame.log, (std::vector<std::string>{"paint 20", "hint 0"}));
  // Off the button it looks normal, back on it pressed again; the release there closes.
  frame.log.clear();
  frame.hit = kHitCaption;
  EXPECT_TRUE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(100, 10)));
  EXPECT_EQ(handler.Buttons().StateOf(kHitClose), 0);
  frame.hit = kHitClose;
  EXPECT_TRUE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(180, 10)));
  EXPECT_EQ(handler.Buttons().StateOf(kHitClose), 2);
  EXPECT_EQ(frame.log, (std::vector<std::string>{"paint 20", "paint 20"}));
  // A lost capture ends the press without a command.
  EXPECT_FALSE(Send(WM_CAPTURECHANGED, 0, 0));
  EXPECT_FALSE(handler.Buttons().ButtonPressed());
  EXPECT_FALSE(Send(WM_LBUTTONUP, 0, MAKELPARAM(180, 10)));
  EXPECT_TRUE(Commands().empty());
  // Moving the mouse without a press is the window's own business.
  EXPECT_FALSE(Send(WM_MOUSEMOVE, 0, MAKELPARAM(180, 10)));
  // A title item's press is the item's: nothing of the buttons is pressed here.
  frame.log.clear();
  EXPECT_TRUE(Send(WM_NCLBUTTONDOWN, kHitTitleItem + 2, At(150, 10)));
  EXPECT_EQ(frame.log, (std::vector<std::string>{"item down 2002"}));
  EXPECT_FALSE(handler.Buttons().ButtonPressed());
  // A press on the caption leaves nothing lit and goes on to the window's own handling.
  handler.Buttons().SetHot(kHitMaxButton);
  frame.log.clear();
  EXPECT_FALSE(Send(WM_NCLBUTTONDOWN, HTCAPTION, At(150, 10)));
  EXPECT_EQ(frame.log, (std::vector<std::string>{"paint 9"}));
}

TEST_F(FrameHandlerWinTest, TheHotElementLightsWithItsHintAndGoesDarkWhenTheMouseLeaves) {
  struct Row {
    UINT msg;
    int code;
    bool answered;
    int hot;
    std::vector<std::string> log;
  } rows[] = {
      {WM_NCMOUSEMOVE, kHitClose, true, kHitClose, {"paint 20", "hint 20"}},
      {WM_NCMOUSEMOVE, kHitClose, true, kHitClose, {"hint 20"}},
      {WM_NCMOUSEMOVE,
       kHitUserButton,
       true,
       kHitUserButton,
       {"paint 20", "paint 1000", "hint 1000"}},
      {WM_NCMOUSEMOVE, kHitCaption, false, 0, {"paint 1000", "hint 0"}},
      {WM_NCMOUSEMOVE, kHitMinButton, true, kHitMinButton, {"paint 8", "hint 8"}},
      {WM_NCMOUSELEAVE, 0, false, 0, {"hint 0", "paint 8"}},
      {WM_NCMOUSEMOVE, kHitHelp, true, kHitHelp, {"paint 21", "hint 21"}},
      {WM_MOUSELEAVE, 0, false, 0, {"hint 0", "paint 21"}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.code);
    frame.log.clear();
    EXPECT_EQ(Send(r.msg, WPARAM(r.code), At(150, 10)), r.answered);
    EXPECT_EQ(handler.Buttons().Hot(), r.hot);
    EXPECT_EQ(frame.log, r.log);
  }
  // While a button is held down no other one lights up, and no hint shows.
  frame.hit = kHitClose;
  Send(WM_NCLBUTTONDOWN, kHitClose, At(280, 10));
  frame.log.clear();
  EXPECT_TRUE(Send(WM_NCMOUSEMOVE, kHitMinButton, At(250, 10)));
  EXPECT_TRUE(frame.log.empty());
  EXPECT_FALSE(Send(WM_NCMOUSELEAVE, 0, 0));
  EXPECT_EQ(handler.Buttons().StateOf(kHitClose), 2);
}

TEST_F(FrameHandlerWinTest, ADoubleClickOnTheCaptionMaximisesOrRestoresAndOnTheIconCloses) {
  struct Row {
    const char* what;
    int code;
    bool minimized, maximized, enabledMax, enabledRestore;
    bool answered;
    std::vector<WPARAM> commands;
  } rows[] = {
      {"caption", kHitCaption, false, false, true, false, true, {SC_MAXIMIZE}},
      {"caption, maximising not allowed", kHitCaption, false, false, false, true, true, {}},
      {"caption of a maximised window", kHitCaption, false, true, false, true, true, {SC_RESTORE}},
      {"maximised, restoring not allowed", kHitCaption, false, true, true, false, true, {}},
      {"caption of a minimised window", kHitCaption, true, false, false, false, true, {SC_RESTORE}},
      {"icon", kHitSysMenu, false, false, true, false, true, {SC_CLOSE}},
      {"left border", kHitLeft, false, false, true, true, false, {}},
      {"menu band", kHitMenu, false, false, true, true, false, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    received.clear();
    frame.paint.Form.Minimized = r.minimized;
    frame.paint.Form.Maximized = r.maximized;
    frame.paint.Inputs.Rules.EnabledMax = r.enabledMax;
    frame.paint.Inputs.Rules.EnabledRestore = r.enabledRestore;
    LRESULT result = -99;
    EXPECT_EQ(Send(WM_NCLBUTTONDBLCLK, r.code, At(150, 10), &result), r.answered);
    EXPECT_EQ(result, r.answered ? 0 : -99);
    EXPECT_EQ(Commands(), r.commands);
  }
  // A title button takes the second click as a press.
  frame.hit = kHitClose;
  EXPECT_TRUE(Send(WM_NCLBUTTONDBLCLK, kHitClose, At(280, 10)));
  EXPECT_EQ(handler.Buttons().StateOf(kHitClose), 2);
}

TEST_F(FrameHandlerWinTest, TheSystemMenuOpensUnderTheIconAtTheRightClickAndAtTheTaskBarsRequest) {
  POINT cursor{};
  GetCursorPos(&cursor);
  std::string underIcon =
      "menu " + std::to_string(kWindow.left + 6) + "," + std::to_string(kWindow.top + kTitleBottom);
  std::string atCursor = "menu " + std::to_string(cursor.x) + "," + std::to_string(cursor.y);
  struct Row {
    const char* what;
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
    bool answered;
    std::string menu;
  } rows[] = {
      {"icon pressed", WM_NCLBUTTONDOWN, HTSYSMENU, At(10, 10), true, underIcon},
      {"Alt+Space", WM_SYSCOMMAND, SC_KEYMENU, ' ', true, underIcon},
      {"Alt+F", WM_SYSCOMMAND, SC_KEYMENU, 'f', false, ""},
      {"another command", WM_SYSCOMMAND, SC_MOVE, 0, false, ""},
      {"right button up on the caption", WM_NCRBUTTONUP, HTCAPTION, MAKELPARAM(150, 40), true,
       "menu 150,40"},
      {"right button up on the icon", WM_NCRBUTTONUP, HTSYSMENU, MAKELPARAM(110, 130), true,
       "menu 110,130"},
      {"right button up on a border", WM_NCRBUTTONUP, HTLEFT, MAKELPARAM(100, 150), false, ""},
      {"right button down on the caption", WM_NCRBUTTONDOWN, HTCAPTION, At(150, 10), true, ""},
      {"right button down on the icon", WM_NCRBUTTONDOWN, HTSYSMENU, At(10, 10), true, ""},
      {"right button down on a border", WM_NCRBUTTONDOWN, HTLEFT, At(0, 50), false, ""},
      {"the task bar's request", kPopupSystemMenu, 0, 0, true, atCursor},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.what);
    handler.Buttons().SetHot(kHitClose);
    frame.log.clear();
    EXPECT_EQ(Send(r.msg, r.wParam, r.lParam), r.answered);
    // The menu opens with nothing of the title lit.
    std::vector<std::string> expected;
    if (!r.menu.empty()) expected = {"paint 20", r.menu};
    EXPECT_EQ(frame.log, expected);
  }
  // With a border window the image's corner lies left of and above the window.
  frame.origin = {9, 20};
  frame.log.clear();
  Send(WM_NCLBUTTONDOWN, HTSYSMENU, At(10, 10));
  EXPECT_EQ(frame.log.back(), "menu " + std::to_string(kWindow.left + 6 - 9) + "," +
                                  std::to_string(kWindow.top + kTitleBottom - 20));
}

TEST_F(FrameHandlerWinTest, SkinCommandsEveryFrameAnswersAlike) {
  handler.Buttons().SetHot(kHitMinButton);
  struct Row {
    uint16_t command;
    LPARAM lParam;
    bool answered;
    LRESULT result;
    std::vector<std::string> log;
  } rows[] = {
      {CmdGetBgColor, 0, true, 0x123456, {}},
      // Window 300 x 200 with a 292 x 166 client and a sizing frame of 4.
      {CmdGetClientOffset, 0, true, MAKELONG(4, 30), {}},
      {CmdRepaintFrame, 1, true, -99, {"frame anew"}},
      {CmdRepaintFrame, 0, true, -99, {"frame"}},
      {CmdLostHot, 0, true, -99, {"paint 8"}},
      {CmdGetBg, 0, true, 7, {"background"}},
      {CmdIsSkinned, 0, false, -99, {}},
      {CmdSkinLoaded, 0, false, -99, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.command);
    frame.log.clear();
    fw::TMessage message{SkinCommandMsg, SkinCommandParam(r.command), r.lParam, -99};
    EXPECT_EQ(handler.AnswerSkinCommand(message), r.answered);
    EXPECT_EQ(message.Result, r.result);
    EXPECT_EQ(frame.log, r.log);
  }
  EXPECT_EQ(handler.Buttons().Hot(), 0);
  // A frame that cannot answer a background question leaves it to its window.
  frame.answersBackground = false;
  fw::TMessage question{SkinCommandMsg, SkinCommandParam(CmdGetBg), 0, 0};
  EXPECT_FALSE(handler.AnswerSkinCommand(question));
}

TEST_F(FrameHandlerWinTest, NothingOfAHandlerIsTouchedOnceAnEventFreedIt) {
  auto* owned = new TsFrameHandler(frame);
  frame.freeOnEvent = [&] {
    delete owned;
    owned = nullptr;
  };
  frame.logHits = true;
  // The application's hit test closes the window: its answer stands, nothing more is asked.
  fw::TMessage test{WM_NCHITTEST, 0, At(150, 10), 0};
  EXPECT_TRUE(owned->Handle(test));
  EXPECT_EQ(owned, nullptr);
  EXPECT_TRUE(frame.log.empty());
  // A title item's release runs its click, which closes the window: nothing is painted after.
  owned = new TsFrameHandler(frame);
  owned->Buttons().Press(kHitTitleItem, true);
  frame.hit = kHitTitleItem;
  fw::TMessage up{WM_LBUTTONUP, 0, MAKELPARAM(150, 10), 0};
  frame.log.clear();
  EXPECT_TRUE(owned->Handle(up));
  EXPECT_EQ(owned, nullptr);
  EXPECT_EQ(frame.log, (std::vector<std::string>{"hit", "item up 2000"}));
}

TEST_F(FrameHandlerWinTest, TheCaptionChangesWithTheWindowMarkedInvisible) {
  ShowWindow(frame.wnd, SW_SHOWNA);
  fw::TMessage text{WM_SETTEXT, 0, reinterpret_cast<LPARAM>("New"), 0};
  handler.PassOnHidden(text);
  EXPECT_TRUE(IsWindowVisible(frame.wnd));
  // A hidden window stays hidden.
  ShowWindow(frame.wnd, SW_HIDE);
  handler.PassOnHidden(text);
  EXPECT_FALSE(IsWindowVisible(frame.wnd));
  EXPECT_EQ(frame.log, (std::vector<std::string>{"pass hidden", "pass hidden"}));
}

}  // namespace
