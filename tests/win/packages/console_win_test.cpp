// DriverKeeper.com as a console runs it: without a package command it starts DriverKeeper.exe
// from its own folder with the same arguments and returns at once; with one it prints each
// package's line as soon as the package is done, and Ctrl+C stops it after the file at hand with
// a summary that says so and exit code 1.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/Win32Error.h"
#include "tests/win/packages/TestPackages.h"

namespace {

using testing_support::TestPackages;

std::string TempFolder(const std::string& name) {
  char temp[MAX_PATH];
  GetTempPathA(sizeof temp, temp);
  std::string folder =
      std::string(temp) + "dk-" + name + "-" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

// The whole file, or nothing while it is missing or held open by its writer.
std::optional<std::string> ReadWhenClosed(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string content(GetFileSize(file, nullptr), '\0');
  DWORD got = 0;
  ReadFile(file, content.data(), static_cast<DWORD>(content.size()), &got, nullptr);
  CloseHandle(file);
  return content;
}

// A started DriverKeeper.com whose output comes through a pipe, line by line.
struct Console {
  PROCESS_INFORMATION process = {};
  HANDLE output = nullptr;
  std::string pending;

  Console(const std::string& program, const std::string& arguments) {
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    CreatePipe(&output, &write, &inherit, 0);
    SetHandleInformation(output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = write;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    std::string commandLine = "\"" + program + "\"" + arguments;
    EXPECT_TRUE(CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0,
                               nullptr, nullptr, &startup, &process))
        << program;
    CloseHandle(write);
  }
  ~Console() {
    CloseHandle(output);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  // The next line without its CR LF; nothing once the output has ended.
  std::optional<std::string> Line() {
    for (;;) {
      if (size_t end = pending.find("\r\n"); end != std::string::npos) {
        std::string line = pending.substr(0, end);
        pending.erase(0, end + 2);
        return line;
      }
      char buffer[256];
      DWORD got = 0;
      if (!ReadFile(output, buffer, sizeof buffer, &got, nullptr) || got == 0) return std::nullopt;
      pending.append(buffer, got);
    }
  }
  std::vector<std::string> Rest() {
    std::vector<std::string> lines;
    while (std::optional<std::string> line = Line()) lines.push_back(*line);
    return lines;
  }
  bool Running() const { return WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT; }
  DWORD ExitCode() const {
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    return code;
  }
};

TEST(DriverKeeperComTest, WithoutACommandStartsTheWindowProgramAndReturns) {
  std::string folder = TempFolder("launch");
  std::string program = folder + "\\DriverKeeper.com", record = folder + "\\record.txt";
  ASSERT_TRUE(CopyFileA(DK_CONSOLE_PROGRAM, program.c_str(), FALSE));
  std::string eventName = "DkStandInGo" + std::to_string(GetCurrentProcessId());
  HANDLE go = CreateEventA(nullptr, TRUE, FALSE, eventName.c_str());
  SetEnvironmentVariableA("DK_STANDIN_GO", eventName.c_str());
  SetEnvironmentVariableA("DK_STANDIN_RECORD", record.c_str());
  struct Case {
    std::string arguments, started;  // started: what follows the program in its command line
  };
  const Case kCases[] = {{"", ""},
                         {" /skin \"Night Ember\"", " /skin \"Night Ember\""},
                         {"   /exit-when-shown\t x", " /exit-when-shown\t x"}};

  // No window program beside it: it says so.
  {
    Console console(program, "");
    std::vector<std::string> lines = console.Rest();
    EXPECT_EQ(lines, std::vector<std::string>{"DriverKeeper.exe could not be started: " +
                                              platform::SystemErrorMessage(ERROR_FILE_NOT_FOUND)});
    EXPECT_EQ(console.ExitCode(), 1u);
  }
  ASSERT_TRUE(CopyFileA(DK_STANDIN_PROGRAM, (folder + "\\DriverKeeper.exe").c_str(), FALSE));
  for (const Case& c : kCases) {
    DeleteFileA(record.c_str());
    ResetEvent(go);
    Console console(program, c.arguments);
    // It has ended while the window program still waits.
    EXPECT_EQ(WaitForSingleObject(console.process.hProcess, 30000), WAIT_OBJECT_0) << c.arguments;
    EXPECT_EQ(console.ExitCode(), 0u) << c.arguments;
    EXPECT_EQ(console.Rest(), std::vector<std::string>{}) << c.arguments;
    EXPECT_FALSE(ReadWhenClosed(record)) << c.arguments;
    SetEvent(go);
    std::optional<std::string> started;
    for (int i = 0; i < 3000 && !(started = ReadWhenClosed(record)); ++i) Sleep(10);
    EXPECT_EQ(started, "\"" + folder + "\\DriverKeeper.exe\"" + c.started) << c.arguments;
  }
  CloseHandle(go);
  for (const char* name : {"DriverKeeper.com", "DriverKeeper.exe", "record.txt"})
    DeleteFileA((folder + "\\" + name).c_str());
  RemoveDirectoryA(folder.c_str());
}

TEST(DriverKeeperComTest, PrintsEachPackageAsItEndsAndStopsOnCtrlC) {
  TestPackages packages("console");
  // A console of its own, which the console program shares, as a console window's programs do;
  // Ctrl+C reaches every program of the console but this test, which ignores it from then on
  // (the console program would take that over if it started later).
  FreeConsole();
  ASSERT_TRUE(AllocConsole());
  Console console(DK_CONSOLE_PROGRAM, " /verify \"" + packages.root + "\"");
  SetConsoleCtrlHandler(nullptr, TRUE);
  // The first package's line is out while the second package's large file is read.
  EXPECT_EQ(console.Line(), "OK    " + packages.small + ": verified 2 files");
  EXPECT_TRUE(console.Running());
  EXPECT_TRUE(GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0));
  std::vector<std::string> rest = console.Rest();
  ASSERT_EQ(rest.size(), 2u) << testing::PrintToString(rest);
  EXPECT_TRUE(rest[0].starts_with("FAIL  " + packages.big + ": ")) << rest[0];
  EXPECT_TRUE(rest[0].ends_with("verification cancelled")) << rest[0];
  EXPECT_EQ(rest[1], "2 packages, 1 failed, then cancelled.");
  EXPECT_EQ(console.ExitCode(), 1u);
  EXPECT_TRUE(packages.BigFileFree());
  SetConsoleCtrlHandler(nullptr, FALSE);
  FreeConsole();
}

}  // namespace
