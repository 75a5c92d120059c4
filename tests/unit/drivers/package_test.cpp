// Driver packages: hashing, the manifest and its reader's defences, and export, verify and
// restore on an in-memory machine.
#include <gtest/gtest.h>

#include "DriverFakes.h"
#include "PackageFakes.h"
#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageExport.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageRestore.h"
#include "app/drivers/PackageVerify.h"
#include "platform/DriverSetup.h"
#include "platform/Sha256.h"

namespace {

using testing_support::FakeMachine;
using testing_support::FakeSetup;

std::string Sha256Of(const std::string& text, size_t piece) {
  platform::Sha256 hash;
  for (size_t at = 0; at < text.size(); at += piece)
    hash.Update(text.data() + at, std::min(piece, text.size() - at));
  return platform::HexDigest(hash.Final());
}

TEST(Sha256Test, KnownVectorsInAnyPieces) {
  EXPECT_EQ(Sha256Of("", 1), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
  EXPECT_EQ(Sha256Of("abc", 1), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
  EXPECT_EQ(Sha256Of("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq", 7),
            "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1");
  EXPECT_EQ(Sha256Of(std::string(1000000, 'a'), 65537),
            "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0");
}

const std::string kHash(64, 'a');

TEST(ManifestTest, WritesAndReadsBack) {
  TPackageManifest m;
  m.device = "Korvo\r\nAudio";  // a line break in a registry value must not end the line
  m.inf = "oem7.inf";
  m.originalInf = "korvo.inf";
  m.source = "store";
  m.files = {{"korvo.inf", kHash, 12}, {"sub\\fw.bin", std::string(64, '0'), 1099511627776}};
  m.missing = {{"korvo.cat", "catalog not found"}};
  TManifestRead read = ParseManifest(FormatManifest(m));
  ASSERT_EQ(read.error, "");
  EXPECT_EQ(read.manifest.device, "Korvo  Audio");
  EXPECT_EQ(read.manifest.InstallInf(), "korvo.inf");
  ASSERT_EQ(read.manifest.files.size(), 2u);
  EXPECT_EQ(read.manifest.files[1].path, "sub\\fw.bin");
  EXPECT_EQ(read.manifest.files[1].size, 1099511627776u);
  ASSERT_EQ(read.manifest.missing.size(), 1u);
  EXPECT_EQ(read.manifest.missing[0].reason, "catalog not found");
}

// Each line, put into [Files] of an otherwise sound manifest, must make the reader refuse it.
TEST(ManifestTest, RefusesDamagedOrUnsafeEntries) {
  const char* const kBad[] = {"a.sys=ABCDEF" /* upper case, short */,
                              "a.sys=zz",
                              "a.sys=aaaa,1" /* short hash */,
                              "a.sys=HASH",  // no size
                              "a.sys=HASH,-1",
                              "a.sys=HASH,+1",
                              "a.sys=HASH,1e3",
                              "a.sys=HASH,1099511627777",
                              "a.sys=HASH,99999999999999999999",
                              "..\\evil.sys=HASH,1",
                              "sub\\..\\..\\x=HASH,1",
                              "C:\\Windows\\x.sys=HASH,1",
                              "\\x.sys=HASH,1",
                              "\\\\server\\x=HASH,1",
                              "sub/x=HASH,1",
                              "CON=HASH,1",
                              "nul.txt=HASH,1",
                              "com1.sys=HASH,1",
                              "a<b=HASH,1",
                              "a|b=HASH,1",
                              "trailing.=HASH,1",
                              "sub\\\\x=HASH,1",
                              "a\tb=HASH,1",
                              "a.sys=HASH,1\r\nA.SYS=HASH,2" /* twice, other case */,
                              "x.inf=HASH,1\r\ny.sys=HASH,2\r\nX.INF=HASH,3"};
  for (std::string line : kBad) {
    for (size_t at; (at = line.find("HASH")) != std::string::npos;) line.replace(at, 4, kHash);
    std::string text = "[Package]\r\nInf=oem1.inf\r\n[Files]\r\n" + line + "\r\n";
    EXPECT_NE(ParseManifest(text).error, "") << line;
  }
  EXPECT_NE(ParseManifest("[Files]\r\n").error, "");
  EXPECT_NE(ParseManifest("[Package]\r\nInf=..\\x.inf\r\n[Files]\r\n").error, "");
  EXPECT_NE(
      ParseManifest("[Package]\r\nInf=oem1.inf\r\nOriginalInf=sub\\a.inf\r\n[Files]\r\n").error,
      "");
  EXPECT_NE(ParseManifest(std::string(kManifestMaxBytes + 1, ';')).error, "");
  EXPECT_EQ(UnsafeRelativePath("sub\\dir\\fw.bin"), "");
  EXPECT_EQ(UnsafeRelativePath("console.sys"), "");  // only the device names themselves
}

const std::string kClassGuid = "{4d36e96c-e325-11ce-bfc1-08002be10318}";
const std::string kCat = "C:\\Windows\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\";
const std::string kStore = "C:\\Windows\\system32\\DriverStore\\FileRepository\\nx.inf_amd64_1\\";

std::string Inf(const std::string& catalog, const std::string& files) {
  return "[Version]\r\nClass=MEDIA\r\n" + catalog +
         "\r\n[SourceDisksNames]\r\n1=%Disk%\r\n[SourceDisksFiles]\r\n" + files +
         "\r\n[Manufacturer]\r\n%V%=Models,NTamd64\r\n[Models.NTamd64]\r\n"
         "%D%=Install, PCI\\VEN_1234&DEV_0001, PCI\\CC_0401\r\n";
}

struct PackageMachine : FakeMachine {
  FakeSetup setup{files};
  platform::ScopedInstall<platform::DriverSetup> useSetup{setup};
  std::vector<TExportDriver> drivers;

  PackageMachine() {
    registry.AddKey(testing_support::kClassKey + "\\" + kClassGuid);
    registry.SetString(testing_support::kClassKey + "\\" + kClassGuid, "", "Sound");
    // Files listed by the INF, with its catalog in the system's catalog store.
    Add("0000", "Korvo HD Audio", "oem7.inf");
    files.AddFile("C:\\Windows\\inf\\oem7.inf",
                  Inf("CatalogFile=korvo.cat", "korvo.sys=1\r\nkorvo.dll=1\r\nabsent.sys=1"));
    files.AddFile("C:\\Windows\\system32\\drivers\\KORVO.SYS", "driver bytes");
    files.AddFile("C:\\Windows\\system32\\korvo.dll", "library bytes");
    files.AddFile(kCat + "oem7.cat", "catalog bytes");
    // A package in the driver store, found by its INF's bytes.
    Add("0001", "Sorrel NX2", "oem30.inf");
    std::string storeInf = Inf("CatalogFile.NTamd64=sorrel.cat", "nx.sys=1");
    files.AddFile("C:\\Windows\\inf\\oem30.inf", storeInf);
    files.AddFile(kStore + "nx.inf", storeInf);
    files.AddFile(kStore + "sorrel.cat", "store catalog");
    files.AddFile(kStore + "nx.sys", "store driver");
    files.AddFile(kStore + "firmware\\fw.bin", "firmware");
    // Its catalog is named but not in the store of catalogs.
    Add("0002", "Marlowe/Hub", "oem21.inf");
    files.AddFile("C:\\Windows\\inf\\oem21.inf", Inf("CatalogFile=marlowe.cat", ""));
    // Its INF is gone: nothing to export.
    Add("0003", "Gone Device", "oem13.inf");
  }
  void Add(const std::string& instance, const std::string& desc, const std::string& inf) {
    std::string key = AddDriver(kClassGuid, instance, desc, "Vendor");
    registry.SetString(key.substr(1), "InfPath", inf);
    drivers.push_back({desc, key});
  }
  std::string Manifest(const std::string& package) {
    return files.Content("D:\\Pk\\" + package + "\\package.ini").value_or("");
  }
};

std::vector<std::string> Lines(const std::vector<TPackageReport>& reports) {
  std::vector<std::string> lines;
  for (const TPackageReport& r : reports) lines.push_back(FormatReportLine(r));
  return lines;
}

TEST(PackageFlowTest, ExportVerifyTamperAndRestore) {
  PackageMachine m;
  m.files.AddFolder("D:\\");
  auto exported = ExportPackages(m.drivers, "D:\\Pk");
  ASSERT_EQ(exported.size(), 4u);
  EXPECT_EQ(PackageExitCode(exported), kExitFailed);
  auto lines = Lines(exported);
  EXPECT_EQ(lines[0],
            "FAIL  Korvo HD Audio: exported 4 of 5 files (files); absent.sys not found "
            "on this system");
  EXPECT_EQ(lines[1], "OK    Sorrel NX2: exported 4 of 4 files (store)");
  EXPECT_EQ(lines[2],
            "FAIL  MarloweHub: exported 1 of 2 files (files); marlowe.cat catalog not "
            "found in the system's catalog store (oem21.cat)");
  EXPECT_EQ(lines[3],
            "FAIL  Gone Device: not exported; its INF file oem13.inf is not on this system");
  EXPECT_FALSE(m.files.DirectoryExists("D:\\Pk\\Gone Device"));
  // The package carries the catalog under the name the INF gives it, and the driver's identity.
  EXPECT_EQ(m.files.Content("D:\\Pk\\Korvo HD Audio\\korvo.cat"), "catalog bytes");
  EXPECT_EQ(m.files.Content("D:\\Pk\\Korvo HD Audio\\KORVO.SYS"), "driver bytes");
  std::string korvo = m.Manifest("Korvo HD Audio");
  EXPECT_NE(korvo.find("Class=Sound\r\nClassGuid=" + kClassGuid + "\r\n"), std::string::npos);
  EXPECT_NE(korvo.find("Source=files"), std::string::npos);
  EXPECT_NE(korvo.find("KORVO.SYS=" + Sha256Of("driver bytes", 5) + ",12\r\n"), std::string::npos);
  std::string sorrel = m.Manifest("Sorrel NX2");
  EXPECT_NE(sorrel.find("Inf=oem30.inf\r\nOriginalInf=nx.inf\r\nSource=store"), std::string::npos);
  EXPECT_NE(sorrel.find("firmware\\fw.bin="), std::string::npos);

  // Intact packages verify; one the export left incomplete fails, naming what it lacks.
  auto verified = VerifyPackages("D:\\Pk");
  EXPECT_EQ(PackageExitCode(verified), kExitFailed);
  EXPECT_EQ(Lines(verified)[1], "OK    Sorrel NX2: verified 4 files");
  EXPECT_EQ(Lines(verified)[2],
            "FAIL  MarloweHub: checked 1 file; incomplete, not exported: "
            "marlowe.cat; marlowe.cat is named by the INF but not in the package");

  // One changed byte, one extra file, one listed file gone: each named.
  m.files.AddFile("D:\\Pk\\Sorrel NX2\\firmware\\fw.bin", "firmwarE");
  m.files.AddFile("D:\\Pk\\Sorrel NX2\\notes.txt", "mine");
  m.files.AddFile("D:\\Pk\\Korvo HD Audio\\package.ini",
                  korvo + "[Files]\r\nextra.dll=" + kHash + ",1\r\n");
  verified = VerifyPackages("D:\\Pk");
  EXPECT_EQ(PackageExitCode(verified), kExitFailed);
  EXPECT_EQ(Lines(verified)[1],
            "FAIL  Sorrel NX2: checked 4 files; firmware\\fw.bin has changed; "
            "notes.txt is extra");

  // Restore: the incomplete package and the changed one are skipped; forced, both are installed
  // (the store package from its INF's own name) and still fail.
  auto restored = RestorePackages("D:\\Pk", false);
  lines = Lines(restored);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0],
            "FAIL  Korvo HD Audio: skipped: it failed verification; incomplete, not exported: "
            "absent.sys");
  EXPECT_EQ(lines[1],
            "FAIL  Sorrel NX2: skipped: it failed verification; firmware\\fw.bin has "
            "changed; notes.txt is extra");
  EXPECT_TRUE(m.setup.installed.empty());
  restored = RestorePackages("D:\\Pk", true);
  lines = Lines(restored);
  EXPECT_EQ(lines[0],
            "FAIL  Korvo HD Audio: installed as oem100.inf although it failed verification; device "
            "PCI\\VEN_1234&DEV_0001 updated; incomplete, not exported: absent.sys");
  EXPECT_EQ(lines[1],
            "FAIL  Sorrel NX2: installed as oem101.inf although it failed verification; device "
            "PCI\\VEN_1234&DEV_0001 updated; firmware\\fw.bin has changed; notes.txt is extra");
  EXPECT_EQ(m.setup.installed.back(), m.files.Content(kStore + "nx.inf"));
}

TEST(PackageFlowTest, RefusedUnwritableAndCancelled) {
  PackageMachine m;
  EXPECT_NE(UnsuitableDestination("C:\\WINDOWS\\System32\\pk"), "");
  EXPECT_NE(UnsuitableDestination("..\\Windows"), "");  // C:\Work\..\Windows
  EXPECT_NE(UnsuitableDestination("\\\\?\\C:\\Windows\\Temp"), "");
  EXPECT_EQ(UnsuitableDestination("C:\\WindowsBackups"), "");

  // A destination that cannot be written: every package fails with its reason.
  m.files.AddFolder("E:\\Locked");
  m.files.SetReadOnly("E:\\Locked");
  auto exported = ExportPackages({m.drivers[0]}, "E:\\Locked");
  EXPECT_EQ(PackageExitCode(exported), kExitFailed);
  EXPECT_EQ(
      Lines(exported)[0],
      "FAIL  Korvo HD Audio: not exported; the folder could not be created: Access is denied.");

  // Cancelled after the first file: the manifest lists that file and says what is missing.
  m.files.AddFolder("D:\\");
  TPackageProgress progress;
  std::vector<std::string> seen;
  progress.onFile = [&](const std::string&, const std::string& file) { seen.push_back(file); };
  progress.cancelled = [&] { return !seen.empty(); };
  exported = ExportPackages(m.drivers, "D:\\Pk", progress);
  ASSERT_EQ(exported.size(), 1u);
  std::string manifest = m.Manifest("Korvo HD Audio");
  EXPECT_NE(manifest.find("[Files]\r\noem7.inf="), std::string::npos);
  EXPECT_NE(manifest.find("korvo.cat=not copied: the export was cancelled"), std::string::npos);
  EXPECT_EQ(Lines(VerifyPackages("D:\\Pk"))[0],
            "FAIL  Korvo HD Audio: checked 1 file; incomplete, not exported: absent.sys KORVO.SYS "
            "korvo.dll korvo.cat; korvo.cat is named by the INF but not in the package");
  // Exporting again never writes into the earlier package: it stays as it was.
  exported = ExportPackages({m.drivers[0]}, "D:\\Pk");
  EXPECT_EQ(exported[0].package, "Korvo HD Audio (2)");
  EXPECT_EQ(m.Manifest("Korvo HD Audio"), manifest);

  // The command line has nobody to answer the system's questions: installing never waits.
  RunPackageCommand(ParsePackageCommand({"/restore", "D:\\Pk"}), [](const std::string&) {});
  EXPECT_FALSE(m.setup.promptsAllowed);

  // Restoring needs a process that may install drivers.
  m.setup.refusal = "no rights";
  EXPECT_EQ(
      RunPackageCommand(ParsePackageCommand({"/restore", "D:\\Pk"}), [](const std::string&) {}),
      kExitUsage);
}

TEST(PackageFlowTest, LinksAreNeitherWalkedIntoNorReadThrough) {
  PackageMachine m;
  m.files.AddFolder("D:\\");
  ExportPackages({m.drivers[1]}, "D:\\Pk");
  // A junction that loops back, and a listed folder replaced by one.
  m.files.AddFile("D:\\Pk\\Sorrel NX2\\loop\\deep.sys", "x");
  m.files.SetLink("D:\\Pk\\Sorrel NX2\\loop");
  m.files.SetLink("D:\\Pk\\Sorrel NX2\\firmware");
  EXPECT_EQ(Lines(VerifyPackages("D:\\Pk"))[0],
            "FAIL  Sorrel NX2: checked 4 files; firmware\\fw.bin is missing; firmware is extra; "
            "loop is extra");
}

TEST(PackageFlowTest, RestoreSaysWhatBecameOfTheDevices) {
  PackageMachine m;
  m.files.AddFolder("D:\\");
  ExportPackages({m.drivers[1]}, "D:\\Pk");
  using U = platform::TDeviceUpdate;
  const std::string installed = "Sorrel NX2: installed as oem100.inf";
  const std::string device = "; device PCI\\VEN_1234&DEV_0001 ";
  const std::pair<U, std::string> rows[] = {
      {{U::Kept, false, {}}, "OK    " + installed + device + "kept its better driver"},
      {{U::Updated, true, {}},
       "OK    " + installed + device + "updated; restart Windows to finish"},
      {{U::Gone, false, {}}, "OK    " + installed},
      {{U::Failed, false, "Access is denied."},
       "FAIL  " + installed + device + "was not updated: Access is denied."},
  };
  for (const auto& [answer, line] : rows) {
    m.setup.installed.clear();
    m.setup.updates = {answer};
    EXPECT_EQ(Lines(RestorePackages("D:\\Pk", false))[0], line);
  }
}

TEST(PackageFlowTest, ModelsAreReadFromUtf16AndUtf8Infs) {
  const std::string inf =
      "[Manufacturer]\r\n%M%=Models,NTamd64\r\n[Models.NTamd64]\r\n%D%=Install, "
      "PCI\\VEN_1234&DEV_0002\r\n";
  std::string utf16 = "\xFF\xFE";
  for (char c : inf) utf16 += std::string{c, '\0'};
  const std::vector<std::string> ids{"PCI\\VEN_1234&DEV_0002"};
  EXPECT_EQ(InfModelIds(utf16), ids);
  EXPECT_EQ(InfModelIds("\xEF\xBB\xBF" + inf), ids);
}

TEST(PackageCommandTest, ParsingAndExitCodes) {
  struct Case {
    std::vector<std::string> args;
    TPackageCommandKind kind;
    std::string folder;
    bool all, force, usable;
  };
  const Case kCases[] = {
      {{}, TPackageCommandKind::None, "", false, false, true},
      {{"/skin", "Night Ember"}, TPackageCommandKind::None, "", false, false, true},
      {{"/EXPORT", "C:\\pk", "/All"}, TPackageCommandKind::Export, "C:\\pk", true, false, true},
      {{"/restore", "D:\\x y", "/force"},
       TPackageCommandKind::Restore,
       "D:\\x y",
       false,
       true,
       true},
      {{"/verify", "pk"}, TPackageCommandKind::Verify, "pk", false, false, true},
      {{"/?"}, TPackageCommandKind::Help, "", false, false, true},
      {{"/verify"}, TPackageCommandKind::Verify, "", false, false, false},
      {{"/verify", "/all"}, TPackageCommandKind::Verify, "", false, false, false},
      {{"/export", "a", "/force"}, TPackageCommandKind::Export, "a", false, false, false},
      {{"/export", "a", "/verify", "b"}, TPackageCommandKind::Export, "a", false, false, false},
      {{"/restore", "a", "extra"}, TPackageCommandKind::Restore, "a", false, false, false},
  };
  for (const Case& c : kCases) {
    TPackageCommand command = ParsePackageCommand(c.args);
    std::string where = testing::PrintToString(c.args);
    EXPECT_EQ(command.kind, c.kind) << where;
    EXPECT_EQ(command.folder, c.folder) << where;
    EXPECT_EQ(command.all, c.all) << where;
    EXPECT_EQ(command.force, c.force) << where;
    EXPECT_EQ(command.error.empty(), c.usable) << where;
    if (!c.usable) {
      EXPECT_EQ(RunPackageCommand(command, [](const std::string&) {}), kExitUsage) << where;
    }
  }
  FakeMachine machine;
  EXPECT_EQ(RunPackageCommand(ParsePackageCommand({"/?"}), [](const std::string&) {}),
            kExitSuccess);
  // Nothing to verify is nothing to do.
  EXPECT_EQ(
      RunPackageCommand(ParsePackageCommand({"/verify", "C:\\Work"}), [](const std::string&) {}),
      kExitUsage);
  EXPECT_EQ(RunPackageCommand(ParsePackageCommand({"/export", "C:\\Windows\\pk"}),
                              [](const std::string&) {}),
            kExitUsage);
}

}  // namespace
