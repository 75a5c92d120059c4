#include <gtest/gtest.h>
#include <windows.h>

#include "app/core/UtilFuncs.h"
#include "framework/Application.h"
#include "text/Paths.h"
#include "platform/Host.h"

namespace {

std::string TempFile(const char* name, const std::string& content) {
  char dir[MAX_PATH];
  GetTempPathA(sizeof dir, dir);
  std::string path = AddTrailingBackslash(dir) + name;
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written;
  WriteFile(f, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(f);
  return path;
}

TEST(Win32HostTest, ConfigFileLiesBesideTheExecutable) {
  std::string exe = platform::CurrentHost().ExecutablePath();
  EXPECT_EQ(fw::ExtractFileName(exe), "platform_win_test.exe");
  EXPECT_EQ(GetConfigFileName(), fw::ExtractFileDir(exe) + "\\lamecore.dll");
}

TEST(Win32HostTest, MissingFileErrorNamesPathAndSystemReason) {
  std::string path = "C:\\no such folder\\lamecore.dll";
  try {
    platform::CurrentHost().ReadFile(path);
    FAIL() << "no error";
  } catch (const platform::FileOpenError& error) {
    std::string text = error.what();
    std::string head = "Cannot open file \"" + path + "\". ";
    ASSERT_EQ(text.compare(0, head.size(), head), 0) << text;
    EXPECT_GT(text.size(), head.size()) << "no system reason";
    EXPECT_NE(text.back(), '\n');
  }
}

TEST(Win32HostTest, ReadsBinaryContentWhole) {
  std::string content("a\r\nb\0c\xff", 7);
  EXPECT_EQ(platform::CurrentHost().ReadFile(TempFile("dk-read.bin", content)), content);
}

TEST(ApplicationTest, LoadsTheShippedIconAndRejectsOtherFiles) {
  fw::TApplication app;
  app.LoadIconFromFile(DK_SOURCE_DIR "/packaging/icon.ico");
  EXPECT_NE(app.Icon(), nullptr);
  EXPECT_NE(app.SmallIcon(), nullptr);
  EXPECT_THROW(app.LoadIconFromFile(TempFile("dk-bad.ico", "not an icon")), std::runtime_error);
  EXPECT_NE(app.Icon(), nullptr) << "a failed load keeps the icon it had";
}

TEST(Win32HostTest, BusyCursorShowsTheHourGlass) {
  BeginBusyCursor();
  EXPECT_EQ(platform::CurrentHost().ScreenCursor(), platform::Cursor::HourGlass);
  EXPECT_EQ(GetCursor(), LoadCursor(nullptr, IDC_WAIT));
  EndBusyCursor();
  EXPECT_EQ(platform::CurrentHost().ScreenCursor(), platform::Cursor::Default);
}

}  // namespace
