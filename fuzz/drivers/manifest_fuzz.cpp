// Fuzz target: a package manifest as verify and restore meet it. A manifest the reader accepts
// must write back to the same entries and name no device in any part of a path; verifying its
// package must read nothing outside the package folder. The device rule itself, tried on the
// input's first line, must ignore letter case and what the system drops before it looks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageVerify.h"
#include "platform/FileNames.h"
#include "platform/FileSystemMemory.h"

namespace {

const std::string kFolder = "C:\\Pk\\Device";

class WatchedFiles : public platform::MemoryFileSystem {
 public:
  bool ReadFileChunks(const std::string& path,
                      const std::function<void(const char*, size_t)>& sink) override {
    if (!PathIsInside(path, kFolder)) std::abort();
    return MemoryFileSystem::ReadFileChunks(path, sink);
  }
};

void Require(bool holds) {
  if (!holds) std::abort();
}

// No part of an accepted path is a device or ends where the system would cut it.
void RequireSafeParts(std::string_view path) {
  size_t start = 0;
  while (true) {
    size_t end = path.find('\\', start);
    std::string part(path.substr(start, end - start));
    Require(!part.empty() && !platform::NamesDevice(part));
    Require(part.back() != '.' && part.back() != ' ');
    if (end == std::string_view::npos) return;
    start = end + 1;
  }
}

std::string SwapAsciiCase(std::string text) {
  for (char& c : text)
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) c = static_cast<char>(c ^ 0x20);
  return text;
}

void CheckDeviceRule(const std::string& name) {
  bool device = platform::IsReservedDeviceName(name);
  Require(platform::IsReservedDeviceName(SwapAsciiCase(name)) == device);
  Require(!device || platform::NamesDevice(name));
  // What follows the first dot, and blanks before it, never matter.
  size_t dot = name.find_first_of(".:");
  if (dot == std::string::npos) {
    for (const char* end : {".sys", " .sys", "..txt", " .", "  "})
      Require(platform::IsReservedDeviceName(name + end) == device);
  }
  if (device && name.size() < 190 && name.find_first_of("\\/<>:\"|?*=%") == std::string::npos) {
    bool control = false;
    for (unsigned char c : name) control = control || c < 32;
    if (!control) Require(UnsafeRelativePath("sub\\" + name) == "names a device");
  }
  if (UnsafeRelativePath(name).empty()) RequireSafeParts(name);
  Require(SameFileName(name, SwapAsciiCase(name)));
  Require(FileNameKey(name) == FileNameKey(SwapAsciiCase(name)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  CheckDeviceRule(text.substr(0, text.find_first_of("\r\n")));
  TManifestRead read = ParseManifest(text);
  if (read.error.empty()) {
    RequireSafeParts(read.manifest.InstallInf());
    for (const TPackageFile& file : read.manifest.files) RequireSafeParts(file.path);
    TManifestRead again = ParseManifest(FormatManifest(read.manifest));
    Require(again.error.empty() && again.manifest.files.size() == read.manifest.files.size());
    for (size_t i = 0; i < read.manifest.files.size(); ++i)
      Require(again.manifest.files[i].path == read.manifest.files[i].path &&
              again.manifest.files[i].sha256 == read.manifest.files[i].sha256 &&
              again.manifest.files[i].size == read.manifest.files[i].size);
  }
  WatchedFiles files;
  platform::ScopedInstall<platform::FileSystem> use(files);
  files.AddFile(kFolder + "\\package.ini", text);
  files.AddFile(kFolder + "\\sub\\a.sys", "a");
  files.AddFile("C:\\Pk\\secret.txt", "outside");
  TPackageManifest manifest;
  VerifyPackage(kFolder, manifest);
  return 0;
}
