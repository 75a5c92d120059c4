// The rules a driver package must meet before anything trusts it: the names its manifest may
// use, how names compare, what makes a package verify, and how its texts reach the console.
#include <gtest/gtest.h>

#include <map>

#include "app/drivers/PackageCommand.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageVerify.h"
#include "platform/FileNames.h"
#include "platform/FileSystemMemory.h"
#include "platform/Sha256.h"

namespace {

const std::string kDevice = "names a device";

// A name in a failure message with its bytes beyond ASCII escaped, as the values compared are.
std::string Shown(const std::string& text) {
  return testing::PrintToString(text);
}
const std::string kEnd = "has a name ending in a dot or a blank";

// Each row: a relative path and why a package may not use it, empty when it may. The device
// rows are those Windows opens as a device whatever folder they are in.
TEST(PackageRulesTest, PathsTheFileSystemWouldMisread) {
  const std::pair<std::string, std::string> kRows[] = {
      {"CON", kDevice},
      {"prn.txt", kDevice},
      {"Aux", kDevice},
      {"NUL .sys", kDevice},
      {"nul..txt", kDevice},
      {"AUX .", kDevice},
      {"NUL. .txt", kDevice},
      {"COM5 .sys", kDevice},
      {"com0", kDevice},
      {"COM9.inf", kDevice},
      {"LPT1.sys", kDevice},
      {"lpt0", kDevice},
      {"LPT9.cat", kDevice},
      {"COM\xB9", kDevice},
      {"com\xB2.sys", kDevice},
      {"LPT\xB3 .x", kDevice},
      {"CONIN$", kDevice},
      {"conout$.log", kDevice},
      {"sub\\NUL.sys", kDevice},
      {"NUL\\x.sys", kDevice},
      // Near misses are names like any other.
      {"COM10", ""},
      {"LPT", ""},
      {"COM", ""},
      {"CONSOLE.sys", ""},
      {"NULL", ""},
      {"LPTA.sys", ""},
      {"COM\xB4", ""},
      {"COM\xB1.sys", ""},
      {"AUX1", ""},
      {"CONIN", ""},
      {"CONOUT$1", ""},
      {"xNUL.sys", ""},
      {"NU L", ""},
      {"sub\\dir\\fw.bin", ""},
      // An INF expands "%" in names: a manifest name never holds one.
      {"%24%\\x.sys", "holds a \"%\""},
      {"sub\\a%b.sys", "holds a \"%\""},
      // A name ending in a dot or a blank, a folder's inside a path as well.
      {"sub \\x.sys", kEnd},
      {"sub.\\x.sys", kEnd},
      {"a\\b \\c.sys", kEnd},
      {"x.sys.", kEnd},
      {"x.sys ", kEnd},
      // At most 200 characters in all.
      {std::string(196, 'a') + ".sys", ""},
      {std::string(197, 'a') + ".sys", "is too long"},
      {std::string(99, 'a') + "\\" + std::string(100, 'b'), ""},
      {std::string(100, 'a') + "\\" + std::string(100, 'b'), "is too long"},
  };
  for (const auto& [path, why] : kRows) EXPECT_EQ(UnsafeRelativePath(path), why) << Shown(path);
}

TEST(PackageRulesTest, DeviceRuleStopsAtDotsAndColons) {
  const std::pair<std::string, bool> kRows[] = {
      {"NUL:", true},    {"com1:x", true}, {"CON  ", true}, {"CON  .", true}, {"CONOUT$ ", true},
      {"LPT\xB9", true}, {" NUL", false},  {"", false},     {".NUL", false},  {"COM\xBA", false},
  };
  for (const auto& [name, device] : kRows) {
    EXPECT_EQ(platform::IsReservedDeviceName(name), device) << Shown(name);
    EXPECT_EQ(platform::NamesDevice(name), device) << Shown(name);
  }
}

const std::string kHash(64, 'a');

std::string WithFiles(const std::string& files) {
  return "[Package]\r\nInf=oem1.inf\r\n[Files]\r\noem1.inf=" + kHash + ",1\r\n" + files + "\r\n";
}

// Each row: a manifest and the reader's exact answer. Several rules would also refuse what an
// earlier one does, so only the exact reason shows that each rule holds.
TEST(PackageRulesTest, ManifestsRefusedWithTheirReason) {
  const std::string sound = WithFiles("a.sys=" + kHash + ",1");
  const std::pair<std::string, std::string> kRows[] = {
      {sound, ""},
      {WithFiles("LPT1.sys=" + kHash + ",1"), "the file \"LPT1.sys\" names a device"},
      {WithFiles("NUL .sys=" + kHash + ",1"), "the file \"NUL .sys\" names a device"},
      {WithFiles("sub\\COM\xB3.sys=" + kHash + ",1"),
       "the file \"sub\\COM\xB3.sys\" names a device"},
      {WithFiles("sub \\x.sys=" + kHash + ",1"), "the file \"sub \\x.sys\" " + kEnd},
      {WithFiles("a.sys=" + kHash + "a,1"), "the file \"a.sys\" has no valid SHA-256"},
      {WithFiles("a.sys=" + kHash.substr(1) + ",1"), "the file \"a.sys\" has no valid SHA-256"},
      {WithFiles("a.sys=" + std::string(64, 'A') + ",1"),
       "the file \"a.sys\" has no valid SHA-256"},
      {WithFiles("a.sys=" + kHash), "the file \"a.sys\" has no valid SHA-256"},
      {WithFiles("a.sys=" + kHash + ","), "the file \"a.sys\" has no valid size"},
      {WithFiles("a.sys=" + kHash + ",1099511627776"), ""},
      {WithFiles("a.sys=" + kHash + ",1099511627777"), "the file \"a.sys\" has no valid size"},
      {WithFiles("a.sys=" + kHash + ",001099511627776"), ""},
      {WithFiles("a.sys=" + kHash + ",0001099511627776"), "the file \"a.sys\" has no valid size"},
      {WithFiles("x.sys=" + kHash + ",1\r\nX.SYS=" + kHash + ",2"),
       "the file \"X.SYS\" is listed twice"},
      {WithFiles(std::string(196, 'a') + ".sys=" + kHash + ",1"), ""},
      {WithFiles(std::string(197, 'a') + ".sys=" + kHash + ",1"),
       "the file \"" + std::string(197, 'a') + ".sys\" is too long"},
      {"[Package]\r\nInf=Con.inf\r\n[Files]\r\n", "the INF name \"Con.inf\" names a device"},
      {WithFiles("%24%\\x.sys=" + kHash + ",1"), "the file \"%24%\\x.sys\" holds a \"%\""},
      {"[Package]\r\nInf=oem%1%.inf\r\n[Files]\r\n", "the INF name \"oem%1%.inf\" holds a \"%\""},
      {"[Package]\r\nInf=oem1.inf\r\nOriginalInf=sub\\a.inf\r\n[Files]\r\n",
       "the INF name \"sub\\a.inf\" names a sub-folder"},
      // Notepad's byte order mark, only at the start and only whole.
      {"\xEF\xBB\xBF" + sound, ""},
      {"\xEF\xBB" + sound, "the manifest has no [Package] or no [Files] section"},
      {"\xEF\xBB\xBF\xEF\xBB\xBF" + sound, "the manifest has no [Package] or no [Files] section"},
  };
  for (const auto& [text, error] : kRows)
    EXPECT_EQ(ParseManifest(text).error, error) << Shown(text);
  TManifestRead marked = ParseManifest("\xEF\xBB\xBF" + sound);
  ASSERT_EQ(marked.manifest.files.size(), 2u);
  EXPECT_EQ(marked.manifest.inf, "oem1.inf");
}

TEST(PackageRulesTest, NamesCompareAsTheFileSystemDoes) {
  const std::tuple<std::string, std::string, bool> kRows[] = {
      {"Korvo.SYS", "kORVO.sys", true},
      {"az", "AZ", true},
      {"sub\\x.sys", "SUB\\X.SYS", true},
      {"`", "@", false},
      {"{", "[", false},
      {"a.sys", "a.sys ", false},
      {"a", "b", false},
      {"", "", true},
#ifdef _WIN32
      // Beyond ASCII the system's case table folds: é and É in the ANSI code page.
      {"\xE9.sys", "\xC9.SYS", true},
#else
      {"\xE9.sys", "\xC9.SYS", false},
#endif
  };
  for (const auto& [a, b, same] : kRows) {
    EXPECT_EQ(SameFileName(a, b), same) << Shown(a) << Shown(b);
    EXPECT_EQ(FileNameKey(a) == FileNameKey(b), same) << Shown(a) << Shown(b);
  }
}

std::string Sha256(const std::string& content) {
  platform::Sha256 hash;
  hash.Update(content.data(), content.size());
  return platform::HexDigest(hash.Final());
}

// A file system that counts whole-file reads per path, and can claim other sizes than it holds.
class CountingFiles : public platform::MemoryFileSystem {
 public:
  std::map<std::string, int> reads;
  std::map<std::string, std::uint64_t> claimedSizes;

