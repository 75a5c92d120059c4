// The frame arithmetic: caption and icon sizes, where the title buttons go and which images they
// use, caption alignment, hit testing and the region's rectangle.
#include <gtest/gtest.h>

#include <initializer_list>

#include "skin/forms/sTitleLayout.h"

namespace {

// A skin with title buttons of the given frame size (three states side by side).
struct ButtonSkin {
  TsSkinModel model;
  explicit ButtonSkin(int w = 27, int h = 21, bool withSmallClose = true) {
    model.GlobalInfo.BIRight = 2;
    model.GlobalInfo.BISpace = 1;
    model.GlobalInfo.BILeft = 3;
    for (size_t i = 0; i < kTitleButtonKeys.size(); ++i) {
      bool small = kTitleButtonKeys[i][0] == 'S';
      if (small && kTitleButtonKeys[i] == "SICONCLOSE" && !withSmallClose) continue;
      TsMaskData e;
      e.KeyName = std::string(kTitleButtonKeys[i]);
      e.StateCount = 3;
      int fw = small ? w - 8 : w;
      e.SrcRect = {0, 0, 3 * fw, small ? h - 4 : h};
      model.QuickIndexes.TitleButtons[i] = static_cast<int>(model.ImageTable.size());
      model.ImageTable.push_back(e);
    }
  }
  int Image(std::string_view key) const {
    for (size_t i = 0; i < kTitleButtonKeys.size(); ++i)
      if (kTitleButtonKeys[i] == key) return model.QuickIndexes.TitleButtons[i];
    return -1;
  }
};

TsFormShape MainWindow() {
  TsFormShape f;
  f.Width = 722;
  f.Height = 454;
  f.ClientWidth = 714;
  f.ClientHeight = 404;  // 454 - 4 - 23 - 19 - 4
  f.MenuLineHeight = 18;
  f.MenuLineCount = 1;
  return f;
}

TsTitleInputs Inputs(const TsSkinModel& skin, const TsFormShape& form) {
  TsTitleInputs in;
  in.UseBigButtons =
      form.BorderStyle == TsBorderKind::Single || form.BorderStyle == TsBorderKind::Sizeable;
  in.Images = ChooseButtonImages(skin, in.UseBigButtons, in.Rules);
  return in;
}

const TsSystemMetrics kMetrics;

}  // namespace

TEST(TitleLayout, CaptionAndIconSizesFollowTheWindowStyle) {
  struct Case {
    TsBorderKind style;
    bool fullCaption, minimized;
    int caption;
  } cases[] = {
      {TsBorderKind::Sizeable, true, false, 23},  {TsBorderKind::ToolWindow, true, false, 17},
      {TsBorderKind::ToolWindow, true, true, 23}, {TsBorderKind::None, true, false, 0},
      {TsBorderKind::Sizeable, false, false, 0},  {TsBorderKind::Sizeable, false, true, 23},
  };
  for (const Case& c : cases) {
    TsFormShape f = MainWindow();
    f.BorderStyle = c.style;
    f.FullCaption = c.fullCaption;
    f.Minimized = c.minimized;
    EXPECT_EQ(CaptionHeight(f, kMetrics), c.caption) << int(c.style);
  }
  ButtonSkin skin;
  for (auto [caption, icon] : {std::pair{8, 1}, {12, 8}, {16, 8}, {18, 16}}) {
    TsSystemMetrics m;
    m.CyCaption = caption;
    TsFormShape f = MainWindow();
    TsTitleLayout l = LayoutTitle(skin.model, f, m, Inputs(skin.model, f));
    EXPECT_EQ(l.IconRect.Width(), icon) << caption;
    EXPECT_EQ(l.IconRect.Height(), icon) << caption;
    EXPECT_EQ(l.IconRect.Left, 4 + 3);
  }
}

