#include <windows.h>
#include <shlobj.h>

#include "app/windows/SkinChoice.h"
#include "platform/SystemEntry.h"

namespace {

constexpr char kSection[] = "Skin";
constexpr char kKey[] = "Name";

std::string SettingsFolder() {
  static const auto folderPath =
      platform::SystemEntry<decltype(&SHGetFolderPathA)>("shell32.dll", "SHGetFolderPathA");
  char path[MAX_PATH] = {};
  if (!folderPath || FAILED(folderPath(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return std::string(path) + "\\Driver Keeper";
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
