#include <gtest/gtest.h>

#include "app/windows/HelpLinks.h"
#include "app/windows/TextTemplate.h"

namespace {

TEST(FormatTemplateTest, FillsPlaceholdersInOrder) {
  EXPECT_EQ(FormatTemplate("About %s", {"Driver Keeper"}), "About Driver Keeper");
  EXPECT_EQ(FormatTemplate("Copyright (C) %d %s", {"2026", "Us"}), "Copyright (C) 2026 Us");
  EXPECT_EQ(FormatTemplate("Version %s", {""}), "Version ");
}

TEST(FormatTemplateTest, ValuesAreNeverTemplates) {
  EXPECT_EQ(FormatTemplate("About %s", {"100% %s %d"}), "About 100% %s %d");
  EXPECT_EQ(FormatTemplate("%s and %s", {"one"}), "one and ");
  EXPECT_EQ(FormatTemplate("50%% %x %", {}), "50% %x %");
}

TEST(HelpLinkTest, RelativeLinksLeadIntoTheProgramsFolder) {
  EXPECT_EQ(ResolveHelpLink("help\\index.html", "C:\\Tools\\DK"),
            "C:\\Tools\\DK\\help\\index.html");
  EXPECT_EQ(ResolveHelpLink("help/index.html", "C:\\"), "C:\\help/index.html");
}

TEST(HelpLinkTest, AddressesDrivesAndRootedPathsStayAsTheyAre) {
  for (const char* link : {"https://example.org/a:b", "mailto:x@example.org", "D:\\help.chm",
                           "\\\\server\\share\\h.html", "/abs", ""})
    EXPECT_EQ(ResolveHelpLink(link, "C:\\DK"), link);
  EXPECT_EQ(ResolveHelpLink("docs\\v1:2.html", "C:\\DK"), "C:\\DK\\docs\\v1:2.html");
}

}  // namespace
