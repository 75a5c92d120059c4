// The inner loop of every weighted blend, vectorised.
#pragma once

#include <cstddef>

#include "imaging/Bitmap32.h"

// out[i] := (w * (a[i] - b[i]) + b[i] * 256) >> 8 in blue, green and red, keeping out[i]'s alpha.
// out may be a; w may be any integer (the result is then taken modulo 256 like a byte store).
void BlendRows(img::TRGBAPixel* out, const img::TRGBAPixel* a, const img::TRGBAPixel* b,
               size_t count, int w);

// The instruction sets BlendRows chooses from, narrowest first.
enum class BlendPath { Plain, Sse2, Avx2 };

// BlendRows on no path wider than widest, nor on one the build or the processor lacks: how tests
// and benchmarks reach the narrower paths on machines that have the wider ones.
void BlendRowsUpTo(BlendPath widest, img::TRGBAPixel* out, const img::TRGBAPixel* a,
                   const img::TRGBAPixel* b, size_t count, int w);
