#include "app/drivers/PackageRestore.h"

#include <algorithm>
#include <set>

#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageVerify.h"
#include "text/IniText.h"
#include "text/TextLines.h"
#include "platform/DriverSetup.h"
#include "platform/FileSystem.h"

namespace {

// Some printer and graphics INFs run to several megabytes.
constexpr size_t kInfMaxBytes = 64u << 20;

std::string Trim(std::string_view text) {
  return std::string(fw::TrimControl(text));
}

// INF files come in UTF-16 (with its byte-order mark), UTF-8 or an 8-bit code page. The IDs
// and section names read from them are ASCII, so a character outside it becomes '?'.
std::string NarrowInfText(const std::string& bytes) {
  if (bytes.size() >= 2 && uint8_t(bytes[0]) == 0xFF && uint8_t(bytes[1]) == 0xFE) {
    std::string text;
    text.reserve(bytes.size() / 2);
    for (size_t i = 2; i + 1 < bytes.size(); i += 2) {
      unsigned unit = uint8_t(bytes[i]) | (unsigned(uint8_t(bytes[i + 1])) << 8);
      text += unit < 0x80 ? char(unit) : '?';
    }
    return text;
  }
  if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) return bytes.substr(3);
  return bytes;
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
  std::optional<std::string> text = ReadSmallFile(infPath, kInfMaxBytes);
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
  // A verification cut short says nothing of the package: even a forced restore stops there.
  if (progress.Cancelled()) {
    report.outcome = "cancelled";
    return report;
  }
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
  bool restart = false;
  for (const std::string& id : PresentModels(inf)) {
    platform::TDeviceUpdate update = platform::DriverSetup::Current().UpdateDevices(id, inf);
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
  return report;
}

}  // namespace

std::vector<std::string> InfModelIds(const std::string& infText) {
  fw::IniText inf(fw::SplitLines(NarrowInfText(infText)), fw::NameCase::Insensitive);
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
