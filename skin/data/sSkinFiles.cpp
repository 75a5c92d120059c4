#include "skin/data/sSkinFiles.h"

#include "platform/FileSystem.h"
#include "skin/data/sSkinPaths.h"
#include "skin/data/veSkinPack.h"

std::vector<std::string> ListSkinsIn(const std::string& directory, bool folders, bool packed) {
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::vector<std::string> names;
  if (!fs.DirectoryExists(directory)) return names;
  std::string prefix = directory + "\\";
  for (const std::string& entry : fs.ListFolder(prefix, "*.*")) {
    if (entry.starts_with('.')) continue;
    std::string path = prefix + entry;
    if (fs.DirectoryExists(path)) {
      if (folders && platform::FileExists(path + "\\" + std::string(kOptionsFileName)))
        names.push_back(entry);
    } else if (packed) {
      size_t dot = entry.rfind('.');
      if (dot != std::string::npos && entry.substr(dot) == kPackedSkinExt)
        names.push_back(entry.substr(0, entry.find('.')));
    }
  }
  return names;
}
