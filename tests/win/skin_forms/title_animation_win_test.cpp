// A skinned form's animations. Title-button fades: the hot look fades in a layered popup in front
// of the form and stays while the mouse does; leaving within one tick leaves nothing behind; a
// press shows at once in a popup of its own; moving the form ends it all. A title item's hover
// fades the same way, and a press on it shows at once. Minimising flies the form's picture down
// to the taskbar's place, restoring flies it back. Dragging by the caption turns the form
// translucent until it is let go.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "skin/forms/sMinAnimation.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/sTitleBar.h"
#include "skins/StoredSkins.h"
#include "support/LayeredRecorder.h"
#include "tests/win/skin_forms/FormTestScreen.h"

namespace {

using testing_support::LayeredRecorder;

struct FormAnimationTest : ::testing::Test {
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
  // The updates of the popups shown at x (the real mouse may light other buttons meanwhile).
  std::vector<LayeredRecorder::Record> UpdatesAt(int x) const {
    std::vector<LayeredRecorder::Record> at;
    for (const auto& u : recorder->updates)
      if (u.X == x) at.push_back(u);
    return at;
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<fw::TForm> form;
  TsSkinProvider* provider = nullptr;
  std::unique_ptr<LayeredRecorder> recorder;
};

TEST_F(FormAnimationTest, HoveringAndLeavingWithinOneTickLeavesNoPopup) {
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

TEST_F(FormAnimationTest, TheHotLookFadesInAndStaysAPressShowsAtOnceAMoveEndsIt) {
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

TEST_F(FormAnimationTest, ATitleItemsHoverFadesInAndOutAndAPressShowsAtOnce) {
  auto* bar = new TsTitleBar(form.get());
  provider->SetTitleBar(bar);
  TveTitleBarItem& item = bar->Items.Add();
  item.SetStyle(TveBtnStyle::bsButton);
  item.SetCaption("Go");
  Pump();
  RECT w;
  GetWindowRect(Wnd(), &w);
  const TRect r = item.Rect;
  const POINT over{w.left + (r.Left + r.Right) / 2, w.top + (r.Top + r.Bottom) / 2};
  // The mouse rests over the item, and whatever its own moves lit up has gone out again.
  PutCursor(over);
  RunFor(150);
  const LPARAM away = MAKELPARAM(over.x, over.y + 200);
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, HTCAPTION, away);
  RunFor(150);
  recorder->updates.clear();
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, kHitTitleItem, MAKELPARAM(over.x, over.y));
  RunFor(250);
  std::vector<LayeredRecorder::Record> in = UpdatesAt(w.left + r.Left);
  ASSERT_EQ(in.size(), 10u);
  HWND popup = static_cast<HWND>(in[0].Window);
  for (size_t i = 0; i < in.size(); ++i) EXPECT_EQ(in[i].Alpha, i < 9 ? 25 * (i + 1) : 255);
  const LayeredRecorder::Record& shown = in.back();
  EXPECT_EQ(shown.Y, w.top + r.Top);
  EXPECT_EQ(shown.Width, r.Width());
  EXPECT_EQ(shown.Height, r.Height());
  // The popup shows the hot look over the normal one the window image keeps underneath.
  const img::Bitmap32& image = provider->WindowImage();
  img::Bitmap32 normal(r.Width(), r.Height());
  for (int y = 0; y < r.Height(); ++y)
    for (int x = 0; x < r.Width(); ++x) {
      normal.Pixel(x, y) = image.Pixel(r.Left + x, r.Top + y);
      normal.Pixel(x, y).A = 255;
    }
  EXPECT_NE(shown.Checksum, LayeredRecorder::Checksum(normal));

  // Leaving fades the hot look out, step by step, and the popup goes.
  recorder->updates.clear();
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, HTCAPTION, away);
  RunFor(250);
  std::vector<int> out;
  for (const auto& u : UpdatesAt(w.left + r.Left)) out.push_back(u.Alpha);
  ASSERT_GE(out.size(), 5u);
  EXPECT_TRUE(std::is_sorted(out.rbegin(), out.rend()));
  EXPECT_FALSE(IsWindow(popup));

  // A press ends the fade at once.
  recorder->updates.clear();
  SendMessageA(Wnd(), WM_NCMOUSEMOVE, kHitTitleItem, MAKELPARAM(over.x, over.y));
  ASSERT_EQ(UpdatesAt(w.left + r.Left).size(), 1u);
  popup = static_cast<HWND>(UpdatesAt(w.left + r.Left)[0].Window);
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, kHitTitleItem, MAKELPARAM(over.x, over.y));
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_TRUE(item.Pressed);
  ReleaseCapture();
}

