// Loading skins by name: packed files, folders, stored skins, version notices, load errors, the
// settings that reload, removing the skin, and forms frozen for a change let go however it ends.
#include <gtest/gtest.h>

#include <stdexcept>

#include "ManagerWorld.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinPaths.h"

namespace {

using manager_test::PackedSlate;
using manager_test::SlateMembers;
using manager_test::Stored;
using manager_test::World;
using Log = std::vector<std::string>;

const std::string kLoaded = "all:" + std::to_string(CmdSkinLoaded);
const std::string kRemoved = "all:" + std::to_string(CmdSkinRemoved);
const std::string kStopFade = "app:" + std::to_string(CmdStopFade);
const std::string kRefresh = "app:" + std::to_string(CmdSkinRefresh);

struct ManagerTest : ::testing::Test {
  // A manager as a window's design makes it: settings read while loading, then finished.
  std::unique_ptr<TsSkinManager> Make(const std::string& skinName,
                                      const std::string& directory = "c:\\Skins") {
    auto manager = std::make_unique<TsSkinManager>(nullptr);
    manager->BeginLoading();
    manager->SetSkinDirectory(directory);
    for (const auto& [name, data] : stored) manager->InternalSkins.Add(Stored(name, data));
    manager->SetSkinName(skinName);
    manager->EndLoading();
    return manager;
  }
  void AddStored(const std::string& name, const std::string& version = "") {
    stored.emplace_back(name, PackedSlate(version));
  }

