// Which files an INF installs from its package, read like the system's installer: INFs shaped like
// the ones vendors ship (decorated sections per architecture, files in sub-folders, source-media
// paths, included system INFs, UTF-16), and the paths that must never leave the package.
#include <gtest/gtest.h>

#include "app/drivers/InfSources.h"
#include "app/drivers/InfText.h"

namespace {

// A network adapter's INF: a catalog, media folder and files per architecture, a co-installer in
// a sub-folder, one message file shared by all, and a models section per OS version.
const std::string kNetworkInf = R"(;-------------------------------------------------------------
; brnet.inf - Brantley 2.5 Gigabit Ethernet Adapter (test data)
;-------------------------------------------------------------
[version]
Signature   = "$WINDOWS NT$"
Class       = Net
ClassGUID   = {4d36e972-e325-11ce-bfc1-08002be10318}
Provider    = %Brantley%
CatalogFile.NTAMD64 = brnet64.cat   ; signed per architecture
CatalogFile.NTx86   = brnet32.cat
CatalogFile.NTARM64 = brnetarm.cat
DriverVer   = 05/02/2024,2.5.110.4

[Manufacturer]
%Brantley% = Brantley, NTamd64.10.0...17763, NTamd64.6.3, NTx86, NTarm64, NT.5.1

; Older x86 systems: the undecorated models and those for any NT
[Brantley]
%BR2500.Desc% = BR2500.Old, PCI\VEN_1B7C&DEV_2500
[Brantley.NT.5.1]
%BR2500.Desc% = BR2500.Xp, PCI\VEN_1B7C&DEV_2500
[BR2500.Old]
CopyFiles = BR.Old
[BR.Old]
brnetdiag.exe
[BR2500.Xp]
CopyFiles = @brnetxp.sys

[Brantley.NTamd64.10.0...17763]
%BR2500.Desc% = BR2500.ndi, PCI\VEN_1B7C&DEV_2500
[Brantley.NTamd64.6.3]
%BR2500.Desc% = BR2500.Legacy, PCI\VEN_1B7C&DEV_2500
[Brantley.NTx86]
%BR2500.Desc% = BR2500.ndi, PCI\VEN_1B7C&DEV_2500
[Brantley.NTarm64]
%BR2500.Desc% = BR2500.ndi, PCI\VEN_1B7C&DEV_2500

[BR2500.ndi.NTamd64]
*IfType          = 6
Characteristics  = 0x84
CopyFiles        = BR.Files.amd64, BR.Shared
[BR2500.ndi.NTamd64.CoInstallers]
CopyFiles        = BR.CoInst.amd64
[BR2500.ndi.NTamd64.Interfaces]
AddInterface     = {ad498944-762f-11d0-8dcb-00c04fc3358c},,BR.Interface
[BR.Interface]
CopyFiles        = @brnetif.dll
[BR2500.ndi.NTx86]
CopyFiles        = BR.Files.x86, BR.Shared
[BR2500.ndi.NT]
CopyFiles        = BR.Files.arm64

; Windows 8.1 takes the older driver, from the same media
[BR2500.Legacy]
CopyFiles        = BR.Legacy.amd64

[BR.Files.amd64]
brnet64.sys,,,0x00004000   ; COPYFLG_IN_USE_RENAME
[BR.Legacy.amd64]
brnet63.sys, brnet63_old.sys
[BR.CoInst.amd64]
"brnetco64.dll"
[BR.Files.x86]
brnet32.sys
[BR.Files.arm64]
brnetarm.sys
[BR.Shared]
brnetmsg.dll

[SourceDisksNames.amd64]
1 = %DiskDesc%,,,\x64
[SourceDisksNames.x86]
1 = %DiskDesc%,,,\x86
[SourceDisksNames.arm64]
1 = %DiskDesc%,,,\arm64
[SourceDisksNames]
2 = %DiskDesc%,,,common

[SourceDisksFiles.amd64]
brnet64.sys     = 1
brnet63_old.sys = 1,win8
brnetco64.dll   = 1,%CoInstDir%
brnetif.dll     = 1
[SourceDisksFiles.x86]
brnet32.sys     = 1
brnetxp.sys     = 1
[SourceDisksFiles.arm64]
brnetarm.sys    = 1
[SourceDisksFiles]
brnetmsg.dll    = 2
brnetdiag.exe   = 2,tools
brnet64.sys     = 2     ; the decorated entry wins
readme.txt            ; no disk: not a file entry

[DestinationDirs]
DefaultDestDir = 12

[Strings]
Brantley     = "Brantley Networks"
BR2500.Desc  = "Brantley 2.5 Gigabit Ethernet Adapter"
DiskDesc     = "Brantley Driver Disk"
CoInstDir    = "coinst"
)";