TEST_F(FormAnimationTest, MinimiseFliesDownAndFadesRestoreFliesBack) {
  manager->AnimEffects.Minimizing.Time = 60;  // four frames
  RECT form;
  GetWindowRect(Wnd(), &form);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof monitor;
  GetMonitorInfoA(MonitorFromWindow(Wnd(), MONITOR_DEFAULTTONEAREST), &monitor);
  // Without a taskbar (none under a plain X server) the flight ends on the work area's bottom.
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  const TsRectF target = MinimizeTarget(Wnd());
  if (!tray || !IsWindowVisible(tray)) {
    EXPECT_EQ(target, WorkAreaBottomEdge(ToRectF(monitor.rcWork)));
  }

  provider->StartMinimizeAnimation();
  EXPECT_TRUE(IsIconic(Wnd()));
  // Four frames; the last one, a line on the edge, shows nothing.
  const std::vector<TsFlightFrame> down = FlightFrames(ToRectF(form), target, 255, 0, 4);
  ASSERT_EQ(recorder->updates.size(), 3u);
  for (size_t k = 0; k < 3; ++k) {
    const LayeredRecorder::Record& u = recorder->updates[k];
    EXPECT_EQ(u.Window, recorder->updates[0].Window);
    EXPECT_EQ(u.X, int(std::lround(down[k].Rect.Left))) << k;
    EXPECT_EQ(u.Y, int(std::lround(down[k].Rect.Top))) << k;
    EXPECT_EQ(u.Alpha, down[k].Alpha) << k;
  }
  EXPECT_EQ(Alphas(), (std::vector<int>{255, 170, 85}));
  EXPECT_FALSE(IsWindow(static_cast<HWND>(recorder->updates[0].Window)));

  recorder->updates.clear();
  EXPECT_TRUE(provider->StartRestoreAnimation());
  EXPECT_FALSE(IsIconic(Wnd()));
  ASSERT_EQ(recorder->updates.size(), 4u);
  EXPECT_EQ(Alphas(), (std::vector<int>{0, 85, 170, 255}));
  const LayeredRecorder::Record& last = recorder->updates.back();
  EXPECT_EQ(last.X, form.left);
  EXPECT_EQ(last.Y, form.top);
  EXPECT_EQ(last.Width, form.right - form.left);
  EXPECT_EQ(last.Height, form.bottom - form.top);
  // Nothing is kept for another flight back.
  EXPECT_FALSE(provider->StartRestoreAnimation());

  // Time 0 still flies: one frame.
  manager->AnimEffects.Minimizing.Time = 0;
  recorder->updates.clear();
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(Wnd()));
  SendMessageA(Wnd(), WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_FALSE(IsIconic(Wnd()));
  ASSERT_EQ(recorder->updates.size(), 1u);  // the restore's one frame on the form
  EXPECT_EQ(recorder->updates[0].X, form.left);
}

// Ends the platform's move loop as a key would.
void CALLBACK LetGo(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  PostMessageA(GetCapture(), WM_KEYDOWN, VK_RETURN, 0);
}

TEST_F(FormAnimationTest, DraggingByTheCaptionIsTranslucentUntilLetGo) {
  TveBlendOnMoving& effect = manager->AnimEffects.BlendOnMoving;
  effect.Active = true;
  effect.BlendValue = 150;
  effect.Time = 10;  // below one tick: the whole way at once
  ASSERT_TRUE(provider->BlendOnMovingAllowed());
  RECT w;
  GetWindowRect(Wnd(), &w);
  SetTimer(nullptr, 0, 120, LetGo);
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 60, w.top + 8));
  // The form's own alpha (a title button under the cursor may fade meanwhile, in its popup).
  std::vector<int> alphas;
  for (const auto& u : recorder->updates)
    if (u.Window == Wnd()) {
      EXPECT_FALSE(u.PerPixel);
      alphas.push_back(u.Alpha);
    }
  ASSERT_GE(alphas.size(), 2u);
  EXPECT_EQ(alphas[0], 255);
  EXPECT_EQ(alphas[1], 150);
  EXPECT_EQ(alphas.back(), 150);  // never below the blend value
  EXPECT_FALSE(GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(provider->BlendOnMovingAllowed());  // over: the next press may blend again
  // A maximised form does not move, so a press on its caption leaves it opaque.
  ShowWindow(Wnd(), SW_MAXIMIZE);
  Pump();
  EXPECT_FALSE(provider->BlendOnMovingAllowed());
  ShowWindow(Wnd(), SW_RESTORE);
  Pump();
  EXPECT_TRUE(provider->BlendOnMovingAllowed());

  // With a border window its picture turns translucent with the form, and back.
  manager->SetExtendedBorders(true);
  Pump();
  provider->UpdateBorderForm();
  ASSERT_NE(provider->BorderForm(), nullptr);
  HWND border = provider->BorderForm()->Window();
  recorder->updates.clear();
  GetWindowRect(Wnd(), &w);
  SetTimer(nullptr, 0, 120, LetGo);
  SendMessageA(Wnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(w.left + 60, w.top + 8));
  std::vector<int> borderAlphas;
  for (const auto& u : recorder->updates)
    if (u.Window == border) borderAlphas.push_back(u.Alpha);
  ASSERT_GE(borderAlphas.size(), 3u);
  EXPECT_EQ(borderAlphas[0], 255);
  EXPECT_NE(std::find(borderAlphas.begin(), borderAlphas.end(), 150), borderAlphas.end());
  EXPECT_EQ(*std::min_element(borderAlphas.begin(), borderAlphas.end()), 150);
  EXPECT_EQ(borderAlphas.back(), 255);
}

}  // namespace
