// The package rules against the system's own: which names it opens as devices, how its file
// system compares names, and packages verified on real folders.
#include <gtest/gtest.h>
#include <windows.h>
#include <winioctl.h>

#include <string>
#include <utility>
#include <vector>

#include "WinMachine.h"
#include "app/drivers/InfSources.h"
#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageVerify.h"
#include "platform/FileNames.h"

namespace {

using testing_support::WriteFileText;

std::wstring Wide(const std::string& name) {
  std::wstring wide(name.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, name.data(), static_cast<int>(name.size()),
                                  wide.data(), static_cast<int>(wide.size())));
  return wide;
}

// The system's answer, asked the two ways it has: the full path it makes of the name, and the
// loader's own test.
bool SystemOpensAsDevice(const std::string& name) {
  using TIsDosDeviceName = ULONG(NTAPI*)(PCWSTR);
  static const auto isDosDeviceName = reinterpret_cast<TIsDosDeviceName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlIsDosDeviceName_U")));
  std::wstring wide = Wide(name);
  wchar_t full[MAX_PATH];
  DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH, full, nullptr);
  return (length >= 4 && std::wstring_view(full, 4) == L"\\\\.\\") ||
         (isDosDeviceName && isDosDeviceName(wide.c_str()) != 0);
}

TEST(PackageRulesWinTest, EveryNameTheSystemOpensAsADeviceIsRefused) {
  // The system's rules are asked here: these forms are devices to it.
  for (const char* name : {"NUL .sys", "COM5 .sys", "nul..txt", "AUX .", "CONIN$", "lpt1.inf"})
    EXPECT_TRUE(SystemOpensAsDevice(name)) << name;
  std::vector<std::string> stems = {"CON", "PRN", "AUX",     "NUL",  "CONIN$", "CONOUT$",
                                    "COM", "LPT", "CONSOLE", "NULL", "AUX1"};
  for (int byte = 0x20; byte < 0x100; ++byte) {
    stems.push_back("COM" + std::string(1, static_cast<char>(byte)));
    stems.push_back("lpt" + std::string(1, static_cast<char>(byte)));
  }
  int devices = 0;
  for (const std::string& stem : stems)
    for (const char* end : {"", ".sys", " .sys", "..txt", " .", "  ", ". .cat", ".tar.gz"}) {
      std::string name = stem + end;
      if (!SystemOpensAsDevice(name)) continue;
      ++devices;
      EXPECT_TRUE(platform::NamesDevice(name)) << name;
      EXPECT_EQ(UnsafeRelativePath("sub\\" + name), "names a device") << name;
    }
  EXPECT_GT(devices, 100);
  // Our list keeps the names that systems before and after this one also take for devices.
  for (const char* name : {"COM0", "lpt0.sys", "COM\xB9", "LPT\xB2 .sys", "com\xB3"})
    EXPECT_TRUE(platform::NamesDevice(name)) << name;
  for (const char* name : {"COM10", "LPT", "CONSOLE.sys", "NULL", "COM\xB4"})
    EXPECT_FALSE(platform::NamesDevice(name)) << name;
}

// The key and the comparison fold every character of the ANSI code page alike, as the system's
// ordinal comparison that ignores case does.
TEST(PackageRulesWinTest, NamesFoldAsTheSystemComparesThem) {
  ASSERT_EQ(GetACP(), 1252u) << "the rows below are the letters of code page 1252";
  std::vector<std::string> keys(256);
  for (int byte = 1; byte < 0x100; ++byte)
    keys[byte] = FileNameKey(std::string(1, static_cast<char>(byte)));
  int folded = 0;
  for (int a = 1; a < 0x100; ++a)
    for (int b = 1; b < 0x100; ++b) {
      std::wstring wideA = Wide(std::string(1, static_cast<char>(a)));
      std::wstring wideB = Wide(std::string(1, static_cast<char>(b)));
      bool system = CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                                         static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
      ASSERT_EQ(keys[a] == keys[b], system) << a << " " << b;
      ASSERT_EQ(SameFileName(std::string(1, char(a)), std::string(1, char(b))), system)
          << a << " " << b;
      folded += system && a != b;
    }
  // a-z, the Latin-1 letters, and the code page's own pairs (Š, Œ, Ž, Ÿ).
  EXPECT_EQ(folded, 2 * (26 + 30 + 4));
  EXPECT_TRUE(SameFileName("\xE9t\xE9.SYS", "\xC9T\xC9.sys"));
  EXPECT_FALSE(SameFileName("\xDF", "SS"));
}

// An INF's copied names meet its listed ones by the same rule: "@\xC9.sys" copies the listed
// "\xE9.sys", whose path is then the one checked.
TEST(PackageRulesWinTest, InfNamesFoldAsTheSystemComparesThem) {
  const std::string kInf =
      "[SourceDisksNames]\n1=d\n[SourceDisksFiles]\n\xE9.sys=1,sub\n"
      "[DefaultInstall]\nCopyFiles=@\xC9.sys\n";
  TInfSources sources = ReadInfSources(kInf, TInfArch::Amd64);
  EXPECT_TRUE(sources.problems.empty());
  ASSERT_EQ(sources.files.size(), 1u);
  EXPECT_TRUE(sources.files[0].copied);
  EXPECT_EQ(sources.files[0].path, "sub\\\xE9.sys");
}

// Runs in a fresh temporary folder, removed afterwards.
struct PackageRulesFolderTest : ::testing::Test {
  std::string root;

