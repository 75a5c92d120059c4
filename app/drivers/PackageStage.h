// A package copied into a private staging folder for installing. Each listed file is read once,
// and the same bytes are hashed and written, so what the installer reads is what was compared
// with the manifest, whatever happens to the package folder meanwhile. The folder is removed by
// Remove, or when the object goes: after an install, a failure, a throw or a cancel alike.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageReport.h"

class TPackageStage {
 public:
  TPackageStage() = default;
  ~TPackageStage();
  TPackageStage(const TPackageStage&) = delete;
  TPackageStage& operator=(const TPackageStage&) = delete;

  // Copies every file the manifest lists from the package folder into a new staging folder,
  // keeping the bytes of the one called keep (at most keepMaxBytes of it). Returns why staging
  // failed (no staging folder, a file not written), or empty; a cancel stops it after a file.
  std::string Copy(const std::string& package, const TPackageManifest& manifest,
                   const std::string& keep, size_t keepMaxBytes, const TPackageProgress& progress);

  // Where a package path lies in the staging folder.
  std::string Path(const std::string& relative) const;
  // The listed files that could not be read, or whose bytes differ from the manifest (staged
  // with the bytes read, when there were any).
  const std::vector<std::string>& Changed() const { return changed_; }
  // The kept file's bytes as staged (changed or not), when it was read whole and is not too
  // large: what the installer will read.
  const std::optional<std::string>& Kept() const { return kept_; }
  bool Cancelled() const { return cancelled_; }

  // Removes the staging folder now, once. Returns what stays, as a problem for the package's line
  // ("the staging folder ... could not be removed: why"), or empty. A folder left behind is
  // removed by a later run's staging.
  std::string Remove();

 private:
  std::string StageFile(const std::string& package, const TPackageFile& file, bool keep,
                        size_t keepMaxBytes);
  bool MakeFolders(const std::string& relative);

  std::string folder_;             // empty until made
  std::vector<std::string> made_;  // upper-case sub-folders made
  std::vector<std::string> changed_;
  std::optional<std::string> kept_;
  bool cancelled_ = false;
};
