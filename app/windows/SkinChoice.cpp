#include "app/windows/SkinChoice.h"

#include <algorithm>

namespace {

constexpr std::string_view kInternalSuffix = " (internal)";

bool SameText(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

std::string_view WithoutSuffix(std::string_view name) {
  if (name.size() >= kInternalSuffix.size() &&
      name.substr(name.size() - kInternalSuffix.size()) == kInternalSuffix)
    name.remove_suffix(kInternalSuffix.size());
  return name;
}

}  // namespace

std::optional<std::string> SkinFromCommandLine(const std::vector<std::string>& args,
                                               const std::vector<std::string>& storedNames) {
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (!SameText(args[i], "/skin")) continue;
    for (const std::string& name : storedNames)
      if (SameText(WithoutSuffix(name), args[i + 1]) || SameText(name, args[i + 1])) return name;
    return std::nullopt;
  }
  return std::nullopt;
}

std::string StartupSkin(const std::vector<std::string>& args,
                        const std::vector<std::string>& storedNames,
                        const std::string& remembered) {
  if (storedNames.empty()) return {};
  for (size_t i = 0; i + 1 < args.size(); ++i) {
    if (!SameText(args[i], "/skin")) continue;
    // An unknown name on the command line starts with the default skin, not the remembered one.
    return SkinFromCommandLine(args, storedNames).value_or(storedNames.back());
  }
  if (std::find(storedNames.begin(), storedNames.end(), remembered) != storedNames.end())
    return remembered;
  return storedNames.back();
}
