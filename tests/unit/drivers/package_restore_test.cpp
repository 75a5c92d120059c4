// Restore installs only what was verified: the installer reads a staged copy that another process
// cannot change, an INF that names files outside its package or missing from it is refused, and
// every line and exit code says what really happened.
#include <gtest/gtest.h>

#include <stdexcept>

#include "DriverFakes.h"
#include "PackageFakes.h"
#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageExport.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageRestore.h"
#include "app/drivers/PackageStage.h"
#include "platform/Sha256.h"

namespace {

using Strings = std::vector<std::string>;

const std::string kPackage = "D:\\Pk\\Tarn Net";
const std::string kStage = "C:\\Temp\\Driver Keeper\\stage-1";

// A network driver's INF in the shape vendors ship: its catalog and media folder per architecture.
// The upper-case words are replaced by each test.
std::string TarnInf(const std::string& catalog = "CatalogFile.NTamd64=tn64.cat",
                    const std::string& media = "\\x64", const std::string& copy = "TN.Files") {
  std::string inf =
      "[Version]\r\nSignature=\"$WINDOWS NT$\"\r\nClass=Net\r\nCATALOG\r\n"
      "[SourceDisksNames.amd64]\r\n1=%Disk%,,,MEDIA\r\n"
      "[SourceDisksFiles.amd64]\r\ntn64.sys=1\r\nextra.sys=1\r\n"
      "[Manufacturer]\r\n%Mfg%=Models,NTamd64\r\n"
      "[Models.NTamd64]\r\n%Dev%=TN.Install,PCI\\VEN_1234&DEV_0001\r\n"
      "[TN.Install.NTamd64]\r\nCopyFiles=COPY\r\n"
      "[TN.Files]\r\ntn64.sys\r\n"
      "[Strings]\r\nMfg=\"Tarn\"\r\nDev=\"Tarn Net\"\r\nDisk=\"Tarn disk\"\r\n";
  for (const auto& [token, value] :
       {std::pair<std::string, std::string>{"CATALOG", catalog}, {"MEDIA", media}, {"COPY", copy}})
    inf.replace(inf.find(token), token.size(), value);
  return inf;
}

std::string Sha256(const std::string& text) {
  platform::Sha256 hash;
  hash.Update(text.data(), text.size());
  return platform::HexDigest(hash.Final());
}

struct RestoreMachine : testing_support::FakeMachine {
  testing_support::FakeSetup setup{files};
  platform::ScopedInstall<platform::DriverSetup> useSetup{setup};

  // Writes the package with these files and a manifest that lists each of them as it is.
  void AddPackage(const std::vector<std::pair<std::string, std::string>>& contents,
                  const std::vector<TPackageMissing>& missing = {}) {
    TPackageManifest manifest;
    manifest.device = "Tarn Net";
    manifest.inf = "oem5.inf";
    manifest.originalInf = "tn.inf";
    manifest.source = "store";
    manifest.missing = missing;
    for (const auto& [path, content] : contents) {
      files.AddFile(kPackage + "\\" + path, content);
      manifest.files.push_back({path, Sha256(content), content.size()});
    }
    files.AddFile(kPackage + "\\package.ini", FormatManifest(manifest));
  }
  void AddTarn(const std::string& inf = TarnInf()) {
    AddPackage({{"tn.inf", inf}, {"tn64.cat", "catalog"}, {"x64\\tn64.sys", "driver"}});
  }

