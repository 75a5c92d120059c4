// Restore against the real file system and the system's installer: the private staging root and
// folders, their access lists and removal (never through a link or a swapped folder), long paths,
// folders that ended runs left, a package file swapped while the install runs, and an INF whose
// catalog lies outside its package.
#include <gtest/gtest.h>
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <functional>
#include <memory>

#include "WinMachine.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageRestore.h"
#include "platform/DriverSetup.h"
#include "platform/Staging.h"
#include "platform/StagingSecurity.h"

namespace {

using testing_support::MakeJunction;
using testing_support::ReadFileText;
using testing_support::RemoveTree;
using testing_support::WriteFileText;
using Strings = std::vector<std::string>;

std::string TempDir() {
  char dir[MAX_PATH + 1];
  return std::string(dir, GetTempPathA(sizeof dir, dir));
}

std::string WindowsTemp() {
  char dir[MAX_PATH];
  return std::string(dir, GetSystemWindowsDirectoryA(dir, sizeof dir)) + "\\Temp";
}

const std::string kStagingRoot = WindowsTemp() + "\\Driver Keeper";

// Whether path lies below folder; the system gives folders' names in their case on disk.
bool IsBelow(const std::string& path, const std::string& folder) {
  return path.size() > folder.size() + 1 &&
         _strnicmp(path.c_str(), (folder + "\\").c_str(), folder.size() + 1) == 0;
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The staging folders present now.
Strings StagingFolders() {
  Strings names;
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((kStagingRoot + "\\stage-*").c_str(), &data);
  if (find == INVALID_HANDLE_VALUE) return names;
  do names.push_back(data.cFileName);
  while (FindNextFileA(find, &data));
  FindClose(find);
  return names;
}

// Who owns a file or folder, whether its access list is protected, and whom each entry allows
// what, as "BA:001f01ff:03" (the well-known group, or OW for the owner, the access mask, the
// inheritance flags).
struct TAccess {
  std::string owner;
  bool isProtected = false;
  Strings entries;
};

std::string WellKnown(PSID sid, PSID owner) {
  if (IsWellKnownSid(sid, WinBuiltinAdministratorsSid)) return "BA";
  if (IsWellKnownSid(sid, WinLocalSystemSid)) return "SY";
  return owner && EqualSid(sid, owner) ? "OW" : "other";
}

TAccess AccessOf(const std::string& path) {
  TAccess access;
  PSID owner = nullptr;
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  if (GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT,
                            OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner, nullptr,
                            &dacl, nullptr, &descriptor) != ERROR_SUCCESS)
    return access;
  access.owner = WellKnown(owner, nullptr);
  SECURITY_DESCRIPTOR_CONTROL control = 0;
  DWORD revision = 0;
  GetSecurityDescriptorControl(descriptor, &control, &revision);
  access.isProtected = (control & SE_DACL_PROTECTED) != 0;
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    ACCESS_ALLOWED_ACE* ace = nullptr;
    GetAce(dacl, i, reinterpret_cast<void**>(&ace));
    char text[64];
    snprintf(text, sizeof text, "%s:%08lx:%02x", WellKnown(&ace->SidStart, owner).c_str(),
             static_cast<unsigned long>(ace->Mask), ace->Header.AceFlags);
    access.entries.push_back(ace->Header.AceType == ACCESS_ALLOWED_ACE_TYPE ? text : "deny");
  }
  LocalFree(descriptor);
  return access;
}

// Only the administrators and the system may write a staging folder and what it holds. Wine keeps
// Unix permissions alone, which it shows as entries for the system, the owner and everyone: there
// nobody but the first two may be allowed to write.
void ExpectPrivate(const std::string& path) {
  TAccess access = AccessOf(path);
  if (platform::FilesKeepAccessLists()) {
    EXPECT_EQ(access.owner, "BA") << path;
    EXPECT_TRUE(access.isProtected) << path;
    EXPECT_EQ(access.entries, (Strings{"BA:001f01ff:03", "SY:001f01ff:03"})) << path;
    return;
  }
  const unsigned long kWrites = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_WRITE_EA |
                                FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC | WRITE_OWNER;
  EXPECT_FALSE(access.entries.empty()) << path;
  for (const std::string& entry : access.entries) {
    if (entry.starts_with("SY:") || entry.starts_with("OW:")) continue;
    EXPECT_EQ(std::stoul(entry.substr(entry.find(':') + 1, 8), nullptr, 16) & kWrites, 0u)
        << path << " " << entry;
  }
}

