// The progress bar's adapter: the "GAUGE" section over the parent's background as the track, and
// the part done painted over it in the section's second state, so that the track takes the
// skin's colours instead of the platform's white. A marquee keeps the platform's look.
#pragma once

#include "skin/controls/vePressWnd.h"

class TveProgressWnd : public TvePressWnd {
 public:
  TveProgressWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                 TsCommonData* skinData);

  bool RenderCache() override;
  void HandleMessage(fw::TMessage& message) override;
};
