#include "app/drivers/BackupState.h"

namespace {
// User-interface thread only, like everything the window does.
bool running = false;
bool stopRequested = false;
}  // namespace

bool BackupRunning() {
  return running;
}

void RequestBackupStop() {
  if (running) stopRequested = true;
}

bool BackupStopRequested() {
  return stopRequested;
}

TBackupRunScope::TBackupRunScope() {
  running = true;
  stopRequested = false;
}

TBackupRunScope::~TBackupRunScope() {
  running = false;
  stopRequested = false;
}
