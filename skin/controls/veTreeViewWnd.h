// The tree view adapter: the edit family's frame and scroll bars, and the tree's background, text
// and line colours taken from the control's section while skinned and given back after.
#pragma once

#include "skin/controls/veEditWnd.h"

class TveTreeViewWnd : public TveEditWnd {
 public:
  TveTreeViewWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                 TsCommonData* skinData);
  ~TveTreeViewWnd() override;

  void SaveControlColors() override;
  void RestoreControlColors() override;
  void ApplySkinColors() override;

 private:
  // The tree's own colours before the skin's; -1 is the platform's default.
  COLORREF savedBack_ = CLR_NONE, savedText_ = CLR_NONE, savedLines_ = CLR_DEFAULT;
};
