#include <gtest/gtest.h>

#include "app/windows/HelpLinks.h"
#include "app/windows/TextTemplate.h"
#include "platform/FileSystemMemory.h"

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

struct HelpLinkTest : ::testing::Test {
  HelpLinkTest() {
    files.AddFile("C:\\Tools\\DK\\help\\index.html", "<html>");
    files.AddFile("C:\\index.html", "<html>");
  }
  platform::MemoryFileSystem files;
  platform::ScopedInstall<platform::FileSystem> useFiles{files};
};

TEST_F(HelpLinkTest, ALinkToAFileInTheProgramsFolderLeadsThere) {
  EXPECT_EQ(ResolveHelpLink("help\\index.html", "C:\\Tools\\DK"),
            "C:\\Tools\\DK\\help\\index.html");
  EXPECT_EQ(ResolveHelpLink("help/index.html", "C:\\Tools\\DK\\"),
            "C:\\Tools\\DK\\help/index.html");
  EXPECT_EQ(ResolveHelpLink("index.html", "C:\\"), "C:\\index.html");
}

TEST_F(HelpLinkTest, EveryOtherLinkGoesToTheShellAsItIs) {
  for (const char* link :
       {"https://example.org/a:b", "mailto:x@example.org", "D:\\help.chm",
        "\\\\server\\share\\h.html", "/abs", "", "www.example.org", "example.org/help",
        "help\\missing.html", "help", "help\\*.html", "docs\\v1:2.html"})
    EXPECT_EQ(ResolveHelpLink(link, "C:\\Tools\\DK"), link);
}

}  // namespace
