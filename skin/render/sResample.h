// Two-pass filtered resampling of 32-bit and 24-bit bitmaps (fitting image-list pictures and
// glyphs to the size asked for).
#pragma once

#include <stdexcept>

#include "imaging/Bitmap32.h"
#include "imaging/Picture.h"
#include "imaging/Pixels32.h"

// Filter indexes of ResampleBitmap. The image lists and glyphs use Mitchell.
enum TResampleFilter : int {
  rfBox = 0,
  rfTriangle = 1,
  rfHermite = 2,
  rfBell = 3,
  rfBSpline = 4,
  rfWindowedSine = 5,
  rfMitchell = 6,
};

// The resampler's one error: the source cannot be filtered (1 pixel wide or high, or empty).
class EResampleError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Scales source into dest (newWidth x newHeight) with the filter of the given index: a horizontal
// pass into a temporary picture in plain memory, then a vertical one. Weights are 16.16 fixed
// point, so the result is the same on every machine. A 32-bit source filters alpha like any other
// channel. Nothing happens for a size that is not positive or an unknown filter; equal sizes copy;
// a source not above 1 pixel in width or height throws EResampleError("Source bitmap is too
// small"). source and dest may be the same bitmap. A dest that GDI never draws (a pass of a
// painter) is best a Pixels32: a Bitmap32 dest is a DIB section on Windows.
void ResampleBitmap(const img::PixelRows32& source, img::Bitmap32& dest, int newWidth, int filter,
                    int newHeight);
void ResampleBitmap(const img::PixelRows32& source, img::Pixels32& dest, int newWidth, int filter,
                    int newHeight);
// The same for 24-bit pictures; other pixel forms are converted to 24 bits by their owner first.
void ResampleBitmap(const img::Bitmap24& source, img::Bitmap24& dest, int newWidth, int filter,
                    int newHeight);