  World world;
  std::vector<std::pair<std::string, std::string>> stored;
};

TEST_F(ManagerTest, CapitalPackedSuffixLoadsThePackedFileAndIsDropped) {
  world.AddFile("c:\\Skins\\Slate.vlz", PackedSlate());
  auto manager = Make("Slate.VLZ");
  EXPECT_EQ(manager->SkinName(), "Slate");
  EXPECT_TRUE(manager->LoadedFromPackage());
  EXPECT_GE(manager->FindSection("BUTTON"), 0);
  EXPECT_EQ(manager->GlobalInfo.SkinFolder, "c:\\Skins\\");
  EXPECT_EQ(manager->SkinInfo(), "8.1");
  EXPECT_EQ(world.windows.log, Log{kLoaded});
  EXPECT_TRUE(world.Messages().empty());
}

TEST_F(ManagerTest, ShortNameEndingLikeTheSuffixIsKept) {
  // Another stored skin comes first: a name stripped to nothing would fall back to it.
  AddStored("Other (internal)");
  AddStored(".vlz");
  auto manager = Make(".vlz");
  EXPECT_EQ(manager->SkinName(), ".vlz");
  EXPECT_TRUE(manager->GlobalInfo.IsLoaded);
}

TEST_F(ManagerTest, SkinFolderIsReadWhenItHoldsOptions) {
  world.AddSkinFolder("c:\\Skins\\Slate", SlateMembers());
  AddStored("Other (internal)");
  auto manager = Make("Slate");
  EXPECT_FALSE(manager->LoadedFromPackage());
  EXPECT_EQ(manager->GlobalInfo.SkinFolder, "c:\\Skins\\Slate\\");
  EXPECT_FALSE(manager->MasterImage.Empty());
}

TEST_F(ManagerTest, RelativeDirectoryFindsFoldersBesideTheProgramAndPackedFilesHere) {
  world.AddFile("Skins\\Packed.vlz", PackedSlate());  // below the current folder
  world.AddSkinFolder("C:\\Program Files\\Driver Keeper\\Skins\\Folded", SlateMembers());
  world.AddFile("C:\\Program Files\\Driver Keeper\\Skins\\Beside.vlz", PackedSlate());
  auto manager = Make("Packed", "Skins");
  EXPECT_EQ(manager->SkinName(), "Packed");
  EXPECT_TRUE(manager->LoadedFromPackage());
  EXPECT_EQ(manager->GlobalInfo.SkinFolder, "C:\\Program Files\\Driver Keeper\\Skins\\");
  manager->SetSkinName("Folded");
  EXPECT_FALSE(manager->LoadedFromPackage());
  EXPECT_EQ(manager->GlobalInfo.SkinFolder, "C:\\Program Files\\Driver Keeper\\Skins\\Folded\\");
  // A packed file beside the program is not looked for; with nothing else the manager stops.
  manager->SetSkinName("Beside");
  EXPECT_FALSE(manager->Active());
}

TEST_F(ManagerTest, UnknownNameFallsBackToTheFirstStoredSkin) {
  AddStored("First (internal)");
  AddStored("Last (internal)");
  auto manager = Make("Nowhere");
  EXPECT_EQ(manager->SkinName(), "First (internal)");
  EXPECT_TRUE(manager->Active());
  EXPECT_TRUE(manager->LoadedFromPackage());
  EXPECT_EQ(manager->GlobalInfo.SkinFolder, "");
  // Stored skins are found by their exact name.
  manager->SetSkinName("last (internal)");
  EXPECT_EQ(manager->SkinName(), "First (internal)");
  manager->SetSkinName("Last (internal)");
  EXPECT_EQ(manager->SkinName(), "Last (internal)");
}

TEST_F(ManagerTest, NoSkinAnywhereDeactivatesTheManager) {
  auto manager = Make("Nowhere");
  EXPECT_FALSE(manager->Active());
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  EXPECT_TRUE(world.Messages().empty());
}

TEST_F(ManagerTest, SkinInfoIsNotAvailableBeforeTheSkinIsApplied) {
  AddStored("Slate (internal)");
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  EXPECT_EQ(manager->SkinInfo(), "N/A");
  manager->BeginLoading();
  manager->InternalSkins.Add(Stored("Slate (internal)", stored[0].second));
  manager->SetSkinName("Slate (internal)");
  EXPECT_EQ(manager->SkinInfo(), "N/A");  // loaded, not yet applied
  EXPECT_TRUE(world.windows.log.empty());
  manager->EndLoading();
  EXPECT_EQ(manager->SkinInfo(), "8.1");
}

TEST_F(ManagerTest, NewSkinVersionWarnsOncePerLoadWithDialogsLeftAloneMeanwhile) {
  AddStored("Nine (internal)", "9");
  auto manager = Make("Nine (internal)");
  ASSERT_EQ(world.host.messages.size(), 1u);
  EXPECT_EQ(world.host.messages[0].text, std::string(kNewSkinWarning));
  EXPECT_EQ(world.host.messages[0].flags, unsigned(platform::MbIconWarning));
  EXPECT_EQ(manager->SkinningRules, kAllSkinningRules);
  manager->SetSkinName("Nine (internal)");
  EXPECT_EQ(world.host.messages.size(), 2u);
  EXPECT_EQ(manager->SkinningRules, kAllSkinningRules);
}

TEST_F(ManagerTest, OldSkinNoticeOnlyWithTheTestSwitch) {
  AddStored("Old (internal)", "6.5");
  auto quiet = Make("Old (internal)");
  EXPECT_TRUE(world.Messages().empty());
  quiet.reset();
  world.windows.commandLine = {"/VETEST"};
  auto loud = Make("Old (internal)");
  ASSERT_EQ(world.Messages().size(), 1u);
  EXPECT_EQ(world.host.messages[0].caption, "Driver Keeper");
  EXPECT_EQ(world.host.messages[0].text,
            "You are using an old version of the \"Old (internal)\" skin. Please, update a skins "
            "to latest or link with the Velvane support for upgrading of existing skin.\r\n\r\n"
            "This notification occurs in design-time only for your information and will not "
            "occur in real-time.");
}

TEST_F(ManagerTest, LoadErrorKeepsThePreviousNameAndShowsTheError) {
  AddStored("Good (internal)");
  stored.emplace_back("Broken (internal)", "");
  auto manager = Make("Good (internal)");
  int changed = 0;
  manager->OnAfterChange = [&](fw::TObject*) { ++changed; };
  world.windows.log.clear();
  manager->SetSkinName("Broken (internal)");
  EXPECT_EQ(manager->SkinName(), "Good (internal)");
  ASSERT_EQ(world.host.messages.size(), 1u);
  EXPECT_EQ(world.host.messages[0].caption, "Error");
  EXPECT_EQ(world.host.messages[0].text, "Loaded data is not a packed Velvane file");
  EXPECT_EQ(world.host.messages[0].flags & 0xF0, unsigned(platform::MbIconError));
  // The apply step still runs, and the change is finished.
  EXPECT_EQ(world.windows.log, (Log{kLoaded, kStopFade, kRefresh}));
  EXPECT_FALSE(SkinChanging);
  EXPECT_EQ(changed, 1);
}

TEST_F(ManagerTest, DamagedPackedFileIsALoadError) {
  AddStored("Good (internal)");
  world.AddFile("c:\\Skins\\Bad.vlz", "VLzf\x01");
  auto manager = Make("Good (internal)");
  manager->SetSkinName("Bad");
  EXPECT_EQ(manager->SkinName(), "Good (internal)");
  EXPECT_EQ(world.Messages(), Log{"Error: Stream read error"});
}

TEST_F(ManagerTest, HueOffsetReloadsOnlyOnANewValue) {
  AddStored("Nine (internal)", "9");  // every load shows the warning once
  auto manager = Make("Nine (internal)");
  world.windows.log.clear();
  int changed = 0;
  manager->OnAfterChange = [&](fw::TObject*) { ++changed; };
  manager->SetHueOffset(0);
  manager->SetSaturation(0);
  EXPECT_TRUE(world.windows.log.empty());
  EXPECT_EQ(world.host.messages.size(), 1u);
  manager->SetHueOffset(40);
  EXPECT_EQ(world.host.messages.size(), 2u);
  EXPECT_EQ(world.windows.log, (Log{kStopFade, kRefresh}));
  EXPECT_EQ(changed, 1);
  // While updates are locked the skin reloads without telling the windows.
  world.windows.log.clear();
  manager->LockUpdates();
  manager->SetSaturation(-20);
  EXPECT_EQ(world.host.messages.size(), 3u);
  EXPECT_TRUE(world.windows.log.empty());
  manager->UnlockUpdates(false);
  EXPECT_EQ(world.windows.log, (Log{kLoaded, kStopFade, kRefresh}));
  EXPECT_TRUE(manager->AnimEffects.SkinChanging.Active);
}

TEST_F(ManagerTest, ExtendedBordersNeedLayeredWindowsAndReloadWhenChanged) {
  AddStored("Nine (internal)", "9");
  auto manager = Make("Nine (internal)");
  manager->SetExtendedBorders(true);
  EXPECT_TRUE(manager->ExtendedBorders());
  EXPECT_EQ(world.host.messages.size(), 2u);
  world.windows.layered = false;
  EXPECT_FALSE(manager->ExtendedBorders());
  manager->Effects.SetAllowGlowing(true);
  EXPECT_FALSE(manager->Effects.AllowGlowing());
}

TEST_F(ManagerTest, DeactivationRemovesTheSkinAndActivationLoadsItAgain) {
  AddStored("Slate (internal)");
  auto manager = Make("Slate (internal)");
  EXPECT_EQ(world.windows.creationHooks, 1);
  world.windows.log.clear();
  bool removingDuringBroadcast = false;
  int deactivated = 0;
  manager->OnDeactivate = [&](fw::TObject*) { ++deactivated; };
  ManagerHooks().HideAllGlows = [&] { removingDuringBroadcast = manager->RemovingSkin(); };
  manager->SetActive(false);
  ManagerHooks().HideAllGlows = nullptr;
  EXPECT_TRUE(removingDuringBroadcast);
  EXPECT_FALSE(manager->RemovingSkin());
  EXPECT_EQ(world.windows.log, Log{kRemoved});
  EXPECT_EQ(world.windows.creationHooks, 0);
  EXPECT_EQ(deactivated, 1);
  for (const char* name : {"FORM", "BUTTON", "GLOBALINFO", "EDIT"})
    EXPECT_EQ(manager->FindSection(name), -1) << name;
  EXPECT_EQ(manager->QuickIndexes.GlobalInfo, -1);
  EXPECT_EQ(manager->SkinInfo(), "N/A");

  world.windows.log.clear();
  manager->SetActive(true);
  EXPECT_GE(manager->FindSection("FORM"), 0);
  EXPECT_EQ(world.windows.log, (Log{kLoaded, kStopFade, kRefresh}));
}

TEST_F(ManagerTest, CommonSectionsLoseTheirBlanksAndReloadTheSkin) {
  AddStored("Slate (internal)");
  auto manager = Make("Slate (internal)");
  manager->SetCommonSections({"[MY SECTION]", "; keep me as I am", "COLOR = 0x123456"});
  EXPECT_EQ(manager->CommonSections,
            (std::vector<std::string>{"[MYSECTION]", "; keep me as I am", "COLOR=0x123456"}));
  EXPECT_GE(manager->FindSection("MYSECTION"), 0);
}

TEST_F(ManagerTest, FinishingTheDesignFillsDefaultsAndMirrorsTheClassLists) {
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  manager->BeginLoading();
  manager->SetThirdParty(TveThirdKind::Edits, "TEdit\r\nTMemo");
  manager->EndLoading();
  EXPECT_EQ(manager->SkinDirectory(), "c:\\Skins");
  EXPECT_EQ(manager->MenuSupport.IcoLineSkin, "ICOLINE");
  EXPECT_EQ(manager->ThirdParty().Get(TveThirdKind::Buttons), "TButton");
  EXPECT_EQ(manager->ThirdParty().Get(TveThirdKind::ScrollBar), " ");
  EXPECT_EQ(manager->ThirdLists(TveThirdKind::Edits).IndexOf("TMemo"), 1);
  EXPECT_EQ(manager->ThirdLists(TveThirdKind::Edits).IndexOf("tmemo"), -1);
  EXPECT_EQ(manager->ThirdLists(TveThirdKind::Buttons).IndexOf("TButton"), 0);
  EXPECT_EQ(manager->Version(), "8.44");
}

TEST_F(ManagerTest, FirstManagerIsTheDefaultUntilItIsDestroyed) {
  auto first = std::make_unique<TsSkinManager>(nullptr);
  auto second = std::make_unique<TsSkinManager>(nullptr);
  EXPECT_EQ(DefaultManager, first.get());
  EXPECT_FALSE(second->IsDefault());
  first.reset();
  EXPECT_EQ(DefaultManager, nullptr);
  second->SetIsDefault(true);
  EXPECT_EQ(DefaultManager, second.get());
  std::intptr_t value = 0;
  EXPECT_TRUE(fw::GetOrdProp(second.get(), "isdefault", value));
  EXPECT_EQ(value, 1);
}

TEST_F(ManagerTest, NoLongerDefaultRemovesItsCreationHook) {
  AddStored("Slate");
  auto manager = Make("Slate");
  ASSERT_TRUE(manager->IsDefault());
  ASSERT_EQ(world.windows.creationHooks, 1);
  manager->SetIsDefault(false);
  EXPECT_EQ(DefaultManager, nullptr);
  EXPECT_EQ(world.windows.creationHooks, 0);
  // A manager that was not the default leaves the hook alone.
  auto other = std::make_unique<TsSkinManager>(nullptr);
  other->SetIsDefault(true);
  ASSERT_EQ(world.windows.creationHooks, 1);
  manager->SetIsDefault(false);
  EXPECT_EQ(world.windows.creationHooks, 1);
}

}  // namespace

