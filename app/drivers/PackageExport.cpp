#include "app/drivers/PackageExport.h"

#include <algorithm>
#include <map>
#include <set>

#include "app/drivers/InfSources.h"
#include "app/drivers/InfText.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/untBackUpDriver.h"
#include "app/drivers/untLoadInfo.h"
#include "app/drivers/untReg.h"
#include "app/drivers/untSearchDriver.h"
#include "text/Paths.h"
#include "platform/DriverSetup.h"
#include "platform/FileSystem.h"

namespace {

// Where the system keeps the catalogs of installed INF files, as oemN.cat.
const char kCatRoot[] = "\\CatRoot\\{F750E6C3-38EE-11D1-85E5-00C04FC295EE}\\";
const char kFileRepository[] = "\\DriverStore\\FileRepository\\";
const char kNotCopiedYet[] = "not copied: the export did not finish";
const char kCancelled[] = "not copied: the export was cancelled";
const char kMicrosoft[] = "Microsoft";

std::string Stem(const std::string& name) {
  return name.substr(0, name.rfind('.'));
}

struct TPlannedFile {
  std::string source;    // full path on this system
  std::string relative;  // its place in the package folder
};

struct TPlan {
  TPackageManifest manifest;
  std::vector<TPlannedFile> files;
  std::string unusable;  // why there is no package to export, when there is none
};

// The driver-store folder of the installed INF: the system's answer, else the repository folder
// holding an INF with the very same bytes (the system installs a store INF unchanged). storeInf
// is that INF's own name.
std::string FindStoreFolder(const std::string& infPath, std::string& storeInf) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  THashedFile installed = HashFile(infPath);
  auto holdsInf = [&](const std::string& folder) {
    for (const std::string& name : fs.ListFolder(folder + "\\", "*.inf")) {
      THashedFile hashed = HashFile(JoinPath(folder, name));
      if (hashed.read && hashed.size == installed.size && hashed.sha256 == installed.sha256) {
        storeInf = name;
        return true;
      }
    }
    return false;
  };
  std::string located = platform::DriverSetup::Current().DriverStoreFolder(infPath);
  if (!located.empty() && holdsInf(located)) return located;
  std::string repository = fs.SystemDirectory() + kFileRepository;
  for (const std::string& entry : fs.ListFolder(repository, "*.*"))
    if (fs.DirectoryExists(repository + entry) && holdsInf(repository + entry))
      return repository + entry;
  return {};
}

void PlanStore(TPlan& plan, const std::string& folder) {
  for (const std::string& relative : ListFileTree(folder)) {
    if (SameFileName(relative, kManifestName)) continue;
    std::string why = UnsafeRelativePath(relative);
    if (why.empty())
      plan.files.push_back({JoinPath(folder, relative), relative});
    else
      plan.manifest.missing.push_back({relative, "not copied: the name " + why});
  }
}

// The INF, the files its source sections list for the system's architecture where they are
// installed, and the catalog it names from the system's catalog store. Each file goes where the
// INF's source paths put it in the package (a folder per architecture, say), so that the system
// finds it there when the package is installed again.
void PlanFiles(TPlan& plan, const std::string& infPath) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::string systemDir = fs.SystemDirectory(), windowsDir = fs.WindowsDirectory();
  std::set<std::string> taken;
  auto add = [&](const std::string& source, const std::string& relative) {
    if (taken.insert(FileNameKey(relative)).second) plan.files.push_back({source, relative});
  };
  add(infPath, plan.manifest.inf);
  TInfSources sources =
      ReadInfSources(ReadSmallFile(infPath, kInfMaxBytes).value_or(""), DriverArch());
  for (const TInfSourceFile& file : sources.files) {
    // A file the installer could not take from the package is left out, whatever the reason: a
    // package restore would refuse is never written as sound.
    if (!file.problem.reason.empty()) {
      plan.manifest.missing.push_back(
          {file.problem.path, std::string("not copied: ") +
                                  (file.path.empty() ? "the path " : "it ") + file.problem.reason});
      continue;
    }
    if (std::string why = UnsafeRelativePath(file.path); !why.empty()) {
      plan.manifest.missing.push_back({file.path, "not copied: the path " + why});
      continue;
    }
    std::string name = fw::ExtractFileName(file.path);
    std::string found = FindFileNoCase(DriverFileFolder(name, systemDir, windowsDir), name);
    if (found.empty())
      plan.manifest.missing.push_back({file.path, "not found on this system"});
    else  // the installed file's own letter case, in the folder the INF gives it
      add(found, JoinPath(fw::ExtractFileDir(file.path), fw::ExtractFileName(found)));
  }
  const TInfProblem& unusable = sources.catalogProblem;
  if (sources.catalog.empty() && unusable.reason.empty()) return;
  std::string stored = systemDir + kCatRoot + Stem(plan.manifest.inf) + ".cat";
  if (!unusable.reason.empty() || !UnsafeRelativePath(sources.catalog).empty())
    plan.manifest.missing.push_back({unusable.reason.empty() ? sources.catalog : unusable.path,
                                     "not copied: the INF names an unusable catalog"});
  else if (!platform::FileExists(stored))
    plan.manifest.missing.push_back(
        {sources.catalog,
         "catalog not found in the system's catalog store (" + fw::ExtractFileName(stored) + ")"});
  else
    add(stored, sources.catalog);
}

