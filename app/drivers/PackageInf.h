// The check of a package's INF that verify and restore share, so that a package verify calls sound
// is one restore installs.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/drivers/PackageManifest.h"

// Reads a file of the package by its path there; nothing when it cannot be read whole.
using TPackageFileReader = std::function<std::optional<std::string>(const std::string& path)>;

// Why the INF may not be installed from its package alone, each problem once: a path of it that
// leads out of the package or that the system would expand, or a file it copies, or its catalog,
// that the manifest does not list (the installer would look for it beside the listed files). The
// INF is read for the system's driver architecture with each of its string tables. The INFs that
// CopyINF names are installed with it: each must be listed, is read through read and checked the
// same way, through the INFs it names in turn, each INF once; their problems begin with their
// names ("b.inf: ...").
std::vector<std::string> PackageInfProblems(const TPackageManifest& manifest,
                                            const std::string& infBytes,
                                            const TPackageFileReader& read);
