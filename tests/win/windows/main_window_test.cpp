#include "app/core/WorkFolder.h"
#include "app/core/globals.h"
#include "app/drivers/BackupState.h"
#include "app/windows/About.h"
#include "platform/FileIdentityMemory.h"
#include "tests/win/windows/MainWindowFixture.h"

using namespace fw;

namespace {

using testing_support::MainWindowTest;
using testing_support::MainWindowWithPluginsTest;

TEST_F(MainWindowTest, StartsWithTheRecommendedDriversAndTheirCount) {
  form = std::make_unique<TfrmMain>(nullptr);
  EXPECT_EQ(form->Caption(), "Test Keeper");
  EXPECT_EQ(GlobalVars.Version, "2.5");
  ASSERT_EQ(form->lv->Count(), 2);
  EXPECT_EQ(form->lv->Items(0).Caption(), "Sorrel NX2 NVMe");
  EXPECT_EQ(form->lv->Items(0).SubItem(2), nvme);
  EXPECT_EQ(Status(), "2 drivers found.");
  EXPECT_FALSE(form->N3->Visible()) << "no plug-ins, no Plugin menu";
  for (auto* label : {form->Label1, form->Label6}) EXPECT_EQ(label->Caption(), "...");

  form->menuSearchAllDriverClick(nullptr);
  EXPECT_EQ(form->lv->Count(), 3);
  EXPECT_EQ(Status(), "3 drivers found.");
}

TEST_F(MainWindowTest, TheSkinManagerIsSetUpAsTheWindowDesignsIt) {
  form = std::make_unique<TfrmMain>(nullptr);
  const TsSkinManager& manager = *form->sSkinManager;
  EXPECT_FALSE(manager.Effects.AllowGlowing());
  // Extended borders read true only where layered windows exist; Wine has them.
  EXPECT_TRUE(manager.ExtendedBorders());
  EXPECT_EQ(manager.AnimEffects.FormShow.Time, 70);
  EXPECT_EQ(manager.SkinningRules, unsigned(srThirdParty));
  EXPECT_EQ(manager.SkinDirectory(), "c:\\Skins");
  ASSERT_FALSE(manager.ThirdLists(TveThirdKind::Edits).Names().empty());
  EXPECT_EQ(manager.ThirdLists(TveThirdKind::Edits).Names().front(), "TEdit");
  ASSERT_FALSE(manager.ThirdLists(TveThirdKind::Buttons).Names().empty());
  EXPECT_EQ(manager.ThirdLists(TveThirdKind::Buttons).Names().front(), "TButton");
  const TsStoredSkins& skins = manager.InternalSkins;
  ASSERT_GT(skins.Count(), 1);
  EXPECT_EQ(manager.SkinName(), skins.Items(skins.Count() - 1).Name);
}

TEST_F(MainWindowTest, AClickOnARowFillsTheSixDetailLines) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->lv->Items(0).SetSelected(true);
  form->lvClick(form->lv);
  EXPECT_EQ(form->Label1->Caption(), "Device:  Sorrel NX2 NVMe");
  EXPECT_EQ(form->Label2->Caption(), "Provider: Sorrel Storage");
  EXPECT_EQ(form->Label3->Caption(), "Driver Date: ");
  EXPECT_EQ(form->Label4->Caption(), "Driver Version: 1.3.0.0");
  EXPECT_EQ(form->Label5->Caption(), "Digital Signature: sorrel.cat");
  EXPECT_EQ(form->Label6->Caption(), "Driver File: 2 File(s)");

  form->menuSearchDriverClick(nullptr);
  EXPECT_EQ(form->Label1->Caption(), "Device:  Sorrel NX2 NVMe") << "a scan keeps the details";
}

TEST_F(MainWindowTest, SelectAllAndSelectInvertSetTheCheckMarks) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->lv->Items(1).SetChecked(true);
  form->BtnSelectClick(nullptr);
  EXPECT_TRUE(form->lv->Items(0).Checked());
  EXPECT_FALSE(form->lv->Items(1).Checked());
  form->BtnSelectClick(nullptr);
  EXPECT_FALSE(form->lv->Items(0).Checked());
  EXPECT_TRUE(form->lv->Items(1).Checked());
  form->BtnAllSelClick(nullptr);
  EXPECT_TRUE(form->lv->Items(0).Checked() && form->lv->Items(1).Checked());
}

TEST_F(MainWindowTest, ARescanClearsEveryCheckMark) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->BtnAllSelClick(nullptr);
  form->menuSearchAllDriverClick(nullptr);
  ASSERT_EQ(form->lv->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(form->lv->Items(i).Checked()) << "row " << i;
  CheckAll();
  form->menuSearchDriverClick(nullptr);
  ASSERT_EQ(form->lv->Count(), 2);
  for (int i = 0; i < 2; ++i) EXPECT_FALSE(form->lv->Items(i).Checked()) << "row " << i;
}

