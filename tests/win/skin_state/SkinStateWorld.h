// Controls that hand their messages to a skin state first, as skinned controls do, and a small
// skin for them.
#pragma once

#include <string>
#include <vector>

#include "WinWorld.h"
#include "framework/StdCtrls.h"
#include "skin/render/sCommonData.h"

namespace skin_state_test {

using namespace parentbg_win_test;

// Records the skin commands that reach the control past its skin state, as "code/argument".
template <class Base>
class TSkinned : public Base {
 public:
  explicit TSkinned(fw::TComponent* owner) : Base(owner), data(this, true) {
    fw::TWndMethod own = this->WindowProc;
    this->WindowProc = [this, own](fw::TMessage& m) {
      if (m.Msg == SkinCommandMsg && HIWORD(m.WParam) != CmdGetSkinData)
        told.push_back(HIWORD(m.WParam));
      if (!data.HandleMessage(m)) own(m);
    };
  }
  TsCtrlSkinData data;
  std::vector<int> told;
};

using TSkinnedBox = TSkinned<TBox>;
using TSkinnedGroup = TSkinned<fw::TGroupBox>;

inline TsGeneralData Section(const std::string& name, int32_t color, int32_t transparency = 0) {
  TsGeneralData s;
  s.SectionName = name;
  s.StateCount = 2;
  s.States[0].Color = color;
  s.States[1].Color = color ^ 0xFFFFFF;
  s.States[0].Transparency = s.States[1].Transparency = transparency;
  return s;
}

}  // namespace skin_state_test
