// The adapter of status bars: the bar painted from its section over the parent's background, each
// panel from the section's panel image or with a divider after it, and the panels' texts in the
// section's colours. The platform's painting is kept off the screen: everything is drawn when
// the bar is erased.
#pragma once

#include "framework/ComCtrls.h"
#include "skin/controls/veMainWnd.h"

class TveStatusBarWnd : public TveMainWnd {
 public:
  TveStatusBarWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                  TsCommonData* skinData);

  void HandleMessage(fw::TMessage& message) override;

  // The whole bar into dc (the window's DC when null).
  void PaintAll(HDC dc);
  void PaintNonClient(HDC dc);
  void RenderCache();
  void PaintPanels();
  void PaintPanel(int index, RECT rect);
  // The text a panel shows: in simple mode (or for index -1) the simple text, else the framework
  // panel's.
  std::string PanelText(int index) const;
  bool IsSimple() const;
  int PartCount() const;
  RECT PartRect(int index) const;

  // The framework's status bar, null for a foreign one.
  fw::TStatusBar* StatusBar = nullptr;
};
