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

class ChangeWatch final : public RegistryWatch {
 public:
  explicit ChangeWatch(std::shared_ptr<const std::uint64_t> changes)
      : changes_(std::move(changes)), seen_(*changes_) {}
  bool Changed() override { return *changes_ != seen_; }

 private:
  std::shared_ptr<const std::uint64_t> changes_;
  std::uint64_t seen_;
};

}  // namespace

MemoryRegistry::~MemoryRegistry() {
  ++*changes_;
}

MemoryRegistry::Key& MemoryRegistry::Make(const std::string& path) {
  ++*changes_;
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

std::unique_ptr<RegistryWatch> MemoryRegistry::WatchTree(RegRoot, const std::string&) {
  return std::make_unique<ChangeWatch>(changes_);
}

}  // namespace platform
