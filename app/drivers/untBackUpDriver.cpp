#include "app/drivers/untBackUpDriver.h"

#include <algorithm>

#include "app/drivers/BackupState.h"
#include "app/drivers/untLoadInfo.h"
#include "app/drivers/untReg.h"
#include "text/Paths.h"
#include "text/TextLines.h"
#include "platform/FileSystem.h"

namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return text;
}

const char kBackupRoot[] = "BackUp";
const char kDriversRoot[] = "BackUp\\Drivers";

}  // namespace

std::string GetInfFileName(const std::string& keyPath) {
  return InfFilePath(RegReadString(kLocalMachine, keyPath, "InfPath", ""));
}

std::string FindFileNoCase(const std::string& folder, const std::string& name) {
  std::string dir = folder.empty() || folder.back() != '\\' ? folder + "\\" : folder;
  std::string wanted = Lower(name);
  for (const std::string& entry : platform::FileSystem::Current().ListFolder(dir, "*.*"))
    if (Lower(entry) == wanted) return dir + entry;
  return {};
}

std::string DriverFileFolder(const std::string& fileName, const std::string& systemDir,
                             const std::string& windowsDir) {
  size_t dot = fileName.rfind('.');
  std::string ext = dot == std::string::npos ? std::string() : Lower(fileName.substr(dot));
  if (ext == ".sys") return systemDir + "\\drivers\\";
  if (ext == ".hlp" || ext == ".chm") return windowsDir + "\\help\\";
  if (ext == ".icm") return systemDir + "\\spool\\drivers\\color\\";
  if (ext == ".inf") return windowsDir + "\\inf\\";
  if (ext == ".tvp") return windowsDir + "\\nview\\";
  return systemDir;  // ".exe", ".dll" and everything else
}

std::vector<std::string> GetDriverFiles(const std::string& keyPath) {
  std::string inf = GetInfFileName(keyPath);
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::string systemDir = fs.SystemDirectory();
  std::string windowsDir = fs.WindowsDirectory();
  std::vector<std::string> files;
  for (const std::string& name : ReadInfKeyNames(inf, "SourceDisksFiles"))
    files.push_back(FindFileNoCase(DriverFileFolder(name, systemDir, windowsDir), name));
  files.push_back(inf);
  std::erase_if(files, [](const std::string& path) { return path.empty(); });
  return files;
}

std::string SanitizeFolderName(const std::string& name) {
  std::string result = name;
  for (char removed : std::string_view("/\\*:?\"<>|")) std::erase(result, removed);
  result = std::string(fw::TrimControl(result));
  if (result.find_first_not_of('.') == std::string::npos) result.clear();
  return result;
}

TDriverBackup BackUpDriver(const std::string& name, const std::vector<std::string>& files,
                           const std::function<void()>& processMessages) {
  TDriverBackup result;
  platform::FileSystem& fs = platform::FileSystem::Current();
  std::string sanitized = SanitizeFolderName(name);
  // A name that sanitizes to nothing puts its files into "BackUp\Drivers" itself.
  std::string folder = std::string(kDriversRoot) + (sanitized.empty() ? "" : "\\" + sanitized);
  for (const std::string& dir : {std::string(kBackupRoot), std::string(kDriversRoot), folder}) {
    if (!fs.DirectoryExists(dir) && !fs.CreateFolder(dir)) {
      result.failed = files.size();
      result.folderError = "Cannot create folder \"" + dir + "\". " + fs.LastErrorText();
      return result;
    }
  }
  result.foldersReady = true;
  for (size_t i = 0; i < files.size(); ++i) {
    if (processMessages) processMessages();
    if (BackupStopRequested()) {
      result.stopped = true;
      return result;
    }
    std::string destination(fw::TrimControl(folder + "\\" + fw::ExtractFileName(files[i])));
    if (fs.CopyFileOver(files[i], destination))
      ++result.copied;
    else
      ++result.failed;
  }
  return result;
}
