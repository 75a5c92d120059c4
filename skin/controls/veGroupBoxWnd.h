// The adapter of group boxes: the frame drawn from the "GROUPBOX" section below the caption's
// middle, the caption over the parent's background breaking the frame line, and the box's
// windowless children (its labels) painted over that picture.
#pragma once

#include "skin/controls/veMainWnd.h"

class TveGroupBoxWnd : public TveMainWnd {
 public:
  TveGroupBoxWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                 TsCommonData* skinData);

  void HandleMessage(fw::TMessage& message) override;

  // Where the caption goes: 6 pixels in from the left (from the right for right-to-left text),
  // as tall as the text and at least 4 pixels, 2 more below it.
  RECT CaptionRect();
  void RenderCache();
  void PaintCaption(RECT rect);
  // Paints the box; with lParam 1 into the DC in wParam.
  void PaintTo(fw::TMessage& message);

 private:
  void Invalidate();
};

// The caption's rectangle in a box of width, for a caption of size text.
RECT GroupCaptionRect(int width, SIZE text, bool rightToLeft);