  void SetUp() override {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root = std::string(temp) + testing_support::Unique("dk-rules-");
    CreateDirectoryA(root.c_str(), nullptr);
  }
  // The folder and, when a test made one, the folder outside it.
  void TearDown() override {
    for (const std::string& folder : {root, root + "-outside"}) testing_support::RemoveTree(folder);
  }
  // A package of the files given, its manifest listing each under the name given with it.
  void WritePackage(const std::string& package,
                    const std::vector<std::pair<std::string, std::string>>& files,
                    const std::string& prefix = "") {
    std::string folder = root + "\\" + package;
    CreateDirectoryA(folder.c_str(), nullptr);
    TPackageManifest manifest;
    manifest.inf = "oem1.inf";
    for (const auto& [onDisk, listed] : files) {
      WriteFileText(folder + "\\" + onDisk, "bytes of " + onDisk);
      THashedFile hashed = HashFile(folder + "\\" + onDisk);
      manifest.files.push_back({listed, hashed.sha256, hashed.size});
    }
    WriteFileText(folder + "\\package.ini", prefix + FormatManifest(manifest));
  }
  std::vector<std::string> Lines() {
    std::vector<std::string> lines;
    for (const TPackageReport& report : VerifyPackages(root))
      lines.push_back(FormatReportLine(report));
    return lines;
  }
};

TEST_F(PackageRulesFolderTest, RealFoldersAreVerifiedByTheSystemsRules) {
  // Listed in another letter case beyond ASCII, with Notepad's byte order mark.
  WritePackage("Accents", {{"oem1.inf", "OEM1.INF"}, {"\xE9t\xE9.sys", "\xC9T\xC9.SYS"}},
               "\xEF\xBB\xBF");
  CreateDirectoryA((root + "\\Bare").c_str(), nullptr);
  WritePackage("Big", {{"oem1.inf", "oem1.inf"}});
  HANDLE big = CreateFileA((root + "\\Big\\package.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  LARGE_INTEGER size;
  size.QuadPart = kManifestMaxBytes + 1;
  SetFilePointerEx(big, size, nullptr, FILE_BEGIN);
  SetEndOfFile(big);
  CloseHandle(big);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "OK    Accents: verified 2 files", "FAIL  Bare: not verified; no manifest",
                         "FAIL  Big: not verified; package.ini: the manifest is too large"}));
  EXPECT_EQ(PackageExitCode(VerifyPackages(root)), kExitFailed);
  // The same name twice to the file system, listed twice.
  std::string twice = "[Package]\r\nInf=oem1.inf\r\n[Files]\r\n\xE9.sys=" + std::string(64, 'a') +
                      ",1\r\n\xC9.sys=" + std::string(64, 'a') + ",1\r\n";
  EXPECT_EQ(ParseManifest(twice).error, "the file \"\xC9.sys\" is listed twice");
}

// Links made for real where the system can make them: a listed file that is a symbolic link,
// and a listed folder that is a junction, both to a folder outside the package.
TEST_F(PackageRulesFolderTest, LinksAreNotReadThrough) {
  WritePackage("P", {{"oem1.inf", "oem1.inf"}, {"a.sys", "a.sys"}, {"sub\\b.sys", "sub\\b.sys"}});
  std::string outside = root + "-outside";
  CreateDirectoryA(outside.c_str(), nullptr);
  WriteFileText(outside + "\\a.sys", "bytes of a.sys");
  WriteFileText(outside + "\\b.sys", "bytes of sub\\b.sys");
  std::string file = root + "\\P\\a.sys", folder = root + "\\P\\sub";
  DeleteFileA(file.c_str());
  bool fileLink = CreateSymbolicLinkA(file.c_str(), (outside + "\\a.sys").c_str(), 0) &&
                  GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES;
  DeleteFileA((folder + "\\b.sys").c_str());
  HANDLE junction = CreateFileA(folder.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  // The mount-point reparse data: tag, length, then the target's offset and length, an empty
  // print name, and the target.
  std::wstring target = L"\\??\\" + Wide(outside);
  std::vector<WORD> data(8 + target.size() + 2, 0);
  data[0] = LOWORD(IO_REPARSE_TAG_MOUNT_POINT);
  data[1] = HIWORD(IO_REPARSE_TAG_MOUNT_POINT);
  data[2] = static_cast<WORD>((data.size() - 4) * 2);
  data[5] = static_cast<WORD>(target.size() * 2);
  data[6] = static_cast<WORD>((target.size() + 1) * 2);
  std::copy(target.begin(), target.end(), data.begin() + 8);
  DWORD returned;
  bool folderLink =
      DeviceIoControl(junction, FSCTL_SET_REPARSE_POINT, data.data(),
                      static_cast<DWORD>(data.size() * 2), nullptr, 0, &returned, nullptr) &&
      GetFileAttributesA((folder + "\\b.sys").c_str()) != INVALID_FILE_ATTRIBUTES;
  CloseHandle(junction);
  if (!fileLink || !folderLink) GTEST_SKIP() << "this system makes no symbolic links or junctions";
  EXPECT_FALSE(HashFile(file).read);
  EXPECT_EQ(Lines(), (std::vector<std::string>{
                         "FAIL  P: checked 3 files; a.sys is a link to another place; sub\\b.sys "
                         "is missing; sub is extra"}));
}

}  // namespace