TEST(TitleLayout, ButtonsAreLaidFromTheRightWithTheSkinsSpacing) {
  ButtonSkin skin;
  TsFormShape f = MainWindow();
  TsTitleInputs in = Inputs(skin.model, f);
  in.Rules.VisibleHelp = true;
  TsTitleLayout l = LayoutTitle(skin.model, f, kMetrics, in);
  // x starts at 722 - BIRIGHT 2 - frame 4 = 716; each button 27 wide, BISPACE 1 between.
  EXPECT_EQ(l.TitleCenterY, 23 / 2 + 4 / 2);
  EXPECT_EQ(l.Buttons[tbClose].Bounds, (TRect{689, 3, 716, 24}));
  EXPECT_EQ(l.Buttons[tbMax].Bounds, (TRect{661, 3, 688, 24}));
  EXPECT_EQ(l.Buttons[tbMin].Bounds, (TRect{633, 3, 660, 24}));
  EXPECT_EQ(l.Buttons[tbHelp].Bounds, (TRect{599, 3, 626, 24}));  // 6 more to the left
  EXPECT_EQ(l.TitleBottom, 27);

  // Without images (and without GLOBALINFO values) the buttons are 21 x 21, side by side.
  TsSkinModel empty;
  TsTitleLayout bare = LayoutTitle(empty, f, kMetrics, Inputs(empty, f));
  EXPECT_EQ(bare.Buttons[tbClose].Bounds, (TRect{697, 3, 718, 24}));
  EXPECT_EQ(bare.Buttons[tbMax].Bounds, (TRect{676, 3, 697, 24}));

  // A form without a caption has no buttons to show or to click.
  TsFormShape noCaption = f;
  noCaption.FullCaption = false;
  TsTitleLayout none = LayoutTitle(skin.model, noCaption, kMetrics, in);
  EXPECT_EQ(none.Buttons[tbClose].Bounds.Width(), 0);
  EXPECT_NE(HitTestFrame(noCaption, kMetrics, none, in, {700, 10}, 0, false), kHitClose);

  // Maximised: the restore image replaces maximise; the title sits 2 lower.
  f.Maximized = true;
  TsTitleLayout max = LayoutTitle(skin.model, f, kMetrics, in);
  EXPECT_EQ(max.Buttons[tbMax].ImageIndex, skin.Image("BICONNORM"));
  EXPECT_EQ(max.TitleCenterY, l.TitleCenterY + 2);
}

TEST(TitleLayout, ImageChoiceByBorderStyleAndButtons) {
  ButtonSkin skin;
  TsTitleButtonRules closeOnly;
  closeOnly.VisibleMax = closeOnly.VisibleMin = false;
  EXPECT_EQ(ChooseButtonImages(skin.model, true, closeOnly).Images[tbClose],
            skin.Image("BICLOSEALONE"));
  EXPECT_EQ(ChooseButtonImages(skin.model, true, {}).Images[tbClose], skin.Image("BICONCLOSE"));
  TsButtonImages dialog = ChooseButtonImages(skin.model, false, {});
  EXPECT_FALSE(dialog.Big);
  EXPECT_EQ(dialog.Images[tbClose], skin.Image("SICONCLOSE"));
  EXPECT_EQ(dialog.Images[tbMin], skin.Image("SICONMIN"));
  ButtonSkin noSmallClose(27, 21, false);
  TsButtonImages fallback = ChooseButtonImages(noSmallClose.model, false, {});
  EXPECT_TRUE(fallback.Big);
  EXPECT_EQ(fallback.Images[tbMin], noSmallClose.Image("BICONMIN"));
}

TEST(TitleLayout, CaptionAlignment) {
  TRect r{100, 5, 300, 20};
  // Right-justified: ends 4 + the added text's width before the right edge.
  EXPECT_EQ(AlignCaption(r, 50, 0, TsCaptionAlign::Right, false).Left, 300 - 54);
  EXPECT_EQ(AlignCaption(r, 50, 10, TsCaptionAlign::Right, false).Left, 300 - 64);
  // Too wide to move: stays where it is.
  EXPECT_EQ(AlignCaption(r, 250, 0, TsCaptionAlign::Right, false).Left, 100);
  // Centred: never starts left of the rectangle and never ends right of it.
  TRect c = AlignCaption(r, 50, 0, TsCaptionAlign::Center, false);
  EXPECT_EQ(c.Left, 100 + (200 - 54) / 2);
  EXPECT_EQ(c.Right, c.Left + 50);
  TRect wide = AlignCaption(r, 400, 0, TsCaptionAlign::Center, false);
  EXPECT_EQ(wide.Left, 100);
  EXPECT_EQ(wide.Right, 300);
  // Right-to-left forms swap left and right justification.
  EXPECT_EQ(AlignCaption(r, 50, 0, TsCaptionAlign::Left, true).Left, 300 - 54);
  EXPECT_EQ(AlignCaption(r, 50, 0, TsCaptionAlign::Right, true).Left, 100);
}

