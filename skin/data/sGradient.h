// Gradients of skin sections: the band array and its textual form in the options
// ("first;second;percent;mode;reserved" repeated per band).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

// One band of a gradient.
struct TsGradPart {
  int32_t Color1;   // colour at the start of the band, 0x00BBGGRR
  int32_t Color2;   // colour at the end of the band
  uint8_t Percent;  // share of the painted extent, 0..100
  int32_t Mode;     // 0 vertical, 1 horizontal, 2 four corners; only the first band's counts
  bool operator==(const TsGradPart&) const = default;
};
using TsGradArray = std::vector<TsGradPart>;

// Parses the textual form into bands. Empty fields are skipped and an incomplete last group is
// ignored, so "N/A" or an empty text gives no bands. A field of a complete group that is not an
// integer throws skin::EConvertError.
void ParseGradientData(std::string_view text, TsGradArray& gradient);
