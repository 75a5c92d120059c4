// What export, verify and restore say about each driver package, and how they report progress.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TPackageReport {
  std::string package;                // the package folder's name
  std::string outcome;                // what happened, in a few words
  std::vector<std::string> problems;  // each names the file or step that failed, and why
  bool Succeeded() const { return problems.empty(); }
};

// "1 file", "2 files".
inline std::string FileCount(size_t count) {
  return std::to_string(count) + (count == 1 ? " file" : " files");
}

// "N packages, M failed", without a full stop.
std::string PackageSummary(const std::vector<TPackageReport>& reports);

// The line that closes a run: the summary with a full stop, or for a run the user stopped,
// "N packages, M failed, then cancelled."
std::string PackageSummaryLine(const std::vector<TPackageReport>& reports, bool cancelled);

// The text with every control character (bytes below 0x20, and 0x7F) written as a visible
// escape, "\x1B" for ESC: names and texts from a manifest cannot move the cursor or repaint a
// line on a console. Bytes from 0x80 up are letters of the ANSI code page and stay.
std::string VisibleText(std::string_view text);

// One line for the package: its name, the outcome, and every problem, in visible text.
std::string FormatReportLine(const TPackageReport& report);

struct TPackageProgress {
  // Before each file; a window lets the user see and act here (it may process messages).
  std::function<void(const std::string& package, const std::string& file)> onFile;
  // Asked after each file: true ends the run there, with every folder left consistent.
  std::function<bool()> cancelled;
  // After each package, with its report: a console prints the line as soon as it is known.
  std::function<void(const TPackageReport&)> onReport;

  void File(const std::string& package, const std::string& file) const {
    if (onFile) onFile(package, file);
  }
  bool Cancelled() const { return cancelled && cancelled(); }
  // Keeps the package's report and tells onReport.
  void Done(std::vector<TPackageReport>& reports, TPackageReport report) const {
    reports.push_back(std::move(report));
    if (onReport) onReport(reports.back());
  }
};
