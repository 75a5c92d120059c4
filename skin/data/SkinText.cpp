#include "skin/data/SkinText.h"

namespace skin {

std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

bool SameTextAscii(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

std::string_view FileExtension(std::string_view name) {
  size_t dot = name.find_last_of(".\\/:");
  if (dot == std::string_view::npos || name[dot] != '.') return {};
  return name.substr(dot);
}

}  // namespace skin