// The check that a folder made for staging is still the one made, on descriptors a folder could
// have; the first is the one staging folders are made with.
TEST(StagingWinTest, OnlyAPrivateDescriptorPasses) {
  const std::pair<const char*, bool> kRows[] = {
      {platform::kStagingSecurity, true},
      {"O:SYD:P(A;OICI;FA;;;SY)", true},
      {"O:BAD:P", true},                                  // nobody but the owning administrators
      {"O:BAD:(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)", false},  // inherits from the temporary folder
      {"O:S-1-5-21-1-2-3-1000D:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)", false},  // a user's folder
      {"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;FA;;;S-1-5-21-1-2-3-1000)", false},
      {"O:BAD:P(A;OICI;FA;;;BA)(A;OICI;FR;;;WD)", false},  // everyone may read
      {"O:BAD:P(A;OICI;FA;;;BA)(D;OICI;FA;;;WD)", false},  // only allowing entries
      {"O:BAD:NO_ACCESS_CONTROL", false},                  // no list: everyone may do anything
      {"O:BA", false},
  };
  for (const auto& [text, isPrivate] : kRows) {
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(text, SDDL_REVISION_1,
                                                                     &descriptor, nullptr))
        << text;
    EXPECT_EQ(platform::IsPrivateSecurity(descriptor), isPrivate) << text;
    LocalFree(descriptor);
  }
}

TEST(StagingWinTest, OnlyAdministratorsMayWriteAndNothingStays) {
  platform::Staging& staging = platform::Staging::Default();
  std::string folder = staging.MakeFolder();
  ASSERT_NE(folder, "") << staging.LastErrorText();
  EXPECT_TRUE(IsBelow(folder, kStagingRoot)) << folder;
  EXPECT_NE(folder.find("\\stage-"), std::string::npos) << folder;
  ExpectPrivate(kStagingRoot);
  ExpectPrivate(folder);

  ASSERT_TRUE(staging.MakeSubfolder(folder + "\\x64"));
  auto file = staging.NewFile(folder + "\\x64\\tn.sys");
  ASSERT_TRUE(file);
  EXPECT_TRUE(file->Write("dri", 3));
  EXPECT_TRUE(file->Write("ver", 3));
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(ReadFileText(folder + "\\x64\\tn.sys"), "driver");
  ExpectPrivate(folder + "\\x64\\tn.sys");  // what is made inside takes the folder's list
  EXPECT_EQ(staging.NewFile(folder + "\\x64\\tn.sys"), nullptr);  // never over a file
  // Every run has a folder of its own.
  std::string second = staging.MakeFolder();
  EXPECT_NE(second, folder);
  EXPECT_TRUE(staging.RemoveFolder(second));

  EXPECT_TRUE(staging.RemoveFolder(folder));
  EXPECT_FALSE(Exists(folder));
}

// What may hold staging folders, or be one: a private folder, and nothing that is a link, a file
// or a folder others may change. Links are told by their attributes, which is all Wine shows of
// them.
TEST(StagingWinTest, OnlyAPrivateFolderIsUsed) {
  PSECURITY_DESCRIPTOR shared = nullptr, own = nullptr;
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(
      "O:BAD:(A;OICI;FA;;;BA)(A;OICI;FA;;;BU)", SDDL_REVISION_1, &shared, nullptr));
  ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(platform::kStagingSecurity,
                                                                   SDDL_REVISION_1, &own, nullptr));
  const DWORD kFolder = FILE_ATTRIBUTE_DIRECTORY, kLink = FILE_ATTRIBUTE_REPARSE_POINT;
  const struct {
    DWORD attributes;
    PSECURITY_DESCRIPTOR descriptor;
    std::string refusal;
  } kRows[] = {
      {kFolder, own, ""},
      {kFolder, nullptr, ""},  // no access lists kept
      {kFolder | FILE_ATTRIBUTE_HIDDEN, own, ""},
      {kFolder | kLink, own, "is a link"},
      {kFolder | kLink, nullptr, "is a link"},
      {kLink, nullptr, "is a link"},  // a link to a file
      {FILE_ATTRIBUTE_NORMAL, own, "is not a folder"},
      {FILE_ATTRIBUTE_ARCHIVE, nullptr, "is not a folder"},
      {kFolder, shared, "may be changed by others than the administrators"},
  };
  for (const auto& row : kRows)
    EXPECT_EQ(platform::PrivateFolderRefusal(row.attributes, row.descriptor), row.refusal)
        << std::hex << row.attributes;
  LocalFree(shared);
  LocalFree(own);
}

