// The base of the adapters whose window has a frame and scroll bars (edits, list boxes, list
// views): the frame's picture is the control's section painted over what its parent shows, kept
// in the skin state's cache, and the scroll bars follow every size and scroll change.
#pragma once

#include "skin/controls/veScrollWnd.h"

class TveBaseWnd : public TveScrollWnd {
 public:
  using TveScrollWnd::TveScrollWnd;

  void HandleMessage(fw::TMessage& message) override;
};

// Whether the control's section or its border has a hot look to show while focused or hovered.
bool HasHotState(const TsCommonData& skinData);
// Paints the whole window (frame and background) into the skin state's cache when its background
// is dirty: the section over the parent's background at the window's place, in the hot state when
// the control is focused or hovered and the section has one, faded when the control is disabled.
// A parent whose picture is not ready yet leaves the control deferred and the cache dirty.
void RenderFrameCache(TsCommonData& skinData, HWND handle);
// Lets the parent's background show in the cached frame's corners where the border is see-through.
void RepairCorners(TsCommonData& skinData, int state, const TveMainWnd& adapter);
// Copies the frame of width `frame` round the cache's edges onto dc (a window DC).
void CopyFrameFromCache(HDC dc, const img::Bitmap32& cache, int frame);
