// The inner loop of every weighted blend, vectorised.
#pragma once

#include <cstddef>

#include "imaging/Bitmap32.h"

// out[i] := (w * (a[i] - b[i]) + b[i] * 256) >> 8 in blue, green and red, keeping out[i]'s alpha.
// out may be a; w may be any integer (the result is then taken modulo 256 like a byte store).
void BlendRows(img::TRGBAPixel* out, const img::TRGBAPixel* a, const img::TRGBAPixel* b,
               size_t count, int w);
