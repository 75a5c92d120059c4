#include "ManagerWorld.h"

#include <fstream>
#include <sstream>

#include "skin/data/veSkinPack.h"

namespace manager_test {

namespace {

std::string ReadSourceFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

}  // namespace

void RecordingWindows::Broadcast(TsSkinManager&, uint16_t command, TsBroadcastScope scope) {
  log.push_back((scope == TsBroadcastScope::Everything ? "all:" : "app:") +
                std::to_string(command));
}

void RecordingWindows::SendToWindow(void* window, uint16_t command, TsSkinManager&) {
  log.push_back("w" + std::to_string(reinterpret_cast<uintptr_t>(window)) + ":" +
                std::to_string(command));
}

void RecordingWindows::SendToControl(fw::TControl* control, uint16_t command, TsSkinManager&) {
  log.push_back("c" + std::to_string(reinterpret_cast<uintptr_t>(control)) + ":" +
                std::to_string(command));
}

std::map<std::string, std::string> SlateMembers(const std::string& version) {
  std::string dir = std::string(DK_SOURCE_DIR) + "/tests/unit/skin/data/Slate/";
  std::map<std::string, std::string> members;
  for (const char* name : {"Options.dat", "MASTER.BMP", "CLOSE.PNG", "XBORDER.PNG"})
    members[name] = ReadSourceFile(dir + name);
  if (!version.empty()) {
    std::string& options = members["Options.dat"];
    size_t at = options.find("VERSION=8.1");
    options.replace(at, 11, "VERSION=" + version);
  }
  return members;
}

std::string PackedSlate(const std::string& version) {
  std::vector<TvePackedMember> members;
  for (auto& [name, data] : SlateMembers(version)) members.push_back({name, data});
  return WritePackedSkin(members);
}

World::World()
    : previousFiles_(platform::FileSystem::Install(&files)),
      previousWindows_(TsSkinWindows::Install(&windows)) {}

World::~World() {
  TsSkinWindows::Install(previousWindows_);
  platform::FileSystem::Install(previousFiles_);
}

void World::AddFile(const std::string& path, const std::string& content) {
  host.files[path] = content;
  files.AddFile(path, content);
}

void World::AddSkinFolder(const std::string& folder,
                          const std::map<std::string, std::string>& members) {
  for (const auto& [name, data] : members) AddFile(folder + "\\" + name, data);
}

std::vector<std::string> World::Messages() const {
  std::vector<std::string> texts;
  for (const auto& m : host.messages) texts.push_back(m.caption + ": " + m.text);
  return texts;
}

}  // namespace manager_test
