// The arithmetic of title bar items: sizes for their content, places in the band, hit codes,
// painting order, plates and pictures by state, sections by style, and the built-in menu-button
// plate with its stored transparency.
#include <gtest/gtest.h>

#include "skin/forms/sTitleItems.h"

namespace {

using enum TveBtnStyle;
using enum TveItemAlign;

TsItemContent Content(TveBtnStyle style, int image, int text, bool dropdown = false) {
  TsItemContent c;
  c.Style = style;
  c.ImageWidth = c.ImageHeight = image;
  c.HasCaption = text > 0;
  c.TextWidth = text;
  c.TextHeight = text > 0 ? 13 : 0;
  c.HasDropdown = dropdown;
  c.ArrowWidth = 10;
  return c;
}

}  // namespace

TEST(TitleItems, SizeFollowsContentMarginsAndStyle) {
  struct Case {
    const char* what;
    TsItemContent content;
    int margin;
    bool keep;
    int contentWidth, width, height;
  } cases[] = {
      {"16 x 16 picture", Content(bsButton, 16, 0), 3, false, 16, 22, 22},
      {"16 x 16 picture, no margin: the minimum", Content(bsButton, 16, 0), 0, false, 16, 16, 16},
      {"caption", Content(bsButton, 0, 40), 3, false, 40, 46, 19},
      {"picture, spacing, caption", Content(bsButton, 16, 40), 3, false, 60, 66, 22},
      {"button with a menu: 1 + arrow", Content(bsButton, 0, 40, true), 3, false, 51, 57, 19},
      {"menu button: 4 + arrow, 4 more each side, 1 taller", Content(bsMenu, 0, 40, true), 3, false,
       54, 68, 20},
      {"tab: 4 more for the caption, 1 taller", Content(bsTab, 0, 40), 3, false, 44, 50, 20},
      {"spacer keeps its size", Content(bsSpacing, 0, 40), 3, false, 40, 30, 18},
      {"size kept when asked", Content(bsButton, 16, 40), 3, true, 60, 30, 18},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TsItemSize size = CalcItemSize(c.content, c.margin, c.keep, 30, 18);
    EXPECT_EQ(size.ContentWidth, c.contentWidth);
    EXPECT_EQ(size.Width, c.width);
    EXPECT_EQ(size.Height, c.height);
  }
  // A menu button is 12 + the arrow wider and 1 taller than a plain button with its caption.
  TsItemSize button = CalcItemSize(Content(bsButton, 0, 40), 3, false, 0, 0);
  TsItemSize menu = CalcItemSize(Content(bsMenu, 0, 40, true), 3, false, 0, 0);
  EXPECT_EQ(menu.Width - button.Width, 12 + 10);
  EXPECT_EQ(menu.Height - button.Height, 1);
}

