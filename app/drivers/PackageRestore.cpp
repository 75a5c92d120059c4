#include "app/drivers/PackageRestore.h"

#include <algorithm>
#include <set>

#include "app/drivers/InfText.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageInf.h"
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
  if (!refused.empty()) return refused;
  // The INFs that CopyINF names are read from the stage as well.
  return PackageInfProblems(manifest, *stage.Kept(), [&](const std::string& path) {
    return ReadSmallFile(stage.Path(path), kInfMaxBytes);
  });
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

// Copies the package into the stage and, unless that failed, was cancelled or the staged INF may
// not be installed, installs it from there.
void StageAndInstall(TPackageReport& report, TPackageStage& stage, const std::string& folder,
                     const TPackageManifest& manifest, bool verified,
                     const TPackageProgress& progress) {
  std::string failed = stage.Copy(folder, manifest, manifest.InstallInf(), kInfMaxBytes, progress);
  if (stage.Cancelled()) {
    report.outcome = "not installed";
    report.problems.push_back("restore cancelled");
    return;
  }
  std::vector<std::string> refused = Refusals(failed, stage, manifest, verified);
  if (!refused.empty()) {
    report.outcome = "not installed";
    // A forced package names its verification's problems already, the INF's among them.
    for (const std::string& problem : refused)
      if (std::find(report.problems.begin(), report.problems.end(), problem) ==
          report.problems.end())
        report.problems.push_back(problem);
    return;
  }
  progress.File(report.package, manifest.InstallInf());
  Install(report, manifest, stage, verified);
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
  StageAndInstall(report, stage, folder, manifest, verified, progress);
  // A staging folder left behind is said: the user may want it gone, and the next restore tries.
  if (std::string left = stage.Remove(); !left.empty()) report.problems.push_back(left);
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
