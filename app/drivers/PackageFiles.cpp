#include "app/drivers/PackageFiles.h"

#include <algorithm>

#include "platform/FileSystem.h"
#include "platform/Sha256.h"

namespace {

void AddTree(platform::FileSystem& fs, const std::string& root, const std::string& relative,
             std::vector<std::string>& files) {
  for (const std::string& name : fs.ListFolder(JoinPath(root, relative) + "\\", "*.*")) {
    std::string entry = relative.empty() ? name : relative + "\\" + name;
    // A link is an entry of its own, never walked into: it may lead out of the package or
    // back into it.
    if (fs.DirectoryExists(JoinPath(root, entry)) && !fs.IsLink(JoinPath(root, entry)))
      AddTree(fs, root, entry, files);
    else
      files.push_back(entry);
  }
}

}  // namespace

THashedFile HashFile(const std::string& path) {
  THashedFile hashed;
  platform::Sha256 hash;
  hashed.read =
      platform::FileSystem::Current().ReadFileChunks(path, [&](const char* data, size_t size) {
        hash.Update(data, size);
        hashed.size += size;
      });
  if (hashed.read) hashed.sha256 = platform::HexDigest(hash.Final());
  return hashed;
}

std::vector<std::string> ListFileTree(const std::string& folder) {
  std::vector<std::string> files;
  AddTree(platform::FileSystem::Current(), folder, "", files);
  return files;
}

bool CreateFolderPath(const std::string& path) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::string full = fs.FullPath(path);
  // Every level after the drive or share root, shortest first.
  for (size_t at = full.find('\\', full.starts_with("\\\\") ? full.find('\\', 2) + 1 : 0);
       at != std::string::npos; at = full.find('\\', at + 1)) {
    std::string level = full.substr(0, at);
    if (level.size() > 2 && !fs.DirectoryExists(level) && !fs.CreateFolder(level)) return false;
  }
  return fs.DirectoryExists(full) || fs.CreateFolder(full);
}

std::optional<std::string> ReadSmallFile(const std::string& path, size_t maxBytes) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::optional<std::uint64_t> fileSize = fs.FileSize(path);
  if (!fileSize || *fileSize > maxBytes) return std::nullopt;
  std::string content;
  // The file may grow after its size was asked.
  bool tooLarge = false;
  bool read = fs.ReadFileChunks(path, [&](const char* data, size_t size) {
    if (content.size() + size > maxBytes) tooLarge = true;
    if (!tooLarge) content.append(data, size);
  });
  if (!read || tooLarge) return std::nullopt;
  return content;
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  if (relative.empty()) return folder;
  return folder.empty() || folder.back() == '\\' ? folder + relative : folder + "\\" + relative;
}

bool PassesThroughLink(const std::string& folder, const std::string& relative) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  for (size_t at = relative.find('\\'); at != std::string::npos; at = relative.find('\\', at + 1))
    if (fs.IsLink(JoinPath(folder, relative.substr(0, at)))) return true;
  return false;
}

bool PathIsInside(const std::string& path, const std::string& folder) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  // "\\?\" only switches off the system's path parsing; the folder is the same without it.
  auto full = [&](const std::string& p) {
    return FileNameKey(fs.FullPath(p.starts_with("\\\\?\\") ? p.substr(4) : p));
  };
  std::string inner = full(path), outer = full(folder);
  while (!outer.empty() && outer.back() == '\\') outer.pop_back();
  return !outer.empty() && inner.starts_with(outer) &&
         (inner.size() == outer.size() || inner[outer.size()] == '\\');
}