TEST(TitleLayout, CaptionRectangleLiesBetweenIconAndButtons) {
  ButtonSkin skin;
  TsFormShape f = MainWindow();
  TsTitleInputs in = Inputs(skin.model, f);
  in.ShowIcon = false;
  TsTitleLayout l = LayoutTitle(skin.model, f, kMetrics, in);
  // Buttons area: BIRIGHT 2 + close 27 + (27 + 1) x 2.
  EXPECT_EQ(ButtonsAreaWidth(skin.model, l, in), 2 + 27 + 56);
  TRect r = CaptionTextRect(skin.model, f, kMetrics, l, in, false, 13);
  EXPECT_EQ(r.Left, 4 + 3 + 4);
  EXPECT_EQ(r.Right, 722 - 85 - 12);
  EXPECT_EQ(r.Top, l.TitleCenterY - 6);
  EXPECT_EQ(r.Height(), 13);
}

TEST(TitleLayout, HitTesting) {
  ButtonSkin skin;
  TsFormShape f = MainWindow();
  TsTitleInputs in = Inputs(skin.model, f);
  TsTitleLayout l = LayoutTitle(skin.model, f, kMetrics, in);
  auto hit = [&](int x, int y, int grip = 0, bool gripActive = false) {
    return HitTestFrame(f, kMetrics, l, in, {x, y}, grip, gripActive);
  };
  // The frame is 4 wide on the 722 x 454 form: the last row and column of the top and left bands
  // are 3; the first of the bottom and right bands are 451 and 719, not height or width - 4.
  struct Case {
    int x, y, code;
  } cases[] = {
      {700, 10, kHitClose},        {670, 10, kHitMaxButton}, {640, 10, kHitMinButton},
      {2, 2, kHitTopLeft},         {719, 2, kHitTopRight},   {2, 452, kHitBottomLeft},
      {719, 452, kHitBottomRight}, {2, 200, kHitLeft},       {720, 200, kHitRight},
      {300, 1, kHitTop},           {300, 453, kHitBottom},   {300, 12, kHitCaption},
      {10, 12, kHitSysMenu},       {300, 30, kHitMenu},      {300, 200, kHitClient},
      {3, 200, kHitLeft},          {4, 200, kHitClient},     {718, 200, kHitClient},
      {719, 200, kHitRight},       {300, 3, kHitTop},        {300, 4, kHitCaption},
      {300, 450, kHitClient},      {300, 451, kHitBottom},   {718, 451, kHitBottom},
  };
  for (const Case& c : cases) EXPECT_EQ(hit(c.x, c.y), c.code) << c.x << "," << c.y;
  // The size grip answers only when active and when the skin has one.
  EXPECT_EQ(hit(714, 446, 12, true), kHitBottomRight);
  EXPECT_EQ(hit(714, 446, 12, false), kHitClient);
  EXPECT_EQ(hit(714, 446, 0, true), kHitClient);
  // A close button that cannot close is caption; a disabled maximise too, unless it restores.
  in.Rules.CanClose = false;
  in.Rules.EnabledMax = false;
  EXPECT_EQ(hit(700, 10), kHitCaption);
  EXPECT_EQ(hit(670, 10), kHitCaption);
  in.Rules.EnabledRestore = true;
  EXPECT_EQ(hit(670, 10), kHitMaxButton);
  // Minimised, restoring is the minimise button's work: the maximise button needs its own rule.
  f.Minimized = true;
  l = LayoutTitle(skin.model, f, kMetrics, in);
  const TRect maxButton = l.Buttons[tbMax].Bounds;
  ASSERT_GT(maxButton.Width(), 0);
  EXPECT_EQ(hit(maxButton.Left + 2, maxButton.Top + 2), kHitCaption);
  in.Rules.EnabledMax = true;
  EXPECT_EQ(hit(maxButton.Left + 2, maxButton.Top + 2), kHitMaxButton);
  f.Minimized = false;
  l = LayoutTitle(skin.model, f, kMetrics, in);
  // A maximised form has no sizing borders.
  f.Maximized = true;
  EXPECT_EQ(hit(300, 1), kHitCaption);
  // The elements that light up and can be pressed: buttons, user buttons and items, nothing of
  // the frame around them.
  for (int code :
       std::initializer_list<int>{kHitMinButton, kHitMaxButton, kHitClose, kHitHelp, kHitUserButton,
                                  kHitUserButton + 1, kHitTitleItem, kHitTitleItem + 255})
    EXPECT_TRUE(IsTitleElement(code)) << code;
  for (int code : std::initializer_list<int>{kHitNowhere, kHitClient, kHitCaption, kHitSysMenu,
                                             kHitMenu, kHitLeft, kHitBottomRight, kHitClose - 1,
                                             kHitHelp + 1, kHitUserButton - 1, -1})
    EXPECT_FALSE(IsTitleElement(code)) << code;
}

