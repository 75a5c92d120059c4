// Resolving a driver's installed files from its INF file.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/untBackUpDriver.h"

namespace {

using testing_support::FakeMachine;

const std::string kSys = "C:\\Windows\\system32";

std::string DriverWithInf(FakeMachine& m, const std::string& infText) {
  std::string key = m.AddDriver("{c}", "0000", "Card", "Acme");
  m.registry.SetString(key.substr(1), "InfPath", "oem7.inf");
  m.files.AddFile("C:\\Windows\\inf\\oem7.inf", infText);
  return key;
}

TEST(FindFileNoCaseTest, FindsTheEntryInItsOwnCase) {
  FakeMachine m;
  m.files.AddFile(kSys + "\\drivers\\acme.sys", "");
  m.files.AddFolder(kSys + "\\Sub.Dir");
  EXPECT_EQ(FindFileNoCase(kSys + "\\drivers", "ACME.SYS"), kSys + "\\drivers\\acme.sys");
  EXPECT_EQ(FindFileNoCase(kSys + "\\drivers\\", "Acme.Sys"), kSys + "\\drivers\\acme.sys");
  EXPECT_EQ(FindFileNoCase(kSys, "sub.dir"), kSys + "\\Sub.Dir") << "folders match too";
  EXPECT_EQ(FindFileNoCase(kSys, "acme.sys"), "") << "not in this folder";
  EXPECT_EQ(FindFileNoCase("C:\\Nowhere", "acme.sys"), "");
  EXPECT_EQ(FindFileNoCase(kSys, "*.*"), "") << "a pattern is not a name";
}

TEST(DriverFileFolderTest, ExtensionPicksTheFolder) {
  const std::string win = "C:\\Windows";
  EXPECT_EQ(DriverFileFolder("a.sys", kSys, win), kSys + "\\drivers\\");
  EXPECT_EQ(DriverFileFolder("A.DLL", kSys, win), kSys);
  EXPECT_EQ(DriverFileFolder("a.exe", kSys, win), kSys);
  EXPECT_EQ(DriverFileFolder("a.hlp", kSys, win), win + "\\help\\");
  EXPECT_EQ(DriverFileFolder("a.CHM", kSys, win), win + "\\help\\");
  EXPECT_EQ(DriverFileFolder("a.icm", kSys, win), kSys + "\\spool\\drivers\\color\\");
  EXPECT_EQ(DriverFileFolder("a.inf", kSys, win), win + "\\inf\\");
  EXPECT_EQ(DriverFileFolder("a.tvp", kSys, win), win + "\\nview\\");
  EXPECT_EQ(DriverFileFolder("a.cat", kSys, win), kSys);
  EXPECT_EQ(DriverFileFolder("noext", kSys, win), kSys);
  EXPECT_EQ(DriverFileFolder("a.sys.bak", kSys, win), kSys) << "the last dot counts";
}

TEST(GetDriverFilesTest, ResolvesInOrderDropsMissingAndEndsWithTheInf) {
  FakeMachine m;
  m.files.AddFile(kSys + "\\drivers\\acme.sys", "");
  m.files.AddFile(kSys + "\\acmeui.dll", "");
  m.files.AddFile("C:\\Windows\\help\\acme.chm", "");
  std::string key = DriverWithInf(m,
                                  "[SourceDisksFiles]\r\nACME.SYS=1\r\nmissing.sys=1\r\n"
                                  "AcmeUI.DLL=1\r\nacme.chm=1\r\n");
  EXPECT_EQ(GetDriverFiles(key), (std::vector<std::string>{
                                     kSys + "\\drivers\\acme.sys", kSys + "\\acmeui.dll",
                                     "C:\\Windows\\help\\acme.chm", "C:\\Windows\\inf\\oem7.inf"}));
}

TEST(GetDriverFilesTest, OnlyTheInfWithoutAnUndecoratedFileList) {
  FakeMachine m;
  m.files.AddFile(kSys + "\\drivers\\acme.sys", "");
  std::string key = DriverWithInf(m, "[SourceDisksFiles.amd64]\r\nacme.sys=1\r\n");
  EXPECT_EQ(GetDriverFiles(key), std::vector<std::string>{"C:\\Windows\\inf\\oem7.inf"});
}

TEST(GetDriverFilesTest, KeyWithoutInfPathGivesTheInfFolder) {
  FakeMachine m;
  std::string key = m.AddDriver("{c}", "0000", "Card", "Acme");
  EXPECT_EQ(GetInfFileName(key), "C:\\Windows\\inf\\");
  EXPECT_EQ(GetDriverFiles(key), std::vector<std::string>{"C:\\Windows\\inf\\"});
}

}  // namespace
