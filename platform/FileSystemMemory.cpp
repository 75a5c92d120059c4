#include "platform/FileSystemMemory.h"

namespace platform {
namespace {

char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsAbsolute(const std::string& path) {
  return (path.size() >= 2 && path[1] == ':') || (!path.empty() && path[0] == '\\');
}

// The path's components the way the system resolves them: "." and empty ones dropped, ".."
// going up, trailing dots and blanks of a name ignored.
std::vector<std::string> Components(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find_first_of("\\/", start);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(start, end - start);
    if (part == "..") {
      if (parts.size() > 1) parts.pop_back();
    } else if (part != ".") {
      while (!part.empty() && (part.back() == '.' || part.back() == ' ')) part.pop_back();
      if (!part.empty()) parts.push_back(part);
    }
    start = end + 1;
  }
  return parts;
}

std::string Join(const std::vector<std::string>& parts, size_t count = std::string::npos) {
  std::string path;
  for (size_t i = 0; i < count && i < parts.size(); ++i) path += (i ? "\\" : "") + parts[i];
  return path;
}

}  // namespace

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  if (pattern == "*.*") return true;
  size_t n = 0, p = 0, starP = std::string::npos, starN = 0;
  while (n < name.size()) {
    if (p < pattern.size() && (pattern[p] == '?' || Upper(pattern[p]) == Upper(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      starP = p++;
      starN = n;
    } else if (starP != std::string::npos) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

MemoryFileSystem::MemoryFileSystem() {
  AddFolder(windowsDirectory);
  AddFolder(systemDirectory);
  AddFolder(currentDirectory);
}

std::vector<std::string> MemoryFileSystem::Parts(const std::string& path) const {
  return Components(IsAbsolute(path) ? path : currentDirectory + "\\" + path);
}

std::string MemoryFileSystem::Key(const std::string& path) const {
  std::string key = Join(Parts(path));
  for (char& c : key) c = Upper(c);
  return key;
}

MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) {
  auto found = entries_.find(Key(path));
  return found == entries_.end() ? nullptr : &found->second;
}

const MemoryFileSystem::Entry* MemoryFileSystem::Find(const std::string& path) const {
  auto found = entries_.find(Key(path));
  return found == entries_.end() ? nullptr : &found->second;
}

MemoryFileSystem::Entry* MemoryFileSystem::Add(const std::string& path, bool folder) {
  std::vector<std::string> parts = Parts(path);
  if (parts.empty()) return nullptr;
  Entry* parent = parts.size() > 1 ? Find(Join(parts, parts.size() - 1)) : nullptr;
  if (parts.size() > 1 && (!parent || !parent->folder || parent->readOnly)) return nullptr;
  std::string key = Key(Join(parts));
  auto [it, added] = entries_.emplace(key, Entry{});
  if (added) {
    it->second.folder = folder;
    if (parent) parent->children.push_back(parts.back());
  }
  return &it->second;
}

void MemoryFileSystem::AddFolder(const std::string& path) {
  std::vector<std::string> parts = Parts(path);
  for (size_t i = 1; i <= parts.size(); ++i) Add(Join(parts, i), true);
}

void MemoryFileSystem::AddFile(const std::string& path, const std::string& content) {
  std::vector<std::string> parts = Parts(path);
  AddFolder(Join(parts, parts.size() - 1));
  Add(path, false)->content = content;
}

void MemoryFileSystem::SetReadOnly(const std::string& path) {
  if (Entry* entry = Find(path)) entry->readOnly = true;
}

void MemoryFileSystem::SetLink(const std::string& path) {
  if (Entry* entry = Find(path)) entry->link = true;
}

std::optional<std::string> MemoryFileSystem::Content(const std::string& path) const {
  const Entry* entry = Find(path);
  if (!entry || entry->folder) return std::nullopt;
  return entry->content;
}

std::vector<std::string> MemoryFileSystem::ListFolder(const std::string& folder,
                                                      const std::string& pattern) {
  std::vector<std::string> names;
  const Entry* entry = Find(folder);
  if (!entry || !entry->folder) return names;
  for (const std::string& name : entry->children)
    if (MatchesPattern(name, pattern)) names.push_back(name);
  return names;
}

bool MemoryFileSystem::DirectoryExists(const std::string& path) {
  const Entry* entry = Find(path);
  return entry && entry->folder;
}

bool MemoryFileSystem::IsLink(const std::string& path) {
  const Entry* entry = Find(path);
  return entry && entry->link;
}

bool MemoryFileSystem::CreateFolder(const std::string& path) {
  std::vector<std::string> parts = Parts(path);
  const Entry* parent = parts.size() > 1 ? Find(Join(parts, parts.size() - 1)) : nullptr;
  if (Find(path)) return Fail("Cannot create a file when that file already exists.");
  if (!parent || !parent->folder) return Fail("The system cannot find the path specified.");
  if (parent->readOnly) return Fail("Access is denied.");
  return Add(path, true) != nullptr || Fail("Access is denied.");
}

bool MemoryFileSystem::CopyFileOver(const std::string& source, const std::string& destination) {
  const Entry* from = Find(source);
  if (!from || from->folder) return Fail("The system cannot find the file specified.");
  std::string content = from->content;
  if (!WriteFileWhole(destination, content)) return false;
  ++copies;
  return true;
}

bool MemoryFileSystem::ReadFileChunks(const std::string& path,
                                      const std::function<void(const char*, size_t)>& sink) {
  const Entry* entry = Find(path);
  if (!entry || entry->folder) return Fail("The system cannot find the file specified.");
  if (entry->link) return Fail("The file is a link to another place.");
  sink(entry->content.data(), entry->content.size());
  return true;
}

bool MemoryFileSystem::WriteFileWhole(const std::string& path, std::string_view content) {
  Entry* to = Find(path);
  if (to && (to->folder || to->readOnly)) return Fail("Access is denied.");
  if (!to && !(to = Add(path, false))) return Fail("Access is denied.");
  to->content = content;
  return true;
}

bool MemoryFileSystem::MoveFileOver(const std::string& source, const std::string& destination) {
  std::optional<std::string> content = Content(source);
  if (!content) return Fail("The system cannot find the file specified.");
  if (!WriteFileWhole(destination, *content)) return false;
  Remove(source);
  return true;
}

std::optional<std::uint64_t> MemoryFileSystem::FileSize(const std::string& path) {
  const Entry* entry = Find(path);
  if (!entry || entry->folder) return std::nullopt;
  return entry->content.size();
}

void MemoryFileSystem::Remove(const std::string& path) {
  std::vector<std::string> parts = Parts(path);
  std::string key = Key(path), parentPath = Join(parts, parts.size() - 1);
  if (!entries_.count(key)) return;
  if (Entry* parent = parts.size() > 1 ? Find(parentPath) : nullptr)
    std::erase_if(parent->children,
                  [&](const std::string& name) { return Key(parentPath + "\\" + name) == key; });
  std::erase_if(entries_, [&](const auto& entry) {
    return entry.first == key || entry.first.starts_with(key + "\\");
  });
}

bool MemoryFileSystem::ChangeDirectory(const std::string& path) {
  if (!DirectoryExists(path)) return Fail("The system cannot find the path specified.");
  currentDirectory = FullPath(path);
  return true;
}

std::string MemoryFileSystem::FullPath(const std::string& path) {
  // A share path keeps the two separators that make it one.
  return (path.starts_with("\\\\") ? "\\\\" : "") + Join(Parts(path));
}

bool MemoryFileSystem::Fail(const char* reason) {
  lastError_ = reason;
  return false;
}

}  // namespace platform
