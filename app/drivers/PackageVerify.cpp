#include "app/drivers/PackageVerify.h"

#include <algorithm>
#include <set>

#include "app/drivers/InfText.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageInf.h"
#include "text/Paths.h"
#include "platform/FileSystem.h"

namespace {

std::string FolderName(const std::string& folder) {
  std::string trimmed = folder;
  while (trimmed.size() > 1 && trimmed.back() == '\\') trimmed.pop_back();
  return fw::ExtractFileName(trimmed);
}

// What is wrong with a listed file, or nothing when it is there as the manifest says.
std::string FileProblem(const std::string& folder, const TPackageFile& file) {
  std::string path = JoinPath(folder, file.path);
  if (PassesThroughLink(folder, file.path)) return "is missing";
  if (platform::FileSystem::Current().IsLink(path)) return "is a link to another place";
  THashedFile now = HashFile(path);
  if (!now.read) return "is missing";
  if (now.size != file.size || now.sha256 != file.sha256) return "has changed";
  return {};
}

// The package's manifest, or why it cannot be used. Its size is asked before it is read.
TManifestRead ReadManifest(const std::string& folder) {
  std::string path = JoinPath(folder, kManifestName);
  if (!platform::FileExists(path)) return {{}, "no manifest"};
  std::optional<std::uint64_t> size = platform::FileSystem::Current().FileSize(path);
  std::optional<std::string> text;
  TManifestRead read;
  if (size && *size > kManifestMaxBytes)
    read.error = "the manifest is too large";
  else if (!(text = ReadSmallFile(path, kManifestMaxBytes)))
    read.error = "cannot be read";
  else
    read = ParseManifest(*text);
  if (!read.error.empty()) read.error = std::string(kManifestName) + ": " + read.error;
  return read;
}

}  // namespace

std::vector<std::string> FindPackageFolders(const std::string& root) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  if (platform::FileExists(JoinPath(root, kManifestName))) return {root};
  std::vector<std::string> folders;
  std::string dir = root.empty() || root.back() == '\\' ? root : root + "\\";
  for (const std::string& entry : fs.ListFolder(dir, "*.*"))
    if (fs.DirectoryExists(JoinPath(root, entry))) folders.push_back(JoinPath(root, entry));
  return folders;
}

TPackageReport VerifyPackage(const std::string& folder, TPackageManifest& manifest,
                             const TPackageProgress& progress) {
  TPackageReport report{FolderName(folder), {}, {}};
  TManifestRead read = ReadManifest(folder);
  if (!read.error.empty()) {
    report.outcome = "not verified";
    report.problems.push_back(read.error);
    return report;
  }
  manifest = read.manifest;
  // What the manifest lacks: a package that verifies is one that can be installed.
  if (manifest.files.empty())
    report.problems.push_back("the manifest lists no files");
  else if (std::none_of(manifest.files.begin(), manifest.files.end(),
                        [&](const TPackageFile& file) {
                          return SameFileName(file.path, manifest.InstallInf());
                        }))
    report.problems.push_back("the INF " + manifest.InstallInf() +
                              " is not listed in the manifest");
  if (!manifest.missing.empty()) {
    std::string names = "incomplete, not exported:";
    for (const TPackageMissing& missing : manifest.missing) names += " " + missing.path;
    report.problems.push_back(names);
  }
  std::set<std::string> listed = {FileNameKey(kManifestName)};
  bool infPresent = false;  // listed and unchanged: worth reading
  for (const TPackageFile& file : manifest.files) {
    progress.File(report.package, file.path);
    listed.insert(FileNameKey(file.path));
    std::string why = FileProblem(folder, file);
    if (!why.empty()) report.problems.push_back(file.path + " " + why);
    infPresent = infPresent || (why.empty() && SameFileName(file.path, manifest.InstallInf()));
    if (progress.Cancelled()) {
      report.outcome = "not verified";
      report.problems.push_back("verification cancelled");
      return report;
    }
  }
  for (const std::string& present : ListFileTree(folder))
    if (!listed.count(FileNameKey(present))) report.problems.push_back(present + " is extra");
  if (infPresent) {
    auto read = [&](const std::string& path) {
      return ReadSmallFile(JoinPath(folder, path), kInfMaxBytes);
    };
    if (std::optional<std::string> inf = read(manifest.InstallInf())) {
      std::vector<std::string> refused = PackageInfProblems(manifest, *inf, read);
      report.problems.insert(report.problems.end(), refused.begin(), refused.end());
    } else {
      report.problems.push_back(manifest.InstallInf() + " could not be read from the package");
    }
  }
  // Every listed file was checked; a failure names the ones at fault.
  report.outcome =
      (report.problems.empty() ? "verified " : "checked ") + FileCount(manifest.files.size());
  return report;
}

std::vector<TPackageReport> VerifyPackages(const std::string& root,
                                           const TPackageProgress& progress) {
  std::vector<TPackageReport> reports;
  TPackageManifest manifest;
  for (const std::string& folder : FindPackageFolders(root)) {
    progress.Done(reports, VerifyPackage(folder, manifest, progress));
    if (progress.Cancelled()) break;
  }
  return reports;
}
