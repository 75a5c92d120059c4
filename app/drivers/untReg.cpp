#include "app/drivers/untReg.h"

namespace {

// Key paths are absolute below the root; a leading "\" (and a trailing one, as on the class
// root) names the same key.
std::string KeyPath(const std::string& path) {
  size_t begin = !path.empty() && path.front() == '\\' ? 1 : 0;
  size_t end = path.size() > begin && path.back() == '\\' ? path.size() - 1 : path.size();
  return path.substr(begin, end - begin);
}

class SourceWatch final : public platform::RegistryWatch {
 public:
  SourceWatch(platform::Registry& source, std::unique_ptr<platform::RegistryWatch> tree)
      : source_(source), tree_(std::move(tree)) {}
  bool Changed() override {
    return &platform::Registry::Current() != &source_ || !tree_ || tree_->Changed();
  }

 private:
  platform::Registry& source_;
  std::unique_ptr<platform::RegistryWatch> tree_;
};

}  // namespace

std::vector<std::string> RegReadStrings(
    RegRoot root, const std::string& keyPath,
    const std::vector<std::pair<std::string, std::string>>& namesAndDefaults) {
  std::vector<std::string> texts;
  for (const auto& [name, def] : namesAndDefaults) texts.push_back(def);
  try {
    std::vector<std::string> names;
    for (const auto& entry : namesAndDefaults) names.push_back(entry.first);
    std::vector<std::optional<platform::RegValue>> values =
        platform::Registry::Current().QueryValues(root, KeyPath(keyPath), names);
    for (size_t i = 0; i < values.size(); ++i) {
      const std::optional<platform::RegValue>& value = values[i];
      if (value && (value->kind == platform::RegSz || value->kind == platform::RegExpandSz))
        texts[i] = value->data.substr(0, value->data.find('\0'));
    }
  } catch (const std::exception&) {
  }
  return texts;
}

std::string RegReadString(RegRoot root, const std::string& keyPath, const std::string& name,
                          const std::string& def) {
  return RegReadStrings(root, keyPath, {{name, def}}).front();
}

std::vector<std::string> RegGetSubKeyNames(RegRoot root, const std::string& keyPath) {
  return platform::Registry::Current().SubKeyNames(root, KeyPath(keyPath));
}

std::unique_ptr<platform::RegistryWatch> RegWatchTree(RegRoot root, const std::string& keyPath) {
  platform::Registry& registry = platform::Registry::Current();
  return std::make_unique<SourceWatch>(registry, registry.WatchTree(root, KeyPath(keyPath)));
}