TEST_F(MainWindowTest, BackupOfNothingCheckedOnlyWarns) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->N6Click(nullptr);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "You have not selected any driver.");
  EXPECT_EQ(host.messages[0].caption, "Test Keeper");
  EXPECT_EQ(host.messages[0].flags, platform::MbIconQuestion);
  EXPECT_EQ(Status(), "2 drivers found.");
}

TEST_F(MainWindowTest, BackupCopiesTheCheckedDriversAndReportsFinished) {
  form = std::make_unique<TfrmMain>(nullptr);
  CheckAll();
  form->N6Click(nullptr);
  EXPECT_EQ(machine.files.Content("C:\\Work\\BackUp\\Drivers\\Sorrel NX2 NVMe\\SorrelNX.sys"),
            "driver");
  EXPECT_TRUE(machine.files.Content("C:\\Work\\BackUp\\Drivers\\Sorrel NX2 NVMe\\oem30.inf"));
  EXPECT_EQ(Status(), "Finished!");
  EXPECT_TRUE(form->BtnBackUp->Enabled());
  ASSERT_FALSE(host.messages.empty());
  EXPECT_EQ(host.messages.back().caption, "Test Keeper");
}

TEST_F(MainWindowWithPluginsTest, ClosingTheWindowDuringABackupStopsItWithoutAReport) {
  form = std::make_unique<TfrmMain>(nullptr);
  form->Show();
  ASSERT_EQ(form->PluginList.size(), 2u);
  CheckAll();
  PostMessageA(form->Handle(), WM_CLOSE, 0, 0);  // arrives while the backup lets messages in
  form->N8Click(nullptr);
  EXPECT_FALSE(BackupRunning());
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NE(Status(), "Finished!");
  EXPECT_FALSE(IsWindowVisible(form->Handle()));
  EXPECT_TRUE(form->PluginList.empty());
}

TEST_F(MainWindowTest, ScansWaitForARunningBackup) {
  form = std::make_unique<TfrmMain>(nullptr);
  TBackupRunScope running;
  form->menuSearchAllDriverClick(nullptr);
  EXPECT_EQ(form->lv->Count(), 2);
  EXPECT_EQ(Status(), "2 drivers found.");
}

TEST_F(MainWindowTest, HelpLinksOpenBesideTheProgramAndTheBackupFolderInTheCurrentOne) {
  machine.files.AddFile("C:\\Program Files\\Driver Keeper\\help\\index.html", "<html>");
  form = std::make_unique<TfrmMain>(nullptr);
  form->H1Click(nullptr);
  form->HomePage1Click(nullptr);
  form->MoreFreeTools1Click(nullptr);
  form->O1Click(nullptr);
  // Started elsewhere than its own folder (C:\Work), the program backs up there.
  EXPECT_EQ(host.opened, (std::vector<std::string>{
                             "C:\\Program Files\\Driver Keeper\\help\\index.html",
                             "https://example.org/", "example.org/tools", "C:\\Work\\BackUp\\"}));
}

TEST_F(MainWindowTest, AnInstalledCopyBacksUpIntoTheDocumentsAndBrowsesThere) {
  const std::string program = "C:\\Program Files\\Driver Keeper";
  const std::string work = "C:\\Users\\Ann\\Documents\\Driver Keeper";
  machine.files.AddFile(program + "\\uninstall.exe", "setup");
  machine.files.AddFolder(machine.files.documentsDirectory);
  machine.files.currentDirectory = program;
  platform::MemoryFileIdentity ids;
  platform::ScopedInstall<platform::FileIdentity> useIds(ids);
  EnterWorkFolder();
  form = std::make_unique<TfrmMain>(nullptr);
  CheckAll();
  form->N6Click(nullptr);
  EXPECT_EQ(machine.files.Content(work + "\\BackUp\\Drivers\\Sorrel NX2 NVMe\\SorrelNX.sys"),
            "driver");
  EXPECT_FALSE(machine.files.DirectoryExists(program + "\\BackUp"));
  form->O1Click(nullptr);
  EXPECT_EQ(host.opened, std::vector<std::string>{work + "\\BackUp\\"});
}

TEST_F(MainWindowTest, TheAboutWindowFillsItsTemplates) {
  form = std::make_unique<TfrmMain>(nullptr);
  TFormAbout about(form.get());
  EXPECT_EQ(about.Caption(), "About Test Keeper");
  EXPECT_EQ(about.LabelAppName->Caption(), "Test Keeper");
  EXPECT_EQ(about.LabelVersion->Caption(), "Version 2.5");
  SYSTEMTIME now;
  GetLocalTime(&now);
  EXPECT_EQ(about.LabelCopyRight->Caption(),
            "Copyright (C) " + std::to_string(now.wYear) + " Test makers");
  EXPECT_EQ(about.LabelWeb->Caption(), "https://example.org/");
  EXPECT_EQ(about.LabelWarning->Caption(), "");
  about.LabelWebClick(nullptr);
  EXPECT_EQ(host.opened.back(), "https://example.org/");
  GlobalVars.HelpHomePageLink = "www.example.org";
  about.LabelWebClick(nullptr);
  EXPECT_EQ(host.opened.back(), "www.example.org") << "a web address without a scheme";
}

}  // namespace