  // Runs the command line and keeps its lines; returns the exit code.
  Strings lines;
  int Run(const Strings& args, const std::function<bool()>& cancelled = {}) {
    lines.clear();
    return RunPackageCommand(
        ParsePackageCommand(args), [&](const std::string& line) { lines.push_back(line); },
        cancelled);
  }
  // Whether every staging folder made is gone again.
  bool StagingGone() {
    for (const std::string& folder : setup.staging.made)
      if (files.DirectoryExists(folder)) return false;
    return setup.staging.made == setup.staging.removed;
  }
};

TEST(PackageRestoreTest, InstallsTheVerifiedBytesWhateverHappensToThePackage) {
  RestoreMachine m;
  m.AddTarn();
  // Another process replaces the driver and the INF the moment the install begins; the installer
  // and the device update read the staged copies, which keep the bytes that were checked.
  std::string driverSeen;
  m.setup.onInstall = [&](const std::string& inf) {
    m.files.AddFile(kPackage + "\\x64\\tn64.sys", "evil driver");
    m.files.AddFile(kPackage + "\\tn.inf", TarnInf() + "; changed\r\n");
    driverSeen = m.files.Content(inf.substr(0, inf.rfind('\\')) + "\\x64\\tn64.sys").value_or("");
  };
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitSuccess);
  EXPECT_EQ(m.lines, (Strings{"OK    Tarn Net: installed as oem100.inf; device "
                              "PCI\\VEN_1234&DEV_0001 updated",
                              "1 packages, 0 failed."}));
  EXPECT_EQ(m.setup.infPaths, Strings{kStage + "\\tn.inf"});
  EXPECT_EQ(m.setup.updateInfs, Strings{kStage + "\\tn.inf"});
  EXPECT_EQ(m.setup.installed, Strings{TarnInf()});
  EXPECT_EQ(driverSeen, "driver");
  EXPECT_TRUE(m.StagingGone());
  EXPECT_EQ(m.setup.staging.made.size(), 1u);

  // Changed after it was hashed in place but before it was staged: nothing is installed.
  m.AddTarn();
  m.setup.installed.clear();
  m.setup.onInstall = {};
  TPackageProgress progress;
  progress.onFile = [&](const std::string&, const std::string& file) {
    if (file == "x64\\tn64.sys") m.files.AddFile(kPackage + "\\tn64.cat", "other catalog");
  };
  auto reports = RestorePackages("D:\\Pk", false, progress);
  EXPECT_EQ(FormatReportLine(reports[0]),
            "FAIL  Tarn Net: not installed; tn64.cat changed after it was verified");
  EXPECT_EQ(m.setup.installed, Strings{});
  EXPECT_TRUE(m.StagingGone());
}

