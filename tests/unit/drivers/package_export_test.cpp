// Export of driver packages: one package per INF, folder names that the file system keeps as
// given, and destinations that are refused (the Windows folder by any of its names, devices, an
// earlier package), on an in-memory machine.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageExport.h"
#include "app/drivers/untSearchDriver.h"
#include "platform/FileIdentityMemory.h"
#include "platform/FileNames.h"

namespace {

using testing_support::FakeMachine;

const std::string kClassGuid = "{4d36e978-e325-11ce-bfc1-08002be10318}";

std::string SimpleInf(const std::string& file) {
  return "[Version]\r\nClass=Ports\r\n[SourceDisksNames]\r\n1=%Disk%\r\n[SourceDisksFiles]\r\n" +
         file + "=1\r\n";
}

// Two vendors' drivers for devices of one description, one driver for two devices of different
// descriptions, Microsoft's driver under a description a vendor's also has, and drivers that
// name no INF.
struct TwinMachine : FakeMachine {
  platform::MemoryFileIdentity ids;
  platform::ScopedInstall<platform::FileIdentity> useIds{ids};

  TwinMachine() {
    registry.AddKey(testing_support::kClassKey + "\\" + kClassGuid);
    Add("0000", "Twin Device", "Vendor A", "oem51.inf");
    Add("0001", "Korvo Port", "Korvo Audio", "oem7.inf");
    Add("0002", "Twin Device", "Vendor B", "oem52.inf");
    Add("0003", "KORVO Port", "Korvo Audio", "OEM7.INF");  // the same INF, another device
    Add("0004", "Generic Port", "Microsoft", "msports.inf");
    Add("0005", "Generic Port", "Gantry Serial", "oem25.inf");
    Add("0006", "Twin Device", "Vendor A", "oem51.inf");  // a second device of the first twin
    Add("0007", "No INF", "Marlowe Systems", "");
    Add("0008", "No INF", "Marlowe Systems", "");
    Add("0009", "", "Vendor C", "oem60.inf");  // no description: never offered
    files.AddFile("C:\\Windows\\inf\\oem51.inf", SimpleInf("twina.sys"));
    files.AddFile("C:\\Windows\\system32\\drivers\\twina.sys", "vendor A's driver");
    files.AddFile("C:\\Windows\\inf\\oem52.inf", SimpleInf("twinb.sys"));
    files.AddFile("C:\\Windows\\system32\\drivers\\twinb.sys", "vendor B's driver");
    files.AddFile("C:\\Windows\\inf\\oem7.inf", SimpleInf("korvo.sys"));
    files.AddFile("C:\\Windows\\system32\\drivers\\korvo.sys", "korvo's driver");
    files.AddFolder("D:\\");
  }
  void Add(const std::string& instance, const std::string& desc, const std::string& provider,
           const std::string& inf) {
    std::string key = AddDriver(kClassGuid, instance, desc, provider).substr(1);
    if (!inf.empty()) registry.SetString(key, "InfPath", inf);
  }
};

std::string Instance(const TExportDriver& driver) {
  return driver.keyPath.substr(driver.keyPath.size() - 4);
}

std::vector<std::string> Rows(const std::vector<TExportDriver>& drivers) {
  std::vector<std::string> rows;
  for (const TExportDriver& d : drivers)
    rows.push_back(Instance(d) + " " + d.device + " | " + d.provider + " | " + d.inf);
  return rows;
}

TEST(ExportScanTest, OnePackagePerInfWhileTheListKeepsOneRowPerDescription) {
  TwinMachine m;
  EXPECT_EQ(
      Rows(ScanExportDrivers(smRecommended)),
      (std::vector<std::string>{
          "0000 Twin Device | Vendor A | oem51.inf", "0001 Korvo Port | Korvo Audio | oem7.inf",
          "0002 Twin Device | Vendor B | oem52.inf",
          "0005 Generic Port | Gantry Serial | oem25.inf", "0007 No INF | Marlowe Systems | "}));
  EXPECT_EQ(
      Rows(ScanExportDrivers(smAll)),
      (std::vector<std::string>{
          "0000 Twin Device | Vendor A | oem51.inf", "0001 Korvo Port | Korvo Audio | oem7.inf",
          "0002 Twin Device | Vendor B | oem52.inf", "0004 Generic Port | Microsoft | msports.inf",
          "0005 Generic Port | Gantry Serial | oem25.inf", "0007 No INF | Marlowe Systems | "}));
  EXPECT_EQ(ScanExportDrivers(0).size(), 0u);
  EXPECT_EQ(ScanExportDrivers(3).size(), 0u);

  // The main window's list is unchanged: one row per description.
  testing_support::FakeDriverList list;
  TDriverInventory inventory;
  SearchDriver(list, smRecommended, inventory);
  std::vector<std::string> captions;
  for (const auto& row : list.rows) captions.push_back(row.caption);
  EXPECT_EQ(captions, (std::vector<std::string>{"Twin Device", "Korvo Port", "KORVO Port",
                                                "Generic Port", "No INF"}));

  // The plug-in's rows: each package once, recommended first, alike captions told apart.
  std::vector<std::string> offered;
  for (const TOfferedDriver& row : OfferedDrivers())
    offered.push_back((row.recommended ? "[x] " : "[ ] ") + row.label + " @" +
                      Instance(row.driver));
  EXPECT_EQ(offered, (std::vector<std::string>{
                         "[x] Twin Device (Vendor A, oem51.inf) @0000",
                         "[x] Korvo Port @0001",
                         "[x] Twin Device (Vendor B, oem52.inf) @0002",
                         "[x] Generic Port (Gantry Serial, oem25.inf) @0005",
                         "[x] No INF @0007",
                         "[ ] Generic Port (Microsoft, msports.inf) @0004",
                     }));
}

TEST(ExportScanTest, TwinDevicesGiveTwoPackagesEachWithItsOwnInf) {
  TwinMachine m;
  std::vector<TExportDriver> drivers = ScanExportDrivers(smRecommended);
  drivers.resize(3);
  std::vector<std::string> lines;
  for (const TPackageReport& r : ExportPackages(drivers, "D:\\Pk"))
    lines.push_back(FormatReportLine(r));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "OK    Twin Device: exported 2 of 2 files (files)",
                       "OK    Korvo Port: exported 2 of 2 files (files)",
                       "OK    Twin Device (2): exported 2 of 2 files (files)",
                   }));
  EXPECT_EQ(m.files.Content("D:\\Pk\\Twin Device\\twina.sys"), "vendor A's driver");
  EXPECT_EQ(m.files.Content("D:\\Pk\\Twin Device (2)\\twinb.sys"), "vendor B's driver");
  EXPECT_EQ(m.files.Content("D:\\Pk\\Twin Device (2)\\twina.sys"), std::nullopt);
  std::string second = m.files.Content("D:\\Pk\\Twin Device (2)\\package.ini").value_or("");
  EXPECT_NE(second.find("Device=Twin Device\r\n"), std::string::npos) << second;
  EXPECT_NE(second.find("Provider=Vendor B\r\n"), std::string::npos) << second;
  EXPECT_NE(second.find("Inf=oem52.inf\r\n"), std::string::npos) << second;
}

