// Export destinations and package folders against the real file system: the Windows folder by
// its other names (device paths, a junction, a substituted drive, an administrative share),
// device names, earlier packages, and folders for awkward device names.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WinMachine.h"
#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageExport.h"
#include "app/drivers/PackageVerify.h"
#include "platform/FileIdentity.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

namespace {

using testing_support::MakeJunction;
using testing_support::WriteFileText;

const char kWindowsRefusal[] =
    "Packages are not written into the Windows folder: choose another destination.";

std::string WindowsDir() {
  char dir[MAX_PATH];
  return std::string(dir, GetWindowsDirectoryA(dir, sizeof dir));
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
  return text;
}

// The entries of a folder, sorted.
std::vector<std::string> Listing(const std::string& folder) {
  std::vector<std::string> names = platform::FileSystem::Current().ListFolder(folder + "\\", "*.*");
  std::sort(names.begin(), names.end());
  return names;
}

struct ExportWinTest : ::testing::Test {
  std::string work;
  std::string stem = testing_support::Unique("dkx");
  testing_support::TempRegKey key{"SOFTWARE\\DriverKeeperTest-" + stem};
  std::string inf = WindowsDir() + "\\inf\\" + stem + ".inf";

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    work = std::string(temp) + testing_support::Unique("dk-export-");
    CreateDirectoryA(work.c_str(), nullptr);
    // A driver whose package is its INF alone.
    key.SetString("", "InfPath", stem + ".inf");
    WriteFileText(inf, "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Ports\r\n");
  }
  void TearDown() override {
    DeleteFileA(inf.c_str());
    testing_support::RemoveTree(work);
  }
  TExportDriver Driver(const std::string& device) const { return {device, "\\" + key.path()}; }
};

TEST_F(ExportWinTest, TheWindowsFolderIsKnownByItsIdentity) {
  platform::FileIdentity& ids = platform::FileIdentity::Current();
  std::string windows = WindowsDir();
  auto id = ids.IdOf(windows);
  ASSERT_TRUE(id);
  EXPECT_EQ(ids.IdOf("\\\\?\\" + windows), id);
  EXPECT_EQ(ids.IdOf("\\\\.\\" + Upper(windows)), id);
  EXPECT_NE(ids.IdOf(work), id);
  EXPECT_EQ(ids.IdOf(work + "\\absent"), std::nullopt);
  EXPECT_EQ(Upper(ids.FinalPath("\\\\.\\" + windows + "\\system32")),
            Upper(windows + "\\system32"));
  EXPECT_EQ(ids.FinalPath(work + "\\absent"), "");
  EXPECT_TRUE(platform::NamesDevice("COM9"));
  EXPECT_FALSE(platform::NamesDevice("COM10"));

  for (const std::string& destination :
       {windows + "\\pk", "\\\\?\\" + windows + "\\pk", "\\\\.\\" + windows + "\\pk",
        Upper(windows) + "\\.\\pk", "\\\\?\\" + windows + "\\system32\\new\\deeper"})
    EXPECT_EQ(UnsuitableDestination(destination), kWindowsRefusal) << destination;
  EXPECT_EQ(UnsuitableDestination(work + "\\pk"), "");
}

TEST_F(ExportWinTest, AJunctionToTheWindowsFolderIsRefused) {
  std::string link = work + "\\ToWindows";
  if (!MakeJunction(link, WindowsDir())) GTEST_SKIP() << "this file system makes no junctions";
  EXPECT_EQ(UnsuitableDestination(link + "\\pk"), kWindowsRefusal);
}

TEST_F(ExportWinTest, ASubstitutedDriveOfTheWindowsFolderIsRefused) {
  const char drive[] = "Q:";
  if (!DefineDosDeviceA(0, drive, WindowsDir().c_str()))
    GTEST_SKIP() << "no drive can be defined here";
  bool reached = platform::FileIdentity::Current().IdOf("Q:\\").has_value();
  std::string refusal = UnsuitableDestination("Q:\\pk");
  DefineDosDeviceA(DDD_REMOVE_DEFINITION | DDD_EXACT_MATCH_ON_REMOVE, drive, WindowsDir().c_str());
  if (!reached) GTEST_SKIP() << "the defined drive leads nowhere here";
  EXPECT_EQ(refusal, kWindowsRefusal);
}

