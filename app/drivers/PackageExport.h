// Export of installed drivers as packages that the system can install again: per driver package
// (INF) a folder "<destination>\<device>\" holding the INF, its catalog and its files (or the whole
// driver-store folder when the package lives in the driver store), and the manifest "package.ini".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/drivers/PackageDestination.h"
#include "app/drivers/PackageReport.h"

struct TExportDriver {
  std::string device;      // the device's description (DriverDesc)
  std::string keyPath;     // the driver's instance key, as the scan writes it
  std::string inf{};       // the installed INF's name (InfPath), empty when it names none
  std::string provider{};  // as the registry gives it, "Microsoft" when it gives none

  // What makes it a package of its own: its INF, or its description when it names no INF.
  std::string PackageKey() const;
};

// The drivers of a scan mode (smRecommended or smAll), one per driver package: per distinct INF,
// in scan order, each under the description of its first instance. Two drivers whose devices
// share a description but not an INF are two packages; the instances of one INF are one.
std::vector<TExportDriver> ScanExportDrivers(std::uint8_t mode);

// A driver package offered in a list to choose from, with the words its row shows.
struct TOfferedDriver {
  TExportDriver driver;
  std::string label;  // the device, and where two rows would read alike its provider and INF
  bool recommended = false;
};

// Every driver package of the machine, once: the recommended ones first, then the others.
std::vector<TOfferedDriver> OfferedDrivers();

// Exports each driver into its own folder below destination, named by its device and numbered
// from " (2)" on where the name is taken (in this run or by anything in the destination). A
// destination that UnsuitableDestination refuses gives one failed report named by it and nothing
// is written. A file that cannot be copied is listed in the manifest as missing, and the export
// goes on. The manifest is in place from the package's first file on and lists what is not
// copied yet, so an export cut short anywhere leaves a folder that says what it lacks.
std::vector<TPackageReport> ExportPackages(const std::vector<TExportDriver>& drivers,
                                           const std::string& destination,
                                           const TPackageProgress& progress = {});