// Each row gives the package another INF; the package must be refused with exactly this line and
// nothing installed, forced or not. The first row is the sound INF.
TEST(PackageRestoreTest, RefusesAnInfThatNamesFilesOutsideThePackage) {
  struct Row {
    std::string inf, line;
    std::string architecture = "amd64";  // the system's drivers'
  };
  const std::string kRefused = "FAIL  Tarn Net: not installed; ";
  const std::string kInstalled =
      "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated";
  const std::string kCat = TarnInf("CatalogFile.NTamd64=%Cat%");
  const std::string kPercent = " holds a \"%\" that the installer may expand to a system folder";
  const Row kRows[] = {
      {TarnInf(), "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated"},
      {TarnInf("CatalogFile.NTamd64=..\\x.cat"), kRefused + "..\\x.cat leads out of the package"},
      {TarnInf("CatalogFile=C:\\x.cat"), kRefused + "C:\\x.cat names a drive or a stream"},
      {TarnInf("CatalogFile.NTamd64=tn.cat"),
       kRefused + "tn.cat is named by the INF but not in the package"},
      // The x86 catalog is not this architecture's: the package has no catalog to check.
      {TarnInf("CatalogFile.NTx86=tn32.cat"),
       "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated"},
      // Listed, even if never copied, a file is taken into the driver store.
      {TarnInf("CatalogFile.NTamd64=tn64.cat", "..\\..\\outside"),
       kRefused +
           "..\\..\\outside\\tn64.sys leads out of the package; ..\\..\\outside\\extra.sys leads "
           "out of the package"},
      {TarnInf("CatalogFile.NTamd64=tn64.cat", ""),
       kRefused + "tn64.sys is named by the INF but not in the package"},
      {TarnInf("CatalogFile.NTamd64=tn64.cat", "\\x64", "TN.Files,@extra.sys"),
       kRefused + "x64\\extra.sys is named by the INF but not in the package"},
      {TarnInf("CatalogFile.NTamd64=tn64.cat", "\\x64", "@other.sys"),
       kRefused + "other.sys is copied but no [SourceDisksFiles] section lists it"},
      {TarnInf("CatalogFile.NTamd64=tn64.cat", "%24%\\Users\\Public"),
       kRefused + "%24%\\Users\\Public\\tn64.sys" + kPercent + "; %24%\\Users\\Public\\extra.sys" +
           kPercent},
      // The system reads a key from the table of its language, else from [Strings]: every table
      // must give a sound INF, since the language the package will meet is not known.
      {kCat + "[Strings]\r\nCat=tn64.cat\r\n[Strings.0409]\r\nCat=..\\x.cat\r\n",
       kRefused + "..\\x.cat leads out of the package"},
      {kCat + "[Strings.0407]\r\nCat=tn64.cat\r\n[Strings]\r\nCat=C:\\x.cat\r\n",
       kRefused + "C:\\x.cat names a drive or a stream"},
      {kCat + "[Strings.0409]\r\nCat=..\\a.cat\r\n[Strings.0407]\r\nCat=..\\b.cat\r\n",
       kRefused + "%Cat%" + kPercent +
           "; ..\\a.cat leads out of the package; ..\\b.cat leads out of the package"},
      {kCat + "[Strings]\r\nCat=tn64.cat\r\n[Strings.0407]\r\nDev=\"Tarn Netz\"\r\n", kInstalled},
      {kCat + "[Strings]\r\nCat=tn64.cat\r\n[Strings.0407]\r\nCat=tn64.cat\r\n", kInstalled},
      // The INF is read for the system's drivers, which an x64 program on ARM64 does not share.
      {TarnInf("CatalogFile.NTamd64=tn64.cat\r\nCatalogFile.NTarm64=..\\arm.cat"), kInstalled},
      {TarnInf("CatalogFile.NTamd64=tn64.cat\r\nCatalogFile.NTarm64=..\\arm.cat"),
       kRefused + "..\\arm.cat leads out of the package", "arm64"},
  };
  for (const Row& row : kRows) {
    RestoreMachine m;
    m.setup.architecture = row.architecture;
    m.AddTarn(row.inf);
    m.files.AddFile("D:\\Pk\\x.cat", "outside catalog");
    m.files.AddFile("D:\\outside\\tn64.sys", "outside driver");
    bool sound = row.line.starts_with("OK");
    // What verify calls sound is what restore installs, and it names the same problems.
    EXPECT_EQ(m.Run({"/verify", "D:\\Pk"}), sound ? kExitSuccess : kExitFailed);
    EXPECT_EQ(m.lines[0],
              sound ? "OK    Tarn Net: verified 3 files"
                    : "FAIL  Tarn Net: checked 3 files; " + row.line.substr(kRefused.size()));
    EXPECT_EQ(m.Run({"/restore", "D:\\Pk", "/force"}), sound ? kExitSuccess : kExitFailed);
    EXPECT_EQ(m.lines[0], row.line);
    EXPECT_EQ(m.setup.installed.size(), sound ? 1u : 0u) << row.line;
    EXPECT_TRUE(m.StagingGone());
  }
}