// Wine's own other name of every folder: its drive for the whole Unix file system.
TEST_F(ExportWinTest, TheWindowsFolderReachedThroughAnotherDriveIsRefused) {
  using TUnixName = char*(CDECL*)(const WCHAR*);
  auto unixName = reinterpret_cast<TUnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
  if (!unixName) GTEST_SKIP() << "no other drive leads to the Windows folder here";
  std::string windows = WindowsDir();
  char* name = unixName(std::wstring(windows.begin(), windows.end()).c_str());
  std::string alias = std::string("Z:") + name;
  HeapFree(GetProcessHeap(), 0, name);
  std::replace(alias.begin(), alias.end(), '/', '\\');
  // The prefix's link for drive C: leads to its folder drive_c.
  if (size_t link = alias.find("\\dosdevices\\c:\\"); link != std::string::npos)
    alias.replace(link, 15, "\\drive_c\\");
  if (!platform::FileIdentity::Current().IdOf(alias)) GTEST_SKIP() << "no drive reaches " << alias;
  EXPECT_EQ(UnsuitableDestination(alias + "\\pk"), kWindowsRefusal) << alias;
}

TEST_F(ExportWinTest, AnAdministrativeShareOfTheWindowsFolderIsRefused) {
  std::string windows = WindowsDir();
  std::string share = "\\\\localhost\\" + windows.substr(0, 1) + "$" + windows.substr(2);
  if (!platform::FileIdentity::Current().IdOf(share)) GTEST_SKIP() << "no share reaches " << share;
  EXPECT_EQ(UnsuitableDestination(share + "\\pk"), kWindowsRefusal);
}

TEST_F(ExportWinTest, DevicesAndEarlierPackagesAreRefusedFromTheCommandLine) {
  EXPECT_EQ(UnsuitableDestination("\\\\.\\" + work + "\\NUL"),
            "The destination \\\\.\\" + work +
                "\\NUL names the device NUL, not a folder: choose another destination.");
  EXPECT_EQ(UnsuitableDestination(work + "\\COM9\\pk"),
            "The destination " + work +
                "\\COM9\\pk names the device COM9, not a folder: choose another destination.");
  ASSERT_TRUE(ExportPackages({Driver("Korvo")}, work)[0].Succeeded());
  std::vector<std::string> lines;
  EXPECT_EQ(RunPackageCommand(ParsePackageCommand({"/export", work + "\\Korvo\\"}),
                              [&](const std::string& line) { lines.push_back(line); }),
            kExitUsage);
  EXPECT_EQ(lines, std::vector<std::string>{work + "\\Korvo is a driver package (it holds "
                                                   "package.ini): export into the folder that "
                                                   "holds the packages, or into another one."});
  EXPECT_EQ(Listing(work + "\\Korvo"), (std::vector<std::string>{stem + ".inf", "package.ini"}));
}

// Each package lands in a folder of the name its report gives, with its manifest inside.
TEST_F(ExportWinTest, AwkwardDeviceNamesMakeFoldersThatHoldTheirManifests) {
  std::vector<TExportDriver> drivers;
  for (const char* device : {"Dots...", "Blanks  ", "NUL", "com9", "Gantry: COM3/COM4"})
    drivers.push_back(Driver(device));
  std::string out = "\\\\.\\" + work + "\\out";
  std::vector<std::string> packages;
  for (const TPackageReport& report : ExportPackages(drivers, out)) {
    packages.push_back(report.package);
    EXPECT_EQ(FormatReportLine(report),
              "OK    " + report.package + ": exported 1 of 1 file (files)");
  }
  std::sort(packages.begin(), packages.end());
  EXPECT_EQ(packages,
            (std::vector<std::string>{"Blanks", "Dots", "Gantry COM3COM4", "_NUL", "_com9"}));
  EXPECT_EQ(Listing(work + "\\out"), packages);
  for (const TPackageReport& report : VerifyPackages(work + "\\out"))
    EXPECT_TRUE(report.Succeeded()) << FormatReportLine(report);
}

}  // namespace
