// Staging folders in a MemoryFileSystem, for tests: what they hold is seen through the file system
// like any other file, and the folders made and removed are recorded.
#pragma once

#include <string>
#include <vector>

#include "platform/FileSystemMemory.h"
#include "platform/Staging.h"

namespace platform {

class MemoryStaging : public Staging {
 public:
  explicit MemoryStaging(MemoryFileSystem& files) : files_(files) {}

  std::string root = "C:\\Temp\\Driver Keeper";
  // The reason MakeFolder gives when it fails; empty when it succeeds.
  std::string refusal;
  // The reason RemoveFolder gives when it fails, leaving the folder; empty when it succeeds.
  std::string removalRefusal;
  std::vector<std::string> made;     // every staging folder made, in order
  std::vector<std::string> removed;  // and every one removed

  std::string MakeFolder() override;
  bool MakeSubfolder(const std::string& path) override;
  std::unique_ptr<StagedFile> NewFile(const std::string& path) override;
  bool RemoveFolder(const std::string& path) override;
  std::string LastErrorText() override { return lastError_; }

 private:
  MemoryFileSystem& files_;
  std::string lastError_;
};

}  // namespace platform