TEST_F(ManagerTest, FormsFrozenForAChangeAreLetGoHoweverTheChangeEnds) {
  AddStored("Slate (internal)");
  auto manager = Make("Slate (internal)");
  Log hooks;
  std::string failing;
  auto step = [&](const std::string& name) {
    hooks.push_back(name);
    if (name == failing) throw std::runtime_error(name);
  };
  TsManagerHooks& h = ManagerHooks();
  const TsManagerHooks saved = h;
  h.FreezeForms = [&](TsSkinManager&) { step("freeze"); };
  h.ResetMenuBorderWidth = [&] { step("menu"); };
  h.EndChangeAnimation = [&](TsSkinManager&) { step("end"); };
  h.ThawForms = [&](TsSkinManager&) { step("thaw"); };
  struct Row {
    const char* change;
    std::string failing;
    Log hooks;
  };
  const Row rows[] = {
      {"apply", "", {"freeze", "menu", "end", "thaw"}},
      {"apply", "menu", {"freeze", "menu", "thaw"}},
      {"apply", "end", {"freeze", "menu", "end", "thaw"}},
      {"apply unanimated", "", {"menu"}},
      {"refresh", "", {"freeze", "end", "thaw"}},
      {"refresh", "end", {"freeze", "end", "thaw"}},
      {"refresh unfrozen", "", {"end"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.change) + " failing at " + row.failing);
    hooks.clear();
    failing = row.failing;
    const std::string change = row.change;
    auto run = [&] {
      if (change == "apply") manager->ApplySkin(true);
      if (change == "apply unanimated") manager->ApplySkin(false);
      if (change == "refresh") manager->RefreshSkin(true);
      if (change == "refresh unfrozen") manager->RefreshSkin(false);
    };
    if (row.failing.empty())
      EXPECT_NO_THROW(run());
    else
      EXPECT_THROW(run(), std::runtime_error);
    EXPECT_EQ(hooks, row.hooks);
  }
  h = saved;
}

TEST(SkinCommands, OnlyThoseCarryingAPointerOrHandleAreKeptToTheOwnThread) {
  // The manager's own address in the skin-wide commands is only compared, never followed.
  for (uint16_t command : {CmdSetSection, CmdAdoptAgain, CmdGetSectionIndex, CmdGetBg,
                           CmdGetDisabledKind, CmdSetPrintDC})
    EXPECT_TRUE(CarriesLocalPointer(command)) << command;
  for (uint16_t command : {CmdSkinLoaded, CmdSkinRemoved, CmdSkinRefresh, CmdIsSkinned,
                           CmdGetSkinData, CmdGetBgColor, CmdClearCache, CmdRepaintFrame})
    EXPECT_FALSE(CarriesLocalPointer(command)) << command;
}