TPlan PlanPackage(const TExportDriver& driver) {
  TPlan plan;
  TPackageManifest& m = plan.manifest;
  auto read = [&](const char* name) {
    return RegReadString(kLocalMachine, driver.keyPath, name, "");
  };
  std::string classKey = fw::ExtractFileDir(driver.keyPath);
  m.device = driver.device;
  m.className = RegReadString(kLocalMachine, classKey, "", "");
  m.classGuid = fw::ExtractFileName(classKey);
  m.provider = read("ProviderName");
  m.version = read("DriverVersion");
  m.date = read("DriverDate");
  m.inf = read("InfPath");
  std::string infPath = InfFilePath(m.inf);
  // Without its INF there is nothing the system could install, so no package is written.
  if (m.inf.empty() || !UnsafeFileName(m.inf).empty()) {
    plan.unusable = "the driver names no usable INF file";
    return plan;
  }
  if (!platform::FileExists(infPath)) {
    plan.unusable = "its INF file " + m.inf + " is not on this system";
    return plan;
  }
  std::string storeInf;
  std::string store = FindStoreFolder(infPath, storeInf);
  if (!store.empty()) {
    m.source = "store";
    if (!SameFileName(storeInf, m.inf)) m.originalInf = storeInf;
    PlanStore(plan, store);
  } else {
    m.source = "files";
    PlanFiles(plan, infPath);
  }
  return plan;
}

// Writes the manifest beside a temporary name first, so that a reader never meets half of one.
std::string WriteManifest(const std::string& folder, const TPackageManifest& manifest) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::string path = JoinPath(folder, kManifestName), temporary = path + ".new";
  if (fs.WriteFileWhole(temporary, FormatManifest(manifest)) && fs.MoveFileOver(temporary, path))
    return {};
  return std::string(kManifestName) + " could not be written: " + fs.LastErrorText();
}

std::string PackageFolderName(const std::string& device, const std::string& destination,
                              std::set<std::string>& used) {
  std::string base = PackageFolderBase(device);
  // Two devices whose names sanitise alike get folders of their own, so that neither package
  // overwrites the other's files and manifest; and nothing in the destination is ever written
  // over: an earlier package (a failed or cancelled export would leave it half replaced, and
  // files of an older driver version would stay in the new package), nor a file of that name.
  platform::FileSystem& fs = platform::FileSystem::Current();
  auto taken = [&](const std::string& name) {
    std::string path = JoinPath(destination, name);
    return used.count(FileNameKey(name)) || fs.DirectoryExists(path) || platform::FileExists(path);
  };
  std::string name = base;
  for (int n = 2; taken(name); ++n) name = base + " (" + std::to_string(n) + ")";
  used.insert(FileNameKey(name));
  return name;
}

