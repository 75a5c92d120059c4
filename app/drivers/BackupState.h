// Whether a backup run is going. The backup lets the window process messages between files, so
// the user can reach other commands meanwhile: the scan and a second backup must not start, and
// closing the window asks the run to stop after the file it is copying.
#pragma once

bool BackupRunning();
// Asks the running backup to stop after its current file; nothing when none runs.
void RequestBackupStop();
bool BackupStopRequested();

// Marks a backup run for the lifetime of a scope.
class TBackupRunScope {
 public:
  TBackupRunScope();
  ~TBackupRunScope();
  TBackupRunScope(const TBackupRunScope&) = delete;
  TBackupRunScope& operator=(const TBackupRunScope&) = delete;
};