std::vector<std::string> Paths(const TInfSources& sources, bool copiedOnly) {
  std::vector<std::string> paths;
  for (const TInfSourceFile& file : sources.files)
    if (file.copied || !copiedOnly) paths.push_back(file.path);
  return paths;
}

std::vector<std::string> Problems(const TInfSources& sources) {
  std::vector<std::string> texts;
  for (const TInfProblem& problem : sources.problems) texts.push_back(problem.Text());
  return texts;
}

using Strings = std::vector<std::string>;

TEST(InfSourcesTest, NetworkDriverPerArchitecture) {
  struct Row {
    TInfArch arch;
    std::string catalog;
    Strings copied, listed;
  };
  const Row kRows[] = {
      {TInfArch::Amd64,
       "brnet64.cat",
       {"x64\\brnet64.sys", "x64\\win8\\brnet63_old.sys", "x64\\coinst\\brnetco64.dll",
        "x64\\brnetif.dll", "common\\brnetmsg.dll"},
       {"x64\\brnet64.sys", "x64\\win8\\brnet63_old.sys", "x64\\coinst\\brnetco64.dll",
        "x64\\brnetif.dll", "common\\brnetmsg.dll", "common\\tools\\brnetdiag.exe"}},
      // x86 takes the NTx86 models, the NT ones and the undecorated ones.
      {TInfArch::X86,
       "brnet32.cat",
       {"x86\\brnet32.sys", "x86\\brnetxp.sys", "common\\brnetmsg.dll",
        "common\\tools\\brnetdiag.exe"},
       {"x86\\brnet32.sys", "x86\\brnetxp.sys", "common\\brnetmsg.dll",
        "common\\tools\\brnetdiag.exe", "common\\brnet64.sys"}},
      // arm64 has no .NTarm64 install section: the .NT one is taken.
      {TInfArch::Arm64,
       "brnetarm.cat",
       {"arm64\\brnetarm.sys"},
       {"arm64\\brnetarm.sys", "common\\brnetmsg.dll", "common\\tools\\brnetdiag.exe",
        "common\\brnet64.sys"}},
  };
  for (const Row& row : kRows) {
    TInfSources sources = ReadInfSources(kNetworkInf, row.arch);
    SCOPED_TRACE(int(row.arch));
    EXPECT_EQ(sources.catalog, row.catalog);
    EXPECT_EQ(Paths(sources, true), row.copied);
    EXPECT_EQ(Paths(sources, false), row.listed);
    EXPECT_EQ(Problems(sources), Strings{});
  }
  // The same INF saved as UTF-16, as many vendors ship it.
  std::string utf16 = "\xFF\xFE";
  for (char c : kNetworkInf) utf16 += std::string{c, '\0'};
  TInfSources wide = ReadInfSources(utf16, TInfArch::Amd64);
  EXPECT_EQ(wide.catalog, "brnet64.cat");
  EXPECT_EQ(Paths(wide, true), kRows[0].copied);
}

// A display driver: one undecorated media list with several disks in folders of the package (the
// first one with its path field left out), a models section per OS version with their own install
// sections.
const std::string kDisplayInf = R"([Version]
Signature="$Windows NT$"
Provider=%QG%
ClassGUID={4D36E968-E325-11CE-BFC1-08002BE10318}
Class=Display
CatalogFile=qgfx.cat
DriverVer=11/20/2023,31.0.101.5186

[SourceDisksNames]
1 = %DiskId%,,
2 = %DiskId%,,,"Display\Bin64"
3 = %DiskId%,qgfx.tag,,.\Display\Data

