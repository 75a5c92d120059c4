#include "platform/Host.h"

namespace platform {

Host& DefaultHost();  // one per platform: HostWin32.cpp or HostPosix.cpp

namespace {
Host* installed = nullptr;
}

FileOpenError::FileOpenError(const std::string& path, const std::string& reason)
    : std::runtime_error("Cannot open file \"" + path + "\". " + reason) {}

Host& CurrentHost() {
  return installed ? *installed : DefaultHost();
}

Host* SetHost(Host* host) {
  Host* previous = installed;
  installed = host;
  return previous;
}

}  // namespace platform
