// The size grip's adapter: the skin's grip picture in the corner over the parent's background.
#pragma once

#include "skin/controls/vePressWnd.h"

class TveSizerWnd : public TvePressWnd {
 public:
  // The grip stands on a see-through section: "CHECKBOX" when none is given.
  TveSizerWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
              TsCommonData* skinData);

  bool RenderCache() override;
};
