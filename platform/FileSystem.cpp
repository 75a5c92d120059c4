#include "platform/FileSystem.h"

#include "text/Paths.h"

namespace platform {

bool FileExists(const std::string& path) {
  std::string name = fw::ExtractFileName(path);
  // The name is used as a listing pattern; wildcards in it would match other files.
  if (name.empty() || name.find_first_of("*?") != std::string::npos) return false;
  FileSystem& files = FileSystem::Current();
  std::string folder = path.substr(0, path.size() - name.size());
  return !files.ListFolder(folder, name).empty() && !files.DirectoryExists(path);
}

}  // namespace platform
