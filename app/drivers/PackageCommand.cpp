#include "app/drivers/PackageCommand.h"

#include <algorithm>

#include "app/drivers/PackageExport.h"
#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageRestore.h"
#include "app/drivers/PackageVerify.h"
#include "app/drivers/untSearchDriver.h"
#include "platform/DriverSetup.h"

namespace {

TPackageCommandKind CommandOf(const std::string& arg) {
  std::string name = UpperAscii(arg);
  if (name == "/EXPORT") return TPackageCommandKind::Export;
  if (name == "/VERIFY") return TPackageCommandKind::Verify;
  if (name == "/RESTORE") return TPackageCommandKind::Restore;
  if (name == "/?" || name == "-?" || name == "/HELP") return TPackageCommandKind::Help;
  return TPackageCommandKind::None;
}

// The package lines were written as they came; the summary closes the output. A run the user
// stopped did not do all it was asked: it fails, whatever its packages say. cancelled is a
// reference because it is read once the run that makes the reports is over.
int Report(const std::vector<TPackageReport>& reports, const bool& cancelled,
           const std::string& nothing, const std::function<void(const std::string&)>& writeLine) {
  writeLine(reports.empty() ? nothing : PackageSummaryLine(reports, cancelled));
  return cancelled ? kExitFailed : PackageExitCode(reports);
}

}  // namespace

std::string PackageSummary(const std::vector<TPackageReport>& reports) {
  size_t failed = std::count_if(reports.begin(), reports.end(),
                                [](const TPackageReport& r) { return !r.Succeeded(); });
  return std::to_string(reports.size()) + " packages, " + std::to_string(failed) + " failed";
}

std::string PackageSummaryLine(const std::vector<TPackageReport>& reports, bool cancelled) {
  return PackageSummary(reports) + (cancelled ? ", then cancelled." : ".");
}

std::string VisibleText(std::string_view text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string visible;
  visible.reserve(text.size());
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F)
      visible += {'\\', 'x', kHex[byte >> 4], kHex[byte & 15]};
    else
      visible += c;
  }
  return visible;
}

std::string FormatReportLine(const TPackageReport& report) {
  std::string line =
      (report.Succeeded() ? "OK    " : "FAIL  ") + report.package + ": " + report.outcome;
  for (const std::string& problem : report.problems) line += "; " + problem;
  return VisibleText(line);
}

TPackageCommand ParsePackageCommand(const std::vector<std::string>& args) {
  TPackageCommand command;
  auto found = std::find_if(args.begin(), args.end(), [](const std::string& arg) {
    return CommandOf(arg) != TPackageCommandKind::None;
  });
  if (found == args.end()) return command;
  command.kind = CommandOf(*found);
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = UpperAscii(args[i]);
    TPackageCommandKind kind = CommandOf(args[i]);
    if (i == static_cast<size_t>(found - args.begin())) {
      if (kind != TPackageCommandKind::Help && i + 1 < args.size() &&
          CommandOf(args[i + 1]) == TPackageCommandKind::None && !args[i + 1].starts_with("/"))
        command.folder = args[++i];
    } else if (kind != TPackageCommandKind::None) {
      command.error = "Give one command at a time.";
    } else if (name == "/ALL" && command.kind == TPackageCommandKind::Export) {
      command.all = true;
    } else if (name == "/FORCE" && command.kind == TPackageCommandKind::Restore) {
      command.force = true;
    } else if (command.error.empty()) {
      command.error = "Unknown argument: " + args[i];
    }
  }
  if (command.error.empty() && command.kind != TPackageCommandKind::Help && command.folder.empty())
    command.error = "The command needs a folder.";
  return command;
}

std::vector<std::string> PackageCommandUsage() {
  return {"Driver Keeper: back up, check and restore driver packages.",
          "",
          "  DriverKeeper /export DIR [/all]     export the recommended drivers (/all: every "
          "driver) as packages into DIR",
          "  DriverKeeper /verify DIR            check every package in DIR against its manifest",
          "  DriverKeeper /restore DIR [/force]  install the packages in DIR (/force: also those "
          "that fail the check)",
          "  DriverKeeper /?                     this text",
          "",
          "Exit code: 0 every package succeeded; 1 some package failed, or the run was cancelled;",
          "2 bad usage, nothing to do, a refused destination, or /restore without administrator "
          "rights."};
}

int PackageExitCode(const std::vector<TPackageReport>& reports) {
  if (reports.empty()) return kExitUsage;
  bool failed = std::any_of(reports.begin(), reports.end(),
                            [](const TPackageReport& r) { return !r.Succeeded(); });
  return failed ? kExitFailed : kExitSuccess;
}

int RunPackageCommand(const TPackageCommand& command,
                      const std::function<void(const std::string&)>& writeLine,
                      const std::function<bool()>& cancelled) {
  if (!command.error.empty() || command.kind == TPackageCommandKind::Help ||
      command.kind == TPackageCommandKind::None) {
    if (!command.error.empty()) writeLine(command.error);
    for (const std::string& line : PackageCommandUsage()) writeLine(line);
    return command.error.empty() && command.kind == TPackageCommandKind::Help ? kExitSuccess
                                                                              : kExitUsage;
  }
  // Whether the run stopped on request: the check answered yes once.
  bool stopped = false;
  TPackageProgress progress;
  progress.cancelled = [&] {
    if (cancelled && cancelled()) stopped = true;
    return stopped;
  };
  progress.onReport = [&](const TPackageReport& report) { writeLine(FormatReportLine(report)); };
  switch (command.kind) {
    case TPackageCommandKind::Export: {
      std::string refused = UnsuitableDestination(command.folder);
      if (!refused.empty()) {
        writeLine(refused);
        return kExitUsage;
      }
      auto drivers = ScanExportDrivers(command.all ? smAll : smRecommended);
      return Report(ExportPackages(drivers, command.folder, progress), stopped,
                    "No drivers to export.", writeLine);
    }
    case TPackageCommandKind::Verify:
      return Report(VerifyPackages(command.folder, progress), stopped,
                    "No packages in " + command.folder + ".", writeLine);
    default: {
      std::string refused = RestoreRefusal();
      if (!refused.empty()) {
        writeLine(refused);
        return kExitUsage;
      }
      platform::DriverSetup::Current().AllowPrompts(false);
      return Report(RestorePackages(command.folder, command.force, progress), stopped,
                    "No packages in " + command.folder + ".", writeLine);
    }
  }
}