// Staging below a root of the test's own, removed afterwards.
struct StagingRootTest : ::testing::Test {
  std::string work = TempDir() + testing_support::Unique("dkstage");
  std::string root = work + "\\Driver Keeper";
  std::unique_ptr<platform::Staging> staging = platform::NewStaging(root);

  StagingRootTest() { CreateDirectoryA(work.c_str(), nullptr); }
  ~StagingRootTest() override {
    staging.reset();
    RemoveDirectoryA(root.c_str());  // a junction goes alone
    RemoveTree(work);
  }
};

// A file or a junction put where the root belongs is never made a root of: nothing is made in
// it or through it. Wine makes no junctions (it refuses to set a reparse point): there the file
// alone is tried, and the link refusal by the table above.
TEST_F(StagingRootTest, ARootThatIsAFileOrALinkIsRefused) {
  WriteFileText(root, "not a folder");
  EXPECT_EQ(staging->MakeFolder(), "");
  EXPECT_EQ(staging->LastErrorText(), "The staging root " + root + " is not a folder.");
  DeleteFileA(root.c_str());

  std::string target = work + "\\target";
  CreateDirectoryA(target.c_str(), nullptr);
  if (!MakeJunction(root, target)) GTEST_SKIP() << "this file system makes no junctions";
  EXPECT_EQ(staging->MakeFolder(), "");
  EXPECT_EQ(staging->LastErrorText(), "The staging root " + root + " is a link.");
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((target + "\\*").c_str(), &data);
  int entries = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do ++entries;
    while (FindNextFileA(find, &data));
    FindClose(find);
  }
  EXPECT_EQ(entries, 2);  // "." and ".."
}

// While it is staged in, the folder cannot be renamed away for another to take its place; a
// folder inside swapped for a junction is removed itself and what it leads to stays; a path that
// is not a folder made by this run is never removed.
TEST_F(StagingRootTest, RemovalNeverReachesOutside) {
  std::string outside = work + "\\outside";
  CreateDirectoryA(outside.c_str(), nullptr);
  WriteFileText(outside + "\\kept.sys", "system file");
  std::string folder = staging->MakeFolder();
  ASSERT_NE(folder, "") << staging->LastErrorText();
  EXPECT_TRUE(IsBelow(folder, root)) << folder;

  EXPECT_FALSE(MoveFileA(folder.c_str(), (work + "\\away").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SHARING_VIOLATION));

  EXPECT_FALSE(staging->RemoveFolder(outside));
  EXPECT_EQ(staging->LastErrorText(), outside + " is not a staging folder of this run.");
  EXPECT_TRUE(Exists(outside + "\\kept.sys"));

  ASSERT_TRUE(staging->MakeSubfolder(folder + "\\x64"));
  ASSERT_TRUE(staging->NewFile(folder + "\\x64\\a.sys")->Close());
  SetFileAttributesA((folder + "\\x64\\a.sys").c_str(), FILE_ATTRIBUTE_READONLY);
  bool linked = MakeJunction(folder + "\\link", outside);
  EXPECT_TRUE(staging->RemoveFolder(folder)) << staging->LastErrorText();
  EXPECT_FALSE(Exists(folder));
  EXPECT_TRUE(Exists(outside + "\\kept.sys"));
  EXPECT_FALSE(staging->RemoveFolder(folder));  // once only
  if (!linked) GTEST_SKIP() << "this file system makes no junctions: none was swapped in";
}

// A manifest path as long as one may be stages below the root, past the system's old path limit.
TEST_F(StagingRootTest, ALongPathStages) {
  std::string folder = staging->MakeFolder();
  ASSERT_NE(folder, "") << staging->LastErrorText();
  std::string sub = folder + "\\" + std::string(99, 'd'),
              file = sub + "\\" + std::string(96, 'f') + ".sys";
  ASSERT_GT(file.size(), size_t{MAX_PATH});
  ASSERT_TRUE(staging->MakeSubfolder(sub)) << staging->LastErrorText();
  auto staged = staging->NewFile(file);
  ASSERT_TRUE(staged) << staging->LastErrorText();
  EXPECT_TRUE(staged->Write("driver", 6));
  EXPECT_TRUE(staged->Close());
  WIN32_FILE_ATTRIBUTE_DATA data;
  std::wstring wide(file.begin(), file.end());
  ASSERT_TRUE(GetFileAttributesExW((L"\\\\?\\" + wide).c_str(), GetFileExInfoStandard, &data));
  EXPECT_EQ(data.nFileSizeLow, 6u);
  EXPECT_TRUE(staging->RemoveFolder(folder)) << staging->LastErrorText();
  EXPECT_FALSE(Exists(folder));
}

