// Gouraud-shaded triangles: the system's gradient fill on Windows (looked up at run time, so a
// system without it simply paints nothing), our own rasteriser elsewhere.
#pragma once

#include <cstdint>
#include <span>

#include "imaging/Bitmap32.h"
#include "platform/Seam.h"

namespace platform {

// A corner of a triangle; colour channels are 16-bit (an 8-bit value shifted left by 8).
struct TGradientVertex {
  int32_t X, Y;
  uint16_t Red, Green, Blue, Alpha;
};

struct TGradientTriangle {
  uint32_t V1, V2, V3;  // indexes into the vertex list
};

class GradientFill : public Replaceable<GradientFill> {
 public:
  static GradientFill& Default();

  // Paints each triangle into the bitmap with its vertices' colours interpolated across it.
  // Returns false, painting nothing, when the platform has no triangle gradient fill.
  virtual bool Triangles(img::Bitmap32& target, std::span<const TGradientVertex> vertices,
                         std::span<const TGradientTriangle> triangles) = 0;
};

}  // namespace platform
