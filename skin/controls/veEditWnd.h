// The adapter of edits, list boxes and their kin: the frame painted from the cached picture of
// the control's section, the control's colours taken from the skin (and given back when the skin
// goes), the hot frame while focused, and new children reported to the form for adoption.
#pragma once

#include "skin/controls/veBaseWnd.h"

class TveEditWnd : public TveBaseWnd {
 public:
  TveEditWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
             TsCommonData* skinData);
  ~TveEditWnd() override;

  void HandleMessage(fw::TMessage& message) override;
  void SaveControlColors() override;
  void RestoreControlColors() override;
  void ApplySkinColors() override;

  // The client area in window coordinates; Top is the frame's width. Top -1: not measured yet.
  RECT ClientOffset{0, -1, 0, 0};
  bool SingleLine = false;
  COLORREF BgColor = 0;
  bool ChildrenChanged = false;

 protected:
  // The edit's handling; false when the message goes on to the base.
  bool HandleEditMessage(fw::TMessage& message);
  void PaintNonClient();
  void Print(fw::TMessage& message);
  int FrameWidth();
  // Skinned, and the skin has the control's section.
  bool SectionSkinned() const;

  fw::TColor SavedColor = fw::clWindow;
  fw::TColor SavedFontColor = fw::clWindowText;

 private:
  unsigned savedStyle_ = 0;
  // While a print is passed on, the client paint the platform's default handling asks for is
  // left out: the adapter paints the client itself afterwards, over a background of its own.
  bool passingPrintOn_ = false;
  bool clientPrintSkipped_ = false;
};
