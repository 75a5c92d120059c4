// Machines without the system's private-profile reading use the rebuilt one over real files.
#include "platform/Host.h"
#include "platform/ProfileIni.h"

namespace platform {

Profile& Profile::Default() {
  static IniProfile profile([](const std::string& path) -> std::optional<std::string> {
    try {
      return CurrentHost().ReadFile(path);
    } catch (const FileOpenError&) {
      return std::nullopt;
    }
  });
  return profile;
}

}  // namespace platform
