// A skinned system dialog fading in when shown and out when hidden, as the layered updates
// record them, by the manager's DialogShow and DialogHide settings.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "skin/forms/sHideTimer.h"
#include "skin/forms/veDialogWnd.h"
#include "skin/forms/veProvider.h"
#include "skin/render/sAnimFrames.h"
#include "skin/render/sPaintFlags.h"
#include "skins/StoredSkins.h"
#include "tests/support/LayeredRecorder.h"
#include "tests/win/skin_forms/DialogTemplate.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using testing_support::LayeredRecorder;

namespace {

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) {
  return msg == WM_INITDIALOG;
}

// The alphas of the per-pixel updates of windows other than the dialog, in order.
std::vector<int> AnimAlphas(const LayeredRecorder& recorder, HWND dialog) {
  std::vector<int> alphas;
  for (const auto& r : recorder.updates)
    if (r.PerPixel && r.Window != dialog) alphas.push_back(r.Alpha);
  return alphas;
}

// Keeps the last picture shown on a window other than the dialog.
struct LastPicture final : platform::LayeredWindows {
  HWND dialog = nullptr;
  img::Bitmap32 picture;
  platform::LayeredWindows* next = Install(this);
  ~LastPicture() override { Install(next); }
  bool Available() override { return next->Available(); }
  bool Update(void* window, int x, int y, const img::Bitmap32& p, uint8_t alpha) override {
    if (window != dialog) picture = p;
    return next->Update(window, x, y, p, alpha);
  }
  bool UpdateAlpha(void* window, uint8_t alpha) override {
    return next->UpdateAlpha(window, alpha);
  }
  bool SetAlpha(void* window, uint8_t alpha) override { return next->SetAlpha(window, alpha); }
};

// How many pixels of the dialog's button differ between picture and the dialog's window image:
// none when the controls are missing from the picture.
int ButtonPixelsDiffering(HWND dialog, const img::Bitmap32& picture, const img::Bitmap32& image) {
  RECT r, button;
  GetWindowRect(dialog, &r);
  GetWindowRect(GetDlgItem(dialog, 100), &button);
  int differing = 0;
  for (int y = button.top - r.top; y < button.bottom - r.top; ++y)
    for (int x = button.left - r.left; x < button.right - r.left; ++x) {
      img::TRGBAPixel a = picture.Pixel(x, y), b = image.Pixel(x, y);
      differing += a.R != b.R || a.G != b.G || a.B != b.B;
    }
  return differing;
}

bool Layered(HWND wnd) {
  return (GetWindowLongA(wnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0;
}

TEST(DialogAnimationWinTest, ShowFadesInAndHideFadesOut) {
  InstallDialogSkinning();
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  manager->SkinningRules = srStdDialogs;
  AddStoredSkins(manager->InternalSkins);
  manager->SetSkinName(DefaultStoredSkinName());
  manager->AnimEffects.DialogShow.Time = 70;
  manager->AnimEffects.DialogShow.Mode = TveAnimType::atFading;
  manager->AnimEffects.DialogHide.Time = 60;
  manager->AnimEffects.DialogHide.Mode = TveAnimType::atFading;

  TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, L"Animated", 160, 90);
  t.Item(L"BUTTON", L"Push", BS_PUSHBUTTON, 10, 10, 50, 14, 100);
  HWND dialog = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, QuietDialogProc, 0);
  ASSERT_NE(dialog, nullptr);
  auto* adapter = dynamic_cast<TveDialogWnd*>(TveMainWnd::AdapterFromHandle(dialog));
  ASSERT_NE(adapter, nullptr);

  {
    // The show runs inside the call: the dialog is made transparent, the animation window
    // appears at alpha 0 and climbs in six steps of a sixth, then shows the final look.
    LayeredRecorder recorder;
    LastPicture shown;
    shown.dialog = dialog;
    ShowWindow(dialog, SW_SHOW);
    EXPECT_EQ(AnimAlphas(recorder, dialog), (std::vector<int>{0, 42, 85, 128, 170, 212, 255, 255}));
    ASSERT_FALSE(recorder.updates.empty());
    EXPECT_EQ(recorder.updates.front().Window, dialog);
    EXPECT_EQ(recorder.updates.front().Alpha, 0);
    RECT r;
    GetWindowRect(dialog, &r);
    const LayeredRecorder::Record& last = recorder.updates.back();
    EXPECT_EQ(last.Width, r.right - r.left);
    EXPECT_EQ(last.Height, r.bottom - r.top);
    EXPECT_FALSE(IsWindow(static_cast<HWND>(last.Window)));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_FALSE(Layered(dialog));
    EXPECT_FALSE(AnimationInProgress);
    // The picture is opaque and has the dialog's button printed into its client area.
    ASSERT_EQ(shown.picture.Width(), r.right - r.left);
    bool opaque = true;
    for (int y = 0; y < shown.picture.Height(); ++y)
      for (int x = 0; x < shown.picture.Width(); ++x) opaque &= shown.picture.Pixel(x, y).A == 255;
    EXPECT_TRUE(opaque);
    EXPECT_GT(ButtonPixelsDiffering(dialog, shown.picture, adapter->WindowImage()), 100);
  }
  Pump();

  {
    // The hide leaves a cover in the dialog's place that the hide timer fades out; the cover
    // shows the dialog with its controls, as the screen showed it.
    LayeredRecorder recorder;
    LastPicture shown;
    shown.dialog = dialog;
    ShowWindow(dialog, SW_HIDE);
    HWND anim = HideTimer().AnimWindow();
    ASSERT_NE(anim, nullptr);
    EXPECT_EQ(adapter->HideCover, nullptr);
    for (int i = 0; i < 200 && HideTimer().AnimWindow(); ++i) {
      Pump();
      Sleep(kFrameInterval);
    }
    EXPECT_EQ(HideTimer().AnimWindow(), nullptr);
    EXPECT_FALSE(IsWindow(anim));
    std::vector<int> expected{255, 255};  // the cover, then the timer taking it over
    // A frame that repeats the alpha before it is not pushed.
    for (const TsAnimFrame& f : HideFrames(60, 255, false, 1, 1))
      if (f.Alpha != expected.back()) expected.push_back(f.Alpha);
    EXPECT_EQ(AnimAlphas(recorder, dialog), expected);
    EXPECT_GT(ButtonPixelsDiffering(dialog, shown.picture, adapter->WindowImage()), 100);
  }

  {
    // Without time for a frame the dialog shows at once and is not left layered.
    manager->AnimEffects.DialogShow.Time = 11;
    LayeredRecorder recorder;
    ShowWindow(dialog, SW_SHOW);
    EXPECT_TRUE(AnimAlphas(recorder, dialog).empty());
    EXPECT_FALSE(Layered(dialog));
  }
  DestroyWindow(dialog);
  manager.reset();
  Pump();
}

}  // namespace
