// The stored skins the pixel benchmarks paint with, loaded as the program loads them.
#pragma once

#include <string>

#include "skin/data/SkinSources.h"
#include "skin/data/sSkinModel.h"
#include "skins/StoredSkins.h"

namespace bench {

// The default skin and one skin of each other family.
inline constexpr const char* kSkins[] = {"Soft Azure",  "Contrast Black", "Canvas",
                                         "Night Ember", "Glass Ruby",     "Flat Graphite"};

inline const TsStoredSkins& Stored() {
  static const TsStoredSkins skins = [] {
    TsStoredSkins s;
    AddStoredSkins(s);
    return s;
  }();
  return skins;
}

inline void LoadSkin(TsSkinModel& model, const std::string& name) {
  const TsStoredSkins& skins = Stored();
  model.Load(PackedDataSource(skins.Items(skins.IndexOfSkin(name + " (internal)")).Data));
}

}  // namespace bench
