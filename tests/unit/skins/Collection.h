// The generated skin collection in the build's skins folder, and the list of what a complete
// skin carries (skins/required.txt), read once for all tests of this folder.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "skin/data/sSkinModel.h"

namespace collection {

// One section of required.txt.
struct RequiredSection {
  std::string name;
  std::vector<std::string> keys;
  std::vector<std::string> images;
  bool text = false;
  std::string textOver;  // the section that shows through behind the text, or empty
};

std::string SkinsDir();
std::string ReadFile(const std::string& path);
// The names of index.txt, in order.
std::vector<std::string> IndexNames();
// Throws std::runtime_error on a line it does not understand.
std::vector<RequiredSection> Required();

// A stored skin, loaded into the model once; error holds the load error, if any.
struct LoadedSkin {
  std::string name;
  std::unique_ptr<TsSkinModel> model;
  std::string error;
};
const std::vector<LoadedSkin>& StoredSkins();
std::unique_ptr<TsSkinModel> LoadPacked(const std::string& file);

}  // namespace collection
