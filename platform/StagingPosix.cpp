// Other systems install no drivers, so they stage nothing.
#include "platform/Staging.h"

namespace platform {
namespace {

class NoStaging final : public Staging {
 public:
  std::string MakeFolder() override { return {}; }
  bool MakeSubfolder(const std::string&) override { return false; }
  std::unique_ptr<StagedFile> NewFile(const std::string&) override { return nullptr; }
  bool RemoveFolder(const std::string&) override { return false; }
  std::string LastErrorText() override { return "Staging folders are made only on Windows."; }
};

}  // namespace

Staging& Staging::Default() {
  static NoStaging staging;
  return staging;
}

}  // namespace platform