// Copies the planned files one by one, each hashed where it landed.
TPackageReport ExportOne(const TExportDriver& driver, const std::string& folder,
                         const std::string& name, const TPackageProgress& progress,
                         bool& cancelled) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  TPackageReport report{name, {}, {}};
  TPlan plan = PlanPackage(driver);
  if (!plan.unusable.empty()) {
    report.outcome = "not exported";
    report.problems.push_back(plan.unusable);
    return report;
  }
  // The package's own folder is made here and nowhere else: should it have come into being since
  // its name was chosen, the package fails rather than writing into what is there.
  if (!CreateFolderPath(fw::ExtractFileDir(folder)) || !fs.CreateFolder(folder)) {
    report.outcome = "not exported";
    report.problems.push_back("the folder could not be created: " + fs.LastErrorText());
    return report;
  }
  TPackageManifest manifest = plan.manifest;
  for (const TPlannedFile& file : plan.files)
    manifest.missing.push_back({file.relative, kNotCopiedYet});
  std::string failed = WriteManifest(folder, manifest);
  manifest.missing = plan.manifest.missing;
  size_t next = 0;
  for (; failed.empty() && next < plan.files.size() && !cancelled; ++next) {
    const TPlannedFile& file = plan.files[next];
    progress.File(name, file.relative);
    std::string target = JoinPath(folder, file.relative);
    std::string parent = fw::ExtractFileDir(target);
    THashedFile copied;
    if (CreateFolderPath(parent) && fs.CopyFileOver(file.source, target)) copied = HashFile(target);
    if (copied.read)
      manifest.files.push_back({file.relative, copied.sha256, copied.size});
    else
      manifest.missing.push_back({file.relative, "not copied: " + fs.LastErrorText()});
    cancelled = progress.Cancelled();
  }
  for (; next < plan.files.size(); ++next)
    manifest.missing.push_back({plan.files[next].relative, cancelled ? kCancelled : kNotCopiedYet});
  if (failed.empty()) failed = WriteManifest(folder, manifest);
  if (!failed.empty()) report.problems.push_back(failed);
  for (const TPackageMissing& missing : manifest.missing)
    report.problems.push_back(missing.path + " " + missing.reason);
  report.outcome = "exported " + std::to_string(manifest.files.size()) + " of " +
                   FileCount(manifest.files.size() + manifest.missing.size()) + " (" +
                   manifest.source + ")";
  return report;
}

}  // namespace

std::string TExportDriver::PackageKey() const {
  // "*" cannot be part of a file name, so a description never passes for an INF.
  return inf.empty() ? "*" + device : FileNameKey(inf);
}

std::vector<TExportDriver> ScanExportDrivers(std::uint8_t mode) {
  std::vector<TExportDriver> drivers;
  if (mode != smRecommended && mode != smAll) return drivers;
  std::set<std::string> packages;
  // The list's rule for which drivers a mode takes; the list keeps one row per description,
  // while a package is made per INF.
  ForEachDriverInstance([&](const std::string&, const std::string& key) {
    TExportDriver driver{RegReadString(kLocalMachine, key, "DriverDesc", ""), key,
                         RegReadString(kLocalMachine, key, "InfPath", ""),
                         RegReadString(kLocalMachine, key, "ProviderName", kMicrosoft)};
    if (driver.device.empty() || (mode == smRecommended && driver.provider == kMicrosoft)) return;
    if (packages.insert(driver.PackageKey()).second) drivers.push_back(driver);
  });
  return drivers;
}

std::vector<TOfferedDriver> OfferedDrivers() {
  std::vector<TOfferedDriver> offered;
  std::set<std::string> listed;
  std::map<std::string, int> rows;  // per description
  for (std::uint8_t mode : {smRecommended, smAll})
    for (const TExportDriver& driver : ScanExportDrivers(mode))
      if (listed.insert(driver.PackageKey()).second) {
        offered.push_back({driver, driver.device, mode == smRecommended});
        ++rows[driver.device];
      }
  for (TOfferedDriver& row : offered)
    if (rows[row.driver.device] > 1)
      row.label +=
          " (" + row.driver.provider + (row.driver.inf.empty() ? "" : ", " + row.driver.inf) + ")";
  return offered;
}

std::vector<TPackageReport> ExportPackages(const std::vector<TExportDriver>& drivers,
                                           const std::string& destination,
                                           const TPackageProgress& progress) {
  std::vector<TPackageReport> reports;
  if (std::string refused = UnsuitableDestination(destination); !refused.empty()) {
    progress.Done(reports, {destination, "not exported", {refused}});
    return reports;
  }
  std::string root = NormalDestination(destination);
  std::set<std::string> used;
  bool cancelled = false;
  for (const TExportDriver& driver : drivers) {
    if (cancelled) break;
    std::string name = PackageFolderName(driver.device, root, used);
    progress.Done(reports, ExportOne(driver, JoinPath(root, name), name, progress, cancelled));
  }
  return reports;
}
