// Loading a skin model from options text and in-memory members, for the model tests.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "skin/data/sSkinModel.h"

namespace skin_fixtures {

// A packed-skin source holding the given members (name -> bytes) besides the options text.
inline TsSkinSource PackedSource(const std::string& options,
                                 const std::map<std::string, std::string>& members = {}) {
  auto package = std::make_shared<TveSkinConvertor>();
  for (const auto& [name, data] : members) package->ImageItems.push_back({name, false, data});
  return {options, package, ""};
}

inline std::unique_ptr<TsSkinModel> LoadModel(
    const std::string& options, const std::map<std::string, std::string>& members = {}) {
  auto model = std::make_unique<TsSkinModel>();
  model->Load(PackedSource(options, members));
  return model;
}

}  // namespace skin_fixtures
