#include "app/drivers/PackageStage.h"

#include <algorithm>
#include <memory>
#include <utility>

#include "app/drivers/PackageFiles.h"
#include "platform/FileSystem.h"
#include "platform/Sha256.h"
#include "platform/Staging.h"

TPackageStage::~TPackageStage() {
  Remove();
}

std::string TPackageStage::Remove() {
  std::string folder = std::exchange(folder_, {});
  platform::Staging& staging = platform::Staging::Current();
  if (folder.empty() || staging.RemoveFolder(folder)) return {};
  return "the staging folder " + folder + " could not be removed: " + staging.LastErrorText();
}

std::string TPackageStage::Copy(const std::string& package, const TPackageManifest& manifest,
                                const std::string& keep, size_t keepMaxBytes,
                                const TPackageProgress& progress) {
  platform::Staging& staging = platform::Staging::Current();
  folder_ = staging.MakeFolder();
  if (folder_.empty()) return "no staging folder could be made: " + staging.LastErrorText();
  for (const TPackageFile& file : manifest.files) {
    std::string failed = StageFile(package, file, SameFileName(file.path, keep), keepMaxBytes);
    if (!failed.empty()) return failed;
    if (progress.Cancelled()) {
      cancelled_ = true;
      break;
    }
  }
  return {};
}

std::string TPackageStage::Path(const std::string& relative) const {
  return JoinPath(folder_, relative);
}

// Reads the package's file once: each piece is hashed and written to the staged copy, and kept
// when asked. A file behind a link is not the package's, and is not read.
std::string TPackageStage::StageFile(const std::string& package, const TPackageFile& file,
                                     bool keep, size_t keepMaxBytes) {
  platform::Staging& staging = platform::Staging::Current();
  auto cannotStage = [&] { return file.path + " could not be staged: " + staging.LastErrorText(); };
  if (PassesThroughLink(package, file.path)) {
    changed_.push_back(file.path);
    return {};
  }
  if (!MakeFolders(file.path)) return cannotStage();
  std::unique_ptr<platform::StagedFile> staged;
  bool written = true;
  platform::Sha256 hash;
  std::uint64_t size = 0;
  std::string content;
  auto sink = [&](const char* data, size_t piece) {
    if (!staged) staged = staging.NewFile(Path(file.path));
    written = written && staged && staged->Write(data, piece);
    hash.Update(data, piece);
    size += piece;
    if (keep && content.size() + piece <= keepMaxBytes) content.append(data, piece);
  };
  bool read = platform::FileSystem::Current().ReadFileChunks(JoinPath(package, file.path), sink);
  if (read && !staged) sink("", 0);  // an empty file
  if (staged) written = staged->Close() && written;
  if (!written) return cannotStage();
  if (!read || size != file.size || platform::HexDigest(hash.Final()) != file.sha256)
    changed_.push_back(file.path);
  if (read && keep && content.size() == size) kept_ = std::move(content);
  return {};
}

bool TPackageStage::MakeFolders(const std::string& relative) {
  for (size_t at = relative.find('\\'); at != std::string::npos; at = relative.find('\\', at + 1)) {
    std::string folder = FileNameKey(relative.substr(0, at));
    if (std::find(made_.begin(), made_.end(), folder) != made_.end()) continue;
    if (!platform::Staging::Current().MakeSubfolder(Path(relative.substr(0, at)))) return false;
    made_.push_back(folder);
  }
  return true;
}
