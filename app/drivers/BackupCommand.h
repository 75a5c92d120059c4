// The three backup commands of the main window ("Backup selected drivers", "Backup recommended
// drivers", "Back all drivers"): copy the picked rows' drivers into the backup tree, showing
// progress in the status bar, and report the outcome in a message box.
#pragma once

#include <string>

#include "app/drivers/DriverList.h"

// What the backup needs of the main window.
class TBackupWindow {
 public:
  virtual ~TBackupWindow() = default;
  // Status bar panel 0.
  virtual void SetStatusText(const std::string& text) = 0;
  // The Backup button's Enabled.
  virtual void SetBackupEnabled(bool enabled) = 0;
  // Lets the window process its pending messages.
  virtual void ProcessMessages() = 0;
  // The owner of the message boxes (the main window's handle) and their caption (the
  // application title).
  virtual void* Owner() = 0;
  virtual std::string Title() = 0;
};

enum class TBackupPick {
  Checked,      // "Backup selected drivers"
  Recommended,  // "Backup recommended drivers": rows whose Action is "Recommended"
  All,          // "Back all drivers"
};

// Runs one backup command. Does nothing while another run is going. The picked rows are taken
// before the first driver, so a list that changes meanwhile does not change the run. A stop
// requested while it runs (the window closing) ends it after the current file, without a
// message box.
void RunBackupCommand(TDriverRows& rows, TBackupWindow& window, TBackupPick pick);
