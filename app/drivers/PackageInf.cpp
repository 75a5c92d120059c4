#include "app/drivers/PackageInf.h"

#include <algorithm>
#include <set>

#include "app/drivers/InfSources.h"
#include "app/drivers/PackageFiles.h"

namespace {

class TInfCheck {
 public:
  TInfCheck(const TPackageManifest& manifest, const TPackageFileReader& read)
      : read_(read), arch_(DriverArch()) {
    for (const TPackageFile& file : manifest.files) listed_.insert(FileNameKey(file.path));
    checked_.insert(FileNameKey(manifest.InstallInf()));
  }

  // Checks one INF; prefix goes before each of its problems.
  void Check(const std::string& infBytes, const std::string& prefix) {
    std::vector<std::string> named;
    for (const TInfSources& sources : ReadInfVariants(infBytes, arch_)) {
      for (const TInfProblem& problem : sources.problems) Add(prefix + problem.Text());
      if (!sources.catalog.empty()) Require(sources.catalog, prefix);
      for (const TInfSourceFile& file : sources.files)
        if (file.copied && file.problem.reason.empty()) Require(file.path, prefix);
      named.insert(named.end(), sources.copyInfs.begin(), sources.copyInfs.end());
    }
    for (const std::string& path : named) {
      if (!listed_.count(FileNameKey(path)) || !checked_.insert(FileNameKey(path)).second) continue;
      if (std::optional<std::string> bytes = read_(path))
        Check(*bytes, path + ": ");
      else
        Add(path + " could not be read from the package");
    }
  }

  std::vector<std::string> problems;

 private:
  void Require(const std::string& path, const std::string& prefix) {
    if (!listed_.count(FileNameKey(path)))
      Add(prefix + path + " is named by the INF but not in the package");
  }

  void Add(const std::string& problem) {
    if (std::find(problems.begin(), problems.end(), problem) == problems.end())
      problems.push_back(problem);
  }

  const TPackageFileReader& read_;
  const TInfArch arch_;
  std::set<std::string> listed_;   // keys of the manifest's paths
  std::set<std::string> checked_;  // keys of the INFs checked or being checked
};

}  // namespace

std::vector<std::string> PackageInfProblems(const TPackageManifest& manifest,
                                            const std::string& infBytes,
                                            const TPackageFileReader& read) {
  TInfCheck check(manifest, read);
  check.Check(infBytes, "");
  return check.problems;
}
