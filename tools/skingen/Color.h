// Colours of the skins we draw: 8-bit sRGB triples with the mixing and contrast rules the
// skin builder chooses its palettes with.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace skingen {

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Color&) const = default;
};

inline constexpr Color kBlack{0, 0, 0};
inline constexpr Color kWhite{255, 255, 255};

// "#RRGGBB"; nothing for any other text.
std::optional<Color> ParseColor(std::string_view text);
// The colour as a skin option value: 0x00BBGGRR in decimal.
int32_t SkinValue(Color c);

// t = 0 gives a, t = 1 gives b.
Color Mix(Color a, Color b, double t);
inline Color Lighten(Color c, double t) {
  return Mix(c, kWhite, t);
}
inline Color Darken(Color c, double t) {
  return Mix(c, kBlack, t);
}
// Lighter for dark colours, darker for light ones: a shade that stands out from c.
Color Shade(Color c, double t);

// Relative luminance and contrast ratio as the accessibility guidelines define them.
double Luminance(Color c);
double Contrast(Color a, Color b);
inline bool IsDark(Color c) {
  return Luminance(c) < 0.18;
}

// The text colour nearest to text that reaches minRatio against every background: moved
// step by step towards black or white, whichever the backgrounds allow.
Color Readable(Color text, std::initializer_list<Color> backgrounds, double minRatio = 4.6);

}  // namespace skingen