TEST(PackageFolderTest, AwkwardDeviceNames) {
  TwinMachine m;
  const std::string a80(80, 'A');
  const std::pair<std::string, std::string> rows[] = {
      {"Korvo HD Audio", "Korvo HD Audio"},
      {"Dots...", "Dots"},
      {"Blanks   ", "Blanks"},
      {"Mixed. . .", "Mixed"},
      {"Inner.dots stay", "Inner.dots stay"},
      {"...", "Unnamed driver"},
      {" . . ", "Unnamed driver"},
      {"", "Unnamed driver"},
      {"???", "Unnamed driver"},
      {"NUL", "_NUL"},
      {"nul...", "_nul"},
      {"COM9", "_COM9"},
      {"COM9.port", "_COM9.port"},
      {"LPT1 .x", "_LPT1 .x"},
      {"COM\xB9", "_COM\xB9"},
      {"CONOUT$", "_CONOUT$"},
      {"COM10", "COM10"},
      {"Console", "Console"},
      {"Halden 5/6: \"PCL\" <A|B> *?\\", "Halden 56 PCL AB"},
      {"Tab\there\x01", "Tab here"},
      {a80, a80},
      {a80 + "B", a80},
      {std::string(79, 'A') + "\xC3\xA9", std::string(79, 'A')},
      {std::string(78, 'A') + " .xyz", std::string(78, 'A')},
  };
  for (const auto& [device, folder] : rows) EXPECT_EQ(PackageFolderBase(device), folder) << device;

  // The folder and the manifest come from that one name; names alike get numbers.
  std::vector<TExportDriver> drivers;
  for (const char* device : {"Dots...", "Dots", "NUL", "Korvo Port"})
    drivers.push_back({device, "\\" + testing_support::kClassKey + "\\" + kClassGuid + "\\0001"});
  m.files.AddFile("D:\\Pk\\Korvo Port", "a file where the folder would go");
  std::vector<std::string> names;
  for (const TPackageReport& r : ExportPackages(drivers, "D:\\Pk")) {
    names.push_back(r.package);
    EXPECT_TRUE(r.Succeeded()) << FormatReportLine(r);
    EXPECT_TRUE(m.files.Content("D:\\Pk\\" + r.package + "\\package.ini")) << r.package;
  }
  EXPECT_EQ(names, (std::vector<std::string>{"Dots", "Dots (2)", "_NUL", "Korvo Port (2)"}));
  EXPECT_EQ(m.files.Content("D:\\Pk\\Korvo Port"), "a file where the folder would go");
}

