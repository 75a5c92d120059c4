// File identities over the file system in use (a MemoryFileSystem in the tests): a path's final
// form is its absolute form with the links added here replaced by their targets, and two paths
// are the same file when their final forms are.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/FileIdentity.h"

namespace platform {

class MemoryFileIdentity : public FileIdentity {
 public:
  // alias (a folder, a drive "S:" or a share "\\host\C$") leads to target.
  void AddLink(const std::string& alias, const std::string& target);

  std::optional<TFileId> IdOf(const std::string& path) override;
  std::string FinalPath(const std::string& path) override;

 private:
  std::vector<std::pair<std::string, std::string>> links_;
  std::map<std::string, std::uint64_t> ids_;  // by folded final path, numbered as first met
};

}  // namespace platform
