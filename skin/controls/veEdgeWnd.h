// Statics with a sunken edge: the edge painted as an edit's frame from "EDIT", the text in the
// section's colours inside it.
#pragma once

#include "skin/controls/veMainWnd.h"

class TveEdgeWnd : public TveMainWnd {
 public:
  TveEdgeWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
             TsCommonData* skinData);

  void HandleMessage(fw::TMessage& message) override;

  // Paints the window into the cache; false while the parent's background is not ready.
  bool RenderCache();

 private:
  void PaintClient(HDC dc);
  void PaintFrame();
};
