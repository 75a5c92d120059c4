// Where a skinned push button puts its picture and its caption: the arithmetic only, so that it
// can be checked without a window. Rectangles are half-open, in the button's own coordinates.
#pragma once

#include "skin/data/sSkinData.h"

enum class TImageAlignment { iaLeft, iaRight, iaTop, iaBottom, iaCenter };

// Extra room around the picture.
struct TImageMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TImageMargins&) const = default;
};

// Width of the drop-down part on a split button's right.
inline constexpr int kSplitPartWidth = 16;

struct TsButtonLayout {
  int Width = 0, Height = 0;
  bool Split = false;     // the drop-down part is left out of the room for picture and caption
  bool HasImage = false;  // a picture is drawn; without one the caption is centred
  int ImageWidth = 0, ImageHeight = 0;
  TImageAlignment Alignment = TImageAlignment::iaLeft;
  TImageMargins Margins;
  int ContentMargin = 6;
  int CaptionWidth = 0, CaptionHeight = 0;  // the measured caption
  bool Pressed = false;                     // a pressed button shows its content (1, 1) lower

  // The width left to picture and caption.
  int ContentWidth() const { return Split ? Width - kSplitPartWidth : Width; }
};

TRect ButtonCaptionRect(const TsButtonLayout& layout);
// The width the caption is drawn in, and so the width to measure (and wrap) it in.
int ButtonCaptionRoom(const TsButtonLayout& layout);
// Empty without a picture.
TRect ButtonImageRect(const TsButtonLayout& layout);
