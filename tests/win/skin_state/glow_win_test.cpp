// Glows around hovered controls: the layered update they make, where the glow window sits in the
// z-order, and the handles that outlive a skin change.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

#include "support/LayeredRecorder.h"
#include "SkinStateWorld.h"
#include "framework/Forms.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sGlow.h"

namespace {

using namespace skin_state_test;
using testing_support::LayeredRecorder;

constexpr img::TRGBAPixel kHalo{0x20, 0x30, 0x40, 0x60};  // premultiplied, alpha 0x60

struct GlowTest : ::testing::Test {
  GlowTest() : form(std::make_unique<fw::TForm>(nullptr)) {
    // A halo picture of one colour: however it is sliced and stretched, the glow shows only it.
    manager.MasterImage = img::Bitmap32(37, 37);
    manager.MasterImage.Fill(kHalo);
    TsMaskData glow;
    glow.Owner = &manager;
    glow.SectionName = "BUTTON";
    glow.KeyName = "GLOW0";
    glow.SrcRect = {0, 0, 37, 37};
    glow.StateCount = 1;
    glow.PaintFlags = 4;  // the centre too
    glow.MarginLeft = glow.MarginTop = glow.MarginRight = glow.MarginBottom = 18;
    manager.ImageTable = {glow};
    TsGeneralData button = Section("BUTTON", 0x808080);
    button.Glow = 1;
    button.GlowMargin = 10;
    manager.SectionTable = {button};
    form->SetBounds(100, 100, 300, 200);
    form->Show();
  }
  ~GlowTest() override { HideAllGlows(); }

  static uint64_t HaloSum(int width, int height) {
    img::Bitmap32 expected(width, height);
    expected.Fill(kHalo);
    return LayeredRecorder::Checksum(expected);
  }
  int Show(const RECT& rect, const RECT& visible) {
    return ShowGlow(rect, visible, "BUTTON", &manager, form->Handle(), 10, "GLOW");
  }