TEST(TitleItems, TheBandRunsFromTheIconToTheButtonsAndFromTheTitlesTop) {
  TsSkinModel skin;
  skin.GlobalInfo.BIRight = 2;
  skin.GlobalInfo.BITop = 5;
  TsSystemMetrics metrics;
  TsTitleLayout layout;
  layout.IconRect = {7, 4, 23, 20};
  layout.ButtonsLeft = 300;
  layout.TitleBottom = 27;
  layout.TitleCenterY = 13;
  struct Case {
    const char* what;
    bool skinnedFrame, maximized, icon;
    int titleTop;
    TRect bar;
  } cases[] = {
      {"the platform's frame", false, false, true, 0, {29, 0, 294, 27}},
      {"maximised", false, true, true, 3, {29, 6, 294, 27}},
      {"without an icon", false, false, false, 0, {23, 0, 294, 27}},
      {"the skin's own frame: from the title's top", true, false, true, 5, {29, 5, 294, 27}},
      {"the skin's own frame maximised", true, true, true, 8, {29, 8, 294, 27}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TsFormShape form;
    form.Width = 400;
    form.SkinnedFrame = c.skinnedFrame;
    form.Maximized = c.maximized;
    layout.IconShown = c.icon;
    layout.TitleTop = c.titleTop;
    TsBarGeometry g = TitleBarGeometry(skin, form, metrics, layout);
    EXPECT_EQ(g.Bar, c.bar);
    EXPECT_EQ(g.CenterY, 13);
    EXPECT_EQ(g.FullRight, 400 - 2 - metrics.CxFrame);
  }
}

TEST(TitleItems, GroupsArePlacedByAlignmentAndHitTestedByIndex) {
  // One centred item lies halfway between the bar's left edge and where the buttons started.
  TsBarGeometry centred{{30, 0, 420, 30}, 15, 500};
  EXPECT_EQ(ArrangeItems(centred, {{true, tbaCenter, bsButton, 40, 20}}).Rects[0],
            (TRect{245, 5, 285, 25}));

  TsBarGeometry g{{10, 2, 410, 32}, 17, 480};
  std::vector<TsArrangeItem> items = {
      {true, tbaLeft, bsMenu, 30, 20},         {true, tbaRight, bsButton, 60, 16},
      {true, tbaCenterInSpace, bsTab, 40, 20}, {false, tbaLeft, bsButton, 99, 16},
      {true, tbaLeft, bsInfo, 20, 16},
  };
  TsArrangement a = ArrangeItems(g, items);
  EXPECT_EQ(a.Rects[0], (TRect{10, 2, 40, 22}));    // menu buttons hang from the bar's top
  EXPECT_EQ(a.Rects[1], (TRect{350, 9, 410, 25}));  // buttons on the centre line
  // Centred in what the left (50) and right (60) groups leave: 10 + 50 + (400 - 150) / 2.
  EXPECT_EQ(a.Rects[2], (TRect{185, 12, 225, 32}));  // tabs stand on the bar's bottom
  EXPECT_EQ(a.Rects[3], TRect{});
  EXPECT_EQ(a.Rects[4], (TRect{40, 9, 60, 25}));
  EXPECT_EQ(a.CaptionRect, (TRect{68, 2, 342, 32}));

  TsFormShape form;
  form.Width = 600;
  form.Height = 400;
  TsTitleInputs in;
  for (size_t i = 0; i < items.size(); ++i)
    in.Items.push_back({a.Rects[i], items[i].Style == bsInfo, i != 1});
  auto hit = [&](int x, int y) { return HitTestFrame(form, {}, {}, in, {x, y}, 0, false); };
  EXPECT_EQ(hit(20, 10), kHitTitleItem + 0);
  EXPECT_EQ(hit(200, 20), kHitTitleItem + 2);
  EXPECT_EQ(hit(360, 15), kHitClient);   // disabled, or a tab already down
  EXPECT_EQ(hit(50, 15), kHitCaption);   // an information label is no element
  EXPECT_EQ(hit(300, 15), kHitCaption);  // between the items
}

TEST(TitleItems, DownTabsArePaintedLastOverTheirNeighbours) {
  EXPECT_EQ(ItemPaintOrder({false, true, false, true}), (std::vector<int>{2, 0, 3, 1}));
}

TEST(TitleItems, PlatesPicturesAndSectionsByStyleAndState) {
  TRect tab = {100, 0, 150, 30};
  TsItemPlate raised = ItemPlate(bsTab, tab, 30, true, false, 30);
  EXPECT_EQ(raised.Plate, (TRect{100, 4, 150, 30}));    // 28 high from the bottom, then 2 lower
  EXPECT_EQ(raised.Content, (TRect{109, 0, 139, 30}));  // 100 + (50 - 30 - 1) div 2
  EXPECT_EQ(ItemPlate(bsTab, tab, 30, true, true, 30).Plate.Top, 2);
  EXPECT_EQ(ItemPlate(bsMenu, {10, 0, 60, 30}, 25, false, false, 0).Plate, (TRect{10, 0, 60, 23}));
  EXPECT_EQ(ItemPlate(bsMenu, {10, 0, 60, 30}, 25, true, false, 0).Plate, (TRect{10, 0, 60, 30}));

  TsItemImages images{1, 2, -1, 4};
  struct {
    int state;
    bool enabled;
    int index;
  } pictures[] = {{0, true, 1}, {1, true, 2}, {2, true, 1}, {1, false, 4}};
  for (const auto& p : pictures)
    EXPECT_EQ(ItemImageIndex(images, p.state, p.enabled), p.index) << p.state << p.enabled;

  TsSkinModel skin;
  for (const char* name : {"TOOLBUTTON", "TB_TAB", "MYITEM"}) {
    TsGeneralData s;
    s.SectionName = name;
    skin.SectionTable.push_back(s);
  }
  struct {
    std::string own;
    TveBtnStyle style;
    int index;
    const char* name;
  } sections[] = {{"MYITEM", bsMenu, 2, "MYITEM"},
                  {"MISSING", bsButton, 0, "TOOLBUTTON"},
                  {"", bsTab, 1, "TB_TAB"},
                  {"", bsMenu, -1, ""},
                  {"", bsSpacing, -1, ""}};
  for (const auto& s : sections) {
    std::string name = "?";
    EXPECT_EQ(ItemSection(skin, s.own, s.style, name), s.index) << s.own << int(s.style);
    EXPECT_EQ(name, s.name);
  }
}

TEST(TitleItems, MenuButtonPlateComesFromTheStoredPicture) {
  img::Bitmap32 stored(4, 1);
  stored.Pixel(0, 0) = {0xFF, 0x00, 0xFF, 0x12};  // fuchsia: left alone
  stored.Pixel(1, 0) = {50, 100, 200, 0};         // opaque
  stored.Pixel(2, 0) = {50, 100, 200, 128};       // half
  stored.Pixel(3, 0) = {50, 100, 200, 255};       // invisible
  ConvertStoredAlpha(stored);
  EXPECT_EQ(stored.Pixel(0, 0), (img::TRGBAPixel{0xFF, 0x00, 0xFF, 0x12}));
  EXPECT_EQ(stored.Pixel(1, 0), (img::TRGBAPixel{49, 99, 199, 255}));
  EXPECT_EQ(stored.Pixel(2, 0), (img::TRGBAPixel{24, 49, 99, 127}));
  EXPECT_EQ(stored.Pixel(3, 0), (img::TRGBAPixel{0, 0, 0, 0}));

  const img::Bitmap32& picture = MenuButtonPicture();
  ASSERT_EQ(picture.Width() % 3, 0);
  int fw = picture.Width() / 3;
  const img::TRGBAPixel mark = {1, 2, 3, 4};
  img::Bitmap32 target(60, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 60; ++x) target.Pixel(x, y) = mark;
  PaintMenuButtonPlate(target, {5, 3, 45, 27}, picture, 1);
  EXPECT_EQ(target.Pixel(5, 3), mark);  // the rounded corner lets the title show
  EXPECT_EQ(target.Pixel(4, 10), mark);
  EXPECT_EQ(target.Pixel(25, 15), picture.Pixel(fw + fw / 2, picture.Height() / 2));
  EXPECT_EQ(target.Pixel(25, 15).A, 255);
  EXPECT_NE(picture.Pixel(fw / 2, picture.Height() / 2),
            picture.Pixel(fw + fw / 2, picture.Height() / 2));  // hot differs from normal

  img::Bitmap32 painted = target;
  for (int x = 0; x < 60; ++x) painted.Pixel(x, 0) = {255, 255, 255, 255};
  img::Bitmap32 title = target;
  BlendDisabled(title, painted, {10, 0, 20, 1});
  EXPECT_EQ(title.Pixel(10, 0), (img::TRGBAPixel{128, 128, 129, 129}));
  EXPECT_EQ(title.Pixel(9, 0), mark);
}