TEST(DeviceNameTest, NamesTheSystemOpensAsDevices) {
  const std::pair<const char*, bool> rows[] = {
      {"CON", true},       {"con", true},         {"PRN", true},         {"AUX", true},
      {"NUL", true},       {"NUL.txt", true},     {"NUL .sys", true},    {"nul..", true},
      {"NUL:", true},      {"CONIN$", true},      {"CONOUT$.log", true}, {"COM0", true},
      {"COM9", true},      {"LPT1", true},        {"lpt9.log", true},    {"COM\xB9", true},
      {"LPT\xB3.x", true}, {"COM\xC2\xB2", true}, {"CONSOLE", false},    {"NULL", false},
      {"COM", false},      {"COM10", false},      {"LPT", false},        {"COMA", false},
      {"xNUL", false},     {"AUX1", false},       {"COM\xB4", false},    {"COM\xC2\xB4", false},
      {"", false},         {"NUL x", false},      {"COM9x.sys", false},  {"CONIN", false},
  };
  for (const auto& [name, device] : rows)
    EXPECT_EQ(platform::IsReservedDeviceName(name), device) << name;
}

const char kWindows[] =
    "Packages are not written into the Windows folder: choose another destination.";
const char kBeside[] = ": export into the folder that holds the packages, or into another one.";

// A machine with other names for its Windows folder and a package in D:\Pk.
struct DestinationMachine : TwinMachine {
  DestinationMachine() {
    ids.AddLink("J:\\ToWindows", "C:\\Windows");
    ids.AddLink("J:\\ToSystem", "C:\\Windows\\system32");
    ids.AddLink("S:", "C:\\Windows");
    ids.AddLink("\\\\localhost\\C$", "C:\\");
    ids.AddLink("J:\\ToPackage", "D:\\Pk\\Korvo");
    ids.AddLink("J:\\Loop", "J:\\Loop2");
    ids.AddLink("J:\\Loop2", "J:\\Loop");
    files.AddFile("D:\\Pk\\Korvo\\package.ini", "[Package]\r\n");
    files.AddFolder("D:\\Pk\\Korvo\\sub");
  }
};