[SourceDisksFiles]
qgfxkm.sys=2
qgfxum.dll=2
%OpenCLDll%=2,OpenCL,1048576
qgfx_fw.bin=3
QgfxCpl.exe=1

[Manufacturer]
%QG%=Quillon,NTamd64.10.0...19041,NTamd64.6.1

[Quillon.NTamd64.10.0...19041]
"Quillon Arc Q770"=QG_Win10,PCI\VEN_1D17&DEV_0A01

[Quillon.NTamd64.6.1]
"Quillon Arc Q770"=QG_Win7,PCI\VEN_1D17&DEV_0A01

[QG_Win10]
FeatureScore=F6
CopyFiles=QG.Miniport,QG.UserMode
[QG_Win7]
CopyFiles=QG.Miniport,\
          QG.Firmware   ; the older system loads the firmware from a file

[QG.Miniport]
qgfxkm.sys,,,0x100
[QG.UserMode]
qgfxum.dll
%OpenCLDll%
[QG.Firmware]
QGFX_FW.BIN

[Strings]
QG="Quillon Graphics"
DiskId="Quillon Graphics Installation Disk"
OpenCLDll="qgfx_ocl64.dll"
)";

TEST(InfSourcesTest, DisplayDriverWithMediaFolders) {
  TInfSources sources = ReadInfSources(kDisplayInf, TInfArch::Amd64);
  EXPECT_EQ(sources.catalog, "qgfx.cat");
  EXPECT_EQ(Paths(sources, true),
            (Strings{"Display\\Bin64\\qgfxkm.sys", "Display\\Bin64\\qgfxum.dll",
                     "Display\\Bin64\\OpenCL\\qgfx_ocl64.dll", "Display\\Data\\qgfx_fw.bin"}));
  EXPECT_EQ(sources.files.back().path, "QgfxCpl.exe");
  EXPECT_FALSE(sources.files.back().copied);
  EXPECT_EQ(Problems(sources), Strings{});
  // No x86 models at all: installing it there copies nothing, but the catalog is the same.
  TInfSources x86 = ReadInfSources(kDisplayInf, TInfArch::X86);
  EXPECT_EQ(x86.catalog, "qgfx.cat");
  EXPECT_EQ(Paths(x86, true), Strings{});
}

// A printer: single files copied with "@", the rest from the system's own printer INF through
// Include and Needs, and one needed section that the INF carries itself.
const std::string kPrinterInf =
    "[Version]\r\n"
    "Signature=\"$Windows NT$\"\r\n"
    "Provider=\"Ostrander\"\r\n"
    "ClassGUID={4D36E979-E325-11CE-BFC1-08002BE10318}\r\n"
    "Class=Printer\r\n"
    "CatalogFile=ostr400.cat\r\n"
    "\r\n"
    "[Manufacturer]\r\n"
    "\"Ostrander\"=Ostrander,NTamd64\r\n"
    "\r\n"
    "[Ostrander.NTamd64]\r\n"
    "\"Ostrander LaserPro 400\" = OSTR400.GPD,USBPRINT\\OstranderLaser4001A2B,Ostrander_400\r\n"
    "\r\n"
    "[OSTR400.GPD]\r\n"
    "CopyFiles=@OSTR400.GPD,@OSTRRES.DLL\r\n"
    "CopyFiles=@UNIRES.DLL ; the system's resource DLL, listed by the included INF\r\n"
    "DataFile=OSTR400.GPD\r\n"
    "CoreDriverSections=\"{D20EA372-DD35-4950-9ED8-A6335AFE79F0},UNIDRV.OEM\"\r\n"
    "Include=NTPRINT.INF\r\n"
    "Needs=UNIDRV.OEM,OSTR.Config\r\n"
    "\r\n"
    "[OSTR.Config]\r\n"
    "CopyFiles=OSTR.ConfigFiles\r\n"
    "[OSTR.ConfigFiles]\r\n"
    "ostr400.ini\r\n"
    "\r\n"
    "[SourceDisksNames.amd64]\r\n"
    "1=%Disk1%,,,\r\n"
    "[SourceDisksFiles]\r\n"
    "OSTR400.GPD=1\r\n"
    "OSTRRES.DLL=1\r\n"
    "ostr400.ini=1,config\r\n"
    "[Strings]\r\n"
    "Disk1=\"Ostrander Printer Driver Setup Disk\"\r\n";

