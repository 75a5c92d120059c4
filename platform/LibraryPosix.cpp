// Plug-ins are Windows libraries; elsewhere none can be loaded.
#include "platform/Library.h"

namespace platform {
namespace {

class NoLibrary final : public Library {
 public:
  void* Load(const std::string&) override { return nullptr; }
  void* Find(void*, const std::string&) override { return nullptr; }
  void Unload(void*) override {}
};

}  // namespace

Library& Library::Default() {
  static NoLibrary none;
  return none;
}

}  // namespace platform
