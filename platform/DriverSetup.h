// The system's driver installation: where an installed INF's package lives in the driver store,
// installing an INF package, and pointing present devices at it. The entry points are looked up
// when needed, because older systems lack some of them and compatibility layers stub others.
#pragma once

#include <string>
#include <vector>

#include "platform/Seam.h"

namespace platform {

struct TInfInstall {
  enum Outcome { Installed, Present, Failed } outcome = Failed;
  std::string oemInf;  // the name the system gave the INF (oemN.inf), when it says
  std::string error;   // the system's reason, when it failed
};

struct TDeviceUpdate {
  // Kept: the devices have a better driver already. Gone: none of them is present any more.
  enum Outcome { Updated, Kept, Gone, Failed } outcome = Failed;
  bool restartNeeded = false;
  std::string error;  // the system's reason, when it failed
};

class DriverSetup : public Replaceable<DriverSetup> {
 public:
  static DriverSetup& Default();

  // Whether installing may stop to ask the user (an unknown publisher, say). A run from the
  // command line has nobody to answer: there such a package fails instead of waiting.
  virtual void AllowPrompts(bool allowed) = 0;
  // Why this process cannot install drivers, in words for the user; empty when it can.
  virtual std::string InstallRefusal() = 0;
  // The driver-store folder holding an installed INF's package, or empty when the system cannot
  // tell (no driver store, or no such lookup).
  virtual std::string DriverStoreFolder(const std::string& infPath) = 0;
  // Installs the package of an INF file, unless the same package is installed already.
  virtual TInfInstall InstallInf(const std::string& infPath) = 0;
  // The hardware and compatible IDs of the devices present now.
  virtual std::vector<std::string> PresentDeviceIds() = 0;
  // Gives the present devices of a hardware ID the INF's driver.
  virtual TDeviceUpdate UpdateDevices(const std::string& hardwareId,
                                      const std::string& infPath) = 0;
  // The processor architecture of the system's drivers ("x86", "amd64", "arm64"), which a
  // 32-bit program on 64-bit Windows does not share; here, the program's own.
  virtual std::string DriverArchitecture() { return sizeof(void*) == 8 ? "amd64" : "x86"; }
};

}  // namespace platform
