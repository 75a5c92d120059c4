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

// Restores every package of root. A package that fails verification is skipped unless force;
// one whose INF the system has already is reported as present and not installed again.
std::vector<TPackageReport> RestorePackages(const std::string& root, bool force,
                                            const TPackageProgress& progress = {});
