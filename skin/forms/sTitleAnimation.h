// A title button's fade between its looks: the picture of the new look is shown in a small
// layered popup in front of the form, over the button, and its constant alpha rises (or falls)
// a step every 12 ms, while the form itself keeps the normal look underneath. Intermediate
// looks are never painted into the form.
#pragma once

#include <windows.h>

#include <functional>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/render/veThreadedTimer.h"

class TveSBAnimation : public TveThreadedTimer {
 public:
  // A look's picture and where it goes, in the target window's coordinates.
  struct TFrame {
    img::Bitmap32 Picture;  // premultiplied, with its alpha
    TRect Place;
  };
  using TComposer = std::function<TFrame(int state)>;
  // The screen point that the coordinates of frames and of the button start from.
  using TOrigin = std::function<POINT()>;

  // target is the form the button belongs to: the popup goes directly in front of it and it
  // hears when the mouse has left. button is the button's place (for the mouse).
  TveSBAnimation(HWND target, const TRect& button, TOrigin origin, TComposer compose);
  ~TveSBAnimation() override;
  std::string ClassName() const override { return "TveSBAnimation"; }

  // Starts or redirects the animation towards state (0 normal, 1 hot, 2 pressed) in steps
  // steps; backward fades a new look out instead of in.
  void Animate(int state, int steps, bool backward);
  // Called once the fade-out has ended, from the animation's own tick; the owner may free the
  // animation there.
  std::function<void()> OnEnded;

 protected:
  void Tick() override;

 private:
  void Show(uint8_t alpha);
  void DropPopup();
  bool MouseOverButton() const;

  HWND target_;
  TRect button_;
  TOrigin origin_;
  TComposer compose_;
  HWND popup_ = nullptr;
  TFrame frame_;
  int state_ = -1;
  int steps_ = 1;
  int step_ = 0;
  bool fadingIn_ = true;
};
