#include "app/drivers/PackageVerify.h"

#include <algorithm>
#include <set>

#include "app/drivers/PackageFiles.h"
#include "text/Paths.h"
#include "platform/FileSystem.h"

namespace {

std::string FolderName(const std::string& folder) {
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == '\\') trimmed.pop_back();
  return fw::ExtractFileName(trimmed);
}

// Whether a listed path passes through a link on its way down from the package folder: what
// lies behind one is not the package's.
bool BehindLink(const std::string& folder, const std::string& path) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  for (size_t at = path.find('\\'); at != std::string::npos; at = path.find('\\', at + 1))
    if (fs.IsLink(JoinPath(folder, path.substr(0, at)))) return true;
  return false;
}

}  // namespace

std::vector<std::string> FindPackageFolders(const std::string& root) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  if (platform::FileExists(JoinPath(root, kManifestName))) return {root};
  std::vector<std::string> folders;
  std::string dir = root.empty() || root.back() == '\\' ? root : root + "\\";
  for (const std::string& entry : fs.ListFolder(dir, "*.*"))
    if (platform::FileExists(JoinPath(JoinPath(root, entry), kManifestName)))
      folders.push_back(JoinPath(root, entry));
  return folders;
}

TPackageReport VerifyPackage(const std::string& folder, TPackageManifest& manifest,
                             const TPackageProgress& progress) {
  TPackageReport report{FolderName(folder), {}, {}};
  std::optional<std::string> text =
      ReadSmallFile(JoinPath(folder, kManifestName), kManifestMaxBytes);
  TManifestRead read = text ? ParseManifest(*text) : TManifestRead{{}, "cannot be read"};
  if (!read.error.empty()) {
    report.outcome = "not verified";
    report.problems.push_back(std::string(kManifestName) + ": " + read.error);
    return report;
  }
  manifest = read.manifest;
  std::set<std::string> listed = {UpperAscii(kManifestName)};
  for (const TPackageFile& file : manifest.files) {
    progress.File(report.package, file.path);
    listed.insert(UpperAscii(file.path));
    THashedFile now =
        BehindLink(folder, file.path) ? THashedFile{} : HashFile(JoinPath(folder, file.path));
    if (!now.read)
      report.problems.push_back(file.path + " is missing");
    else if (now.size != file.size || now.sha256 != file.sha256)
      report.problems.push_back(file.path + " has changed");
    if (progress.Cancelled()) {
      report.problems.push_back("verification cancelled");
      return report;
    }
  }
  for (const std::string& present : ListFileTree(folder))
    if (!listed.count(UpperAscii(present))) report.problems.push_back(present + " is extra");
  report.outcome = report.problems.empty() ? "verified " : "failed ";
  report.outcome += FileCount(manifest.files.size());
  if (!manifest.missing.empty()) {
    report.outcome += "; incomplete, not exported:";
    for (const TPackageMissing& missing : manifest.missing) report.outcome += " " + missing.path;
  }
  return report;
}

std::vector<TPackageReport> VerifyPackages(const std::string& root,
                                           const TPackageProgress& progress) {
  std::vector<TPackageReport> reports;
  TPackageManifest manifest;
  for (const std::string& folder : FindPackageFolders(root)) {
    reports.push_back(VerifyPackage(folder, manifest, progress));
    if (progress.Cancelled()) break;
  }
  return reports;
}
