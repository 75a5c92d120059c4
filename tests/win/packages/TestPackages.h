// Driver packages on the real file system for the Win32 tests: a small sound package and one
// with a 1 GB file, which takes seconds to verify. The large file is sparse, so it is made at
// once and takes no room. Everything is removed again at the end.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "platform/FileSystem.h"

namespace testing_support {

// The SHA-256 of 1 GiB of zero bytes.
inline constexpr char kZeroGigabyteSha256[] =
    "49bc20df15e412a64472421e13fe86ff1c5165e18b2afccf160d4dc19fe68a14";
inline constexpr std::uint64_t kGigabyte = std::uint64_t{1} << 30;

inline void WriteSmallFile(const std::string& path, const std::string& content) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
  CloseHandle(file);
}

struct TestPackages {
  std::string root;        // the folder holding both packages
  std::string small, big;  // their names, in the order a verify meets them
  std::string bigFile;     // the 1 GB file

  explicit TestPackages(const char* purpose) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    root = std::string(temp) + "dk-" + purpose + "-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(root.c_str(), nullptr);
    for (const char* name : {"P1", "P2"}) CreateDirectoryA((root + "\\" + name).c_str(), nullptr);
    // A verify takes the packages in the order the file system lists them.
    std::vector<std::string> listed = Listing(root);
    small = listed.at(0);
    big = listed.at(1);
    MakePackage(small, "small.sys", false);
    MakePackage(big, "big.bin", true);
    bigFile = root + "\\" + big + "\\big.bin";
  }
  ~TestPackages() {
    for (const std::string& package : Listing(root)) {
      std::string folder = root + "\\" + package;
      for (const std::string& file : Listing(folder)) DeleteFileA((folder + "\\" + file).c_str());
      RemoveDirectoryA(folder.c_str());
    }
    RemoveDirectoryA(root.c_str());
  }
  TestPackages(const TestPackages&) = delete;
  TestPackages& operator=(const TestPackages&) = delete;

  // Whether no one holds the large file open: it can be opened for writing, shared with no one.
  bool BigFileFree() const {
    HANDLE file = CreateFileA(bigFile.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
  }

 private:
  static std::vector<std::string> Listing(const std::string& folder) {
    return platform::FileSystem::Current().ListFolder(folder + "\\", "*.*");
  }

  // The package's INF, then its second file: small, or the 1 GB one.
  void MakePackage(const std::string& name, const std::string& second, bool large) {
    std::string folder = root + "\\" + name + "\\";
    TPackageManifest manifest;
    manifest.device = name;
    manifest.inf = name + ".inf";
    manifest.source = "files";
    WriteSmallFile(folder + manifest.inf, "[Version]\r\nSignature=\"$Windows NT$\"\r\n");
    THashedFile inf = HashFile(folder + manifest.inf);
    manifest.files.push_back({manifest.inf, inf.sha256, inf.size});
    if (large) {
      HANDLE file = CreateFileA((folder + second).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                0, nullptr);
      LARGE_INTEGER end;
      end.QuadPart = static_cast<LONGLONG>(kGigabyte);
      SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
      SetEndOfFile(file);
      CloseHandle(file);
      manifest.files.push_back({second, kZeroGigabyteSha256, kGigabyte});
    } else {
      WriteSmallFile(folder + second, "driver bytes");
      THashedFile hashed = HashFile(folder + second);
      manifest.files.push_back({second, hashed.sha256, hashed.size});
    }
    WriteSmallFile(folder + kManifestName, FormatManifest(manifest));
  }
};

}  // namespace testing_support
