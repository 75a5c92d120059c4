#include "app/drivers/PackageDestination.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string_view>
#include <vector>

#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/untBackUpDriver.h"
#include "platform/FileIdentity.h"
#include "platform/FileNames.h"
#include "platform/FileSystem.h"

namespace {

// Long enough for any real device description, short enough that folder and file paths stay
// well within the system's path limit.
const size_t kMaxFolderName = 80;
const char kChooseAnother[] = ": choose another destination.";
const char kExportBeside[] =
    ": export into the folder that holds the packages, or into another one.";

struct TDestination {
  std::string path;     // the normal form
  std::string refused;  // why there is none
};

std::string Refusal(const std::string& destination, const std::string& why) {
  return "The destination " + destination + " " + why + kChooseAnother;
}

// Where the folder names of an absolute or relative path begin: after the drive, after a
// share's server and share name, or after a leading "\".
size_t RootLength(const std::string& path) {
  if (path.starts_with("\\\\")) {
    size_t server = path.find('\\', 2);
    size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
    return share == std::string::npos ? path.size() : share;
  }
  if (path.size() >= 2 && path[1] == ':') return path.size() >= 3 && path[2] == '\\' ? 3 : 2;
  return path.starts_with("\\") ? 1 : 0;
}

// The path without a device-path prefix ("\\?\", "\\.\", "\??\") that only stands before a drive
// or share path; nothing when the prefix leads somewhere else (a disk, a volume, a pipe).
std::optional<std::string> WithoutDevicePrefix(std::string path) {
  for (char& c : path)
    if (c == '/') c = '\\';
  if (!path.starts_with("\\\\?\\") && !path.starts_with("\\\\.\\") && !path.starts_with("\\??\\"))
    return path;
  std::string rest = path.substr(4);
  if (UpperAscii(rest.substr(0, 4)) == "UNC\\") return "\\\\" + rest.substr(4);
  bool drive = rest.size() >= 2 && rest[1] == ':' &&
               std::isalpha(static_cast<unsigned char>(rest[0])) &&
               (rest.size() == 2 || rest[2] == '\\');
  if (drive) return rest;
  return std::nullopt;
}

// Why one folder name of a destination cannot be a folder, or empty when it can.
std::string UnusableName(const std::string& name) {
  for (unsigned char c : name)
    if (c < 32 || std::string_view("<>:\"|?*").find(static_cast<char>(c)) != std::string::npos)
      return "holds a character folder names cannot have";
  if (platform::NamesDevice(name)) return "names the device " + name + ", not a folder";
  return {};
}

TDestination ReadDestination(const std::string& destination) {
  std::optional<std::string> path = WithoutDevicePrefix(destination);
  if (!path) return {{}, Refusal(destination, "is not a folder on a drive or a network share")};
  for (size_t start = RootLength(*path); start < path->size();) {
    size_t end = std::min(path->find('\\', start), path->size());
    std::string why = UnusableName(path->substr(start, end - start));
    if (!why.empty()) return {{}, Refusal(destination, why)};
    start = end + 1;
  }
  std::string full = platform::FileSystem::Current().FullPath(*path);
  // "C:\pk\" and "C:\pk" are one folder; a drive's root keeps its separator.
  while (full.size() > RootLength(full) && full.back() == '\\') full.pop_back();
  return {full, {}};
}

// The path and each folder above it, up to its drive ("C:\") or share ("\\server\share").
std::vector<std::string> SelfAndAncestors(std::string path) {
  size_t root = RootLength(path);
  while (path.size() > root && path.back() == '\\') path.pop_back();
  std::vector<std::string> chain{path};
  while (path.size() > root) {
    size_t cut = path.rfind('\\');
    path.resize(cut == std::string::npos || cut < root ? root : cut);
    chain.push_back(path);
  }
  return chain;
}

// The existing folders that the path is or lies in, nearest first: by the path's own names, then
// the real ones, above the final path of the nearest (where links, substituted drives and shares
// lead).
std::vector<std::string> EnclosingFolders(const std::string& path) {
  platform::FileIdentity& ids = platform::FileIdentity::Current();
  std::vector<std::string> folders;
  for (const std::string& folder : SelfAndAncestors(path))
    if (ids.IdOf(folder)) folders.push_back(folder);
  if (folders.empty()) return folders;
  std::string final = ids.FinalPath(folders.front());
  if (!final.empty())
    for (const std::string& folder : SelfAndAncestors(final)) folders.push_back(folder);
  return folders;
}

// Whether the path is the Windows folder or lies in it: by its text, or because one of the
// folders it lies in is the Windows folder itself.
bool InWindowsFolder(const std::string& path, const std::vector<std::string>& enclosing) {
  std::string windows = platform::FileSystem::Current().WindowsDirectory();
  if (PathIsInside(path, windows)) return true;
  platform::FileIdentity& ids = platform::FileIdentity::Current();
  std::optional<platform::TFileId> id = ids.IdOf(windows);
  for (const std::string& folder : enclosing)
    if (id && ids.IdOf(folder) == id) return true;
  return false;
}

}  // namespace

std::string UnsuitableDestination(const std::string& destination) {
  if (destination.empty()) return "No destination folder was given.";
  TDestination read = ReadDestination(destination);
  if (!read.refused.empty()) return read.refused;
  std::vector<std::string> enclosing = EnclosingFolders(read.path);
  if (InWindowsFolder(read.path, enclosing))
    return "Packages are not written into the Windows folder: choose another destination.";
  platform::FileIdentity& ids = platform::FileIdentity::Current();
  std::optional<platform::TFileId> itself = ids.IdOf(read.path);
  for (const std::string& folder : enclosing) {
    if (!platform::FileExists(JoinPath(folder, kManifestName))) continue;
    if (itself && ids.IdOf(folder) == itself)
      return read.path + " is a driver package (it holds " + kManifestName + ")" + kExportBeside;
    return read.path + " lies inside the driver package " + folder + kExportBeside;
  }
  return {};
}

std::string NormalDestination(const std::string& destination) {
  return ReadDestination(destination).path;
}

std::string PackageFolderBase(const std::string& device) {
  std::string name = SanitizeFolderName(device);
  for (char& c : name)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  if (name.size() > kMaxFolderName) {
    name.resize(kMaxFolderName);
    // A character of several bytes is dropped whole rather than cut.
    while (!name.empty() && static_cast<unsigned char>(name.back()) >= 0x80) name.pop_back();
  }
  // The system drops dots and blanks at the end of a name, so the folder would be made under a
  // shorter name than the one the manifest is then written to.
  while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
  if (name.empty()) return "Unnamed driver";
  if (platform::NamesDevice(name)) name.insert(0, "_");
  return name;
}
