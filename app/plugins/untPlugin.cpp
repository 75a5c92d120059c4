#include "app/plugins/untPlugin.h"

#include "app/core/UtilFuncs.h"
#include "text/Paths.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"

namespace {
void* ownerWindow = nullptr;
}  // namespace

void SetPluginOwnerWindow(void* window) {
  ownerWindow = window;
}

std::vector<std::string> GetPluginList() {
  std::string folder =
      AddTrailingBackslash(fw::ExtractFileDir(platform::CurrentHost().ExecutablePath())) +
      "plugin\\";
  std::vector<std::string> paths;
  for (const std::string& name : platform::FileSystem::Current().ListFolder(folder, "*.dll"))
    paths.push_back(folder + name);
  return paths;
}

std::string GetPluginName(const std::string& path) {
  platform::LoadedLibrary library(path);
  auto pluginName = library.Find<TPluginNameProc>("PluginName");
  if (!pluginName) return {};
  // Zeroed first, so that a plug-in that writes nothing has an empty name. The length byte can
  // name at most 255 characters, which is all the buffer holds after it.
  unsigned char buffer[kPluginNameSize] = {};
  pluginName(buffer);
  return std::string(reinterpret_cast<const char*>(buffer + 1), buffer[0]);
}

void ShowPluginAbout(const std::string& path) {
  platform::LoadedLibrary library(path);
  if (auto about = library.Find<TPluginAboutProc>("PluginAbout")) about(ownerWindow);
}

void ShowPluginForm(const std::string& path) {
  platform::LoadedLibrary library(path);
  if (auto formShow = library.Find<TPluginFormShowProc>("PluginFormShow")) formShow();
}
