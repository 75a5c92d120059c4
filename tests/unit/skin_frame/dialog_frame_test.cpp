// A system dialog's style bits in place of a form's properties: its border kind, the title
// buttons it shows and which work, and what its system menu offers in each state.
#include <gtest/gtest.h>

#include "skin/forms/sDialogFrame.h"
#include "skin/forms/sWindowImage.h"

namespace {

constexpr uint32_t kCaption = 0x00C00000, kSysMenu = 0x00080000, kThick = 0x00040000;
constexpr uint32_t kMinBox = 0x00020000, kMaxBox = 0x00010000, kDlgFrame = 0x00400000;
constexpr uint32_t kExModal = 0x1, kExTool = 0x80, kExHelp = 0x400;

TsDialogFacts Facts(uint32_t style, uint32_t ex, bool min = false, bool max = false) {
  TsDialogFacts f;
  f.Style = style;
  f.ExStyle = ex;
  f.Minimized = min;
  f.Maximized = max;
  f.HasSysMenu = style & kSysMenu;
  return f;
}

}  // namespace

TEST(DialogFrame, BorderKindFromTheStyleBits) {
  EXPECT_EQ(DialogBorderKind(0, 0), TsBorderKind::None);
  EXPECT_EQ(DialogBorderKind(kCaption, kExModal), TsBorderKind::Dialog);
  EXPECT_EQ(DialogBorderKind(kDlgFrame, 0), TsBorderKind::Dialog);
  EXPECT_EQ(DialogBorderKind(kCaption, 0), TsBorderKind::Single);
  EXPECT_EQ(DialogBorderKind(kCaption | kThick, kExModal), TsBorderKind::Sizeable);
  EXPECT_EQ(DialogBorderKind(kCaption, kExTool), TsBorderKind::ToolWindow);
  EXPECT_EQ(DialogBorderKind(kCaption | kThick, kExTool), TsBorderKind::SizeToolWin);
}

TEST(DialogFrame, TitleButtonsAndMenuItemsFollowStyleAndState) {
  using M = std::array<TsMenuItemState, kDialogMenuItems>;
  const TsMenuItemState hidden{false, false}, off{false, true}, on{true, true}, grey{true, false};
  struct Row {
    const char* what;
    TsDialogFacts facts;
    bool max, min, help;  // visible buttons (close always, with the system menu)
    bool maxWorks, minWorks;
    M menu;  // restore, move, size, minimize, maximize, close
  } rows[] = {
      {"message box",
       Facts(kCaption | kSysMenu, kExModal),
       false,
       false,
       false,
       false,
       false,
       {hidden, on, hidden, off, off, on}},
      {"help box",
       Facts(kCaption | kSysMenu, kExModal | kExHelp),
       false,
       false,
       true,
       false,
       false,
       {hidden, on, hidden, off, off, on}},
      {"sizeable",
       Facts(kCaption | kSysMenu | kThick | kMinBox | kMaxBox, 0),
       true,
       true,
       false,
       true,
       true,
       {grey, on, on, on, on, on}},
      {"maximised",
       Facts(kCaption | kSysMenu | kThick | kMinBox | kMaxBox, 0, false, true),
       true,
       true,
       false,
       true,
       true,
       {on, grey, grey, on, grey, on}},
      {"minimised",
       Facts(kCaption | kSysMenu | kMinBox, 0, true),
       true,
       true,
       false,
       false,
       false,
       {on, grey, grey, grey, off, on}},
      {"min box only",
       Facts(kCaption | kSysMenu | kMinBox, 0),
       true,
       true,
       false,
       false,
       true,
       {grey, on, grey, on, off, on}},
      {"tool window",
       Facts(kCaption | kSysMenu | kMinBox, kExTool),
       false,
       false,
       false,
       false,
       false,
       {hidden, on, hidden, off, off, on}},
      {"sizeable tool",
       Facts(kCaption | kSysMenu | kThick, kExTool),
       false,
       false,
       false,
       false,
       false,
       {hidden, on, on, off, off, on}},
  };
  for (const Row& r : rows) {
    TsTitleButtonRules b = DialogButtonRules(r.facts);
    EXPECT_TRUE(b.HasSysMenu) << r.what;
    EXPECT_EQ(b.VisibleMax, r.max) << r.what;
    EXPECT_EQ(b.VisibleMin, r.min) << r.what;
    EXPECT_EQ(b.VisibleHelp, r.help) << r.what;
    EXPECT_EQ(b.EnabledMax, r.maxWorks) << r.what;
    EXPECT_EQ(b.EnabledMin, r.minWorks) << r.what;
    EXPECT_EQ(DialogMenuItems(r.facts), r.menu) << r.what;
  }
  // Without the system menu there are no buttons and no close item; a greyed close item closes
  // nothing.
  TsDialogFacts bare = Facts(kCaption | kMinBox, 0);
  EXPECT_FALSE(DialogButtonRules(bare).HasSysMenu);
  EXPECT_FALSE(DialogButtonRules(bare).VisibleMin);
  EXPECT_FALSE(DialogMenuItems(bare)[dmClose].Visible);
  TsDialogFacts greyed = Facts(kCaption | kSysMenu, 0);
  greyed.CloseEnabled = false;
  EXPECT_FALSE(DialogButtonRules(greyed).CanClose);
  EXPECT_FALSE(DialogMenuItems(greyed)[dmClose].Enabled);
}

TEST(DialogFrame, TitleElementsWorkByTheRulesAndTheWindowState) {
  TsFramePaint p;
  p.Inputs.Rules = DialogButtonRules(Facts(kCaption | kSysMenu | kMinBox, 0));
  EXPECT_TRUE(TitleElementEnabled(p, kHitClose));
  EXPECT_TRUE(TitleElementEnabled(p, kHitMinButton));
  EXPECT_FALSE(TitleElementEnabled(p, kHitMaxButton));  // shown beside minimise, not working
  p.Inputs.Rules.CanClose = false;
  EXPECT_FALSE(TitleElementEnabled(p, kHitClose));
  // Maximised with a maximise box: the same button restores.
  p.Inputs.Rules = DialogButtonRules(Facts(kCaption | kSysMenu | kMaxBox, 0, false, true));
  p.Form.Maximized = true;
  EXPECT_TRUE(TitleElementEnabled(p, kHitMaxButton));
  // A minimised window can always be restored from its minimise button.
  p.Inputs.Rules = DialogButtonRules(Facts(kCaption | kSysMenu | kMinBox, 0, true));
  p.Form.Maximized = false;
  p.Form.Minimized = true;
  EXPECT_TRUE(TitleElementEnabled(p, kHitMinButton));
  // Its maximise button stays off: restoring alone does not make it work.
  ASSERT_TRUE(p.Inputs.Rules.EnabledRestore);
  ASSERT_FALSE(p.Inputs.Rules.EnabledMax);
  EXPECT_FALSE(TitleElementEnabled(p, kHitMaxButton));
}
