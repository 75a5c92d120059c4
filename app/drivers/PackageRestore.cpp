#include "app/drivers/PackageRestore.h"

#include <set>

#include "app/drivers/InfSources.h"
#include "app/drivers/InfText.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageStage.h"
#include "app/drivers/PackageVerify.h"
#include "platform/DriverSetup.h"

namespace {

// The INF's models that match present devices, each hardware ID once.
std::vector<std::string> PresentModels(const std::string& infText) {
  std::set<std::string> present;
  for (const std::string& id : platform::DriverSetup::Current().PresentDeviceIds())
    present.insert(UpperAscii(id));
  std::vector<std::string> matching;
  std::set<std::string> taken;
  for (const std::string& id : InfModelIds(infText))
    if (present.count(UpperAscii(id)) && taken.insert(UpperAscii(id)).second)
      matching.push_back(id);
  return matching;
}

// Why the INF may not be installed from its package: a path of it that leads out of the package,
// or a file it copies, or its catalog, that the manifest does not list (the installer would
// look for it beside the staged files, where only listed ones are).
std::vector<std::string> InfMismatches(const TPackageManifest& manifest, const std::string& inf) {
  TInfSources sources = ReadInfSources(inf, BuildArch());
  std::vector<std::string> problems;
  for (const TInfProblem& problem : sources.problems) problems.push_back(problem.Text());
  std::set<std::string> listed;
  for (const TPackageFile& file : manifest.files) listed.insert(FileNameKey(file.path));
  auto require = [&](const std::string& path) {
    if (!listed.count(FileNameKey(path)))
      problems.push_back(path + " is named by the INF but not in the package");
  };
  if (!sources.catalog.empty()) require(sources.catalog);
  for (const TInfSourceFile& file : sources.files)
    if (file.copied && file.problem.reason.empty()) require(file.path);
  return problems;
}

// Why the staged package may not be installed: staging failed, a file changed after it was
// verified (a forced restore takes the files as they are), or the INF does not match the package.
std::vector<std::string> Refusals(const std::string& failed, const TPackageStage& stage,
                                  const TPackageManifest& manifest, bool verified) {
  if (!failed.empty()) return {failed};
  if (!stage.Kept()) return {manifest.InstallInf() + " could not be read from the package"};
  std::vector<std::string> refused;
  if (verified)
    for (const std::string& path : stage.Changed())
      refused.push_back(path + " changed after it was verified");
  return refused.empty() ? InfMismatches(manifest, *stage.Kept()) : refused;
}

// Installs the staged INF and gives the present devices it is made for its driver, both from
// the staged copy. verified: whether the package passed verification (else it is forced).
void Install(TPackageReport& report, const TPackageManifest& manifest, const TPackageStage& stage,
             bool verified) {
  platform::DriverSetup& setup = platform::DriverSetup::Current();
  std::string inf = stage.Path(manifest.InstallInf());
  platform::TInfInstall installed = setup.InstallInf(inf);
  switch (installed.outcome) {
    case platform::TInfInstall::Present:
      report.outcome = "already present as " + installed.oemInf;
      if (!verified) report.outcome += ", and it failed verification";
      return;
    case platform::TInfInstall::Failed:
      report.outcome = "failed";
      report.problems.push_back(manifest.InstallInf() + " was not installed: " + installed.error);
      return;
    case platform::TInfInstall::Installed:
      break;
  }
  report.outcome = "installed as " + installed.oemInf;
  if (!verified) report.outcome += " although it failed verification";
  bool restart = false;
  for (const std::string& id : PresentModels(*stage.Kept())) {
    platform::TDeviceUpdate update = setup.UpdateDevices(id, inf);
    restart = restart || update.restartNeeded;
    switch (update.outcome) {
      case platform::TDeviceUpdate::Updated:
        report.outcome += "; device " + id + " updated";
        break;
      case platform::TDeviceUpdate::Kept:
        report.outcome += "; device " + id + " kept its better driver";
        break;
      case platform::TDeviceUpdate::Gone:
        break;
      case platform::TDeviceUpdate::Failed:
        report.problems.push_back("device " + id + " was not updated: " + update.error);
        break;
    }
  }
  if (restart) report.outcome += "; restart Windows to finish";
}

TPackageReport RestoreOne(const std::string& folder, bool force, const TPackageProgress& progress) {
  TPackageManifest manifest;
  TPackageReport report = VerifyPackage(folder, manifest, progress);
  // A verification cut short says nothing of the package: even a forced restore stops there.
  if (progress.Cancelled()) {
    report.outcome = "cancelled";
    return report;
  }
  bool verified = report.Succeeded();
  if (!verified && (!force || manifest.inf.empty())) {
    report.outcome = "skipped: it failed verification";
    return report;
  }
  // The installer reads the staged copy, never the package folder, which another process may
  // change at any time. A forced restore installs the files as they are now.
  TPackageStage stage;
  std::string failed = stage.Copy(folder, manifest, manifest.InstallInf(), kInfMaxBytes, progress);
  if (stage.Cancelled()) {
    report.outcome = "not installed";
    report.problems.push_back("restore cancelled");
    return report;
  }
  std::vector<std::string> refused = Refusals(failed, stage, manifest, verified);
  if (!refused.empty()) {
    report.outcome = "not installed";
    report.problems.insert(report.problems.end(), refused.begin(), refused.end());
    return report;
  }
  progress.File(report.package, manifest.InstallInf());
  Install(report, manifest, stage, verified);
  return report;
}

}  // namespace

std::vector<std::string> InfModelIds(const std::string& infText) {
  TInfText inf(infText);
  std::vector<std::string> ids;
  const auto* manufacturers = inf.Section("Manufacturer");
  if (!manufacturers) return ids;
  for (const TInfText::Line& line : *manufacturers) {
    const std::vector<std::string>& models = line.fields;
    std::vector<std::string> sections = {models[0]};
    for (size_t i = 1; i < models.size(); ++i) sections.push_back(models[0] + "." + models[i]);
    for (const std::string& section : sections)
      if (const auto* devices = inf.Section(section))
        for (const TInfText::Line& device : *devices)
          for (size_t i = 1; i < device.fields.size(); ++i)
            if (!device.fields[i].empty()) ids.push_back(device.fields[i]);
  }
  return ids;
}

std::string RestoreRefusal() {
  return platform::DriverSetup::Current().InstallRefusal();
}

std::vector<TPackageReport> RestorePackages(const std::string& root, bool force,
                                            const TPackageProgress& progress) {
  std::vector<TPackageReport> reports;
  for (const std::string& folder : FindPackageFolders(root)) {
    progress.Done(reports, RestoreOne(folder, force, progress));
    if (progress.Cancelled()) break;
  }
  return reports;
}