TEST(PackageRestoreTest, ForcedAndPresentPackagesKeepTheirFailedVerification) {
  RestoreMachine m;
  m.AddTarn();
  m.files.AddFile(kPackage + "\\x64\\tn64.sys", "patched driver");
  const std::string kChanged = "; x64\\tn64.sys has changed";
  struct Step {
    Strings args;
    int exit;
    std::string line;
  };
  const Step kSteps[] = {
      {{"/restore", "D:\\Pk"},
       kExitFailed,
       "FAIL  Tarn Net: skipped: it failed verification" + kChanged},
      {{"/restore", "D:\\Pk", "/force"},
       kExitFailed,
       "FAIL  Tarn Net: installed as oem100.inf although it failed verification; device "
       "PCI\\VEN_1234&DEV_0001 updated" +
           kChanged},
      {{"/restore", "D:\\Pk", "/force"},
       kExitFailed,
       "FAIL  Tarn Net: already present as oem100.inf, and it failed verification" + kChanged},
  };
  // The forced install takes the package's files as they are now.
  std::string driverSeen;
  m.setup.onInstall = [&](const std::string& inf) {
    driverSeen = m.files.Content(inf.substr(0, inf.rfind('\\')) + "\\x64\\tn64.sys").value_or("");
  };
  for (const Step& step : kSteps) {
    EXPECT_EQ(m.Run(step.args), step.exit) << step.line;
    EXPECT_EQ(m.lines[0], step.line);
  }
  EXPECT_EQ(driverSeen, "patched driver");
  EXPECT_EQ(m.setup.installed.size(), 1u);
  // Sound again, the package is present and that is all.
  m.AddTarn();
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitSuccess);
  EXPECT_EQ(m.lines[0], "OK    Tarn Net: already present as oem100.inf");
  EXPECT_TRUE(m.StagingGone());

  // Forcing never installs an INF that reaches out of its package.
  RestoreMachine outside;
  outside.AddTarn(TarnInf("CatalogFile.NTamd64=..\\x.cat"));
  outside.files.AddFile(kPackage + "\\x64\\tn64.sys", "patched driver");
  EXPECT_EQ(outside.Run({"/restore", "D:\\Pk", "/force"}), kExitFailed);
  EXPECT_EQ(outside.lines[0],
            "FAIL  Tarn Net: not installed" + kChanged + "; ..\\x.cat leads out of the package");
  EXPECT_EQ(outside.setup.installed, Strings{});
  // Nor one whose INF is gone.
  RestoreMachine gone;
  gone.AddTarn();
  gone.files.Remove(kPackage + "\\tn.inf");
  EXPECT_EQ(gone.Run({"/restore", "D:\\Pk", "/force"}), kExitFailed);
  EXPECT_EQ(gone.lines[0],
            "FAIL  Tarn Net: not installed; tn.inf is missing; tn.inf could not be read from the "
            "package");
  EXPECT_TRUE(gone.StagingGone());
  // A package whose manifest cannot be read has nothing to install.
  RestoreMachine damaged;
  damaged.files.AddFile(kPackage + "\\package.ini", "[Package]\r\n");
  EXPECT_EQ(damaged.Run({"/restore", "D:\\Pk", "/force"}), kExitFailed);
  EXPECT_EQ(damaged.lines[0],
            "FAIL  Tarn Net: skipped: it failed verification; package.ini: the manifest has no "
            "[Package] or no [Files] section");
  EXPECT_EQ(damaged.setup.staging.made, Strings{});
}

// Every listed file is staged where the package has it, an empty one too, and the INF's bytes are
// kept up to the limit given; files behind a link are not read.
TEST(PackageRestoreTest, StageCopiesEveryListedFileAndKeepsTheInf) {
  RestoreMachine m;
  m.AddPackage({{"tn.inf", "0123456789"}, {"x64\\a.sys", "a"}, {"x64\\b.sys", "b"}, {"e.dat", ""}});
  TPackageManifest manifest =
      ParseManifest(m.files.Content(kPackage + "\\package.ini").value_or("")).manifest;
  for (const auto& [limit, kept] : {std::pair<size_t, bool>{10, true}, {9, false}}) {
    TPackageStage stage;
    EXPECT_EQ(stage.Copy(kPackage, manifest, "TN.INF", limit, {}), "");
    EXPECT_EQ(stage.Kept(), kept ? std::optional<std::string>("0123456789") : std::nullopt);
    EXPECT_EQ(m.files.Content(stage.Path("x64\\a.sys")), "a");
    EXPECT_EQ(m.files.Content(stage.Path("x64\\b.sys")), "b");
    EXPECT_EQ(m.files.Content(stage.Path("e.dat")), "");
    EXPECT_EQ(stage.Changed(), Strings{});
  }
  m.files.SetLink(kPackage + "\\x64");
  {
    TPackageStage stage;
    EXPECT_EQ(stage.Copy(kPackage, manifest, "tn.inf", 10, {}), "");
    EXPECT_EQ(stage.Changed(), (Strings{"x64\\a.sys", "x64\\b.sys"}));
    EXPECT_FALSE(m.files.Content(stage.Path("x64\\a.sys")));
  }
  EXPECT_TRUE(m.StagingGone());
}

