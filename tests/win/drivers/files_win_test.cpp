// File resolution, details and backup against real INF files, folders and copies.
#include <gtest/gtest.h>
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include "DriverFakes.h"
#include "WinMachine.h"
#include "app/drivers/untBackUpDriver.h"
#include "app/drivers/untLoadInfo.h"
#include "platform/Win32Error.h"
#include "support/FakeHost.h"

namespace {

using testing_support::ReadFileText;
using testing_support::TempRegKey;
using testing_support::WriteFileText;

std::string WindowsDir() {
  char dir[MAX_PATH];
  return std::string(dir, GetWindowsDirectoryA(dir, sizeof dir));
}

std::string SystemDir() {
  char dir[MAX_PATH];
  return std::string(dir, GetSystemDirectoryA(dir, sizeof dir));
}

// A driver installed for real: its key, its INF in the inf folder, and its files in their
// folders under lower-case names. Everything is removed again at the end.
struct InstalledDriver {
  std::string stem = testing_support::Unique("dkt");
  TempRegKey key{"SOFTWARE\\DriverKeeperTest-" + stem};
  std::string inf = WindowsDir() + "\\inf\\" + stem + ".inf";
  std::string sys = SystemDir() + "\\drivers\\" + stem + ".sys";
  std::string dll = SystemDir() + "\\" + stem + "ui.dll";

  InstalledDriver() {
    key.SetString("", "DriverDesc", "Acme: Card");
    key.SetString("", "InfPath", stem + ".inf");
    WriteFileText(sys, "driver");
    WriteFileText(dll, "library");
    std::string upper = stem;
    for (char& c : upper) c = static_cast<char>(toupper(c));
    WriteFileText(inf,
                  "[Version]\r\nsignature=\"$Windows NT$\"\r\ncatalogfile=acme.cat\r\n"
                  "[SourceDisksFiles]\r\n" +
                      upper + ".SYS=1\r\nnot-installed.sys=1\r\n" + upper +
                      "UI.DLL = 1,,\r\n[SourceDisksFiles.amd64]\r\nextra.sys=1\r\n");
  }
  ~InstalledDriver() {
    DeleteFileA(inf.c_str());
    DeleteFileA(sys.c_str());
    DeleteFileA(dll.c_str());
  }
  std::string KeyPath() const { return "\\" + key.path(); }
};

TEST(DriverFilesWinTest, ResolvesInstalledFilesInTheirOwnCase) {
  InstalledDriver driver;
  EXPECT_EQ(GetInfFileName(driver.KeyPath()), driver.inf);
  EXPECT_EQ(GetDriverFiles(driver.KeyPath()),
            (std::vector<std::string>{driver.sys, driver.dll, driver.inf}));
}

TEST(DriverFilesWinTest, DetailsReadTheRealInf) {
  InstalledDriver driver;
  testing_support::FakeLabel l1, l2, l3, l4, l5, l6;
  std::string inf = LoadDriverInfo(driver.KeyPath(), l1, l2, l3, l4);
  EXPECT_EQ(inf, driver.stem + ".inf");
  EXPECT_EQ(l1.caption, "Device:  Acme: Card");
  LoadInfInfo(inf, l5, l6);
  EXPECT_EQ(l5.caption, "Digital Signature: acme.cat");
  EXPECT_EQ(l6.caption, "Driver File: 4 File(s)");
  LoadInfInfo("", l5, l6);
  EXPECT_EQ(l5.caption, "Digital Signature: No Signature");
  EXPECT_EQ(l6.caption, "Driver File: 1 File(s)");
}

// Runs in a fresh temporary current folder, restored afterwards.
struct BackupWinTest : ::testing::Test {
  char previous[MAX_PATH];
  std::string work;
  testing_support::FakeHost host;

  void SetUp() override {
    GetCurrentDirectoryA(sizeof previous, previous);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    work = std::string(temp) + testing_support::Unique("dk-backup-");
    CreateDirectoryA(work.c_str(), nullptr);
    SetCurrentDirectoryA(work.c_str());
  }
  void TearDown() override {
    SetCurrentDirectoryA(previous);
    testing_support::RemoveTree(work);
  }
};

TEST_F(BackupWinTest, CopiesIntoTheTreeAndOverwrites) {
  InstalledDriver driver;
  testing_support::FakeDriverList list;
  list.rows.push_back({"Acme: Card", "", "Recommended", driver.KeyPath(), true});
  testing_support::FakeBackupWindow window;
  RunBackupCommand(list, window, TBackupPick::Checked);
  std::string folder = work + "\\BackUp\\Drivers\\Acme Card\\";
  EXPECT_EQ(ReadFileText(folder + driver.stem + ".sys"), "driver");
  EXPECT_EQ(ReadFileText(folder + driver.stem + "ui.dll"), "library");
  EXPECT_NE(ReadFileText(folder + driver.stem + ".inf"), "<missing>");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "Finished!");

  WriteFileText(driver.sys, "driver v2");
  RunBackupCommand(list, window, TBackupPick::Checked);
  EXPECT_EQ(ReadFileText(folder + driver.stem + ".sys"), "driver v2");
}

// A destination that cannot be written: a file held open by another program (a read-only file
// would do on Windows, but Wine running as root overwrites those), and a folder in the place of
// a file.
TEST_F(BackupWinTest, UnwritableDestinationsAreReportedNotHidden) {
  InstalledDriver driver;
  std::string folder = work + "\\BackUp\\Drivers\\Acme Card\\";
  SHCreateDirectoryExA(nullptr, folder.c_str(), nullptr);
  std::string locked = folder + driver.stem + ".sys";
  WriteFileText(locked, "old");
  HANDLE held = CreateFileA(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  CreateDirectoryA((folder + driver.stem + ".inf").c_str(), nullptr);
  testing_support::FakeDriverList list;
  list.rows.push_back({"Acme: Card", "", "Recommended", driver.KeyPath(), false});
  testing_support::FakeBackupWindow window;
  RunBackupCommand(list, window, TBackupPick::All);
  CloseHandle(held);
  EXPECT_EQ(ReadFileText(locked), "old");
  EXPECT_EQ(ReadFileText(folder + driver.stem + "ui.dll"), "library") << "the rest is copied";
  EXPECT_EQ(window.status, "Finished!");
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].flags, platform::MbIconWarning);
  EXPECT_EQ(host.messages[0].text,
            "Finished, but 2 of 3 files could not be copied.\r\n\r\nDevices:\r\nAcme: Card");
}

TEST_F(BackupWinTest, FolderThatCannotBeCreatedSkipsTheDriver) {
  InstalledDriver driver;
  WriteFileText(work + "\\BackUp", "a file where the folder belongs");
  TDriverBackup done = BackUpDriver("Acme", GetDriverFiles(driver.KeyPath()));
  EXPECT_FALSE(done.foldersReady);
  EXPECT_EQ(done.failed, 3u);
  EXPECT_EQ(done.folderError, "Cannot create folder \"BackUp\". " +
                                  platform::SystemErrorMessage(ERROR_ALREADY_EXISTS));
}

}  // namespace
