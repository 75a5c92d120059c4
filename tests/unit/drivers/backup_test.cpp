// Copying drivers into the backup tree, and the backup commands around it.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/BackupState.h"
#include "app/drivers/untBackUpDriver.h"
#include "support/FakeHost.h"

namespace {

using testing_support::FakeBackupWindow;
using testing_support::FakeDriverList;
using testing_support::FakeHost;
using testing_support::FakeMachine;

const std::string kSys = "C:\\Windows\\system32";
const std::string kTree = "C:\\Work\\BackUp\\Drivers\\";

TEST(SanitizeFolderNameTest, RemovesTheNineCharactersAndTrims) {
  EXPECT_EQ(SanitizeFolderName("Acme/Card: v2"), "AcmeCard v2");
  EXPECT_EQ(SanitizeFolderName("a/b\\c*d:e?f\"g<h>i|j"), "abcdefghij");
  EXPECT_EQ(SanitizeFolderName("  \tPadded Card \r\n"), "Padded Card");
  EXPECT_EQ(SanitizeFolderName(" <*> : "), "");
  EXPECT_EQ(SanitizeFolderName("Card (R) #2 [x]"), "Card (R) #2 [x]");
}

TEST(SanitizeFolderNameTest, DotsOnlyCannotLeaveTheTree) {
  EXPECT_EQ(SanitizeFolderName(".."), "");
  EXPECT_EQ(SanitizeFolderName(" ./. "), "");
  EXPECT_EQ(SanitizeFolderName("..."), "");
  EXPECT_EQ(SanitizeFolderName("v1.0"), "v1.0");
}

TEST(BackUpDriverTest, CreatesTheTreeAndCopiesEveryFile) {
  FakeMachine m;
  m.files.AddFile(kSys + "\\drivers\\acme.sys", "sys v1");
  m.files.AddFile("C:\\Windows\\inf\\oem1.inf", "inf");
  int pumped = 0;
  TDriverBackup done =
      BackUpDriver(" Acme: Card ", {kSys + "\\drivers\\acme.sys", "C:\\Windows\\inf\\oem1.inf"},
                   [&] { ++pumped; });
  EXPECT_TRUE(done.foldersReady);
  EXPECT_EQ(done.copied, 2u);
  EXPECT_EQ(done.failed, 0u);
  EXPECT_EQ(pumped, 2) << "messages before each file";
  EXPECT_EQ(m.files.Content(kTree + "Acme Card\\acme.sys"), "sys v1");
  EXPECT_EQ(m.files.Content(kTree + "Acme Card\\oem1.inf"), "inf");

  m.files.AddFile(kSys + "\\drivers\\acme.sys", "sys v2");
  BackUpDriver("Acme Card", {kSys + "\\drivers\\acme.sys"});
  EXPECT_EQ(m.files.Content(kTree + "Acme Card\\acme.sys"), "sys v2") << "second backup overwrites";
}

TEST(BackUpDriverTest, EmptyFolderNameCopiesIntoTheDriversFolder) {
  FakeMachine m;
  m.files.AddFile("C:\\Windows\\inf\\oem1.inf", "inf");
  EXPECT_EQ(BackUpDriver("<>", {"C:\\Windows\\inf\\oem1.inf"}).copied, 1u);
  EXPECT_EQ(m.files.Content(kTree + "oem1.inf"), "inf");
  EXPECT_EQ(BackUpDriver("..", {"C:\\Windows\\inf\\oem1.inf"}).copied, 1u);
  EXPECT_EQ(m.files.Content("C:\\Work\\BackUp\\oem1.inf"), std::nullopt);
}

TEST(BackUpDriverTest, FailuresAreCounted) {
  FakeMachine m;
  m.files.AddFile(kSys + "\\a.dll", "a");
  TDriverBackup done = BackUpDriver("Card", {kSys + "\\a.dll", "C:\\Windows\\inf\\gone.inf"});
  EXPECT_TRUE(done.foldersReady);
  EXPECT_EQ(done.copied, 1u);
  EXPECT_EQ(done.failed, 1u);

  m.files.SetReadOnly("C:\\Work\\BackUp\\Drivers");
  done = BackUpDriver("Other", {kSys + "\\a.dll", kSys + "\\a.dll"});
  EXPECT_FALSE(done.foldersReady);
  EXPECT_EQ(done.copied, 0u);
  EXPECT_EQ(done.failed, 2u);
  EXPECT_EQ(done.folderError, "Cannot create folder \"BackUp\\Drivers\\Other\". Access is denied.");
}

// The backup commands against a list of three drivers, each with an installed file.
struct BackupCommandTest : ::testing::Test {
  FakeMachine m;
  FakeHost host;
  FakeDriverList list;
  FakeBackupWindow window;