TEST(InfSourcesTest, PrinterWithIncludedSystemInf) {
  TInfSources sources = ReadInfSources(kPrinterInf, TInfArch::Amd64);
  EXPECT_EQ(sources.catalog, "ostr400.cat");
  EXPECT_EQ(Paths(sources, true), (Strings{"OSTR400.GPD", "OSTRRES.DLL", "config\\ostr400.ini"}));
  EXPECT_EQ(sources.includes, Strings{"NTPRINT.INF"});
  EXPECT_EQ(Problems(sources), Strings{});  // UNIRES.DLL is the included INF's
  // Without the Include, the unlisted file would be taken from the package's own folder.
  std::string alone = kPrinterInf;
  alone.replace(alone.find("Include=NTPRINT.INF"), 19, "");
  EXPECT_EQ(Problems(ReadInfSources(alone, TInfArch::Amd64)),
            Strings{"UNIRES.DLL is copied but no [SourceDisksFiles] section lists it"});
}

// The parser's rules, each on a small INF: quotes, comments, continued lines, repeated sections,
// strings with "%%", keys in any letter case.
TEST(InfSourcesTest, ReadsTheTextAsTheSystemDoes) {
  TInfText inf(
      "ignored = before any section\n"
      "[ Files ]\n"
      "  a%%.sys , \"b ; c.dll\" , \"say \"\"hi\"\"\" ; comment\n"
      "long = one,\\\n"
      "       two\\   ; continued\n"
      "  ,three\n"
      "[Other]\n"
      "x = %%percent%% %Name% %Missing% 50%\n"
      "[files]\n"
      "e = \"\"\n"
      "bare =\n"
      "[Strings]\n"
      "name = \"Value, with comma\"\n");
  const auto* files = inf.Section("FILES");
  ASSERT_NE(files, nullptr);
  ASSERT_EQ(files->size(), 4u);
  EXPECT_EQ((*files)[0].key, "");
  EXPECT_EQ((*files)[0].fields, (Strings{"a%.sys", "b ; c.dll", "say \"hi\""}));
  EXPECT_EQ((*files)[1].key, "long");
  EXPECT_EQ((*files)[1].fields, (Strings{"one", "two", "three"}));
  EXPECT_EQ((*files)[2].fields, Strings{""});
  EXPECT_EQ((*files)[3].key, "bare");
  EXPECT_EQ((*files)[3].fields, Strings{""});
  EXPECT_EQ(inf.Find("other", "X")->fields, Strings{"%percent% Value, with comma %Missing% 50%"});
  EXPECT_EQ(inf.Section("ignored"), nullptr);
  EXPECT_EQ(inf.Find("Files", "absent"), nullptr);
}

