// Statics that show an icon or a bitmap: the picture over the parent's background.
#pragma once

#include "skin/controls/veStaticWnd.h"

class TveIconWnd : public TveStaticWnd {
 public:
  using TveStaticWnd::TveStaticWnd;

  // Draws the static's picture, centred for SS_CENTERIMAGE, else at the top left.
  bool DrawCaption() override;
};
