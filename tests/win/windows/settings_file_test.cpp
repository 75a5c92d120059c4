// Where the remembered skin and the display setting are kept: the roaming application data
// folder the environment names, and the shell's answer wherever the environment names no full
// path, so that an odd variable never moves the settings to a folder of its own.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/windows/SkinChoice.h"

namespace {

std::string ShellAppData() {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return path;
}

// Sets APPDATA for the test's duration (unset for nothing) and puts it back.
class AppDataVariable {
 public:
  explicit AppDataVariable(const std::optional<std::string>& value) {
    char old[32768];
    DWORD n = GetEnvironmentVariableA("APPDATA", old, sizeof old);
    if (n > 0 && n < sizeof old) saved_ = std::string(old, n);
    SetEnvironmentVariableA("APPDATA", value ? value->c_str() : nullptr);
  }
  ~AppDataVariable() { SetEnvironmentVariableA("APPDATA", saved_ ? saved_->c_str() : nullptr); }

 private:
  std::optional<std::string> saved_;
};

TEST(SettingsFileWinTest, TheEnvironmentsFullPathElseTheShellsFolder) {
  const std::string shell = ShellAppData();
  ASSERT_FALSE(shell.empty());
  const std::string fromShell = shell + "\\Driver Keeper\\settings.ini";
  struct Row {
    std::optional<std::string> variable;
    std::string expected;
  };
  const Row rows[] = {
      {shell, fromShell},
      {std::nullopt, fromShell},
      {"", fromShell},
      {"Roaming", fromShell},
      {"C:", fromShell},
      {"C:Roaming", fromShell},
      {"\\Roaming", fromShell},
      {"\\\\", fromShell},
      {"C:\\" + std::string(MAX_PATH - 4, 'a'),
       "C:\\" + std::string(MAX_PATH - 4, 'a') + "\\Driver Keeper\\settings.ini"},
      {"C:\\" + std::string(MAX_PATH - 3, 'a'), fromShell},
      {"D:\\Profiles\\Ann", "D:\\Profiles\\Ann\\Driver Keeper\\settings.ini"},
      {"d:/Profiles", "d:/Profiles\\Driver Keeper\\settings.ini"},
      {"\\\\server\\home", "\\\\server\\home\\Driver Keeper\\settings.ini"},
  };
  for (const Row& row : rows) {
    AppDataVariable variable(row.variable);
    EXPECT_EQ(SkinSettingsFile(), row.expected) << (row.variable ? *row.variable : "(unset)");
  }
}

}  // namespace
