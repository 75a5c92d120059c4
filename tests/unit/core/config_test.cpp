// The configuration file: stored form, INI rules, and the product settings read from it.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "app/core/Configuration.h"
#include "app/core/UtilFuncs.h"
#include "support/FakeHost.h"

namespace {

const char kConfigPath[] = "C:\\Program Files\\Driver Keeper\\lamecore.dll";

std::string Title(const std::string& stored) {
  return ReadApplicationTitle(DecodeConfiguration(stored));
}

TEST(ConfigurationTest, StoredLinesAreComplementedPlainOnesAreNot) {
  EXPECT_EQ(Title(EncodeConfiguration("[SYSTEM]\r\nName=Driver Tool\r\n")), "Driver Tool");
  EXPECT_EQ(Title("[SYSTEM]\r\nName=Driver Tool\r\n"), "");
}

TEST(ConfigurationTest, LineSeparatorsAreStoredPlainAndMayBeMixed) {
  for (const char* sep : {"\r\n", "\r", "\n"}) {
    std::string plain = std::string("[SYSTEM]") + sep + "Version=2" + sep + "Name=X" + sep;
    EXPECT_EQ(Title(EncodeConfiguration(plain)), "X") << "separator " << int(sep[0]);
  }
  // The last line has no break and still counts.
  const fw::IniText mixed =
      DecodeConfiguration(EncodeConfiguration("[SYSTEM]\rVersion=2\nName=Mixed\r\nCopyright=c"));
  EXPECT_EQ(ReadApplicationTitle(mixed), "Mixed");
  EXPECT_EQ(ReadGlobalVars(mixed).Copyright, "c");
}

TEST(ConfigurationTest, NamesAreCaseInsensitiveAndTrimmed) {
  EXPECT_EQ(Title(EncodeConfiguration("[system]\n  name =  Driver Tool \t\n")), "Driver Tool");
  EXPECT_EQ(Title(EncodeConfiguration("[ SYSTEM ]\nNAME=Driver Tool\n")), "Driver Tool");
}

TEST(ConfigurationTest, FirstKeyAndFirstSectionWin) {
  EXPECT_EQ(Title(EncodeConfiguration("[SYSTEM]\nName=First\nName=Second\n")), "First");
  EXPECT_EQ(Title(EncodeConfiguration("[SYSTEM]\nVersion=1\n[Other]\n[SYSTEM]\nName=Late\n")), "");
}

TEST(ConfigurationTest, CommentsAndStrayLinesDefineNothing) {
  EXPECT_EQ(Title(EncodeConfiguration("[SYSTEM]\n;Name=Commented\nName\n")), "");
  EXPECT_EQ(Title(EncodeConfiguration("Name=Before\n[SYSTEM]\n")), "");
  // Only the first "=" splits; the value keeps the rest.
  EXPECT_EQ(Title(EncodeConfiguration("[SYSTEM]\nName=a=b\n")), "a=b");
}

TEST(ConfigurationTest, NulByteEndsTheStoredText) {
  std::string stored = EncodeConfiguration("[SYSTEM]\nName=Kept\n");
  stored += std::string("\0", 1) + EncodeConfiguration("Version=lost\n");
  TGlobalVars vars = ReadGlobalVars(DecodeConfiguration(stored));
  EXPECT_EQ(Title(stored), "Kept");
  EXPECT_EQ(vars.Version, "");
}

TEST(ConfigurationTest, EmptyFileGivesEmptySettings) {
  fw::IniText empty = DecodeConfiguration("");
  EXPECT_EQ(ReadApplicationTitle(empty), "");
  TGlobalVars vars = ReadGlobalVars(empty);
  for (const std::string* field :
       {&vars.Version, &vars.Copyright, &vars.SkinName, &vars.HelpContectLink,
        &vars.HelpHowTosTutorialVideosLink, &vars.HelpHomePageLink, &vars.HelpMoreFreeToolsLink,
        &vars.HelpCheckForUpdatesLink, &vars.HelpSupportLink})
    EXPECT_EQ(*field, "");
}

TEST(ConfigurationTest, AllNineSettingsComeFromTheirOwnKeys) {
  TGlobalVars vars = ReadGlobalVars(DecodeConfiguration(EncodeConfiguration(
      "[SYSTEM]\nVersion=v\nCopyright=c\nSkinName=s\nHelpContectLink=1\n"
      "HelpHowTosTutorialVideosLink=2\nHelpHomePageLink=3\nHelpMoreFreeToolsLink=4\n"
      "HelpCheckForUpdatesLink=5\nHelpSupportLink=6\nHelpContentLink=misspelt\n")));
  EXPECT_EQ(vars.Version, "v");
  EXPECT_EQ(vars.Copyright, "c");
  EXPECT_EQ(vars.SkinName, "s");
  EXPECT_EQ(vars.HelpContectLink, "1");
  EXPECT_EQ(vars.HelpHowTosTutorialVideosLink, "2");
  EXPECT_EQ(vars.HelpHomePageLink, "3");
  EXPECT_EQ(vars.HelpMoreFreeToolsLink, "4");
  EXPECT_EQ(vars.HelpCheckForUpdatesLink, "5");
  EXPECT_EQ(vars.HelpSupportLink, "6");
}

TEST(ConfigurationTest, ReadsTheFileBesideTheExecutable) {
  testing_support::FakeHost host;
  EXPECT_EQ(GetConfigFileName(), kConfigPath);
  host.files[kConfigPath] = EncodeConfiguration("[SYSTEM]\r\nName=Beside\r\n");
  EXPECT_EQ(ReadApplicationTitle(ReadConfiguration()), "Beside");
}

TEST(ConfigurationTest, MissingFileNamesPathAndReason) {
  testing_support::FakeHost host;
  try {
    ReadConfiguration();
    FAIL() << "no error for a missing file";
  } catch (const platform::FileOpenError& error) {
    EXPECT_EQ(std::string(error.what()), std::string("Cannot open file \"") + kConfigPath +
                                             "\". The system cannot find the file specified.");
  }
}

// The version the About window shows comes from the shipped file; the version resource, the
// manifest and the release file names come from the build's project version. A release must not
// call itself two things.
TEST(ConfigurationTest, ShippedStoredFileMatchesItsPlainSourceAndTheProgramVersion) {
  auto read = [](const std::string& name) {
    std::ifstream in(std::string(DK_SOURCE_DIR) + "/packaging/" + name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  };
  std::string plain = read("lamecore.ini");
  ASSERT_FALSE(plain.empty());
  EXPECT_EQ(read("lamecore.dll"), EncodeConfiguration(plain))
      << "regenerate with: dkconfig encode packaging/lamecore.ini packaging/lamecore.dll";
  EXPECT_EQ(Title(read("lamecore.dll")), "Driver Keeper");
  EXPECT_EQ(ReadGlobalVars(DecodeConfiguration(read("lamecore.dll"))).Version, DK_PROGRAM_VERSION)
      << "the project version in CMakeLists.txt and Version in packaging/lamecore.ini differ";
}

}  // namespace
