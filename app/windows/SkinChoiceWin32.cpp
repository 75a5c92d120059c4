#include <windows.h>
#include <shlobj.h>

#include <cctype>
#include <string_view>

#include "app/windows/SkinChoice.h"
#include "platform/SystemEntry.h"

namespace {

constexpr char kSection[] = "Skin";
constexpr char kKey[] = "Name";

bool IsFullPath(std::string_view path) {
  bool drive = path.size() >= 3 && std::isalpha(static_cast<unsigned char>(path[0])) &&
               path[1] == ':' && (path[2] == '\\' || path[2] == '/');
  return drive || (path.size() > 2 && path.substr(0, 2) == "\\\\");
}

// The user's roaming application data. The session names it in the environment, which is read
// at start-up before any window; the shell, which brings three more libraries and a megabyte
// into the process, is asked only where the environment has no full path.
std::string AppDataFolder() {
  char value[MAX_PATH] = {};
  DWORD length = GetEnvironmentVariableA("APPDATA", value, MAX_PATH);
  if (length < MAX_PATH && IsFullPath({value, length})) return {value, length};
  static const auto folderPath =
      platform::SystemEntry<decltype(&SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
  char path[MAX_PATH] = {};
  if (!folderPath || FAILED(folderPath(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return path;
}

std::string SettingsFolder() {
  std::string folder = AppDataFolder();
  return folder.empty() ? folder : folder + "\\Driver Keeper";
}

}  // namespace

std::string SkinSettingsFile() {
  std::string folder = SettingsFolder();
  return folder.empty() ? folder : folder + "\\settings.ini";
}

std::string ReadRememberedSkin() {
  std::string file = SkinSettingsFile();
  if (file.empty()) return {};
  char value[512] = {};
  GetPrivateProfileStringA(kSection, kKey, "", value, sizeof value, file.c_str());
  return value;
}

bool RememberSkin(const std::string& name) {
  std::string folder = SettingsFolder();
  if (folder.empty()) return false;
  CreateDirectoryA(folder.c_str(), nullptr);
  return WritePrivateProfileStringA(kSection, kKey, name.c_str(), SkinSettingsFile().c_str());
}
