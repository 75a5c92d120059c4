// Title-button fades on a skinned form: the hot look fades in a layered popup in front of the
// form and stays while the mouse does; leaving within one tick leaves nothing behind; a press
// shows at once in a popup of its own; moving the form ends it all.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "support/LayeredRecorder.h"
#include "tests/win/skin_forms/FormTestScreen.h"

namespace {

using testing_support::LayeredRecorder;

struct TitleAnimationTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBorderStyle(fw::TFormBorderStyle::bsSingle);
    form->SetBounds(80, 80, 360, 220);
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    form->Show();
    Pump();
    recorder = std::make_unique<LayeredRecorder>();
  }
  void TearDown() override {
    recorder.reset();
    form.reset();
    manager.reset();
  }
  HWND Wnd() { return form->Handle(); }
  POINT CloseCentre() {
    const TRect& r = provider->Layout().Buttons[tbClose].Bounds;
    RECT w;
    GetWindowRect(Wnd(), &w);
    return {w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2};
  }
  void Hover(POINT at) { SendMessageA(Wnd(), WM_NCMOUSEMOVE, kHitClose, MAKELPARAM(at.x, at.y)); }
  // Lets the animation's ticks run for about ms milliseconds.
  void RunFor(int ms) {
    DWORD end = GetTickCount() + DWORD(ms);
    while (GetTickCount() < end) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(2);
    }
  }
  std::vector<int> Alphas() const {
    std::vector<int> alphas;
    for (const auto& u : recorder->updates) alphas.push_back(u.Alpha);
    return alphas;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<fw::TForm> form;
  TsSkinProvider* provider = nullptr;
  std::unique_ptr<LayeredRecorder> recorder;
};

TEST_F(TitleAnimationTest, HoveringAndLeavingWithinOneTickLeavesNoPopup) {
  ASSERT_TRUE(manager->Effects.AllowGlowing());
  Hover(CloseCentre());
  SendMessageA(Wnd(), WM_NCMOUSELEAVE, 0, 0);
  RunFor(150);
  ASSERT_FALSE(recorder->updates.empty());
  HWND popup = static_cast<HWND>(recorder->updates[0].Window);
  for (const auto& u : recorder->updates) EXPECT_EQ(u.Window, popup);
  // In at 255 / 10, out from there, then gone.
  EXPECT_EQ(Alphas(), (std::vector<int>{25, 25, 25}));
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(provider->ButtonStates().Hot(), 0);
}

TEST_F(TitleAnimationTest, TheHotLookFadesInAndStaysAPressShowsAtOnceAMoveEndsIt) {
  const POINT centre = CloseCentre();
  SetCursorPos(centre.x, centre.y);
  Hover(centre);
  RunFor(250);
  ASSERT_GE(recorder->updates.size(), 10u);
  HWND hot = static_cast<HWND>(recorder->updates[0].Window);
  EXPECT_EQ(Alphas(), (std::vector<int>{25, 50, 75, 100, 125, 150, 175, 200, 225, 255}));
  // Over the button (and its glow margin), directly in front of the form, never active.
  const TRect& r = provider->Layout().Buttons[tbClose].Bounds;
  const LayeredRecorder::Record& last = recorder->updates.back();
  RECT w;
  GetWindowRect(Wnd(), &w);
  const int margin = (last.Width - r.Width()) / 2;
  EXPECT_EQ(last.X, w.left + r.Left - margin);
  EXPECT_EQ(last.Y, w.top + r.Top - margin);
  EXPECT_EQ(last.Height, r.Height() + 2 * margin);
  EXPECT_TRUE(IsWindowVisible(hot));
  EXPECT_EQ(GetWindow(hot, GW_HWNDNEXT), Wnd());
  EXPECT_EQ(SendMessageA(hot, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y)), HTTRANSPARENT);

  recorder->updates.clear();
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, kHitClose, MAKELPARAM(centre.x, centre.y));
  EXPECT_FALSE(IsWindow(hot));
  ASSERT_EQ(recorder->updates.size(), 1u);
  HWND pressed = static_cast<HWND>(recorder->updates[0].Window);
  EXPECT_EQ(recorder->updates[0].Alpha, 255);
  RunFor(60);
  EXPECT_EQ(recorder->updates.size(), 1u);  // one step: nothing more to show

  SetWindowPos(Wnd(), nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_FALSE(IsWindow(pressed));
  ReleaseCapture();
}

}  // namespace
