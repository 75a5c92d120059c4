// A parent form and windowless children for the tests of this folder, with parents that answer
// the skin commands the way skinned parents do.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <utility>

#include "framework/Forms.h"
#include "Pictures.h"
#include "imaging/Bitmap32.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sCommonData.h"

namespace parentbg_win_test {

using namespace parentbg_test;

// A windowless control that paints nothing itself.
class TBox : public fw::TGraphicControl {
 public:
  explicit TBox(fw::TComponent* owner) : TGraphicControl(owner) {}

 protected:
  void Paint(fw::TCanvas&) override {}
};

// Puts a handler of skin commands in front of the control's own: answer returns true when it
// answered a command (leaving its reply in result).
using TSkinAnswer = std::function<bool(uint16_t command, LPARAM value, LRESULT& result)>;
inline void AnswerSkinCommands(fw::TControl& control, TSkinAnswer answer) {
  fw::TWndMethod previous = control.WindowProc;
  control.WindowProc = [previous, answer](fw::TMessage& m) {
    if (m.Msg == SkinCommandMsg && answer(HIWORD(m.WParam), m.LParam, m.Result)) return;
    previous(m);
  };
}

// Skins data with a section "PANEL" of colour face whose border entry (index 0) is the 3 x 3
// block at the left of master with margins 1 and transparent corners.
inline void SkinPanel(TsSkinModel& model, TsCommonData& data, img::Bitmap32 master, int32_t face) {
  model.MasterImage = std::move(master);
  TsMaskData border;
  border.Owner = &model;
  border.SrcRect = {0, 0, 3, 3};
  border.StateCount = 1;
  border.MarginLeft = border.MarginTop = border.MarginRight = border.MarginBottom = 1;
  border.CornerTransparency = 1;
  model.ImageTable = {border};
  TsGeneralData section;
  section.SectionName = "PANEL";
  section.States[0].Color = section.States[1].Color = face;
  section.BorderIndex = 0;
  model.SectionTable = {section};
  data.SkinManager = &model;
  data.SkinSection = "PANEL";
  data.SectionIndex = 0;
  data.BorderMaskIndex = 0;
}

}  // namespace parentbg_win_test
