// The controls of the Driver packages window by their identifiers, which the window's tests use
// to find them.
#pragma once

namespace driver_packages {

enum : int {
  kList = 100,
  kFolder,
  kBrowse,
  kExport,
  kVerify,
  kRestore,
  kCancel,
  kClose,
  kProgress,
  kStatus,
  kResults
};

}  // namespace driver_packages
