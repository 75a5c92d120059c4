// The grid adapter: the edit family's frame, scroll bars and colours, and the grid's own colours
// (fixed cells, lines, gradients, selection, title and fixed fonts) written through its published
// properties by name while skinned and given back after. A property the grid lacks, or cannot
// set, is left alone.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/controls/veEditWnd.h"

class TveGridWnd : public TveEditWnd {
 public:
  TveGridWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
             TsCommonData* skinData);
  ~TveGridWnd() override;

  void SaveControlColors() override;
  void RestoreControlColors() override;
  void ApplySkinColors() override;

 private:
  struct TSaved {
    std::string Name;
    std::intptr_t Value;
  };
  // The skin's value for a named property; false when the skin has none for it.
  bool SkinValue(const std::string& name, std::intptr_t& value) const;

  std::vector<TSaved> saved_;
  bool savedOnce_ = false;
};
