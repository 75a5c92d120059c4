// What the border window around a skinned form needs from the skin: how far its picture reaches
// beyond the form's skinned frame on each side (the extent margins), and the pictures it shows
// there for an active and an inactive form. A skin brings its own EXBORDER image; a skin without
// one gets the program's built-in soft shadow.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "skin/data/sSkinData.h"

class TsSkinModel;

struct TsExtentMargins {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool operator==(const TsExtentMargins&) const = default;
};

struct TsBorderShadows {
  // Made for extended borders: without them there are no margins and no pictures.
  bool Extended = false;
  TsExtentMargins Margins;
  // BORDERMODE non-zero: the EXBORDER image is the whole frame, caption band included.
  bool WholeFrame = false;
  // Premultiplied pictures with their slice margins; no StateCount while there is none.
  TsMaskData Active, Inactive;
};

// The built-in shadow's PNG files (active, inactive), reached where the program keeps them.
using TsShadowSource = std::function<std::pair<std::string, std::string>()>;
TsShadowSource& BuiltInShadowSource();

// The margins and pictures for a skin; all margins 0 and no pictures when extended borders are
// off or no skin is loaded.
TsBorderShadows ComputeBorderShadows(const TsSkinModel& skin, bool extendedBorders);
