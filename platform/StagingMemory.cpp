#include "platform/StagingMemory.h"

namespace platform {
namespace {

// Holds what is written and puts it into the file system when closed.
class MemoryStagedFile final : public StagedFile {
 public:
  MemoryStagedFile(MemoryFileSystem& files, std::string path, std::string& lastError)
      : files_(files), path_(std::move(path)), lastError_(lastError) {}
  bool Write(const char* data, size_t size) override {
    content_.append(data, size);
    return true;
  }
  bool Close() override {
    if (files_.WriteFileWhole(path_, content_)) return true;
    lastError_ = files_.LastErrorText();
    return false;
  }

 private:
  MemoryFileSystem& files_;
  std::string path_, content_;
  std::string& lastError_;
};

}  // namespace

std::string MemoryStaging::MakeFolder() {
  if (!refusal.empty()) {
    lastError_ = refusal;
    return {};
  }
  std::string path = root + "\\stage-" + std::to_string(made.size() + 1);
  files_.AddFolder(path);
  made.push_back(path);
  return path;
}

bool MemoryStaging::MakeSubfolder(const std::string& path) {
  if (files_.CreateFolder(path)) return true;
  lastError_ = files_.LastErrorText();
  return false;
}

std::unique_ptr<StagedFile> MemoryStaging::NewFile(const std::string& path) {
  if (files_.Content(path)) {
    lastError_ = "The file exists.";
    return nullptr;
  }
  if (!files_.DirectoryExists(path.substr(0, path.rfind('\\')))) {
    lastError_ = "The system cannot find the path specified.";
    return nullptr;
  }
  return std::make_unique<MemoryStagedFile>(files_, path, lastError_);
}

bool MemoryStaging::RemoveFolder(const std::string& path) {
  if (!removalRefusal.empty()) {
    lastError_ = removalRefusal;
    return false;
  }
  files_.Remove(path);
  removed.push_back(path);
  return true;
}

}  // namespace platform
