// The forms an option value takes when it names an image entry:
//   "@" glyph piece of the master bitmap   @0133@0000@0265@0018@3@0
//   "^" border mask in the master bitmap   ^0003^0039^0006^0040^0001^0000^0000^0000^1^0^1^1
//   "~" texture in the master bitmap       ~0135~0070~0299~0071~01~0
//   "!" image file of its own              !XBORDER.PNG!2!0!3!0039!0075!0039!0038!1
//   a plain bitmap file name               BUTTON.BMP
//   "#" master rectangle in free form      #name (l t r b) (states rows margin flags)
// Fixed-position numbers of the first three forms must be digits.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "skin/data/sSkinData.h"

struct ParsedImageEntry {
  enum class Form { Glyph, BorderMask, Texture, External, PlainName, Free };
  Form form = Form::Glyph;
  std::string FileName;  // for External and PlainName entries
  // For External and PlainName entries the rectangle is the whole image, known once it is read.
  TsMaskData Entry;
  // The margins still have to come from the image size (width and height rule).
  bool DefaultMargins = false;
  // "Free" and "^" entries whose four margins are 0 take DefaultMargin, else the size rule.
  bool MarginsFromDefault = false;
};

// The entry a value describes, or nothing when it describes none. Names are not filled in.
// Throws skin::EConvertError for a non-digit (or a missing character) at a fixed position.
std::optional<ParsedImageEntry> ParseImageEntry(std::string_view value);