// The INFs that CopyINF names are installed with the package: each must be in it and is checked
// like the INF itself, through the INFs it names in turn, each once.
TEST(PackageRestoreTest, InfsNamedByCopyInfAreCheckedToo) {
  struct Row {
    std::string b, c, line;  // b.inf and c.inf, absent when empty
  };
  const std::string kRefused = "FAIL  Tarn Net: not installed; ";
  const std::string kNamesC = "[DefaultInstall]\r\nCopyINF=c.inf\r\n";
  const Row kRows[] = {
      {"", "", kRefused + "b.inf is named by the INF but not in the package"},
      {"[Version]\r\nCatalogFile=tn64.cat\r\n", "",
       "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated"},
      {"[Version]\r\nCatalogFile=\\\\srv\\s\\e.cat\r\n", "",
       kRefused + "b.inf: \\\\srv\\s\\e.cat is an absolute path"},
      {"[Version]\r\nCatalogFile=b.cat\r\n", "",
       kRefused + "b.inf: b.cat is named by the INF but not in the package"},
      {"[DefaultInstall]\r\nCopyINF=b.inf,tn.inf\r\n", "",
       "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated"},
      {kNamesC, "", kRefused + "b.inf: c.inf is named by the INF but not in the package"},
      {kNamesC, "[Version]\r\nCatalogFile=..\\c.cat\r\n",
       kRefused + "c.inf: ..\\c.cat leads out of the package"},
      {kNamesC, "[DefaultInstall]\r\nCopyINF=b.inf\r\n",
       "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated"},
  };
  for (const Row& row : kRows) {
    RestoreMachine m;
    std::vector<std::pair<std::string, std::string>> contents = {
        {"tn.inf", TarnInf("CatalogFile.NTamd64=tn64.cat", "\\x64", "TN.Files\r\nCopyINF=b.inf")},
        {"tn64.cat", "catalog"},
        {"x64\\tn64.sys", "driver"}};
    if (!row.b.empty()) contents.push_back({"b.inf", row.b});
    if (!row.c.empty()) contents.push_back({"c.inf", row.c});
    m.AddPackage(contents);
    bool sound = row.line.starts_with("OK");
    std::string files = std::to_string(contents.size()) + " files";
    EXPECT_EQ(m.Run({"/verify", "D:\\Pk"}), sound ? kExitSuccess : kExitFailed);
    EXPECT_EQ(m.lines[0],
              sound ? "OK    Tarn Net: verified " + files
                    : "FAIL  Tarn Net: checked " + files + "; " + row.line.substr(kRefused.size()));
    EXPECT_EQ(m.Run({"/restore", "D:\\Pk", "/force"}), sound ? kExitSuccess : kExitFailed);
    EXPECT_EQ(m.lines[0], row.line);
    EXPECT_EQ(m.setup.installed.size(), sound ? 1u : 0u) << row.line;
  }
  // A listed INF that is gone cannot be checked.
  RestoreMachine gone;
  gone.AddPackage(
      {{"tn.inf", TarnInf("CatalogFile.NTamd64=tn64.cat", "\\x64", "TN.Files\r\nCopyINF=b.inf")},
       {"tn64.cat", "catalog"},
       {"x64\\tn64.sys", "driver"},
       {"b.inf", "[Version]\r\n"}});
  gone.files.Remove(kPackage + "\\b.inf");
  EXPECT_EQ(gone.Run({"/restore", "D:\\Pk", "/force"}), kExitFailed);
  EXPECT_EQ(gone.lines[0],
            "FAIL  Tarn Net: not installed; b.inf is missing; b.inf could not be read from the "
            "package");
}

// A staging folder that stays is said once, with the system's reason; the folder is let go.
TEST(PackageRestoreTest, AStagingFolderThatStaysIsReported) {
  RestoreMachine m;
  m.AddTarn();
  TPackageManifest manifest =
      ParseManifest(m.files.Content(kPackage + "\\package.ini").value_or("")).manifest;
  TPackageStage stage;
  EXPECT_EQ(stage.Remove(), "");  // nothing made yet
  EXPECT_EQ(stage.Copy(kPackage, manifest, "tn.inf", 10, {}), "");
  m.setup.staging.removalRefusal = "Access is denied.";
  EXPECT_EQ(stage.Remove(),
            "the staging folder " + kStage + " could not be removed: Access is denied.");
  EXPECT_EQ(stage.Remove(), "");
  m.setup.staging.removalRefusal.clear();
  {
    TPackageStage removed;
    EXPECT_EQ(removed.Copy(kPackage, manifest, "tn.inf", 10, {}), "");
    EXPECT_EQ(removed.Remove(), "");
    EXPECT_EQ(m.setup.staging.removed, Strings{"C:\\Temp\\Driver Keeper\\stage-2"});
  }
  EXPECT_EQ(m.setup.staging.removed.size(), 1u);  // not again when it goes

  // A restore whose stage stays installed the package, and fails it for the folder left behind.
  m.setup.staging.removalRefusal = "Access is denied.";
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitFailed);
  EXPECT_EQ(m.lines[0],
            "FAIL  Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated; the "
            "staging folder C:\\Temp\\Driver Keeper\\stage-3 could not be removed: Access is "
            "denied.");
}

