// Builds one skin from its settings: the options sections with their keys and image entries, the
// master bitmap and the picture files. The window parts (GLOBALINFO, frame, title, menus) are in
// SkinBuilder.cpp, the controls in SkinControls.cpp.
#pragma once

#include <string>
#include <vector>

#include "tools/skingen/Atlas.h"
#include "tools/skingen/Collection.h"
#include "tools/skingen/Pictures.h"
#include "tools/skingen/SkinFile.h"
#include "tools/skingen/Theme.h"

namespace skingen {

// Throws std::runtime_error for settings that are missing or wrong.
Skin BuildSkin(const Settings& settings);

class SkinBuilder {
 public:
  explicit SkinBuilder(const Settings& settings);
  Skin Build();

 private:
  // Window parts.
  void Global();
  void TitleButtons();
  void CheckBoxes();
  void Window();
  void Menus();
  // Controls.
  void Buttons();
  void Edits();
  void Panels();
  void ScrollBars();
  void Tabs();
  void Bars();

  // The colours, gradients and state count of a section: states 0 and 1 have colours of their
  // own, later states (pressed, selected) take the hot colours and differ by their frames.
  void Colors(const std::string& section, const Fill& normal, const Fill& hot, int states = 2);
  void Transparent(const std::string& section, bool normal, bool hot);
  void Texture(const std::string& section, int percent);
  // Image entries: frames are joined side by side and stored in the master bitmap.
  std::string Border(const std::vector<Layer>& frames, Margins m, int flags);
  std::string Border(const std::vector<Layer>& frames, int margin, int flags);
  std::string Glyph(const std::vector<Layer>& frames);
  std::string Free(const std::string& name, const std::vector<Layer>& frames);
  // A picture file of the skin, masked (image band over mask band) or with straight alpha.
  void AddPng(const std::string& file, const img::Bitmap32& picture);
  std::vector<Layer> Rims(const std::vector<Rim>& rims, float radius);

  const Settings& settings_;
  Theme t_;
  Atlas atlas_{512};
  Skin skin_;
  Options& o_;
};

}  // namespace skingen