TEST(DestinationTest, TheWindowsFolderByAnyNameDevicesAndPackagesAreRefused) {
  DestinationMachine m;
  const std::pair<std::string, std::string> rows[] = {
      {"", "No destination folder was given."},
      {"C:\\WINDOWS\\System32\\pk", kWindows},
      {"..\\Windows", kWindows},  // C:\Work\..\Windows
      {"C:\\Windows", kWindows},
      {"\\\\?\\C:\\Windows\\Temp", kWindows},
      {"\\\\.\\C:\\windows\\pk", kWindows},
      {"\\??\\C:\\Windows", kWindows},
      {"//?/C:/Windows/pk", kWindows},
      {"C:\\WINDOWS\\.\\pk", kWindows},
      {"J:\\ToWindows\\pk", kWindows},          // a junction
      {"J:\\ToSystem\\new\\deeper", kWindows},  // one to a folder inside it
      {"S:\\pk", kWindows},                     // a substituted drive
      {"S:", kWindows},
      {"\\\\localhost\\C$\\Windows\\pk", kWindows},  // an administrative share
      {"\\\\?\\UNC\\LOCALHOST\\c$\\windows", kWindows},
      {"C:\\WindowsBackups", ""},
      {"C:\\", ""},
      {"\\\\localhost\\C$\\Work\\pk", ""},
      {"J:\\Loop\\pk", ""},
      {"D:\\Pk", ""},  // the folder that holds the packages
      {"\\\\.\\PhysicalDrive0",
       "The destination \\\\.\\PhysicalDrive0 is not a folder on a drive or a network share: "
       "choose another destination."},
      {"\\\\?\\Volume{5e1d}\\pk",
       "The destination \\\\?\\Volume{5e1d}\\pk is not a folder on a drive or a network share: "
       "choose another destination."},
      {"\\\\.\\D:\\pk\\NUL",
       "The destination \\\\.\\D:\\pk\\NUL names the device NUL, not a folder: choose another "
       "destination."},
      {"D:\\COM9\\pk",
       "The destination D:\\COM9\\pk names the device COM9, not a folder: choose another "
       "destination."},
      {"nul.txt",
       "The destination nul.txt names the device nul.txt, not a folder: choose another "
       "destination."},
      {"D:\\pk\\a:b",
       "The destination D:\\pk\\a:b holds a character folder names cannot have: choose another "
       "destination."},
      {"D:\\pk\\a\x01",
       "The destination D:\\pk\\a\x01 holds a character folder names cannot have: choose another "
       "destination."},
      {"D:\\Pk\\Korvo",
       std::string("D:\\Pk\\Korvo is a driver package (it holds package.ini)") + kBeside},
      {"\\\\.\\D:\\PK\\korvo\\",
       std::string("D:\\PK\\korvo is a driver package (it holds package.ini)") + kBeside},
      {"J:\\ToPackage",
       std::string("J:\\ToPackage is a driver package (it holds package.ini)") + kBeside},
      {"D:\\Pk\\Korvo\\sub\\new",
       std::string("D:\\Pk\\Korvo\\sub\\new lies inside the driver package D:\\Pk\\Korvo") +
           kBeside},
      {"J:\\ToPackage\\x",
       std::string("J:\\ToPackage\\x lies inside the driver package D:\\Pk\\Korvo") + kBeside},
  };
  for (const auto& [destination, refusal] : rows)
    EXPECT_EQ(UnsuitableDestination(destination), refusal) << destination;
}

TEST(DestinationTest, ExportsGoToTheNormalFormAndNeverIntoAPackage) {
  DestinationMachine m;
  const std::pair<std::string, std::string> rows[] = {
      {"\\\\.\\D:\\Out.", "D:\\Out"},
      {"\\\\?\\d:\\out\\sub\\..\\new", "d:\\out\\new"},
      {"\\\\?\\UNC\\server\\share\\pk", "\\\\server\\share\\pk"},
      {"pk", "C:\\Work\\pk"},
      {"\\\\.\\PhysicalDrive0", ""},
  };
  for (const auto& [destination, normal] : rows)
    EXPECT_EQ(NormalDestination(destination), normal) << destination;

  std::vector<TExportDriver> drivers = ScanExportDrivers(smRecommended);
  drivers.resize(2);
  auto reports = ExportPackages(drivers, "\\\\.\\D:\\Out.");
  ASSERT_EQ(reports.size(), 2u);
  EXPECT_EQ(reports[1].package, "Korvo Port");
  EXPECT_TRUE(m.files.Content("D:\\Out\\Korvo Port\\package.ini"));

  // Into a package: nothing is written, and the command line says why with exit code 2.
  reports = ExportPackages(drivers, "D:\\Pk\\Korvo\\sub");
  ASSERT_EQ(reports.size(), 1u);
  const std::string inside =
      "D:\\Pk\\Korvo\\sub lies inside the driver package D:\\Pk\\Korvo" + std::string(kBeside);
  EXPECT_EQ(FormatReportLine(reports[0]), "FAIL  D:\\Pk\\Korvo\\sub: not exported; " + inside);
  EXPECT_EQ(m.files.ListFolder("D:\\Pk\\Korvo\\sub\\", "*.*").size(), 0u);
  std::vector<std::string> lines;
  EXPECT_EQ(RunPackageCommand(ParsePackageCommand({"/export", "D:\\Pk\\Korvo\\sub", "/all"}),
                              [&](const std::string& line) { lines.push_back(line); }),
            kExitUsage);
  EXPECT_EQ(lines, std::vector<std::string>{inside});
}

}  // namespace