  LayeredRecorder recorder;
  TsSkinManager manager{nullptr};
  std::unique_ptr<fw::TForm> form;
};

TEST_F(GlowTest, OneLayeredUpdateOfTheHaloDirectlyAboveTheForm) {
  int handle = Show({200, 300, 300, 330}, {0, 0, 100, 30});
  HWND glow = GlowWindow(handle);
  ASSERT_NE(glow, nullptr);
  ASSERT_EQ(recorder.updates.size(), 1u);
  const LayeredRecorder::Record& u = recorder.updates[0];
  EXPECT_EQ(u.Window, glow);
  EXPECT_TRUE(u.PerPixel);
  EXPECT_EQ(u.X, 192);
  EXPECT_EQ(u.Y, 292);
  EXPECT_EQ(u.Width, 116);
  EXPECT_EQ(u.Height, 46);
  EXPECT_EQ(u.Alpha, 255);
  EXPECT_EQ(u.Checksum, HaloSum(116, 46));

  // Click-through, never active, above the form and nothing between.
  const LONG ex = GetWindowLongA(glow, GWL_EXSTYLE);
  const LONG wanted = WS_EX_LAYERED | WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW | WS_EX_TRANSPARENT;
  EXPECT_EQ(ex & wanted, wanted);
  EXPECT_EQ(SendMessageA(glow, WM_NCHITTEST, 0, MAKELPARAM(250, 310)), HTTRANSPARENT);
  EXPECT_TRUE(IsWindowVisible(glow));
  EXPECT_NE(GetActiveWindow(), glow);
  EXPECT_EQ(GetWindow(glow, GW_HWNDNEXT), form->Handle());

  HideGlow(handle);
  EXPECT_EQ(handle, -1);
  EXPECT_FALSE(IsWindow(glow));
  HideGlow(handle);  // the second call sees -1
  EXPECT_EQ(handle, -1);
}

TEST_F(GlowTest, AClippedControlGetsTheVisiblePartsGlowOnly) {
  int handle = Show({200, 300, 300, 330}, {20, 0, 100, 30});
  ASSERT_EQ(recorder.updates.size(), 1u);
  const LayeredRecorder::Record& u = recorder.updates[0];
  EXPECT_EQ(u.X, 220);
  EXPECT_EQ(u.Width, 116 - 28);
  EXPECT_EQ(u.Checksum, HaloSum(88, 46));
  HideGlow(handle);
}

TEST_F(GlowTest, AHandleFromBeforeHideAllGlowsFreesNobodysGlow) {
  int stale = Show({200, 300, 300, 330}, {0, 0, 100, 30});
  ASSERT_GE(stale, 0);
  HideAllGlows();
  EXPECT_EQ(GlowWindow(stale), nullptr);
  int current = Show({200, 300, 300, 330}, {0, 0, 100, 30});  // the same slot again
  HWND glow = GlowWindow(current);
  ASSERT_NE(glow, nullptr);
  HideGlow(stale);
  EXPECT_EQ(stale, -1);
  EXPECT_EQ(GlowWindow(current), glow);
  EXPECT_TRUE(IsWindow(glow));
}

TEST_F(GlowTest, NothingShowsWithoutLayeredWindowsAnEntryOrAnythingVisible) {
  EXPECT_EQ(
      ShowGlow({0, 0, 10, 10}, {0, 0, 10, 10}, "BUTTON", &manager, form->Handle(), 10, "SHADOW"),
      -1);
  EXPECT_EQ(Show({200, 300, 300, 330}, {0, 0, 0, 0}), -1);
  recorder.available = false;
  EXPECT_EQ(Show({200, 300, 300, 330}, {0, 0, 100, 30}), -1);
  EXPECT_TRUE(recorder.updates.empty());
}

TEST_F(GlowTest, HoverShowsTheGlowOnlyWhereTheManagerAllowsGlowing) {
  auto* box = new TSkinnedBox(form.get());
  box->SetParent(form.get());
  box->SetBounds(40, 30, 100, 30);
  box->data.SetSkinManager(&manager);
  box->data.SetSkinSection("BUTTON");

  // The program's own manager switches glowing off: hovering changes nothing on the screen.
  manager.Effects.SetAllowGlowing(false);
  box->Perform(WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(box->data.GlowHandle, -1);
  box->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_TRUE(recorder.updates.empty());

  manager.Effects.SetAllowGlowing(true);
  box->Perform(WM_MOUSEMOVE, 0, 0);
  HWND glow = GlowWindow(box->data.GlowHandle);
  ASSERT_NE(glow, nullptr);
  POINT origin{40, 30};
  ClientToScreen(form->Handle(), &origin);
  ASSERT_EQ(recorder.updates.size(), 1u);
  EXPECT_EQ(recorder.updates[0].X, origin.x - 8);
  EXPECT_EQ(recorder.updates[0].Y, origin.y - 8);
  EXPECT_EQ(GetWindow(glow, GW_HWNDNEXT), form->Handle());
  box->Perform(WM_MOUSEMOVE, 0, 0);  // still over it: the same glow
  EXPECT_EQ(GlowWindow(box->data.GlowHandle), glow);

  box->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(box->data.GlowHandle, -1);
  EXPECT_FALSE(IsWindow(glow));
}

TEST_F(GlowTest, ABareWindowsGlowFollowsTheMouseAndHidesWhenAsked) {
  HWND bare = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 40, 30, 100, 30, form->Handle(),
                            nullptr, nullptr, nullptr);
  TsCommonData data(nullptr, true);
  data.SetSkinManager(&manager);
  data.SetSkinSection("BUTTON");
  data.ShowGlowFor(false, bare);
  EXPECT_EQ(data.GlowHandle, -1);  // the mouse is not over it
  data.IsMouseOver = true;
  data.ShowGlowFor(false, bare);
  HWND glow = GlowWindow(data.GlowHandle);
  ASSERT_NE(glow, nullptr);
  data.ShowGlowFor(false, bare);  // shown already: the same glow
  EXPECT_EQ(GlowWindow(data.GlowHandle), glow);
  EXPECT_EQ(recorder.updates.size(), 1u);
  data.ShowGlowFor(true, bare);
  EXPECT_EQ(data.GlowHandle, -1);
  EXPECT_FALSE(IsWindow(glow));
  DestroyWindow(bare);
}

}  // namespace
