// The track bar's adapter: the "TRACKBAR" section over the parent's background, the channel from
// its "SLIDERCHANNEL" image, the tick marks from "TICKHORZ" / "TICKVERT" and the thumb from
// "SLIDERMASK" / "SLIDERVMASK": pressed while dragged, hot while focused or under the mouse.
#pragma once

#include "skin/controls/vePressWnd.h"

class TveTrackWnd : public TvePressWnd {
 public:
  TveTrackWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
              TsCommonData* skinData);

  bool RenderCache() override;
  void HandleMessage(fw::TMessage& message) override;

  // 2 while the thumb is dragged, 1 when focused or hot, else 0.
  int ThumbState() const;
  // The channel's rectangle, upright for a vertical bar.
  RECT ChannelRect() const;

 private:
  bool Vertical() const;
  const TsMaskData* Image(const char* key) const;
  void PaintTicks(const RECT& channel);

  bool dragging_ = false;
};
