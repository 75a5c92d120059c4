#include <windows.h>

#include "platform/Profile.h"

namespace platform {
namespace {

class Win32Profile final : public Profile {
 public:
  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def,
                         size_t bufferSize) override {
    std::string buffer(bufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer.data(),
                                       static_cast<DWORD>(bufferSize), file.c_str());
    buffer.resize(n);
    return buffer;
  }

  std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section,
                                        size_t bufferSize) override {
    std::string buffer(bufferSize, '\0');
    DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, nullptr, buffer.data(),
                                       static_cast<DWORD>(bufferSize), file.c_str());
    return SplitNameList(std::string_view(buffer).substr(0, n));
  }
};

}  // namespace

Profile& Profile::Default() {
  static Win32Profile profile;
  return profile;
}

}  // namespace platform