  bool ReadFileChunks(const std::string& path,
                      const std::function<void(const char*, size_t)>& sink) override {
    ++reads[path];
    return MemoryFileSystem::ReadFileChunks(path, sink);
  }
  std::optional<std::uint64_t> FileSize(const std::string& path) override {
    auto claimed = claimedSizes.find(path);
    if (claimed != claimedSizes.end()) return claimed->second;
    return MemoryFileSystem::FileSize(path);
  }
};

// Packages laid out in memory the way export writes them, for verify to check.
struct PackageDisk {
  CountingFiles files;
  platform::ScopedInstall<platform::FileSystem> use{files};

  PackageDisk() { files.AddFolder("D:\\Pk"); }

  // Writes the files and a manifest listing them, with the INF it names and what it lacks.
  void Write(const std::string& package, const std::vector<std::string>& names,
             const std::vector<std::string>& missing = {}, const std::string& inf = "oem1.inf") {
    TPackageManifest manifest;
    manifest.inf = inf;
    for (const std::string& name : names) {
      files.AddFile("D:\\Pk\\" + package + "\\" + name, "bytes of " + name);
      manifest.files.push_back({name, Sha256("bytes of " + name), 9 + name.size()});
    }
    for (const std::string& name : missing)
      manifest.missing.push_back({name, "not found on this system"});
    files.AddFile(Manifest(package), FormatManifest(manifest));
  }
  std::string Manifest(const std::string& package) const {
    return "D:\\Pk\\" + package + "\\package.ini";
  }
  std::vector<std::string> Lines(const std::string& root = "D:\\Pk") {
    std::vector<std::string> lines;
    for (const TPackageReport& report : VerifyPackages(root))
      lines.push_back(FormatReportLine(report));
    return lines;
  }
};

using Lines = std::vector<std::string>;

TEST(PackageRulesTest, FoldersWithoutManifestAreReported) {
  PackageDisk disk;
  disk.Write("Sound", {"oem1.inf", "sub\\a.sys"});
  disk.files.AddFile("D:\\Pk\\Lost\\oem2.inf", "x");
  disk.files.AddFolder("D:\\Pk\\Empty");
  disk.files.AddFile("D:\\Pk\\notes.txt", "not a package");
  EXPECT_EQ(disk.Lines(),
            (Lines{"OK    Sound: verified 2 files", "FAIL  Lost: not verified; no manifest",
                   "FAIL  Empty: not verified; no manifest"}));
  EXPECT_EQ(PackageExitCode(VerifyPackages("D:\\Pk")), kExitFailed);
  // A package given itself is the one package, its sub-folders part of it.
  EXPECT_EQ(disk.Lines("D:\\Pk\\Sound\\"), (Lines{"OK    Sound: verified 2 files"}));
  // A folder of files only holds no packages: nothing to do.
  EXPECT_EQ(PackageExitCode(VerifyPackages("D:\\Pk\\Lost")), kExitUsage);
}

// Each row: a package as written, changed by the row, and its exact line. A package verifies
// only when it can be installed as it is.
TEST(PackageRulesTest, PackagesThatCannotBeInstalledFail) {
  struct Row {
    std::vector<std::string> names, missing;
    std::string inf;
    std::function<void(PackageDisk&)> change;
    std::string line;
  };
  const Row kRows[] = {
      {{"oem1.inf", "a.sys"}, {}, "oem1.inf", {}, "OK    P: verified 2 files"},
      {{"OEM1.INF", "a.sys"}, {}, "oem1.inf", {}, "OK    P: verified 2 files"},
      {{}, {}, "oem1.inf", {}, "FAIL  P: checked 0 files; the manifest lists no files"},
      {{"a.sys"},
       {},
       "oem1.inf",
       {},
       "FAIL  P: checked 1 file; the INF oem1.inf is not listed in the manifest"},
      {{"a.sys"},
       {},
       "oem1.inf",
       [](PackageDisk& d) { d.files.AddFile("D:\\Pk\\P\\oem1.inf", "unlisted"); },
       "FAIL  P: checked 1 file; the INF oem1.inf is not listed in the manifest; oem1.inf is "
       "extra"},
      {{"oem1.inf", "a.sys"},
       {},
       "oem1.inf",
       [](PackageDisk& d) { d.files.MoveFileOver("D:\\Pk\\P\\oem1.inf", "D:\\elsewhere.inf"); },
       "FAIL  P: checked 2 files; oem1.inf is missing"},
      {{},
       {"oem1.inf", "a.sys"},
       "oem1.inf",
       {},
       "FAIL  P: checked 0 files; the manifest lists no files; incomplete, not exported: oem1.inf "
       "a.sys"},
      {{"oem1.inf", "a.sys"},
       {"b.sys"},
       "oem1.inf",
       {},
       "FAIL  P: checked 2 files; incomplete, not exported: b.sys"},
      {{"oem1.inf", "a.sys"},
       {},
       "oem1.inf",
       [](PackageDisk& d) { d.files.SetLink("D:\\Pk\\P\\a.sys"); },
       "FAIL  P: checked 2 files; a.sys is a link to another place"},
      // The second name of the file system for the same file is no extra file.
      {{"oem1.inf", "a.sys"},
       {},
       "oem1.inf",
       [](PackageDisk& d) { d.files.AddFile("D:\\Pk\\P\\A.SYS", "bytes of a.sys"); },
       "OK    P: verified 2 files"},
  };
  for (const Row& row : kRows) {
    PackageDisk disk;
    disk.Write("P", row.names, row.missing, row.inf);
    if (row.change) row.change(disk);
    EXPECT_EQ(disk.Lines(), Lines{row.line});
  }
}

// The manifest's size is asked first: a larger one is never read, one of the largest size is.
TEST(PackageRulesTest, ManifestSizeIsCheckedBeforeReading) {
  PackageDisk disk;
  disk.Write("Big", {"oem1.inf"});
  disk.files.claimedSizes[disk.Manifest("Big")] = std::uint64_t{1} << 40;
  disk.files.AddFile(disk.Manifest("Full"), std::string(kManifestMaxBytes, ';'));
  disk.files.AddFile(disk.Manifest("Over"), std::string(kManifestMaxBytes + 1, ';'));
  EXPECT_EQ(disk.Lines(),
            (Lines{"FAIL  Big: not verified; package.ini: the manifest is too large",
                   "FAIL  Full: not verified; package.ini: the manifest has no [Package] or no "
                   "[Files] section",
                   "FAIL  Over: not verified; package.ini: the manifest is too large"}));
  EXPECT_EQ(disk.files.reads[disk.Manifest("Big")], 0);
  EXPECT_EQ(disk.files.reads[disk.Manifest("Full")], 1);
  EXPECT_EQ(disk.files.reads[disk.Manifest("Over")], 0);

  disk.files.AddFile("D:\\ten.txt", "0123456789");
  EXPECT_EQ(ReadSmallFile("D:\\ten.txt", 10), "0123456789");
  EXPECT_EQ(ReadSmallFile("D:\\ten.txt", 9), std::nullopt);
  EXPECT_EQ(disk.files.reads["D:\\ten.txt"], 1);
  EXPECT_EQ(ReadSmallFile("D:\\absent.txt", 9), std::nullopt);
}

TEST(PackageRulesTest, ControlCharactersAreShownNotSent) {
  const std::pair<std::string, std::string> kRows[] = {
      {"plain text", "plain text"},
      {"\x1B[2K", "\\x1B[2K"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\t\r\n", "\\x09\\x0D\\x0A"},
      {"\x1F\x20", "\\x1F "},
      {"\x7E\x7F", "~\\x7F"},
      {"\x80\x9B\xE9\xFF", "\x80\x9B\xE9\xFF"},  // letters of the ANSI code page
  };
  for (const auto& [text, visible] : kRows) EXPECT_EQ(VisibleText(text), visible) << Shown(text);

  // A package that lacks a file whose name would repaint its line as a success.
  PackageDisk disk;
  disk.Write("P", {"oem1.inf"});
  disk.files.AddFile(disk.Manifest("P"),
                     *disk.files.Content(disk.Manifest("P")) +
                         "[Missing]\r\nx\x1B[1G\x1B[2KOK    P: verified 1 file\x1B[K=gone\r\n");
  Lines lines = disk.Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0],
            "FAIL  P: checked 1 file; incomplete, not exported: x\\x1B[1G\\x1B[2KOK    P: verified "
            "1 file\\x1B[K");
  TPackageReport named{"\x1B[2K\rOK    Q", "verified 1 file", {"a.sys is missing"}};
  EXPECT_EQ(FormatReportLine(named),
            "FAIL  \\x1B[2K\\x0DOK    Q: verified 1 file; a.sys is missing");
}

}  // namespace
