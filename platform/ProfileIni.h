// The private-profile reading of the system, rebuilt over the program's INI rules for machines
// without it: names match case-insensitively, the first section of a name is the one read,
// keys and values are trimmed, surrounding quotes of a value are removed, comment lines are not
// keys, and a missing file has no sections.
#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "platform/Profile.h"

namespace fw {
class IniText;
}

namespace platform {

class IniProfile : public Profile {
 public:
  // Gives a file's content, or nothing when it cannot be read.
  using Reader = std::function<std::optional<std::string>(const std::string& path)>;
  explicit IniProfile(Reader reader);
  ~IniProfile() override;

  std::string ReadString(const std::string& file, const std::string& section,
                         const std::string& key, const std::string& def,
                         size_t bufferSize) override;
  std::vector<std::string> ReadKeyNames(const std::string& file, const std::string& section,
                                        size_t bufferSize) override;

 private:
  const fw::IniText& Parse(const std::string& file);

  Reader reader_;
  std::optional<std::string> content_;
  std::unique_ptr<fw::IniText> parsed_;
};

}  // namespace platform
