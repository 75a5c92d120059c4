#include "app/core/UtilFuncs.h"

#include "text/Paths.h"
#include "platform/Host.h"

namespace {
// Nesting depth of busy sections; only touched on the user-interface thread.
int BusyCount = 0;
}  // namespace

std::string AddTrailingBackslash(std::string_view path) {
  std::string result(path);
  if (result.empty() || result.back() != '\\') result += '\\';
  return result;
}

std::string GetConfigFileName() {
  return AddTrailingBackslash(fw::ExtractFileDir(platform::CurrentHost().ExecutablePath())) +
         "lamecore.dll";
}

std::string ComplementString(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(~static_cast<unsigned char>(c));
  return result;
}

void ShellOpen(const std::string& target) {
  BeginBusyCursor();
  try {
    platform::CurrentHost().ShellOpen(target);
  } catch (...) {
    EndBusyCursor();
    throw;
  }
  EndBusyCursor();
}

void BeginBusyCursor() {
  ++BusyCount;
  platform::CurrentHost().SetScreenCursor(platform::Cursor::HourGlass);
}

void EndBusyCursor() {
  if (BusyCount <= 0) return;
  if (--BusyCount == 0) platform::CurrentHost().SetScreenCursor(platform::Cursor::Default);
}
