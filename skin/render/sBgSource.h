// What lies behind a rectangle being painted: the parent's picture and where the rectangle sits in
// it, or the parent's plain colour.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"

// The key colour; as a background colour it means "no colour".
inline constexpr int32_t kKeyColor = 0xFF00FF;

struct TsBgSource {
  img::Bitmap32* Bitmap = nullptr;  // the parent's picture, or null
  int32_t OffsetX = 0;              // the painted rectangle's origin inside Bitmap
  int32_t OffsetY = 0;
  int32_t BgColor = 0;  // the parent's plain colour; kKeyColor = none
  // Widths of the parent's skinned border bands inside Bitmap when only they are real and the
  // rest of the parent is BgColor.
  TRect BorderRect;
  bool Valid = false;  // Bitmap and the offsets may be used
};

inline constexpr TsBgSource EmptyBgSource{};

inline TsBgSource MakeBgSource(img::Bitmap32* bitmap, int32_t x, int32_t y) {
  return {bitmap, x, y, kKeyColor, {}, true};
}

struct TPoint {
  int32_t X = 0, Y = 0;
  bool operator==(const TPoint&) const = default;
};
