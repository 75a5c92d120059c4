// Fuzz target: a package manifest as verify and restore meet it. A manifest the reader accepts
// must write back to the same entries, and verifying its package must read nothing outside the
// package folder.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/drivers/PackageFiles.h"
#include "app/drivers/PackageManifest.h"
#include "app/drivers/PackageVerify.h"
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  TManifestRead read = ParseManifest(text);
  if (read.error.empty()) {
    TManifestRead again = ParseManifest(FormatManifest(read.manifest));
    if (!again.error.empty() || again.manifest.files.size() != read.manifest.files.size())
      std::abort();
    for (size_t i = 0; i < read.manifest.files.size(); ++i)
      if (again.manifest.files[i].path != read.manifest.files[i].path ||
          again.manifest.files[i].sha256 != read.manifest.files[i].sha256 ||
          again.manifest.files[i].size != read.manifest.files[i].size)
        std::abort();
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
