// The adapter of plain static texts in dialogs: the text drawn in the skin's colours over the
// picture of the static's section. Statics that take the focus or carry the sunken edge keep the
// platform's look.
#pragma once

#include "skin/controls/veMainWnd.h"

class TveStaticWnd : public TveMainWnd {
 public:
  // Without a section the static is drawn as a check box's text is.
  TveStaticWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
               TsCommonData* skinData)
      : TveMainWnd(handle, repaint, skinSection.empty() ? "CHECKBOX" : skinSection, manager,
                   skinData) {}

  void HandleMessage(fw::TMessage& message) override;

  // Paints the static into the DC in wParam, or the window's DC.
  virtual void PaintTo(fw::TMessage& message);
  virtual bool DrawCaption();

 protected:
  // Statics that take the focus or carry the sunken edge keep the platform's look.
  virtual bool KeepsPlatformLook() const;

 private:
  void Redraw();
};