// A process started and, unless asked to run on, ended; its id.
struct ChildProcess {
  PROCESS_INFORMATION info = {};
  explicit ChildProcess(bool running) {
    char line[] = "cmd.exe /c exit";
    STARTUPINFOA start = {};
    start.cb = sizeof start;
    CreateProcessA(nullptr, line, nullptr, nullptr, FALSE,
                   CREATE_NO_WINDOW | (running ? CREATE_SUSPENDED : 0), nullptr, nullptr, &start,
                   &info);
    if (!running) WaitForSingleObject(info.hProcess, 10000);
  }
  ~ChildProcess() {
    TerminateProcess(info.hProcess, 0);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  std::string Stage() const { return "stage-" + std::to_string(info.dwProcessId) + "-1-1"; }
};

// Folders that runs which ended left are removed when a folder is next made; those of running
// processes, and whatever else the root holds, stay.
TEST_F(StagingRootTest, StagesOfEndedRunsAreRemoved) {
  ASSERT_TRUE(staging->RemoveFolder(staging->MakeFolder()));  // the root is made
  ChildProcess ended(false), running(true);
  ASSERT_NE(ended.info.dwProcessId, 0u);
  ASSERT_NE(running.info.dwProcessId, 0u);
  std::string stale = root + "\\" + ended.Stage(), live = root + "\\" + running.Stage();
  for (const std::string& folder : {stale, stale + "\\x64", live, root + "\\other"})
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
  WriteFileText(stale + "\\x64\\a.sys", "driver");
  WriteFileText(stale + "\\tn.inf", "inf");
  SetFileAttributesA((stale + "\\tn.inf").c_str(), FILE_ATTRIBUTE_READONLY);
  WriteFileText(live + "\\tn.inf", "inf");

  std::string folder = staging->MakeFolder();
  ASSERT_NE(folder, "") << staging->LastErrorText();
  EXPECT_FALSE(Exists(stale));
  EXPECT_TRUE(Exists(live + "\\tn.inf"));
  EXPECT_TRUE(Exists(root + "\\other"));
  EXPECT_TRUE(staging->RemoveFolder(folder));
  DeleteFileA((live + "\\tn.inf").c_str());
  RemoveDirectoryA(live.c_str());
  RemoveDirectoryA((root + "\\other").c_str());
}

// The system's installer stood in for: it sees what an install would read, and lets another
// process act while it runs.
class RecordingSetup : public platform::DriverSetup {
 public:
  std::function<void(const std::string& inf)> onInstall;
  Strings infs;
  platform::TInfInstall answer{platform::TInfInstall::Installed, "oem77.inf", {}};

  void AllowPrompts(bool) override {}
  std::string InstallRefusal() override { return {}; }
  std::string DriverStoreFolder(const std::string&) override { return {}; }
  platform::TInfInstall InstallInf(const std::string& inf) override {
    infs.push_back(inf);
    if (onInstall) onInstall(inf);
    return answer;
  }
  std::vector<std::string> PresentDeviceIds() override { return {}; }
  platform::TDeviceUpdate UpdateDevices(const std::string&, const std::string&) override {
    return {};
  }
};

// A package on disk below a folder of the test's own, removed afterwards.
struct DiskPackage {
  std::string root = TempDir() + testing_support::Unique("dkrestore");
  std::string folder = root + "\\Tarn Net";

