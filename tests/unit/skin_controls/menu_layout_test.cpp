// Pop-up menu arithmetic (item kinds and sizes, the popup's size over columns) and the popup's
// background picture in a stored skin: plate, glyph column, frame, and the corners the region
// leaves out.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/controls/sMenuLayout.h"
#include "skin/data/SkinSources.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sScaledSkin.h"
#include "skin/render/sSection.h"
#include "skins/StoredSkins.h"

namespace {

TEST(MenuLayoutTest, KindsAndItemSizes) {
  EXPECT_EQ(MenuItemKind("-"), TsMenuItemKind::Separator);
  EXPECT_EQ(MenuItemKind("-Tools-"), TsMenuItemKind::Heading);
  EXPECT_EQ(HeadingText("-Tools-"), "Tools");
  EXPECT_EQ(MenuItemKind("--"), TsMenuItemKind::Heading);
  EXPECT_EQ(MenuItemKind("-x"), TsMenuItemKind::Normal);
  EXPECT_EQ(MenuItemKind("Open"), TsMenuItemKind::Normal);

  TsMenuSpacing s;  // margin 2, spacing 8, frame 3
  struct Row {
    TsMenuItemKind kind;
    int textW, textH, glyphW, glyphH, extra, width, height;
  } rows[] = {
      // A 13-pixel text beside a 16-pixel glyph: 16 + 2 x 2 + 2.
      {TsMenuItemKind::Normal, 100, 13, 16, 16, 0, 32 + 100 + 6 + 8, 22},
      {TsMenuItemKind::Normal, 100, 30, 16, 16, 0, 146, 36},  // a taller (wrapped) text wins
      {TsMenuItemKind::Heading, 60, 13, 16, 16, 0, 32 + 60 + 14, 13 + 4 + 3},
      {TsMenuItemKind::Separator, 99, 13, 16, 16, 0, 32 + 14, 2},  // no text in its width
      {TsMenuItemKind::Normal, 100, 13, 32, 32, 32, 64 + 100 + 14 + 32, 38},  // extra band
  };
  for (const Row& r : rows) {
    EXPECT_EQ(PopupItemWidth(r.kind, r.textW, r.glyphW, s, r.extra), r.width) << r.textW;
    EXPECT_EQ(PopupItemHeight(r.kind, r.textH, r.glyphH, s), r.height) << r.textH;
  }
}

TEST(MenuLayoutTest, PopupSizeOverColumns) {
  TsMenuSpacing s;
  std::vector<TsPopupEntry> one = {{100, 22, false}, {140, 2, false}, {120, 22, false}};
  EXPECT_EQ(PopupSize(one, s), (TPoint{140 + 12 + 6, 46 + 6}));
  // A break starts a second column: widths add up (12 each, 4 per break), the taller column wins.
  std::vector<TsPopupEntry> two = {{100, 22, false}, {80, 22, false}, {60, 22, true}};
  EXPECT_EQ(PopupSize(two, s), (TPoint{112 + 4 + 72 + 6, 44 + 6}));
  EXPECT_EQ(PopupSize({}, s), (TPoint{6, 6}));
}

// At a scale every length of the layout grows with it; the popup's frame is the platform's and
// stays. The text heights are the menu font's at each scale.
TEST(MenuLayoutTest, ItemAndPopupSizesFollowTheScale) {
  struct Row {
    int dpi, margin, spacing, textH, glyph, normalH, separatorH, headingH, normalW, popupW;
  } rows[] = {
      {96, 2, 8, 13, 16, 22, 2, 20, 146, 194},
      {120, 3, 10, 16, 20, 29, 3, 26, 159, 201},  // 2.5 and 3.75 round up
      {144, 3, 12, 20, 24, 33, 3, 31, 169, 208},
      {192, 4, 16, 26, 32, 44, 4, 40, 192, 222},
  };
  const std::vector<TsPopupEntry> columns = {{100, 22, false}, {80, 22, false}, {60, 22, true}};
  for (const Row& r : rows) {
    SCOPED_TRACE(r.dpi);
    TsMenuSpacing s = MenuSpacingAt(TsMenuSpacing{}, r.dpi);
    EXPECT_EQ(s.Margin, r.margin);
    EXPECT_EQ(s.Spacing, r.spacing);
    EXPECT_EQ(s.BorderWidth, 3);
    EXPECT_EQ(s.Dpi, r.dpi);
    EXPECT_EQ(PopupItemHeight(TsMenuItemKind::Normal, r.textH, r.glyph, s), r.normalH);
    EXPECT_EQ(PopupItemHeight(TsMenuItemKind::Separator, r.textH, r.glyph, s), r.separatorH);
    EXPECT_EQ(PopupItemHeight(TsMenuItemKind::Heading, r.textH, r.glyph, s), r.headingH);
    EXPECT_EQ(PopupItemWidth(TsMenuItemKind::Normal, 100, r.glyph, s, 0), r.normalW);
    EXPECT_EQ(PopupSize(columns, s), (TPoint{r.popupW, 44 + 6}));
  }
}

TsSkinModel& Skin(const char* name) {
  static TsStoredSkins stored = [] {
    TsStoredSkins s;
    AddStoredSkins(s);
    return s;
  }();
  static TsSkinModel model;
  model.Load(
      PackedDataSource(stored.Items(stored.IndexOfSkin(std::string(name) + " (internal)")).Data));
  return model;
}

uint32_t At(const img::Bitmap32& b, int x, int y) {
  const img::TRGBAPixel& p = b.Pixel(x, y);
  return uint32_t(p.R) << 16 | uint32_t(p.G) << 8 | p.B;
}

TEST(MenuLayoutTest, PopupBackgroundHasPlateColumnFrameAndCorners) {
  for (const char* name : {"Soft Azure", "Night Ember", "Glass Ruby"}) {
    SCOPED_TRACE(name);
    TsSkinModel& skin = Skin(name);
    int border = MenuSkinBorderWidth(skin);
    ASSERT_GT(border, 0);
    TsPopupBackground popup;
    popup.Width = 200;
    popup.Height = 120;
    std::vector<TRect> corners;
    img::Bitmap32 picture = BuildPopupPicture(skin, popup, TsMenuSpacing{}, corners);
    ASSERT_EQ(picture.Width(), 200);
    // Plate right of the glyph column, as the MAINMENU section paints it alone.
    img::Bitmap32 plate(200, 120);
    PaintSection(&skin, skin.FindSection("MAINMENU"), "MAINMENU", EmptyBgSource, -1, -1, plate,
                 {0, 0}, {0, 0, 200, 120}, 0);
    EXPECT_EQ(At(picture, 150, 60), At(plate, 150, 60));
    // The glyph column (margin + glyph + spacing = 26 wide from the border) is the ICOLINE's.
    img::Bitmap32 column(26, 120 - 2 * border);
    PaintSection(&skin, skin.FindSection("ICOLINE"), "ICOLINE", EmptyBgSource, -1, -1, column,
                 {0, 0}, {0, 0, 26, column.Height()}, 0);
    EXPECT_EQ(At(picture, border + 13, 60), At(column, 13, 60 - border));
    // Right-aligned popups have no column.
    popup.GlyphColumn = false;
    img::Bitmap32 plain = BuildPopupPicture(skin, popup, TsMenuSpacing{}, corners);
    EXPECT_EQ(At(plain, border + 13, 60), At(plate, border + 13, 60));
    // Every corner rectangle lies in a corner of the popup.
    for (const TRect& c : corners) {
      EXPECT_TRUE(c.Left < border + 8 || c.Right > 200 - border - 8);
      EXPECT_TRUE(c.Top < border + 8 || c.Bottom > 120 - border - 8);
    }
  }
  TsSkinModel empty;
  std::vector<TRect> corners;
  EXPECT_TRUE(BuildPopupPicture(empty, {}, TsMenuSpacing{}, corners).Empty());
}

// The popup's picture from the skin's copy at a scale has the frame and glyph column at that
// scale: the frame's width is the scaled border, and the column ends where the scaled spacing
// puts the text.
TEST(MenuLayoutTest, PopupBackgroundFromTheScaledSkinHasScaledFrameAndColumn) {
  for (const char* name : {"Soft Azure", "Night Ember"}) {
    TsSkinModel& skin = Skin(name);
    const int border = MenuSkinBorderWidth(skin);
    for (int dpi : {120, 144, 192}) {
      SCOPED_TRACE(std::string(name) + " " + std::to_string(dpi));
      std::unique_ptr<TsSkinModel> scaled = BuildScaledSkin(skin, dpi);
      const int b = MenuSkinBorderWidth(*scaled);
      EXPECT_EQ(b, platform::ScaleToDpi(border, dpi));
      TsPopupBackground popup;
      popup.Width = 300;
      popup.Height = 180;
      popup.GlyphWidth = platform::ScaleToDpi(16, dpi);
      TsMenuSpacing spacing = MenuSpacingAt(TsMenuSpacing{}, dpi);
      std::vector<TRect> corners;
      img::Bitmap32 picture = BuildPopupPicture(*scaled, popup, spacing, corners);
      ASSERT_EQ(picture.Width(), 300);
      const int column = spacing.Margin + popup.GlyphWidth + spacing.Spacing;
      img::Bitmap32 line(column, 180 - 2 * b);
      PaintSection(scaled.get(), scaled->FindSection("ICOLINE"), "ICOLINE", EmptyBgSource, -1, -1,
                   line, {0, 0}, {0, 0, column, line.Height()}, 0);
      EXPECT_EQ(At(picture, b + column - 1, 90), At(line, column - 1, 90 - b));
      img::Bitmap32 plate(300, 180);
      PaintSection(scaled.get(), scaled->FindSection("MAINMENU"), "MAINMENU", EmptyBgSource, -1, -1,
                   plate, {0, 0}, {0, 0, 300, 180}, 0);
      EXPECT_EQ(At(picture, b + column + 2, 90), At(plate, b + column + 2, 90));
    }
  }
}

}  // namespace
