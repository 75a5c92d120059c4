#include "app/windows/TextTemplate.h"

std::string FormatTemplate(const std::string& pattern, const std::vector<std::string>& values) {
  std::string text;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    char c = pattern[i];
    char conversion = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    if (c != '%' || (conversion != 's' && conversion != 'd' && conversion != '%')) {
      text += c;
      continue;
    }
    ++i;
    if (conversion == '%')
      text += '%';
    else if (next < values.size())
      text += values[next++];
  }
  return text;
}
