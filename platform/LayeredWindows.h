// Layered windows: windows whose picture the program hands over whole, with an alpha per pixel or
// one alpha for all of it. Every such update of the skinning engine goes through this service, so
// tests can record what would reach the screen (a screen without compositing shows little of it).
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "platform/Seam.h"

namespace platform {

class LayeredWindows : public Replaceable<LayeredWindows> {
 public:
  static LayeredWindows& Default();

  // The system offers per-pixel-alpha updating; without it there are no glows, border windows
  // or layered animations.
  virtual bool Available() = 0;
  // Places the layered window (a window handle) at (x, y) in screen coordinates with the
  // picture's size and shows the picture: its colours premultiplied, its alpha per pixel, the
  // whole scaled by alpha. False when the system refused or lacks the call.
  virtual bool Update(void* window, int x, int y, const img::Bitmap32& picture, uint8_t alpha) = 0;
  // Shows the picture of the window's last Update again, where it stands, scaled by another
  // alpha. The picture is not handed over again: that copy is the costliest part of a frame.
  virtual bool UpdateAlpha(void* window, uint8_t alpha) = 0;
  // Gives a layered window that paints itself one alpha for all of it.
  virtual bool SetAlpha(void* window, uint8_t alpha) = 0;
};

}  // namespace platform
