// The border window of a skinned form: a layered window directly behind the form, larger than
// it, that shows the skin's own frame and title and a soft shadow with per-pixel alpha. The form
// is clipped by its region to its client area and menu band, so what the user sees as the window
// is the form's client inside the border window's picture.
//
// The border window answers the mouse for the frame: title buttons, caption and icon, sizing at
// the shadow's inner edge; it passes the clicks on to the form, whose provider acts on them. The
// shadow lets the mouse through to the windows behind.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Lifetime.h"
#include "imaging/Bitmap32.h"
#include "skin/forms/sBorderGeometry.h"

class TsSkinProvider;

// What the border window passes on to its form in place of a click's hit code: the element under
// the mouse lies outside the form's own window, and the provider looks it up in the border
// window's frame.
inline constexpr WPARAM kHitInBorderWindow = WPARAM(-1);

class TveBorderForm {
 public:
  explicit TveBorderForm(TsSkinProvider& provider);
  ~TveBorderForm();
  TveBorderForm(const TveBorderForm&) = delete;
  TveBorderForm& operator=(const TveBorderForm&) = delete;

  // The layered window, made when missing (null when it cannot be made).
  HWND Window();
  // The layered window if it exists.
  HWND WindowIfAny() const { return window_; }
  // Brings the layered window in line with the form: picture (composed again when the window
  // image changed, the look changed or repaint asks for it), place directly behind the form,
  // and shape. Only moves the window when nothing but the place changed. alpha scales the
  // whole picture (the form's alpha-blend value).
  void Update(bool repaint, uint8_t alpha = 255);
  // Puts the layered window behind the form again once the messages now queued are done: the
  // platform lifts owned windows above their owner when the owner comes to the front.
  void PlaceLater();
  // Frees the layered window; the next Update makes it again.
  void FreeWindow();

  // The border window's shape (its coordinates): all of it but the part the form covers; for a
  // maximised form only what lies on the work area.
  TsRegion MakeRegion() const;
  // The part of a picture of the border window's size that shows: all of it, or for a maximised
  // form what lies on the work area.
  TRect ShownRect(int width, int height) const;
  // The part of the border window that the form's client covers.
  TRect ClientRegion() const;
  // The element under a screen point: a title element, a sizing code, caption, icon, menu band,
  // kHitBorder, or kHitShadow.
  int HitTest(POINT screen);
  // Where the border window lies relative to the form (subtract from the form's corner).
  TPoint Offset() const;
  // The composed picture last shown.
  const img::Bitmap32& Picture() const { return picture_; }
  // Composes the picture the current window image and look make, into picture (an animation
  // shows it before the window does).
  void ComposeInto(img::Bitmap32& picture) const;
  // Composes that picture ahead of the next Update, which shows it instead of composing it
  // again while the window image and the look stay as they are: a skin change fades the new
  // look in from the same picture first.
  const img::Bitmap32& ComposeAhead();
  // How many pictures the border window composed.
  unsigned Composed() const { return composed_; }

  // Set while the window is being placed.
  bool Busy = false;

  // The mouse is back over the form: holes cut for clicks through the shadow close again.
  void RestoreShape();

 private:
  static LRESULT CALLBACK Procedure(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
  bool Forward(UINT msg, WPARAM wParam, LPARAM lParam);
  void DoubleClick(int code);
  void ApplyShape();
  void CutHole(POINT screen);
  void PlaceBehindForm(int x, int y, bool show);
  HWND FormWnd() const;

  TsSkinProvider& provider_;
  HWND window_ = nullptr;
  img::Bitmap32 picture_;
  img::Bitmap32 ahead_;  // composed for aheadGeneration_ and aheadLook_, not shown yet
  unsigned aheadGeneration_ = 0;
  int aheadLook_ = -1;
  mutable unsigned composed_ = 0;
  unsigned shownGeneration_ = 0;
  int shownLook_ = -1;  // 1 active, 0 inactive, -1 nothing shown yet
  uint8_t shownAlpha_ = 255;
  bool regionPending_ = true;
  bool placePending_ = false;
  int placeRetries_ = 0;
  TsRegion shape_;
  bool holed_ = false;
  // A form stretched by a double-click on an edge, and the bounds it had before.
  bool stretched_ = false;
  RECT beforeStretch_{};
  // The form's handlers, which the border window's clicks reach, may free it with the form.
  fw::TLifetime life_;
};
