#include "skin/render/sControlKinds.h"

#include <array>
#include <initializer_list>
#include <utility>

namespace {

// A set of kinds in 0..255 written as single codes and inclusive ranges; codes above 255
// belong to no set.
class TKindSet {
 public:
  constexpr TKindSet(std::initializer_list<std::pair<int, int>> ranges) {
    for (auto [from, to] : ranges)
      for (int k = from; k <= to; ++k) bits_[size_t(k)] = true;
  }
  constexpr bool Has(int32_t kind) const { return kind >= 0 && kind < 256 && bits_[size_t(kind)]; }

 private:
  std::array<bool, 256> bits_{};
};

constexpr TKindSet kEditors{{2, 18}, {41, 41}, {76, 84}, {96, 96}, {131, 140}, {231, 231}};
constexpr TKindSet kContainers{{19, 19}, {51, 74}, {110, 110}, {141, 161}};
constexpr TKindSet kNoGlow{{51, 52},   {54, 54},   {56, 60},   {68, 68},   {73, 74},   {92, 94},
                           {110, 110}, {141, 141}, {143, 143}, {151, 151}, {161, 161}, {226, 226}};

struct TKindSection {
  TKindSet kinds;
  std::string_view section;
};

const TKindSection kDefaultSections[] = {
    {{{2, 8},
      {10, 10},
      {41, 41},
      {76, 76},
      {78, 78},
      {83, 85},
      {96, 96},
      {131, 131},
      {140, 140},
      {230, 230}},
     "EDIT"},
    {{{11, 18}, {81, 82}}, "COMBOBOX"},
    {{{19, 19}}, "BAR"},
    {{{20, 20}}, "BARTITLE"},
    {{{32, 33}, {50, 50}, {152, 152}}, "CHECKBOX"},
    {{{51, 51}, {59, 59}, {68, 68}, {73, 73}}, "PANEL"},
    {{{52, 52}, {58, 58}}, "PANEL_LOW"},
    {{{53, 54}, {60, 60}}, "TOOLBAR"},
    {{{56, 56}}, "DRAGBAR"},
    {{{57, 57}}, "TABSHEET"},
    {{{74, 74}, {226, 226}}, "GROUPBOX"},
    {{{75, 75}}, "SPLITTER"},
    {{{92, 92}, {95, 95}}, "SPEEDBUTTON"},
    {{{93, 94}}, "BUTTON"},
    {{{98, 98}}, "TOOLBUTTON"},
    {{{141, 141}, {143, 143}}, "PAGECONTROL"},
    {{{151, 151}}, "STATUSBAR"},
    {{{161, 161}}, "GAUGE"},
    {{{165, 165}}, "TRACKBAR"},
};

}  // namespace

bool IsEditorKind(int32_t kind) {
  return kEditors.Has(kind);
}

bool IsContainerKind(int32_t kind) {
  return kContainers.Has(kind);
}

bool IsNoGlowKind(int32_t kind) {
  return kNoGlow.Has(kind);
}

std::string_view DefaultSectionForKind(int32_t kind) {
  for (const TKindSection& entry : kDefaultSections)
    if (entry.kinds.Has(kind)) return entry.section;
  return {};
}
