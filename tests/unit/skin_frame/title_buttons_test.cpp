// The title buttons' state machine: hover, press, drag off and back, release.
#include <gtest/gtest.h>

#include "skin/forms/sTitleButtons.h"

using V = std::vector<int>;

TEST(TitleButtons, PressMoveOffAndReleaseElsewhereDoesNothing) {
  TsTitleButtonStates s;
  EXPECT_EQ(s.SetHot(kHitClose), V{kHitClose});
  EXPECT_EQ(s.StateOf(kHitClose), 1);
  EXPECT_EQ(s.Press(kHitClose, true), V{kHitClose});
  EXPECT_EQ(s.StateOf(kHitClose), 2);
  // Other elements do not light up while one is held; moving off shows it raised.
  EXPECT_EQ(s.SetHot(kHitMinButton), V{});
  EXPECT_EQ(s.Drag(kHitMinButton), V{kHitClose});
  EXPECT_EQ(s.StateOf(kHitClose), 0);
  EXPECT_EQ(s.Drag(kHitClose), V{kHitClose});
  EXPECT_EQ(s.StateOf(kHitClose), 2);
  V changed;
  EXPECT_EQ(s.Release(kHitCaption, false, false, changed), TsTitleCommand::None);
  EXPECT_EQ(changed, V{kHitClose});
  EXPECT_FALSE(s.ButtonPressed());
  EXPECT_EQ(s.StateOf(kHitClose), 0);
}

TEST(TitleButtons, ReleaseOnThePressedButtonCommandsByWindowState) {
  struct Case {
    int code;
    bool minimized, maximized;
    TsTitleCommand command;
  } cases[] = {
      {kHitMinButton, false, false, TsTitleCommand::Minimize},
      {kHitMinButton, true, false, TsTitleCommand::Restore},
      {kHitMaxButton, false, false, TsTitleCommand::Maximize},
      {kHitMaxButton, false, true, TsTitleCommand::Restore},
      {kHitClose, false, false, TsTitleCommand::Close},
      {kHitHelp, false, false, TsTitleCommand::ContextHelp},
      {kHitUserButton + 2, false, false, TsTitleCommand::UserButton},
  };
  for (const Case& c : cases) {
    TsTitleButtonStates s;
    s.Press(c.code, true);
    V changed;
    EXPECT_EQ(s.Release(c.code, c.minimized, c.maximized, changed), c.command) << c.code;
    EXPECT_EQ(s.Hot(), c.code);  // still under the mouse
  }
}

TEST(TitleButtons, DisabledPressAndReset) {
  TsTitleButtonStates s;
  s.SetHot(kHitMaxButton);
  EXPECT_EQ(s.Press(kHitMaxButton, false), V{kHitMaxButton});
  EXPECT_FALSE(s.ButtonPressed());
  EXPECT_EQ(s.Hot(), 0);
  V changed;
  EXPECT_EQ(s.Release(kHitMaxButton, false, false, changed), TsTitleCommand::None);
  s.SetHot(kHitClose);
  s.Press(kHitMinButton, true);
  EXPECT_EQ(s.Reset(), V{kHitMinButton});
  EXPECT_EQ(s.SetHot(-1), V{});
}
