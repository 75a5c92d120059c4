// DriverKeeper.com, the console program beside DriverKeeper.exe. When the user types
// "DriverKeeper", cmd runs the .com (it prefers that extension to .exe) and, since this is a
// console program, waits for it and shows its lines; the window program would be left running
// on its own, its lines unseen and its exit code lost.
//
// With a package command it runs the command here, printing each line as soon as it is known,
// and ends with the command's exit code. Without one (no arguments, or "/skin NAME") the user
// meant to open the program: it starts DriverKeeper.exe from its own folder with the same
// arguments and returns at once.
//
// It never asks for administrator rights: /restore in a console that has none is refused with
// the command's own message and exit code.
#include <windows.h>

#include <atomic>
#include <string>

#include "app/console/CommandArguments.h"
#include "app/console/PackageConsole.h"
#include "platform/Win32Error.h"
#include "skin/data/sSkinPaths.h"

namespace {

std::atomic<bool> stopAsked{false};
HANDLE runOver = nullptr;  // set once the command has returned

// Ctrl+C and Ctrl+Break stop the run after the file at hand, which leaves every folder as a
// cancel in the window does. Closing the console, logging off and shutting down end the process
// as soon as this returns, so for those it holds on until the run is over (the system allows a
// few seconds).
BOOL WINAPI OnConsoleEvent(DWORD event) {
  stopAsked = true;
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) WaitForSingleObject(runOver, INFINITE);
  return TRUE;
}

// DriverKeeper.exe in this program's folder.
std::wstring WindowProgram() {
  std::wstring path(32768, L'\0');
  DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
  path.resize(length);
  return path.substr(0, path.find_last_of(L'\\') + 1) + L"DriverKeeper.exe";
}

// Starts the window program as if the user had typed its name instead of ours.
int StartWindowProgram(HANDLE output) {
  std::wstring program = WindowProgram();
  std::wstring commandLine = L"\"" + program + L"\"";
  if (std::wstring_view arguments = ArgumentsAfterProgram(GetCommandLineW()); !arguments.empty())
    commandLine += L" " + std::wstring(arguments);
  // It gets none of our standard handles: a caller that reads our output to its end must not
  // wait for the window to close.
  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  PROCESS_INFORMATION started = {};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &started)) {
    WriteOutputLine(output, "DriverKeeper.exe could not be started: " +
                                platform::SystemErrorMessage(GetLastError()));
    return kExitFailed;
  }
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  return kExitSuccess;
}

}  // namespace

int main() {
  HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
  TPackageCommand command = ParsePackageCommand(SplitCommandLine(GetCommandLineA()));
  if (command.kind == TPackageCommandKind::None) return StartWindowProgram(output);
  runOver = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  // A process started in a new process group ignores Ctrl+C until it says otherwise.
  SetConsoleCtrlHandler(nullptr, FALSE);
  SetConsoleCtrlHandler(OnConsoleEvent, TRUE);
  int code = RunPackageCommandTo(output, command, [] { return stopAsked.load(); });
  SetEvent(runOver);
  return code;
}
