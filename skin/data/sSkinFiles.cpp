#include "skin/data/sSkinFiles.h"

#include "platform/FileSystem.h"
#include "skin/data/sSkinPaths.h"
#include "skin/data/veSkinPack.h"

bool SkinFileExists(const std::string& path) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  size_t cut = path.find_last_of("\\/");
  std::string folder = cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
  std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
  // The name is used as a listing pattern; wildcards in it would match other files.
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
  return !fs.ListFolder(folder, name).empty() && !fs.DirectoryExists(path);
}

std::vector<std::string> ListSkinsIn(const std::string& directory, bool folders, bool packed) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::vector<std::string> names;
  if (!fs.DirectoryExists(directory)) return names;
  std::string prefix = directory + "\\";
  for (const std::string& entry : fs.ListFolder(prefix, "*.*")) {
    if (entry.starts_with('.')) continue;
    std::string path = prefix + entry;
    if (fs.DirectoryExists(path)) {
      if (folders && SkinFileExists(path + "\\" + std::string(kOptionsFileName)))
        names.push_back(entry);
    } else if (packed) {
      size_t dot = entry.rfind('.');
      if (dot != std::string::npos && entry.substr(dot) == kPackedSkinExt)
        names.push_back(entry.substr(0, entry.find('.')));
    }
  }
  return names;
}
