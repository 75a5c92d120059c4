// The combo box adapter: the frame and field painted like an edit from the control's section, the
// drop-down button from "COMBOBTN" (pressed while the list is open, hot while the control is
// focused or under the mouse) with the skin's combo arrow centred in it, and the drop-down list
// given its own adapter with skinned scroll bars and the field's colours.
#pragma once

#include <memory>

#include "imaging/Bitmap32.h"
#include "skin/controls/veEditWnd.h"

class TveComboListWnd;

class TveComboBoxWnd : public TveEditWnd {
 public:
  TveComboBoxWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                 TsCommonData* skinData);
  ~TveComboBoxWnd() override;

  void HandleMessage(fw::TMessage& message) override;

  // The button's state: 2 while the list is open, 1 when hot or focused, else 0.
  int ButtonState() const;
  // The last picture of the whole window, as put on the screen.
  const img::Bitmap32& Picture() const { return picture_; }
  TveComboListWnd* ListAdapter() const { return list_.get(); }

 private:
  bool Focused() const;
  void PaintTo(HDC dc);
  void PaintField(const COMBOBOXINFO& info, POINT offset);
  void PaintButton(const COMBOBOXINFO& info, POINT offset);
  // The colours the field's edit and the list draw with; the brush stays the adapter's.
  LRESULT AnswerColors(HDC dc);
  void HookList(HWND list);
  void Repaint();

  img::Bitmap32 picture_;
  std::unique_ptr<TveComboListWnd> list_;
  HBRUSH brush_ = nullptr;
  COLORREF brushColor_ = 0;
};

// The drop-down list of a skinned combo box: its frame from the combo box's section over the
// field's colour, its scroll bars skinned, and its combo box repainted whenever it opens or closes.
class TveComboListWnd : public TveScrollWnd {
 public:
  TveComboListWnd(HWND handle, TveComboBoxWnd& combo);
  ~TveComboListWnd() override;

  void HandleMessage(fw::TMessage& message) override;

 private:
  void PaintFrame(HDC dc);

  TveComboBoxWnd& combo_;
  img::Bitmap32 frame_;
};
