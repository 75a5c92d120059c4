// The program's command line for scripts: export, verify and restore driver packages without a
// window, one line per package, and an exit code a script can test.
//
//   /export DIR [/all]   /verify DIR   /restore DIR [/force]   /?
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/drivers/PackageReport.h"

enum class TPackageCommandKind { None, Export, Verify, Restore, Help };

struct TPackageCommand {
  TPackageCommandKind kind = TPackageCommandKind::None;  // None: no command, open the window
  std::string folder;
  bool all = false;    // /export: every driver, not only the recommended ones
  bool force = false;  // /restore: also packages that fail verification
  std::string error;   // why the command line is not usable
};

// Exit codes: everything succeeded; some package or file failed; bad usage or nothing to do.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// The command in the arguments (without the program's name). Arguments that are no command
// (such as "/skin NAME") leave the kind None, unless a command is given too.
TPackageCommand ParsePackageCommand(const std::vector<std::string>& args);

// The usage text, one line per string.
std::vector<std::string> PackageCommandUsage();

// The exit code of a run that produced these reports.
int PackageExitCode(const std::vector<TPackageReport>& reports);

// Runs a parsed command, writing each line of its output through writeLine as soon as it is
// known (a package's line when the package is done); returns the exit code. cancelled, when
// given, is asked after each file: true ends the run there, as a cancel in the window does.
int RunPackageCommand(const TPackageCommand& command,
                      const std::function<void(const std::string&)>& writeLine,
                      const std::function<bool()>& cancelled = {});
