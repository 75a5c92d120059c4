// Checking exported driver packages against their manifests: every listed file re-hashed, and
// missing, changed and extra files named per package.
#pragma once

#include <string>
#include <vector>

#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageReport.h"

// The package folders of a folder: the folder itself when it holds a manifest, else its
// sub-folders that do, in listing order.
std::vector<std::string> FindPackageFolders(const std::string& root);

// Verifies one package folder. Files the export could not copy were reported then, and are named
// again in the outcome; they do not make an intact package fail. manifest receives what was read.
TPackageReport VerifyPackage(const std::string& folder, TPackageManifest& manifest,
                             const TPackageProgress& progress = {});

std::vector<TPackageReport> VerifyPackages(const std::string& root,
                                           const TPackageProgress& progress = {});
