#include "Collection.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

#include "text/TextLines.h"
#include "skin/data/SkinSources.h"

namespace collection {

std::string SkinsDir() {
  return DK_SKINS_DIR;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::vector<std::string> IndexNames() {
  std::vector<std::string> names;
  for (std::string& line : fw::SplitLines(ReadFile(SkinsDir() + "/index.txt")))
    if (!line.empty()) names.push_back(std::move(line));
  return names;
}

std::vector<RequiredSection> Required() {
  std::vector<RequiredSection> sections;
  for (const std::string& raw : fw::SplitLines(ReadFile(DK_SOURCE_DIR "/skins/required.txt"))) {
    std::istringstream line(raw);
    std::string word, name;
    if (!(line >> word) || word[0] == '#') continue;
    if (word.front() == '[' && word.back() == ']') {
      sections.emplace_back().name = word.substr(1, word.size() - 2);
      continue;
    }
    if (sections.empty()) throw std::runtime_error("required.txt: entry before a section: " + raw);
    RequiredSection& section = sections.back();
    if (word == "text") {
      section.text = true;
      if (line >> name && (name != "over" || !(line >> section.textOver)))
        throw std::runtime_error("required.txt: " + raw);
      continue;
    }
    if (!(line >> name) || (word != "key" && word != "image"))
      throw std::runtime_error("required.txt: " + raw);
    (word == "key" ? section.keys : section.images).push_back(name);
  }
  return sections;
}

std::unique_ptr<TsSkinModel> LoadPacked(const std::string& file) {
  auto model = std::make_unique<TsSkinModel>();
  model->Load(PackedFileSource(file, ""));
  return model;
}

const std::vector<LoadedSkin>& StoredSkins() {
  static const std::vector<LoadedSkin> skins = [] {
    std::vector<LoadedSkin> loaded;
    for (const std::string& name : IndexNames()) {
      LoadedSkin skin;
      skin.name = name;
      try {
        skin.model = LoadPacked(SkinsDir() + "/" + name + ".vlz");
      } catch (const std::exception& e) {
        skin.error = e.what();
      }
      loaded.push_back(std::move(skin));
    }
    return loaded;
  }();
  return skins;
}

}  // namespace collection
