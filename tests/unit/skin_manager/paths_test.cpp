// Skin folders, packed-skin paths, the names a skin directory offers, and the small texts.
#include <gtest/gtest.h>

#include "ManagerWorld.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPaths.h"

namespace {

using manager_test::Stored;
using manager_test::World;

constexpr const char* kExe = "C:\\Apps\\Driver Keeper\\dk.exe";

TEST(SkinPathsTest, SkinFolderIsResolvedAgainstTheProgramsFolder) {
  EXPECT_EQ(ResolveSkinFolder("c:\\Skins", kExe), "c:\\Skins");
  EXPECT_EQ(ResolveSkinFolder("Skins", kExe), "C:\\Apps\\Driver Keeper\\Skins");
  EXPECT_EQ(ResolveSkinFolder(".\\Skins", kExe), "C:\\Apps\\Driver Keeper\\Skins");
  EXPECT_EQ(ResolveSkinFolder("./Skins", kExe), "C:\\Apps\\Driver Keeper\\Skins");
  EXPECT_EQ(ResolveSkinFolder("..\\Skins", kExe), "C:\\Apps\\Skins");
  EXPECT_EQ(ResolveSkinFolder("..", kExe), "C:\\Apps\\");
  // At a drive root there is no parent folder: the program's folder is used, never "C:Skins".
  EXPECT_EQ(ResolveSkinFolder("..\\Skins", "C:\\dk.exe"), "C:\\Skins");
  EXPECT_EQ(ResolveSkinFolder("\\\\server\\skins", kExe), "\\\\server\\skins");
  // A single backslash is not a share: the folder goes in front, as it always has.
  EXPECT_EQ(ResolveSkinFolder("Skins\\Dark\\", kExe), "C:\\Apps\\Driver Keeper\\Skins\\Dark\\");
  EXPECT_EQ(ResolveSkinFolder("", kExe), "C:\\Apps\\Driver Keeper\\");
}

TEST(SkinPathsTest, TrailingSeparator) {
  EXPECT_EQ(WithTrailingSeparator(""), "");
  EXPECT_EQ(WithTrailingSeparator("c:\\Skins\\"), "c:\\Skins\\");
  EXPECT_EQ(WithTrailingSeparator("c:/Skins/"), "c:/Skins\\");
  EXPECT_EQ(WithTrailingSeparator("Skins"), "Skins\\");
  EXPECT_EQ(WithTrailingSeparator("d"), "d:\\");
}

TEST(SkinPathsTest, VersionTextAndSwitches) {
  EXPECT_EQ(SkinVersionText(8), "8");
  EXPECT_EQ(SkinVersionText(8.1), "8.1");
  EXPECT_EQ(SkinVersionText(6.55), "6.55");
  std::vector<std::string> args = SplitCommandLine("\"C:\\a b\\dk.exe\" /VeTest \"x y\" ");
  EXPECT_EQ(args, (std::vector<std::string>{"/VeTest", "x y"}));
  EXPECT_TRUE(HasSwitch(args, "/vetest"));
  EXPECT_FALSE(HasSwitch(args, "/vever"));
  EXPECT_FALSE(HasSwitch(SplitCommandLine("dk.exe /vetestx"), "/vetest"));
}

TEST(SkinPathsTest, EngineVersionBoxOnlyWhenAsked) {
  testing_support::FakeHost host;
  ShowEngineVersionIfAsked({"/other"}, "dk");
  EXPECT_TRUE(host.messages.empty());
  ShowEngineVersionIfAsked({"/VeVer"}, "dk");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Velvane v8.44");
  EXPECT_EQ(host.messages[0].caption, "dk");
}

struct SkinNamesTest : ::testing::Test {
  void SetUp() override {
    const std::string dir = "C:\\Program Files\\Driver Keeper\\Skins";
    world.AddFile(dir + "\\beta\\Options.dat", "");
    world.AddFile(dir + "\\Empty\\readme.txt", "");
    world.AddFile(dir + "\\.hidden\\Options.dat", "");
    world.AddFile(dir + "\\Gamma.vlz", "");
    world.AddFile(dir + "\\delta.v2.vlz", "");
    world.AddFile(dir + "\\Upper.VLZ", "");
    world.AddFile(dir + "\\notes.txt", "");
    world.AddFile(dir + "\\folder.vlz\\x.txt", "");
    manager.SetSkinDirectory("Skins");
    manager.InternalSkins.Add(Stored("Zeta (internal)"));
    manager.InternalSkins.Add(Stored("alpha (internal)"));
  }
  World world;
  TsSkinManager manager{nullptr};
  std::vector<std::string> list{"stale"};
};

TEST_F(SkinNamesTest, KindsListFoldersPackedFilesOrBothBesideTheStoredSkins) {
  EXPECT_EQ(manager.GetSkinNames(list, sklFolders), "Zeta (internal)");
  EXPECT_EQ(list, (std::vector<std::string>{"alpha (internal)", "beta", "Zeta (internal)"}));
  manager.GetSkinNames(list, sklPacked);
  EXPECT_EQ(list,
            (std::vector<std::string>{"alpha (internal)", "delta", "Gamma", "Zeta (internal)"}));
  manager.GetSkinNames(list, sklBoth);
  EXPECT_EQ(list, (std::vector<std::string>{"alpha (internal)", "beta", "delta", "Gamma",
                                            "Zeta (internal)"}));
}

TEST_F(SkinNamesTest, WithoutStoredSkinsTheFirstNameFoundInTheFolderIsAnswered) {
  manager.InternalSkins.Clear();
  EXPECT_EQ(manager.GetSkinNames(list, sklBoth), "beta");
  manager.SetSkinDirectory("c:\\Nowhere");
  EXPECT_EQ(manager.GetSkinNames(list, sklBoth), "");
  EXPECT_TRUE(list.empty());
}

TEST_F(SkinNamesTest, ListChangesAreAnnounced) {
  int changes = 0;
  manager.OnSkinListChanged = [&](fw::TObject*) { ++changes; };
  manager.InternalSkins.Add(Stored("x"));
  manager.InternalSkins.Delete(0);
  manager.SetSkinDirectory("Skins");  // unchanged
  manager.SetSkinDirectory("Other");
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(manager.GlobalInfo.SkinFolder, "C:\\Program Files\\Driver Keeper\\Other");
}

}  // namespace
