// Which stored skin the program starts with: the command line for one run, else the remembered
// choice, else the default; unknown names fall back silently.
#include <gtest/gtest.h>

#include "app/windows/SkinChoice.h"

TEST(SkinChoice, CommandLineThenRememberedThenDefault) {
  const std::vector<std::string> stored = {"Contrast Black (internal)", "Night Ember (internal)",
                                           "Soft Azure (internal)"};
  using Args = std::vector<std::string>;
  struct Case {
    Args args;
    std::string remembered, expected;
  } cases[] = {
      {{"DriverKeeper.exe"}, "", "Soft Azure (internal)"},
      {{"DriverKeeper.exe"}, "Night Ember (internal)", "Night Ember (internal)"},
      {{"DriverKeeper.exe"}, "Night Ember", "Soft Azure (internal)"},  // damaged entry
      {{"DriverKeeper.exe", "/skin", "night ember"}, "", "Night Ember (internal)"},
      {{"DriverKeeper.exe", "/SKIN", "Contrast Black"},
       "Night Ember (internal)",
       "Contrast Black (internal)"},
      // An unknown name on the command line gives the default, not the remembered skin.
      {{"DriverKeeper.exe", "/skin", "Nowhere"}, "Night Ember (internal)", "Soft Azure (internal)"},
      {{"DriverKeeper.exe", "/skin"}, "Night Ember (internal)", "Night Ember (internal)"},
      {{"DriverKeeper.exe", "/skin", "night ember (INTERNAL)"}, "", "Night Ember (internal)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(StartupSkin(c.args, stored, c.remembered), c.expected) << c.args.back();
  EXPECT_EQ(StartupSkin({}, {}, "x"), "");
}
