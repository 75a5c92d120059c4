#include "platform/FileIdentityMemory.h"

#include <algorithm>

#include "platform/FileSystem.h"

namespace platform {
namespace {

// Links resolved in turn at most this often, so that links leading into each other end.
const int kMaxLinkSteps = 32;

std::string Fold(std::string path) {
  for (char& c : path) {
    if (c == '/') c = '\\';
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return path;
}

std::string WithoutTrailingSeparator(std::string path) {
  while (!path.empty() && (path.back() == '\\' || path.back() == '/')) path.pop_back();
  return path;
}

// Whether path is folder or lies below it.
bool Under(const std::string& path, const std::string& folder) {
  std::string inner = Fold(path), outer = Fold(folder);
  return inner.starts_with(outer) && (inner.size() == outer.size() || inner[outer.size()] == '\\');
}

}  // namespace

void MemoryFileIdentity::AddLink(const std::string& alias, const std::string& target) {
  links_.emplace_back(WithoutTrailingSeparator(alias), WithoutTrailingSeparator(target));
}

std::string MemoryFileIdentity::FinalPath(const std::string& path) {
  std::string resolved = path;
  for (int step = 0; step < kMaxLinkSteps; ++step) {
    auto link = std::find_if(links_.begin(), links_.end(),
                             [&](const auto& l) { return Under(resolved, l.first); });
    if (link == links_.end()) break;
    resolved = link->second + resolved.substr(link->first.size());
  }
  FileSystem& fs = FileSystem::Current();
  if (!fs.DirectoryExists(resolved) && !FileExists(resolved)) return {};
  return fs.FullPath(resolved);
}

std::optional<TFileId> MemoryFileIdentity::IdOf(const std::string& path) {
  std::string final = FinalPath(path);
  if (final.empty()) return std::nullopt;
  auto [entry, added] = ids_.emplace(Fold(final), ids_.size() + 1);
  return TFileId{1, entry->second};
}

}  // namespace platform
