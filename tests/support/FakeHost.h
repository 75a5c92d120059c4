// A host for unit tests: files come from a map, and every user-interface call is recorded.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/Host.h"

namespace testing_support {

class FakeHost : public platform::Host {
 public:
  FakeHost() { previous_ = platform::SetHost(this); }
  ~FakeHost() override { platform::SetHost(previous_); }

  std::string exePath = "C:\\Program Files\\Driver Keeper\\DriverKeeper.exe";
  std::map<std::string, std::string> files;
  std::vector<std::string> opened;
  std::vector<platform::Cursor> cursors;
  struct Message {
    std::string text, caption;
    unsigned flags;
  };
  std::vector<Message> messages;

  std::string ExecutablePath() override { return exePath; }
  std::string ReadFile(const std::string& path) override {
    auto it = files.find(path);
    if (it == files.end())
      throw platform::FileOpenError(path, "The system cannot find the file specified.");
    return it->second;
  }
  void ShellOpen(const std::string& target) override { opened.push_back(target); }
  void SetScreenCursor(platform::Cursor cursor) override { cursors.push_back(cursor); }
  platform::Cursor ScreenCursor() override {
    return cursors.empty() ? platform::Cursor::Default : cursors.back();
  }
  void InstallSystemHandCursor() override {}
  int ShowMessage(void*, const std::string& text, const std::string& caption,
                  unsigned flags) override {
    messages.push_back({text, caption, flags});
    return 1;
  }

 private:
  platform::Host* previous_;
};

}  // namespace testing_support
