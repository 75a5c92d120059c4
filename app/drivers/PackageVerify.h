// Checking exported driver packages against their manifests: every listed file re-hashed, and
// missing, changed and extra files named per package.
#pragma once

#include <string>
#include <vector>

#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageReport.h"

// The package folders of a folder: the folder itself when it holds a manifest, else all its
// sub-folders in listing order (one without a manifest is a package that lost it).
std::vector<std::string> FindPackageFolders(const std::string& root);

// Verifies one package folder. A package verifies only when it can be installed as it is: its
// manifest lists its INF and at least one file, every listed file is there unchanged, nothing
// else is, the export left nothing out (files it could not copy are named again), and the INF
// names only files the package holds (PackageInfProblems, the check restore makes too).
// manifest receives what was read.
TPackageReport VerifyPackage(const std::string& folder, TPackageManifest& manifest,
                             const TPackageProgress& progress = {});

std::vector<TPackageReport> VerifyPackages(const std::string& root,
                                           const TPackageProgress& progress = {});
