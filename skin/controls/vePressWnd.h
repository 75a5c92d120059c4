// What the push-button and check-box adapters share: a platform button painted whole from the
// adapter's cache, hot while the mouse is over it, and every change the platform would paint
// itself (press, check, focus, enabling, text) made with its drawing held back and then painted
// by the adapter, so the platform's look never flashes through.
#pragma once

#include "skin/controls/veMainWnd.h"

class TvePressWnd : public TveMainWnd {
 public:
  using TveMainWnd::TveMainWnd;

  void HandleMessage(fw::TMessage& message) override;

  // Paints the adapter's picture into the cache; false when the parent cannot give its
  // background yet (the picture waits, deferred).
  virtual bool RenderCache() = 0;
  // True while the adapter paints the window: skinned, attached, and the skin has the section.
  virtual bool Painting() const;
  // The mouse is over the window, or the window is the manager's hot window.
  bool Hot() const;
  // BM_GETSTATE of the window.
  LRESULT ButtonState() const;

 protected:
  // The cache sized to the window with the section painted in state over the parent's background;
  // false when that background is not ready.
  bool PaintSection(int state);
  // A disabled window fades into what lies behind it.
  void FadeIfDisabled();
  // The cache to dc, rendered first; nothing while the picture waits.
  void PaintTo(HDC dc);
  void Redraw();
  // The message handled by the platform with its drawing held back, then painted by the adapter.
  void PassOnQuietly(fw::TMessage& message);
  const TsGeneralData& Section() const;

 private:
  void BecomeHot(bool hot);
};
