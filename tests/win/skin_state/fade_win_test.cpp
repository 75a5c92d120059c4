// Control fades: the skin commands a fade sends its control, the pictures it blends on the way,
// what ends it, and the count of live fades that the log-off wait reads.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "SkinStateWorld.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sFadeTimer.h"

namespace {

using namespace skin_state_test;

constexpr img::TRGBAPixel kOld{0, 0, 0, 255}, kNew{200, 200, 200, 255};

// What the control heard, and the blue channel of each intermediate picture it was offered.
std::vector<int> told;
std::vector<int> frameBlue;
TsCommonData* fading = nullptr;

LRESULT CALLBACK ControlProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == SkinCommandMsg) {
    told.push_back(HIWORD(wParam));
    if (HIWORD(wParam) == CmdBgRepainted) fading->CacheBitmap->Fill(kNew);  // the new state
    if (HIWORD(wParam) == CmdFadeFrame)
      frameBlue.push_back(reinterpret_cast<const img::Bitmap32*>(lParam)->Pixel(0, 0).B);
    return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

struct FadeTest : ::testing::Test {
  FadeTest() {
    TsGeneralData button = Section("BUTTON", 0x808080);
    button.FadingEnabled = true;
    button.FadingIterations = 4;
    manager.SectionTable = {button};
    data.SetSkinManager(&manager);
    data.SetSkinSection("BUTTON");
    WNDCLASSA cls{};
    cls.lpfnWndProc = ControlProc;
    cls.hInstance = GetModuleHandleA(nullptr);
    cls.lpszClassName = "FadeTestControl";
    RegisterClassA(&cls);
    window = CreateWindowExA(WS_EX_TOPMOST, "FadeTestControl", "", WS_POPUP | WS_VISIBLE, 50, 50,
                             30, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    fading = &data;
    told.clear();
    frameBlue.clear();
  }
  ~FadeTest() override { DestroyWindow(window); }

  // The picture the control shows now, clean.
  void Painted() {
    data.CacheBitmap->Resize(30, 20);
    data.CacheBitmap->Fill(kOld);
    data.SetBgDirty(false);
  }
  void RunUntilOver() {
    for (int i = 0; i < 200 && FadeRunning(data); ++i) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(2);
    }
  }

  TsSkinManager manager{nullptr};
  TsCtrlSkinData data{nullptr, true};
  HWND window = nullptr;
};

TEST_F(FadeTest, PreparesBlendsEachStepAndTellsTheEnd) {
  Painted();
  ASSERT_TRUE(StartFade(data, window, false));
  EXPECT_EQ(RunningControlFades, 1);
  RunUntilOver();
  EXPECT_FALSE(FadeRunning(data));
  EXPECT_EQ(RunningControlFades, 0);
  EXPECT_EQ(told, (std::vector<int>{CmdBgRepainted, CmdFadeFrame, CmdFadeFrame, CmdFadeFrame,
                                    CmdFadeFrame, CmdStopFade}));
  // Weights 192, 128, 64, 0 of the old picture: (w * (0 - 200) + 200 * 256) >> 8.
  EXPECT_EQ(frameBlue, (std::vector<int>{50, 100, 150, 200}));
  HDC dc = GetWindowDC(window);
  EXPECT_EQ(GetPixel(dc, 5, 5), RGB(200, 200, 200));  // the last picture reached the window
  ReleaseDC(window, dc);

  // A fast fade of a one-step section still takes one step.
  manager.SectionTable[0].FadingIterations = 1;
  told.clear();
  Painted();
  ASSERT_TRUE(StartFade(data, window, true));
  RunUntilOver();
  EXPECT_EQ(told, (std::vector<int>{CmdBgRepainted, CmdFadeFrame, CmdStopFade}));
}

TEST_F(FadeTest, WhatKeepsAFadeFromStartingAndWhatEndsIt) {
  // A stale picture, or none, is not faded from.
  data.SetBgDirty(true);
  EXPECT_FALSE(StartFade(data, window, false));
  Painted();
  manager.SectionTable[0].FadingEnabled = false;
  EXPECT_FALSE(StartFade(data, window, false));
  manager.SectionTable[0].FadingEnabled = true;

  // The manager's button effects decide for controls that leave it to them.
  manager.AnimEffects.Buttons.Events = beMouseEnter;
  EXPECT_FALSE(RunFadeIfAllowed(data, window, aeMouseLeave, aeGlobalDef));
  EXPECT_FALSE(RunFadeIfAllowed(data, window, aeMouseEnter, 0));
  EXPECT_TRUE(RunFadeIfAllowed(data, window, aeMouseEnter, aeGlobalDef));
  EXPECT_EQ(RunningControlFades, 1);

  // A disabled control ends the fade at its next tick, with nothing more shown.
  EnableWindow(window, FALSE);
  told.clear();
  RunUntilOver();
  EXPECT_FALSE(FadeRunning(data));
  EXPECT_TRUE(told.empty());
  EXPECT_EQ(RunningControlFades, 0);
}

}  // namespace