// Each row changes one value of a small INF and expects exactly this problem (or none, for the
// rows at the edge of what is allowed), and x.sys at this place in the package.
TEST(InfSourcesTest, PathsThatLeaveThePackage) {
  const std::string kBase =
      "[Version]\nCatalogFile=CAT\n"
      "[SourceDisksNames]\n1=Disk,TAG,,DISK,FLAGS\n"
      "[SourceDisksFiles]\nx.sys=ENTRY\nLISTED\n"
      "[Manufacturer]\nM=Models,NTamd64\n[Models.NTamd64]\nDev=Inst,PCI\\VEN_1\n"
      "[Inst]\nCopyFiles=COPY\nEXTRA\n[List]\nx.sys,z.sys\n"
      "[Strings]\nSub=sub\n";
  const std::pair<std::string, std::string> kDefaults[] = {
      {"CAT", "x.cat"}, {"TAG", ""},    {"DISK", ""},       {"FLAGS", ""},
      {"ENTRY", "1"},   {"LISTED", ""}, {"COPY", "@x.sys"}, {"EXTRA", ""}};
  struct Row {
    std::string token, value, problem, path;
  };
  const std::string kOut = " leads out of the package";
  const std::string kUnlisted = " is copied but no [SourceDisksFiles] section lists it";
  const std::string kPercent = " holds a \"%\" that the installer may expand to a system folder";
  const std::string kByPath = " is copied by a path, not by a name the package or the system has";
  const std::string kCabinet = "x.sys is on disk 1, whose files are in the cabinet ";
  const Row kRows[] = {
      {"CAT", "x.cat", "", "x.sys"},
      {"CAT", "..\\x.cat", "..\\x.cat" + kOut, "x.sys"},
      {"CAT", "\\x.cat", "\\x.cat is an absolute path", "x.sys"},
      {"CAT", "C:\\x.cat", "C:\\x.cat names a drive or a stream", "x.sys"},
      {"CAT", "x.cat:alt", "x.cat:alt names a drive or a stream", "x.sys"},
      {"CAT", "sub/./x.cat", "", "x.sys"},  // the catalog is sub\x.cat
      {"CAT", ".", ". names no file", "x.sys"},
      {"DISK", "..\\..\\outside", "..\\..\\outside\\x.sys" + kOut, ""},
      {"DISK", "\\\\server\\share", "\\\\server\\share\\x.sys is an absolute path", ""},
      {"DISK", "\\media", "", "media\\x.sys"},  // the root of the media
      {"DISK", "a/b", "", "a\\b\\x.sys"},
      {"ENTRY", "1,c", "", "c\\x.sys"},
      {"ENTRY", "1,...", "...\\x.sys" + kOut, ""},
      {"ENTRY", "1,\"b\\.. \"", "b\\.. \\x.sys" + kOut, ""},
      {"ENTRY", "7", "x.sys is on disk 7, which no [SourceDisksNames] section lists", "x.sys"},
      {"COPY", "@y.sys", "y.sys" + kUnlisted, "x.sys"},
      {"COPY", "List", "z.sys" + kUnlisted, "x.sys"},
      {"COPY", "@", "", "x.sys"},  // copies nothing
      {"EXTRA", "Include=ks.inf\nCopyFiles=@y.sys", "", "x.sys"},
      {"EXTRA", "Include=..\\evil.inf",
       "..\\evil.inf is included from a path, not from the system's INFs", "x.sys"},
      {"EXTRA", "CopyINF=..\\other.inf", "..\\other.inf" + kOut, "x.sys"},
      {"EXTRA", "CopyINF=helper.inf", "", "x.sys"},
      {"EXTRA", "CopyINF=\\other.inf", "\\other.inf is an absolute path", "x.sys"},
      // A directory id (%24% is the system drive's root) or a string no table defines is
      // expanded by the system, and "%%" leaves a "%" to expand.
      {"DISK", "%24%\\Users\\Public", "%24%\\Users\\Public\\x.sys" + kPercent, ""},
      {"DISK", "%Sub%", "", "sub\\x.sys"},
      {"ENTRY", "1,%Nowhere%", "%Nowhere%\\x.sys" + kPercent, ""},
      {"ENTRY", "1,a%%b", "a%b\\x.sys" + kPercent, ""},
      {"CAT", "%24%\\x.cat", "%24%\\x.cat" + kPercent, "x.sys"},
      {"COPY", "@%11%\\y.sys", "%11%\\y.sys" + kByPath, "x.sys"},
      {"COPY", "@y%%.sys", "y%.sys" + kPercent, "x.sys"},
      // Every listed file is taken by the driver store, whether any section copies it or not.
      {"LISTED", "e.sys=1,..\\..", "..\\..\\e.sys" + kOut, "x.sys"},
      {"LISTED", "e.sys=7", "e.sys is on disk 7, which no [SourceDisksNames] section lists",
       "x.sys"},
      {"LISTED", "e.sys=1,sub", "", "x.sys"},
      // An included system INF supplies names, never paths.
      {"EXTRA", "Include=ks.inf\nCopyFiles=@..\\..\\Users\\Public\\e.sys",
       "..\\..\\Users\\Public\\e.sys" + kByPath, "x.sys"},
      {"EXTRA", "Include=ks.inf\nCopyFiles=@c:e.sys", "c:e.sys" + kByPath, "x.sys"},
      {"EXTRA", "Include=ks.inf\nCopyFiles=@a/e.sys", "a/e.sys" + kByPath, "x.sys"},
      {"COPY", "@sub\\y.sys", "sub\\y.sys" + kByPath, "x.sys"},
      {"CAT", "x.cat\nLayoutFile=layout.inf",
       "layout.inf is named by LayoutFile, which a driver package's INF may not use", "x.sys"},
      // A cabinet on the source media: by the flag 0x10 or by its name.
      {"TAG", "x.cab", kCabinet + "x.cab", "x.sys"},
      {"TAG", "X.CAB", kCabinet + "X.CAB", "x.sys"},
      {"TAG", "x.cab\n2=Disk", kCabinet + "x.cab", "x.sys"},  // the line's last field
      {"TAG", "disk1.tag", "", "x.sys"},
      {"TAG", "data.bin,,,0x10", kCabinet + "data.bin", "x.sys"},
      {"FLAGS", "0x11", "x.sys is on disk 1, whose files are in a cabinet", "x.sys"},
      {"FLAGS", "0x20", "", "x.sys"},
  };
  for (const Row& row : kRows) {
    std::string inf = kBase;
    inf.replace(inf.find(row.token), row.token.size(), row.value);
    for (const auto& [token, value] : kDefaults)
      if (size_t at = inf.find(token); at != std::string::npos)
        inf.replace(at, token.size(), value);
    SCOPED_TRACE(inf);
    TInfSources sources = ReadInfSources(inf, TInfArch::Amd64);
    EXPECT_EQ(Problems(sources), row.problem.empty() ? Strings{} : Strings{row.problem});
    std::string path;
    for (const TInfSourceFile& file : sources.files)
      if (file.name == "x.sys") path = file.path;
    EXPECT_EQ(path, row.path);
  }
}

