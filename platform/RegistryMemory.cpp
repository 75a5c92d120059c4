#include "platform/RegistryMemory.h"

#include <algorithm>

namespace platform {
namespace {

std::string Fold(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(), [](char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
  });
  return text;
}

template <class Changes>
class ChangeWatch final : public RegistryWatch {
 public:
  ChangeWatch(std::shared_ptr<const Changes> changes, std::string key)
      : changes_(std::move(changes)), key_(std::move(key)), seen_(changes_->keys.size()) {}
  bool Changed() override {
    if (changes_->gone) return true;
    for (size_t i = seen_; i < changes_->keys.size(); ++i) {
      const std::string& changed = changes_->keys[i];
      if (key_.empty() || (changed.compare(0, key_.size(), key_) == 0 &&
                           (changed.size() == key_.size() || changed[key_.size()] == '\\')))
        return true;
    }
    return false;
  }

 private:
  std::shared_ptr<const Changes> changes_;
  std::string key_;
  size_t seen_;
};

}  // namespace

MemoryRegistry::~MemoryRegistry() {
  changes_->gone = true;
}

MemoryRegistry::Key& MemoryRegistry::Make(const std::string& path) {
  changes_->keys.push_back(Fold(path));
  auto found = keys_.find(Fold(path));
  if (found != keys_.end()) return found->second;
  size_t sep = path.rfind('\\');
  if (!path.empty()) {
    Key& parent = Make(sep == std::string::npos ? std::string() : path.substr(0, sep));
    parent.subKeys.push_back(sep == std::string::npos ? path : path.substr(sep + 1));
  }
  return keys_[Fold(path)];
}

void MemoryRegistry::AddKey(const std::string& path) {
  Make(path);
}

void MemoryRegistry::SetValue(const std::string& path, const std::string& name, RegValue value) {
  Make(path).values[Fold(name)] = std::move(value);
}

void MemoryRegistry::SetString(const std::string& path, const std::string& name,
                               const std::string& text) {
  SetValue(path, name, {RegSz, text + '\0'});
}

void MemoryRegistry::DenyAccess(const std::string& path) {
  Make(path).denied = true;
}

MemoryRegistry::Key* MemoryRegistry::Find(RegRoot root, const std::string& path) {
  if (root != RegRoot::LocalMachine) return nullptr;
  auto found = keys_.find(Fold(path));
  return found == keys_.end() || found->second.denied ? nullptr : &found->second;
}

std::optional<RegValue> MemoryRegistry::QueryValue(RegRoot root, const std::string& path,
                                                   const std::string& name) {
  Key* key = Find(root, path);
  if (!key) return std::nullopt;
  auto value = key->values.find(Fold(name));
  if (value == key->values.end()) return std::nullopt;
  return value->second;
}

std::vector<std::optional<RegValue>> MemoryRegistry::QueryValues(
    RegRoot root, const std::string& path, const std::vector<std::string>& names) {
  std::vector<std::optional<RegValue>> values;
  for (const std::string& name : names) values.push_back(QueryValue(root, path, name));
  return values;
}

std::vector<std::string> MemoryRegistry::SubKeyNames(RegRoot root, const std::string& path) {
  Key* key = Find(root, path);
  return key ? key->subKeys : std::vector<std::string>();
}

std::unique_ptr<RegistryWatch> MemoryRegistry::WatchTree(RegRoot, const std::string& path) {
  return std::make_unique<ChangeWatch<Changes>>(changes_, Fold(path));
}

}  // namespace platform