TEST(TitleLayout, RegionAndMenuLines) {
  TsFormShape f = MainWindow();
  TsRegionPlan normal = PlanRegion(f, kMetrics);
  EXPECT_TRUE(normal.UseRegion && normal.CutCorners);
  EXPECT_EQ(normal.Rect, (TRect{0, 0, 722, 454}));
  f.Maximized = true;
  TsRegionPlan max = PlanRegion(f, kMetrics);
  EXPECT_FALSE(max.CutCorners);
  EXPECT_EQ(max.Rect, (TRect{4, 4, 718, 450}));
  f.Maximized = false;
  f.IsChild = true;
  EXPECT_FALSE(PlanRegion(f, kMetrics).UseRegion);

  f = MainWindow();
  // Client top on screen: 100 + 454 - 404 - 4 = 146. One line ends there or below.
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 146), 1);
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 127), 2);  // 19 above: one more line of 17
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 110), 3);
  f.Minimized = true;
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 110), 0);

  // The form's own border of 5 on every side: the menu bar still ends at 146, the client 5 lower.
  f = MainWindow();
  f.BorderWidth = 5;
  f.ClientWidth -= 10;
  f.ClientHeight -= 10;
  EXPECT_EQ(ClientOffset(f, kMetrics), (TPoint{9, 51}));
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 146), 1);
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 130), 1);
  EXPECT_EQ(MenuLineCountFor(f, kMetrics, 100, 127), 2);
}

TEST(TitleLayout, TheSkinsOwnFrameShowsTheMaximisedTitlesLowerRows) {
  ButtonSkin skin;
  TsSkinData& g = skin.model.GlobalInfo;
  g.BITop = 3;
  g.CenterOffset = 1;
  g.BIVAlign = 1;
  TsSystemMetrics m;
  m.CyCaption = 30;  // the skin's title
  struct Case {
    const char* what;
    bool maximized;
    int maxHeight, top, center;
  } cases[] = {
      {"normal: the skin's button top", false, 24, 3, 16},
      {"maximised without a maximised height: the cut edge", true, 0, 4, 18},
      {"maximised as tall as normal", true, 30, 4, 18},
      {"maximised lower: the top 6 rows and the edge left out", true, 24, 10, 20},
      {"maximised taller: nothing more to leave out", true, 40, 4, 17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    g.MaxHeight = int16_t(c.maxHeight);
    TsFormShape f = MainWindow();
    f.SkinnedFrame = true;
    f.Maximized = c.maximized;
    TsTitleLayout l = LayoutTitle(skin.model, f, m, Inputs(skin.model, f));
    EXPECT_EQ(l.TitleTop, c.top);
    EXPECT_EQ(l.TitleCenterY, c.center);
    EXPECT_EQ(l.TitleBottom, 30);
    EXPECT_EQ(l.Buttons[tbClose].Bounds.Top, c.top);  // big buttons hang from the title's top
  }
}

TEST(TitleLayout, MaximizedPlacementKeepsTheTaskbarFree) {
  struct Row {
    TRect monitor, work;
    int frame, excess;
    TsMaxPlacement expected;
  } rows[] = {
      {{0, 0, 1024, 768}, {0, 0, 1024, 728}, 4, 0, {{-4, -4}, {1032, 736}}},   // taskbar below
      {{0, 0, 1024, 768}, {60, 0, 1024, 768}, 4, 0, {{56, -4}, {972, 776}}},   // taskbar left
      {{0, 0, 1024, 768}, {0, 40, 1024, 768}, 3, 6, {{-3, 43}, {1030, 728}}},  // top, tall title
      {{1024, 0, 2048, 768}, {1024, 0, 2048, 768}, 4, 0, {{-4, -4}, {1032, 776}}},  // second
  };
  for (const Row& r : rows) {
    TsMaxPlacement p = MaximizedPlacement(r.monitor, r.work, r.frame, r.excess);
    EXPECT_EQ(p.Position, r.expected.Position);
    EXPECT_EQ(p.Size, r.expected.Size);
  }
}
