#include "app/drivers/PackageRestore.h"

#include <algorithm>
#include <set>

#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageVerify.h"
#include "framework/IniText.h"
#include "framework/TextLines.h"
#include "platform/DriverSetup.h"
#include "platform/FileSystem.h"

namespace {

std::string Trim(std::string_view text) {
  return std::string(fw::TrimControl(text));
}

// The comma-separated fields of an INF value, each trimmed.
std::vector<std::string> Fields(const std::string& value) {
  std::vector<std::string> fields;
  size_t start = 0;
  while (true) {
    size_t comma = value.find(',', start);
    fields.push_back(Trim(std::string_view(value).substr(start, comma - start)));
    if (comma == std::string::npos) return fields;
    start = comma + 1;
  }
}

// The INF's models that match present devices, each hardware ID once.
std::vector<std::string> PresentModels(const std::string& infPath) {
  std::optional<std::string> text = ReadSmallFile(infPath, kManifestMaxBytes);
  if (!text) return {};
  std::set<std::string> present;
  for (const std::string& id : platform::DriverSetup::Current().PresentDeviceIds())
    present.insert(UpperAscii(id));
  std::vector<std::string> matching;
  std::set<std::string> taken;
  for (const std::string& id : InfModelIds(*text))
    if (present.count(UpperAscii(id)) && taken.insert(UpperAscii(id)).second)
      matching.push_back(id);
  return matching;
}

TPackageReport RestoreOne(const std::string& folder, bool force, const TPackageProgress& progress) {
  TPackageManifest manifest;
  TPackageReport report = VerifyPackage(folder, manifest, progress);
  if (!report.Succeeded() && (!force || manifest.inf.empty())) {
    report.outcome = "skipped: it failed verification";
    return report;
  }
  std::vector<std::string> verification = report.problems;
  report.problems.clear();
  std::string inf =
      platform::FileSystem::Current().FullPath(JoinPath(folder, manifest.InstallInf()));
  progress.File(report.package, manifest.InstallInf());
  platform::TInfInstall installed = platform::DriverSetup::Current().InstallInf(inf);
  switch (installed.outcome) {
    case platform::TInfInstall::Present:
      report.outcome = "already present as " + installed.oemInf;
      return report;
    case platform::TInfInstall::Failed:
      report.outcome = "failed";
      report.problems.push_back(manifest.InstallInf() + " was not installed: " + installed.error);
      return report;
    case platform::TInfInstall::Installed:
      break;
  }
  report.outcome = "installed as " + installed.oemInf;
  if (!verification.empty()) report.outcome += " (forced past a failed verification)";
  for (const std::string& id : PresentModels(inf)) {
    std::string error = platform::DriverSetup::Current().UpdateDevices(id, inf);
    if (error.empty())
      report.outcome += "; device " + id + " updated";
    else
      report.problems.push_back("device " + id + " was not updated: " + error);
  }
  return report;
}

}  // namespace

std::vector<std::string> InfModelIds(const std::string& infText) {
  fw::IniText inf(fw::SplitLines(infText), fw::NameCase::Insensitive);
  std::vector<std::string> ids;
  const fw::IniText::Section* manufacturers = inf.FindSection("Manufacturer");
  if (!manufacturers) return ids;
  for (const auto& [name, value] : manufacturers->entries) {
    std::vector<std::string> models = Fields(value);
    std::vector<std::string> sections = {models[0]};
    for (size_t i = 1; i < models.size(); ++i) sections.push_back(models[0] + "." + models[i]);
    for (const std::string& section : sections)
      if (const fw::IniText::Section* found = inf.FindSection(section))
        for (const auto& [device, install] : found->entries) {
          std::vector<std::string> fields = Fields(install);
          for (size_t i = 1; i < fields.size(); ++i)
            if (!fields[i].empty()) ids.push_back(fields[i]);
        }
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
    reports.push_back(RestoreOne(folder, force, progress));
    if (progress.Cancelled()) break;
  }
  return reports;
}
