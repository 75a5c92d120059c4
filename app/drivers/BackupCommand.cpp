#include "app/drivers/BackupCommand.h"

#include <vector>

#include "app/drivers/BackupState.h"
#include "app/drivers/untBackUpDriver.h"
#include "platform/Host.h"

namespace {

struct TPickedRow {
  std::string caption;
  std::string keyPath;
};

// Devices named in the warning before the rest are only counted.
const size_t kDevicesNamed = 5;

std::vector<TPickedRow> PickRows(const TDriverRows& rows, TBackupPick pick) {
  std::vector<TPickedRow> picked;
  for (int row = 0; row < rows.Count(); ++row) {
    bool take =
        pick == TBackupPick::All || (pick == TBackupPick::Checked && rows.Checked(row)) ||
        (pick == TBackupPick::Recommended && rows.SubItem(row, kActionColumn) == "Recommended");
    if (take) picked.push_back({rows.Caption(row), rows.SubItem(row, kKeyPathColumn)});
  }
  return picked;
}

void Show(TBackupWindow& window, const std::string& text, unsigned flags) {
  platform::CurrentHost().ShowMessage(window.Owner(), text, window.Title(), platform::MbOk | flags);
}

// folderError is the first backup folder that could not be made, with the system's reason: a
// standard user running the program from Program Files learns why nothing was copied.
std::string FailureReport(size_t failed, size_t total, const std::vector<std::string>& devices,
                          const std::string& folderError) {
  std::string text = "Finished, but " + std::to_string(failed) + " of " + std::to_string(total) +
                     " files could not be copied.\r\n\r\nDevices:";
  for (size_t i = 0; i < devices.size() && i < kDevicesNamed; ++i) text += "\r\n" + devices[i];
  if (devices.size() > kDevicesNamed)
    text += "\r\nand " + std::to_string(devices.size() - kDevicesNamed) + " more";
  if (!folderError.empty()) text += "\r\n\r\n" + folderError;
  return text;
}

}  // namespace

void RunBackupCommand(TDriverRows& rows, TBackupWindow& window, TBackupPick pick) {
  if (BackupRunning()) return;
  if (pick == TBackupPick::Checked && rows.Count() > 0 &&
      PickRows(rows, TBackupPick::Checked).empty()) {
    Show(window, "You have not selected any driver.", platform::MbIconQuestion);
    return;
  }
  TBackupRunScope run;
  size_t total = 0, failed = 0;
  std::vector<std::string> failedDevices;
  std::string folderError;
  for (const TPickedRow& row : PickRows(rows, pick)) {
    window.SetBackupEnabled(false);
    window.ProcessMessages();
    if (BackupStopRequested()) break;
    std::vector<std::string> files = GetDriverFiles(row.keyPath);
    window.SetStatusText("Backup:" + row.caption + "...");
    TDriverBackup done = BackUpDriver(row.caption, files, [&] { window.ProcessMessages(); });
    total += files.size();
    failed += done.failed;
    if (done.failed) failedDevices.push_back(row.caption);
    if (folderError.empty()) folderError = done.folderError;
    if (done.stopped) break;
  }
  window.SetBackupEnabled(true);
  if (BackupStopRequested()) return;
  window.SetStatusText("Finished!");
  if (failed == 0)
    Show(window, "Finished!", platform::MbIconInformation);
  else
    Show(window, FailureReport(failed, total, failedDevices, folderError), platform::MbIconWarning);
}