TEST(PackageRestoreTest, AnIncompletePackageIsNeverRestoredAsSound) {
  struct Row {
    std::string missing;
    Strings args;
    std::string line;
  };
  const Row kRows[] = {
      {"readme.txt",
       {"/restore", "D:\\Pk"},
       "FAIL  Tarn Net: skipped: it failed verification; incomplete, not exported: readme.txt"},
      {"readme.txt",
       {"/restore", "D:\\Pk", "/force"},
       "FAIL  Tarn Net: installed as oem100.inf although it failed verification; device "
       "PCI\\VEN_1234&DEV_0001 updated; incomplete, not exported: readme.txt"},
      // What the INF copies is not there: even a forced restore cannot install it.
      {"x64\\tn64.sys",
       {"/restore", "D:\\Pk", "/force"},
       "FAIL  Tarn Net: not installed; incomplete, not exported: x64\\tn64.sys; x64\\tn64.sys is "
       "named by "
       "the INF but not in the package"},
  };
  for (const Row& row : kRows) {
    RestoreMachine m;
    std::vector<std::pair<std::string, std::string>> contents = {
        {"tn.inf", TarnInf()}, {"tn64.cat", "catalog"}, {"x64\\tn64.sys", "driver"}};
    std::erase_if(contents, [&](const auto& file) { return file.first == row.missing; });
    m.AddPackage(contents, {{row.missing, "not found on this system"}});
    EXPECT_EQ(m.Run(row.args), kExitFailed);
    EXPECT_EQ(m.lines[0], row.line);
  }
}

// The staging folder goes whatever ends the restore.
TEST(PackageRestoreTest, StagingIsRemovedAfterFailureThrowAndCancel) {
  RestoreMachine m;
  m.AddTarn();
  m.setup.installError = "The hash for the file is not present in the specified catalog file.";
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitFailed);
  EXPECT_EQ(m.lines[0],
            "FAIL  Tarn Net: failed; tn.inf was not installed: The hash for the file is not "
            "present in the specified catalog file.");
  EXPECT_TRUE(m.StagingGone());

  m.setup.installError.clear();
  m.setup.onInstall = [](const std::string&) { throw std::runtime_error("out of memory"); };
  EXPECT_THROW(RestorePackages("D:\\Pk", false), std::runtime_error);
  EXPECT_TRUE(m.StagingGone());
  m.setup.onInstall = {};

  // Cancelled during verification: no package is called sound, nothing is staged or installed.
  EXPECT_EQ(m.Run({"/verify", "D:\\Pk"}, [] { return true; }), kExitFailed);
  EXPECT_EQ(m.lines[0], "FAIL  Tarn Net: not verified; verification cancelled");
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk", "/force"}, [] { return true; }), kExitFailed);
  EXPECT_EQ(m.lines[0], "FAIL  Tarn Net: cancelled; verification cancelled");
  EXPECT_EQ(m.setup.staging.made.size(), 2u);

  // Cancelled once verification (three files and the check after it) is over, while staging.
  int asked = 0;
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}, [&] { return ++asked > 4; }), kExitFailed);
  EXPECT_EQ(m.lines[0], "FAIL  Tarn Net: not installed; restore cancelled");
  EXPECT_TRUE(m.StagingGone());
  EXPECT_EQ(m.setup.staging.made.size(), 3u);
  EXPECT_EQ(m.setup.installed, Strings{});

  // A staged file that cannot be written.
  m.files.AddFolder("C:\\Temp\\Driver Keeper\\stage-4");
  m.files.SetReadOnly("C:\\Temp\\Driver Keeper\\stage-4");
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitFailed);
  EXPECT_EQ(m.lines[0],
            "FAIL  Tarn Net: not installed; tn.inf could not be staged: Access is denied.");
  EXPECT_TRUE(m.StagingGone());

  m.setup.staging.refusal = "Access is denied.";
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitFailed);
  EXPECT_EQ(m.lines[0],
            "FAIL  Tarn Net: not installed; no staging folder could be made: Access is denied.");

  // Without the rights to install drivers nothing can start: a usage error, not a failed package.
  m.setup.refusal = "Restoring drivers needs administrator rights.";
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitUsage);
  EXPECT_EQ(m.lines, Strings{"Restoring drivers needs administrator rights."});
}

