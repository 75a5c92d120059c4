// The plate of title-bar menu buttons when the skin has none for them: an amber button with
// rounded corners and a lighter upper half, in three states. Kept as a shape and a palette per
// state, stored the way the picture's conversion expects (alpha is transparency).
#include <array>

#include "skin/forms/sTitleItems.h"

namespace {

constexpr int kFrameWidth = 20, kFrameHeight = 20;

// '.' lies outside the button (fuchsia); 'o' outline, 'i' highlight, 'a' upper and 'b' lower
// fill, '-' the soft edge under the button.
constexpr std::array<const char*, kFrameHeight> kShape = {
    "..oooooooooooooooo..", ".oiiiiiiiiiiiiiiiio.", "oaaaaaaaaaaaaaaaaaao", "oaaaaaaaaaaaaaaaaaao",
    "oaaaaaaaaaaaaaaaaaao", "oaaaaaaaaaaaaaaaaaao", "oaaaaaaaaaaaaaaaaaao", "oaaaaaaaaaaaaaaaaaao",
    "oaaaaaaaaaaaaaaaaaao", "obbbbbbbbbbbbbbbbbbo", "obbbbbbbbbbbbbbbbbbo", "obbbbbbbbbbbbbbbbbbo",
    "obbbbbbbbbbbbbbbbbbo", "obbbbbbbbbbbbbbbbbbo", "obbbbbbbbbbbbbbbbbbo", "obbbbbbbbbbbbbbbbbbo",
    "obbbbbbbbbbbbbbbbbbo", ".obbbbbbbbbbbbbbbbo.", "..oooooooooooooooo..", "...--------------..."};

struct Ink {
  char Key;
  uint32_t Rgb;
  uint8_t Transparency;
};
// Normal, hot, pressed.
constexpr std::array<std::array<Ink, 5>, 3> kPalettes = {{
    {{{'o', 0x7A4A0C, 0},
      {'i', 0xF6C27A, 0},
      {'a', 0xE8962E, 0},
      {'b', 0xD07818, 0},
      {'-', 0x7A4A0C, 160}}},
    {{{'o', 0x8A560F, 0},
      {'i', 0xFFDCA0, 0},
      {'a', 0xF7B252, 0},
      {'b', 0xE88E26, 0},
      {'-', 0x8A560F, 160}}},
    {{{'o', 0x603806, 0},
      {'i', 0xB86A1A, 0},
      {'a', 0xC26C14, 0},
      {'b', 0xCE7A1E, 0},
      {'-', 0x603806, 160}}},
}};

img::Bitmap32 StoredPicture() {
  img::Bitmap32 picture(3 * kFrameWidth, kFrameHeight);
  for (size_t state = 0; state < kPalettes.size(); ++state)
    for (int y = 0; y < kFrameHeight; ++y)
      for (int x = 0; x < kFrameWidth; ++x) {
        img::TRGBAPixel p = {0xFF, 0, 0xFF, 0};
        for (const Ink& ink : kPalettes[state])
          if (ink.Key == kShape[size_t(y)][x])
            p = {uint8_t(ink.Rgb), uint8_t(ink.Rgb >> 8), uint8_t(ink.Rgb >> 16), ink.Transparency};
        picture.Pixel(int(state) * kFrameWidth + x, y) = p;
      }
  return picture;
}

}  // namespace

const img::Bitmap32& MenuButtonPicture() {
  static const img::Bitmap32 picture = [] {
    img::Bitmap32 p = StoredPicture();
    ConvertStoredAlpha(p);
    return p;
  }();
  return picture;
}
