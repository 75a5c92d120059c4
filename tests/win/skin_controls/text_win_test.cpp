// Text in the skin's colours on real windows: a combo box's text glow lands in the picture it
// shows, text written into a picture without a section takes the platform's text colour, and the
// alignment of a right-to-left control lands on the side the reader expects, mirrored or not.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "framework/Application.h"
#include "framework/Forms.h"
#include "skin/controls/veComboBoxWnd.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sControlText.h"
#include "skin/render/sSkinText.h"
#include "skins/StoredSkins.h"

namespace {

void Pump() {
  for (int i = 0; i < 5; ++i) {
    fw::Application.ProcessMessages();
    Sleep(10);
  }
}

struct TextWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBounds(60, 60, 320, 160);
    form->Show();
    SetForegroundWindow(form->Handle());
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<fw::TForm> form;
};

bool SamePixels(const img::Bitmap32& a, const img::Bitmap32& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(a.Pixel(x, y) == b.Pixel(x, y))) return false;
  return true;
}

TEST_F(TextWinTest, AComboBoxsTextGlowIsInThePictureItShowsNotInItsCache) {
  HWND combo = CreateWindowA(WC_COMBOBOXA, "", WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, 10, 10,
                             200, 200, form->Handle(), nullptr, nullptr, nullptr);
  SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("Display adapters"));
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
  SetFocus(form->Handle());
  auto adapter = std::make_unique<TveComboBoxWnd>(combo, true, "", manager.get(), nullptr);
  const int index = manager->FindSection("COMBOBOX");
  ASSERT_GE(index, 0);
  TsGenState& normal = manager->SectionTable[size_t(index)].States[0];
  auto paint = [&](int glowSize) {
    normal.GSize = glowSize;
    normal.GCol = 0x0000FF;
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
    Pump();
    return std::make_pair(adapter->Picture(), *adapter->SkinData->CacheBitmap);
  };
  const auto [plain, plainCache] = paint(0);
  const auto [glowing, glowingCache] = paint(3);
  ASSERT_FALSE(plain.Empty());
  EXPECT_TRUE(SamePixels(plainCache, glowingCache)) << "the glow went into the shared cache";
  // Where the field shows, the glow reddens pixels beside the letters.
  int redder = 0;
  for (int y = 0; y < plain.Height(); ++y)
    for (int x = 0; x < plain.Width(); ++x) redder += glowing.Pixel(x, y).R > plain.Pixel(x, y).R;
  EXPECT_GT(redder, 20);
  adapter.reset();
  DestroyWindow(combo);
}

TEST_F(TextWinTest, TextWrittenIntoAPictureTakesTheSectionsOrThePlatformsTextColour) {
  const int face = manager->FindSection("FORM");
  ASSERT_GE(face, 0);
  const int32_t fontColor = manager->SectionTable[size_t(face)].States[0].FontColor;
  // A text colour the skin does not use, so that black (the old answer) cannot pass for it.
  const int element = COLOR_WINDOWTEXT;
  const COLORREF saved = GetSysColor(element), red = RGB(200, 0, 0);
  SetSysColors(1, &element, &red);
  struct Row {
    const TsSkinModel* manager;
    int section;
    int32_t color;  // 0x00BBGGRR
  } rows[] = {{manager.get(), face, fontColor},
              {nullptr, face, fontColor},  // the default manager
              {manager.get(), -1, int32_t(red)},
              {manager.get(), int(manager->SectionTable.size()), int32_t(red)}};
  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.section);
    img::Bitmap32 target(60, 20);
    target.Fill({0, 0, 0, 0});
    PaintSkinTextAlpha(target, font, "MWH", false, row.manager, false, row.section,
                       DT_SINGLELINE | DT_NOPREFIX, {0, 0, 60, 20});
    const img::TRGBAPixel full{uint8_t(row.color >> 16), uint8_t(row.color >> 8),
                               uint8_t(row.color), 255};
    int covered = 0, exact = 0;
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 60; ++x) {
        covered += target.Pixel(x, y).A == 255;
        exact += target.Pixel(x, y) == full;
      }
    EXPECT_GT(covered, 20);
    EXPECT_GT(exact, 10);
  }
  SetSysColors(1, &element, &saved);
}

TEST_F(TextWinTest, RightToLeftAlignmentLandsWhereTheReaderLooksMirroredOrNot) {
  struct Row {
    LONG exStyle;
    fw::TAlignment alignment;
    bool onTheRight;
  } rows[] = {{0, fw::TAlignment::taLeftJustify, false},
              {0, fw::TAlignment::taRightJustify, true},
              {WS_EX_RTLREADING, fw::TAlignment::taLeftJustify, true},
              {WS_EX_LAYOUTRTL, fw::TAlignment::taLeftJustify, true},
              {WS_EX_LAYOUTRTL, fw::TAlignment::taRightJustify, false}};
  const LONG own = GetWindowLongA(form->Handle(), GWL_EXSTYLE);
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.exStyle << " " << int(row.alignment));
    SetWindowLongA(form->Handle(), GWL_EXSTYLE, own | row.exStyle);
    const UINT flags = TextAlignFlags(form.get(), row.alignment) | DT_SINGLELINE;
    EXPECT_EQ(bool(flags & DT_RTLREADING), row.exStyle != 0);
    // The control paints into a surface laid out as its window's: mirrored for a mirrored window.
    const int width = 300, height = 40;
    img::Bitmap32 picture(width, height);
    picture.Fill({255, 255, 255, 255});
    HDC dc = picture.DC();
    if (row.exStyle & WS_EX_LAYOUTRTL) SetLayout(dc, LAYOUT_RTL);
    SetTextColor(dc, 0);
    SetBkMode(dc, TRANSPARENT);
    RECT box{0, 0, width, height};
    DrawTextA(dc, "IIII", 4, &box, flags);
    SetLayout(dc, 0);
    GdiFlush();
    // Where the text lands in the picture's pixels, which are never mirrored.
    long sum = 0, count = 0;
    for (int y = 0; y < height; ++y)
      for (int x = 0; x < width; ++x)
        if (picture.Pixel(x, y).G < 0x80) {
          sum += x;
          ++count;
        }
    ASSERT_GT(count, 0);
    EXPECT_EQ(sum / count > width / 2, row.onTheRight);
  }
  SetWindowLongA(form->Handle(), GWL_EXSTYLE, own);
}

}  // namespace
