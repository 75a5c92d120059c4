// The native build's host: real files and the executable path; the user-interface services do
// nothing, because native builds are tools and tests without windows.
#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>
#include <unistd.h>

#include "platform/Host.h"

namespace platform {
namespace {

class PosixHost final : public Host {
 public:
  std::string ExecutablePath() override {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<size_t>(n)) : std::string();
  }

  std::string ReadFile(const std::string& path) override {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw FileOpenError(path, std::strerror(errno));
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) throw FileOpenError(path, std::strerror(errno));
    return text.str();
  }

  void ShellOpen(const std::string&) override {}
  void SetScreenCursor(Cursor cursor) override { cursor_ = cursor; }
  Cursor ScreenCursor() override { return cursor_; }
  void InstallSystemHandCursor() override {}
  int ShowMessage(void*, const std::string&, const std::string&, unsigned) override { return 1; }

 private:
  Cursor cursor_ = Cursor::Default;
};

}  // namespace

Host& DefaultHost() {
  static PosixHost host;
  return host;
}

}  // namespace platform
