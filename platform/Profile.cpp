#include "platform/Profile.h"

namespace platform {

std::vector<std::string> SplitNameList(std::string_view buffer) {
  std::vector<std::string> names;
  for (size_t start = 0; start < buffer.size();) {
    size_t end = buffer.find('\0', start);
    if (end == std::string_view::npos) end = buffer.size();
    if (end == start) break;
    names.emplace_back(buffer.substr(start, end - start));
    start = end + 1;
  }
  return names;
}

}  // namespace platform