  void AddRow(const std::string& desc, const std::string& action, bool checked) {
    std::string instance = "000" + std::to_string(list.Count());
    std::string key = m.AddDriver("{c}", instance, desc, "Acme");
    std::string inf = "oem" + std::to_string(list.Count()) + ".inf";
    m.registry.SetString(key.substr(1), "InfPath", inf);
    m.files.AddFile("C:\\Windows\\inf\\" + inf, "[SourceDisksFiles]\r\n" + desc + ".sys=1\r\n");
    m.files.AddFile(kSys + "\\drivers\\" + desc + ".sys", desc);
    list.rows.push_back({desc, "Type", action, key, checked});
  }
  void SetUp() override {
    AddRow("Alpha", "Recommended", false);
    AddRow("Beta", "Microsoft", true);
    AddRow("Gamma", "Recommended", true);
  }
  bool BackedUp(const std::string& desc) {
    return m.files.Content(kTree + desc + "\\" + desc + ".sys").has_value();
  }
};

TEST_F(BackupCommandTest, SelectedDriversWithStatusAndFinishedBox) {
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_FALSE(BackedUp("Alpha"));
  EXPECT_TRUE(BackedUp("Beta"));
  EXPECT_TRUE(BackedUp("Gamma"));
  EXPECT_TRUE(m.files.Content(kTree + "Gamma\\oem2.inf").has_value());
  std::vector<std::string> expected = {
      "enabled:0", "messages",        "status:Backup:Beta...",  "messages", "messages",
      "enabled:0", "messages",        "status:Backup:Gamma...", "messages", "messages",
      "enabled:1", "status:Finished!"};
  EXPECT_EQ(window.events, expected);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Finished!");
  EXPECT_EQ(host.messages[0].caption, "Driver Keeper Test");
  EXPECT_EQ(host.messages[0].flags, platform::MbIconInformation);
}

TEST_F(BackupCommandTest, NoneCheckedOnlyAsks) {
  for (auto& row : list.rows) row.checked = false;
  window.status = "3 drivers found.";
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_TRUE(window.events.empty()) << "status and button untouched";
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "You have not selected any driver.");
  EXPECT_EQ(host.messages[0].flags, platform::MbIconQuestion);
  EXPECT_EQ(m.files.copies, 0u);
}

TEST_F(BackupCommandTest, EmptyListGoesStraightToFinished) {
  list.rows.clear();
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_EQ(window.events, (std::vector<std::string>{"enabled:1", "status:Finished!"}));
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Finished!");
}

TEST_F(BackupCommandTest, RecommendedAndAllPickTheirRows) {
  RunBackupCommand(list, window, TBackupPick::Recommended);
  EXPECT_TRUE(BackedUp("Alpha"));
  EXPECT_FALSE(BackedUp("Beta"));
  EXPECT_TRUE(BackedUp("Gamma"));
  RunBackupCommand(list, window, TBackupPick::All);
  EXPECT_TRUE(BackedUp("Beta"));
  for (auto& row : list.rows) row.action = "Microsoft";
  host.messages.clear();
  size_t copies = m.files.copies;
  RunBackupCommand(list, window, TBackupPick::Recommended);
  EXPECT_EQ(m.files.copies, copies);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Finished!");
}

TEST_F(BackupCommandTest, FailedCopiesEndInAWarningThatCountsThem) {
  m.files.AddFolder(kTree + "Gamma");
  m.files.SetReadOnly(kTree + "Gamma");
  RunBackupCommand(list, window, TBackupPick::All);
  EXPECT_TRUE(BackedUp("Alpha"));
  EXPECT_EQ(window.status, "Finished!");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].flags, platform::MbIconWarning);
  EXPECT_EQ(host.messages[0].text,
            "Finished, but 2 of 6 files could not be copied.\r\n\r\nDevices:\r\nGamma");
}

TEST_F(BackupCommandTest, WarningNamesTheFirstFiveDevices) {
  for (int i = 0; i < 4; ++i) AddRow("Extra" + std::to_string(i), "Recommended", true);
  m.files.AddFile("C:\\Work\\BackUp", "a file where the folder belongs");
  RunBackupCommand(list, window, TBackupPick::All);
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text,
            "Finished, but 14 of 14 files could not be copied.\r\n\r\nDevices:\r\nAlpha\r\n"
            "Beta\r\nGamma\r\nExtra0\r\nExtra1\r\nand 2 more\r\n\r\nCannot create folder "
            "\"BackUp\". Cannot create a file when that file already exists.");
}

// A standard user who runs the program from Program Files may not make its backup folder there
// (the manifest asks for no more than the rights the user has): the box says so in the system's
// words instead of a bare count.
TEST_F(BackupCommandTest, AFolderThatCannotBeMadeIsReportedWithTheSystemsReason) {
  m.files.SetReadOnly("C:\\Work");
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_EQ(m.files.copies, 0u);
  EXPECT_EQ(window.status, "Finished!");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].flags, platform::MbIconWarning);
  EXPECT_EQ(host.messages[0].text,
            "Finished, but 4 of 4 files could not be copied.\r\n\r\nDevices:\r\nBeta\r\nGamma\r\n"
            "\r\nCannot create folder \"BackUp\". Access is denied.");
}

TEST_F(BackupCommandTest, RowsChangedDuringTheRunDoNotChangeIt) {
  window.onMessages = [&] { list.rows.clear(); };
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_TRUE(BackedUp("Beta"));
  EXPECT_TRUE(BackedUp("Gamma"));
}

TEST_F(BackupCommandTest, NoSecondRunWhileOneIsGoing) {
  int nested = 0;
  window.onMessages = [&] {
    EXPECT_TRUE(BackupRunning());
    if (nested++ == 0) RunBackupCommand(list, window, TBackupPick::All);
  };
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_FALSE(BackedUp("Alpha")) << "the nested command did not run";
  EXPECT_EQ(host.messages.size(), 1u);
  EXPECT_FALSE(BackupRunning());
}

TEST_F(BackupCommandTest, StopRequestEndsAfterTheCurrentFileWithoutABox) {
  int pumped = 0;
  // Messages are processed before Beta, then before Beta's first file: the window closes there.
  window.onMessages = [&] {
    if (++pumped == 2) RequestBackupStop();
  };
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_FALSE(BackedUp("Beta"));
  EXPECT_FALSE(BackedUp("Gamma"));
  EXPECT_TRUE(window.enabled);
  EXPECT_TRUE(host.messages.empty());
  EXPECT_NE(window.status, "Finished!");
  EXPECT_FALSE(BackupStopRequested()) << "the next run starts afresh";
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_TRUE(BackedUp("Gamma"));
}

}  // namespace
