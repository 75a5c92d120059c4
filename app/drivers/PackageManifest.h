// The manifest "package.ini" of an exported driver package: what the package is, and the size
// and SHA-256 of every file in its folder, so that a copy can be checked before it is installed.
// The reader takes the file as untrusted: a path in it must stay inside the package folder and be
// a name the file system accepts, or the whole manifest is refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

inline constexpr char kManifestName[] = "package.ini";

struct TPackageFile {
  std::string path;    // relative to the package folder, "\" between folders
  std::string sha256;  // 64 lower-case hex digits
  std::uint64_t size = 0;
};

// A file the export could not put into the package, and why.
struct TPackageMissing {
  std::string path;
  std::string reason;
};

struct TPackageManifest {
  std::string device, className, classGuid, provider, version, date;
  std::string inf;          // the installed INF's name (oemN.inf)
  std::string originalInf;  // the INF's own name in the package, when it differs
  std::string source;       // "store" (a driver-store folder) or "files" (files the INF lists)
  std::vector<TPackageFile> files;
  std::vector<TPackageMissing> missing;

  // The INF to install from the package folder.
  const std::string& InstallInf() const { return originalInf.empty() ? inf : originalInf; }
};

std::string FormatManifest(const TPackageManifest& manifest);

struct TManifestRead {
  TPackageManifest manifest;
  std::string error;  // empty when the manifest is sound
};
TManifestRead ParseManifest(std::string_view text);

// Why a relative path may not be used inside a package folder, or empty when it may: it must be
// relative, free of "." and ".." steps, of characters and device names the file system refuses,
// and writable as a manifest key.
std::string UnsafeRelativePath(std::string_view path);
// The same for a file that must lie in the package folder itself (an INF, its catalog).
std::string UnsafeFileName(const std::string& name);

// The largest manifest read, and the largest file size one may claim.
inline constexpr size_t kManifestMaxBytes = 4 << 20;
inline constexpr std::uint64_t kPackageFileMaxSize = std::uint64_t{1} << 40;