// UTF-16 text with its byte-order mark, every character outside ASCII made '?'; UTF-8 with or
// without its mark; the bytes of an 8-bit code page as they are.
TEST(InfSourcesTest, EncodingsOfTheText) {
  auto utf16 = [](const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t c : text) bytes += std::string{char(c & 0xFF), char(c >> 8)};
    return bytes;
  };
  const std::pair<std::string, std::string> kRows[] = {
      {utf16(u"[Version]\nCatalogFile=a\u007F\u0080\u00e9\u20ac.cat\n"), "a\x7F???.cat"},
      {utf16(u"[Version]\nCatalogFile=odd.cat\n") + "\x41", "odd.cat"},  // a last odd byte
      {utf16(u"[Version]\nCatalogFile=odd.cat") + "\x41", "odd.cat"},    // and at a line's end
      {"\xEF\xBB\xBF[Version]\nCatalogFile=bom.cat\n", "bom.cat"},
      {"[Version]\nCatalogFile=caf\xE9.cat\n", "caf\xE9.cat"},
      {"\xFF\xFE", ""},
  };
  for (const auto& [bytes, catalog] : kRows)
    EXPECT_EQ(ReadInfSources(bytes, TInfArch::Amd64).catalog, catalog);
}

TEST(InfSourcesTest, CatalogOfTheArchitectureFirst) {
  const std::pair<std::string, std::string> kRows[] = {
      {"CatalogFile=a.cat\nCatalogFile.NT=b.cat\nCatalogFile.NTamd64=c.cat", "c.cat"},
      {"CatalogFile=a.cat\nCatalogFile.NT=b.cat\nCatalogFile.NTx86=c.cat", "b.cat"},
      {"CatalogFile.NTx86=c.cat\ncatalogfile=a.cat", "a.cat"},
      {"CatalogFile.NTx86=c.cat", ""},
      {"CatalogFile.NTamd64=\nCatalogFile=a.cat", "a.cat"},
      {"CatalogFile=sub/./x.cat", "sub\\x.cat"},
  };
  for (const auto& [version, catalog] : kRows)
    EXPECT_EQ(ReadInfSources("[Version]\n" + version + "\n", TInfArch::Amd64).catalog, catalog)
        << version;
  EXPECT_EQ(ArchNamed("AMD64"), TInfArch::Amd64);
  EXPECT_EQ(ArchNamed("x86"), TInfArch::X86);
  EXPECT_EQ(ArchNamed("Arm64"), TInfArch::Arm64);
  EXPECT_EQ(ArchNamed("ia64"), TInfArch::X86);
}

}  // namespace