  explicit DiskPackage(const std::string& catalog) {
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\x64").c_str(), nullptr);
    Write("tn.inf",
          "[Version]\r\nSignature=\"$Windows NT$\"\r\nClass=Net\r\n"
          "ClassGuid={4d36e972-e325-11ce-bfc1-08002be10318}\r\nCatalogFile=" +
              catalog +
              "\r\n[SourceDisksNames]\r\n1=\"Tarn disk\",,,\\x64\r\n"
              "[SourceDisksFiles]\r\ntn64.sys=1\r\n"
              "[Manufacturer]\r\nTarn=Models,NTamd64\r\n"
              "[Models.NTamd64]\r\n\"Tarn Net\"=Inst,ROOT\\TARNNET\r\n"
              "[Inst]\r\nCopyFiles=Files\r\n[Files]\r\ntn64.sys\r\n"
              "[DestinationDirs]\r\nDefaultDestDir=12\r\n");
    Write("tn.cat", "catalog");
    Write("x64\\tn64.sys", "driver");
    TPackageManifest manifest;
    manifest.inf = "oem5.inf";
    manifest.originalInf = "tn.inf";
    for (const char* path : {"tn.inf", "tn.cat", "x64\\tn64.sys"}) {
      THashedFile hashed = HashFile(folder + "\\" + path);
      manifest.files.push_back({path, hashed.sha256, hashed.size});
    }
    Write(kManifestName, FormatManifest(manifest));
  }
  ~DiskPackage() {
    for (const char* path : {"tn.inf", "tn.cat", "x64\\tn64.sys", kManifestName})
      DeleteFileA((folder + "\\" + path).c_str());
    RemoveDirectoryA((folder + "\\x64").c_str());
    RemoveDirectoryA(folder.c_str());
    DeleteFileA((root + "\\x.cat").c_str());
    RemoveDirectoryA(root.c_str());
  }
  void Write(const std::string& path, const std::string& text) const {
    WriteFileText(folder + "\\" + path, text);
  }
};

TEST(RestoreWinTest, InstallsTheStagedBytesWhileThePackageIsSwapped) {
  DiskPackage package("tn.cat");
  RecordingSetup setup;
  platform::ScopedInstall<platform::DriverSetup> useSetup(setup);
  Strings before = StagingFolders();
  std::string driverSeen, infSeen;
  std::string stagedFolder;
  setup.onInstall = [&](const std::string& inf) {
    package.Write("x64\\tn64.sys", "evil driver");
    package.Write("tn.inf", "[Version]\r\nCatalogFile=..\\x.cat\r\n");
    std::string staged = inf.substr(0, inf.rfind('\\'));
    driverSeen = ReadFileText(staged + "\\x64\\tn64.sys");
    infSeen = ReadFileText(inf);
    stagedFolder = staged;
    ExpectPrivate(staged);
  };
  auto reports = RestorePackages(package.root, false);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(FormatReportLine(reports[0]), "OK    Tarn Net: installed as oem77.inf");
  ASSERT_EQ(setup.infs.size(), 1u);
  EXPECT_TRUE(IsBelow(setup.infs[0], kStagingRoot)) << setup.infs[0];
  EXPECT_EQ(driverSeen, "driver");
  EXPECT_EQ(infSeen.find("..\\x.cat"), std::string::npos);
  EXPECT_FALSE(Exists(stagedFolder));
  EXPECT_EQ(StagingFolders(), before);
}

// Whatever ends the restore, its staging folder goes: an install that fails, a cancel while
// staging, a file changed after it was verified.
TEST(RestoreWinTest, NoStagingFolderStays) {
  DiskPackage package("tn.cat");
  RecordingSetup setup;
  platform::ScopedInstall<platform::DriverSetup> useSetup(setup);
  Strings before = StagingFolders();
  setup.answer = {platform::TInfInstall::Failed, {}, "Access is denied."};
  EXPECT_EQ(FormatReportLine(RestorePackages(package.root, false)[0]),
            "FAIL  Tarn Net: failed; tn.inf was not installed: Access is denied.");
  EXPECT_EQ(StagingFolders(), before);

  TPackageProgress progress;
  int asked = 0;
  progress.cancelled = [&] { return ++asked > 4; };  // after the three files and their check
  EXPECT_EQ(FormatReportLine(RestorePackages(package.root, false, progress)[0]),
            "FAIL  Tarn Net: not installed; restore cancelled");
  EXPECT_EQ(StagingFolders(), before);

  progress.cancelled = {};
  progress.onFile = [&](const std::string&, const std::string& file) {
    if (file == "x64\\tn64.sys") package.Write("tn.cat", "other catalog");
  };
  EXPECT_EQ(FormatReportLine(RestorePackages(package.root, false, progress)[0]),
            "FAIL  Tarn Net: not installed; tn.cat changed after it was verified");
  EXPECT_EQ(StagingFolders(), before);
  EXPECT_EQ(setup.infs.size(), 1u);
}

// The system's own installer would copy the catalog from wherever the INF says: the package is
// refused before it is given the INF.
TEST(RestoreWinTest, AnOutsideCatalogIsNeverInstalled) {
  DiskPackage package("..\\x.cat");
  WriteFileText(package.root + "\\x.cat", "outside catalog");
  auto infCount = [] {
    WIN32_FIND_DATAA data;
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    HANDLE find = FindFirstFileA((std::string(windows) + "\\inf\\oem*.inf").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return size_t{0};
    size_t n = 0;
    do ++n;
    while (FindNextFileA(find, &data));
    FindClose(find);
    return n;
  };
  size_t infs = infCount();
  auto reports = RestorePackages(package.root, true);
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(FormatReportLine(reports[0]),
            "FAIL  Tarn Net: not installed; ..\\x.cat leads out of the package");
  EXPECT_EQ(infCount(), infs);
}

}  // namespace
