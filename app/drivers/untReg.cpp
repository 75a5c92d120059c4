#include "app/drivers/untReg.h"

namespace {

// Key paths are absolute below the root; a leading "\" (and a trailing one, as on the class
// root) names the same key.
std::string KeyPath(const std::string& path) {
  size_t begin = !path.empty() && path.front() == '\\' ? 1 : 0;
  size_t end = path.size() > begin && path.back() == '\\' ? path.size() - 1 : path.size();
  return path.substr(begin, end - begin);
}

}  // namespace

std::string RegReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                          const std::string& def) {
  try {
    std::optional<platform::RegValue> value =
        platform::Registry::Current().QueryValue(root, KeyPath(keyPath), name);
    if (!value || (value->kind != platform::RegSz && value->kind != platform::RegExpandSz))
      return def;
    return value->data.substr(0, value->data.find('\0'));
  } catch (const std::exception&) {
    return def;
  }
}

std::vector<std::string> RegGetSubKeyNames(RegRoot root, const std::string& keyPath) {
  return platform::Registry::Current().SubKeyNames(root, KeyPath(keyPath));
}