// A package made from installed files when the driver has no driver-store folder: each file goes
// where the INF's source paths for this architecture put it, so the package installs again.
TEST(PackageRestoreTest, APackageOfInstalledFilesKeepsTheInfsLayout) {
  RestoreMachine m;
  const std::string kNet = "{4d36e972-e325-11ce-bfc1-08002be10318}";
  const std::string kCatRoot =
      "C:\\Windows\\system32\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\";
  std::vector<TExportDriver> drivers;
  using Driver = std::tuple<std::string, std::string, std::string, std::string, std::string>;
  for (const auto& [instance, device, inf, catalog, media] :
       {Driver{"0000", "Tarn Net", "oem9.inf", "tn64.cat", "\\x64"},
        Driver{"0001", "Tarn Up", "oem10.inf", "tn64.cat", "..\\..\\up"},
        Driver{"0002", "Tarn Con", "oem11.inf", "con.cat", "\\x64"},
        // A file on a disk no source list names: the installer would not find it in the package.
        Driver{"0003", "Tarn Lost", "oem12.inf",
               "tn64.cat\r\n[SourceDisksFiles.amd64]\r\nlost.sys=7", "\\x64"}}) {
    std::string key = m.AddDriver(kNet, instance, device, "Tarn");
    m.registry.SetString(key.substr(1), "InfPath", inf);
    m.files.AddFile("C:\\Windows\\inf\\" + inf, TarnInf("CatalogFile.NTamd64=" + catalog, media));
    m.files.AddFile(kCatRoot + inf.substr(0, inf.find('.')) + ".cat", "catalog");
    drivers.push_back({device, key});
  }
  m.files.AddFile("C:\\Windows\\system32\\drivers\\TN64.SYS", "driver");
  m.files.AddFile("C:\\Windows\\system32\\drivers\\extra.sys", "extra");
  m.files.AddFile("C:\\Windows\\system32\\drivers\\lost.sys", "lost");
  m.files.AddFolder("D:\\");
  auto reports = ExportPackages(drivers, "D:\\Pk");
  EXPECT_EQ(FormatReportLine(reports[0]), "OK    Tarn Net: exported 4 of 4 files (files)");
  EXPECT_EQ(m.files.Content(kPackage + "\\x64\\TN64.SYS"), "driver");
  EXPECT_EQ(m.files.Content(kPackage + "\\x64\\extra.sys"), "extra");
  EXPECT_EQ(m.files.Content(kPackage + "\\tn64.cat"), "catalog");
  EXPECT_EQ(FormatReportLine(reports[1]),
            "FAIL  Tarn Up: exported 2 of 4 files (files); ..\\..\\up\\tn64.sys not copied: the "
            "path leads out of the package; ..\\..\\up\\extra.sys not copied: the path leads "
            "out of the package");
  EXPECT_FALSE(m.files.Content("D:\\up\\tn64.sys"));
  // A catalog name Windows takes for a device would make the manifest unreadable.
  EXPECT_EQ(FormatReportLine(reports[2]),
            "FAIL  Tarn Con: exported 3 of 4 files (files); con.cat not copied: the INF names an "
            "unusable catalog");
  EXPECT_EQ(FormatReportLine(reports[3]),
            "FAIL  Tarn Lost: exported 4 of 5 files (files); lost.sys not copied: it is on disk 7, "
            "which no [SourceDisksNames] section lists");

  m.files.Remove("D:\\Pk\\Tarn Up");
  m.files.Remove("D:\\Pk\\Tarn Con");
  m.files.Remove("D:\\Pk\\Tarn Lost");
  EXPECT_EQ(m.Run({"/restore", "D:\\Pk"}), kExitSuccess);
  EXPECT_EQ(m.lines[0],
            "OK    Tarn Net: installed as oem100.inf; device PCI\\VEN_1234&DEV_0001 updated");
}

}  // namespace
