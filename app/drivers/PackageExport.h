// Export of installed drivers as packages that the system can install again: per driver a folder
// "<destination>\<device>\" holding the INF, its catalog and its files (or the whole driver-store
// folder when the package lives in the driver store), and the manifest "package.ini".
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/drivers/PackageReport.h"

struct TExportDriver {
  std::string device;   // the row caption (DriverDesc)
  std::string keyPath;  // the driver's instance key, as the scan writes it
};

// The drivers of a scan mode (smRecommended or smAll), one per distinct description.
std::vector<TExportDriver> ScanExportDrivers(std::uint8_t mode);

// Why packages may not be written to destination, or empty when they may: a destination in the
// Windows folder is refused, so that an export can never overwrite the system's own files.
std::string UnsuitableDestination(const std::string& destination);

// Exports each driver into its own folder below destination. A file that cannot be copied is
// listed in the manifest as missing, and the export goes on. The manifest is in place from the
// package's first file on and lists what is not copied yet, so an export cut short anywhere
// leaves a folder that says what it lacks.
std::vector<TPackageReport> ExportPackages(const std::vector<TExportDriver>& drivers,
                                           const std::string& destination,
                                           const TPackageProgress& progress = {});
