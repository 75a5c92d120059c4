// Restoring exported driver packages: each package verified first, its INF installed through the
// system's installer, and the present devices the INF is made for given its driver.
#pragma once

#include <string>
#include <vector>

#include "app/drivers/PackageReport.h"

// The hardware and compatible IDs an INF's models name, from its text: the sections that
// [Manufacturer] points to, with each decoration it lists.
std::vector<std::string> InfModelIds(const std::string& infText);

// Why nothing can be restored by this process (no administrator rights, the 32-bit program on
// 64-bit Windows), or empty.
std::string RestoreRefusal();

// Restores every package of root. Each package is verified, then copied into a private staging
// folder (hashed again as it is copied) and installed from there, so that the installer reads
// only the bytes that were checked; the folder is removed afterwards. An INF that names a file
// outside its package or missing from it is never installed. A package that fails verification
// (a package with missing files does) is skipped unless force, and a forced one is still a
// failure; one whose INF the system has already is reported as present and not installed again.
std::vector<TPackageReport> RestorePackages(const std::string& root, bool force,
                                            const TPackageProgress& progress = {});
