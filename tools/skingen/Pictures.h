// The pictures of a skin's elements, drawn with the vector library: frames of controls (rims
// with transparent centres, painted over the section's own background), title-bar buttons,
// check boxes, arrows, grips, glows, the window shadow and textures.
#pragma once

#include <functional>
#include <vector>

#include "tools/skingen/Canvas.h"
#include "tools/skingen/Glyphs.h"
#include "tools/skingen/Theme.h"

namespace skingen {

// Frames of equal size side by side.
Layer Join(const std::vector<Layer>& frames);
// The layer turned clockwise by quarter turns (0 to 3).
Layer Rotate(const Layer& layer, int quarterTurns);
Layer FlipVertical(const Layer& layer);

// The look of a rim in one state.
struct Rim {
  Color line;
  float highlight = 0;  // opacity of a light line just inside the rim
  float inset = 0;      // opacity of a shadow along the inner top edge (pressed look)
  float lineAlpha = 1;
};

// A square frame of a rounded rim: margin m = radius + 2 on every side and, unless a size is
// given, 2 centre pixels.
Layer RimFrame(const Rim& rim, float radius, int margin, int size = 0);
// The margin RimFrame needs for a radius.
int RimMargin(float radius);

// The window frame in one state: an outer line and a band of the frame colour, slightly
// rounded bottom corners.
Layer WindowFrame(Color band, Color line, int width, int margin);
// The title band's rim in one state: rounded top corners, the frame's side bands, a separator
// line at the bottom.
Layer TitleFrame(Color band, Color line, Color separator, int width, int margin, float radius,
                 float gloss);

// None: the plate alone, for buttons that bring their own glyph.
enum class TitleGlyph { Close, Maximise, Restore, Minimise, Help, None };
// Normal, hot and pressed: glyph on the title, a plate behind it when hot or pressed.
Layer TitleButton(const Theme& t, TitleGlyph glyph, int width, int height, int state);

enum class BoxKind { Check, Radio };
enum class BoxMark { None, Checked, Grayed };
// Normal, hot and pressed frames of a check box or radio button of the given size.
Layer CheckBox(const Theme& t, BoxKind kind, BoxMark mark, int size, int state);

// A glyph in a size x size frame for one state, in the colour given.
Layer GlyphFrame(int width, int height, Color c, float alpha, const Shape& shape);

// A soft halo around a rounded rectangle: margin m on every side of a small centre.
Layer Glow(Color c, int margin, float radius, float strength);
// The window's drop shadow around a hole of the window's shape (active when strong is set).
Layer WindowShadow(int size, float radius, bool strong);

// Seamless tiles.
Layer NoiseTile(Color base, int size, float amount, uint32_t seed);
Layer LinenTile(Color base, int size, float amount);
// A soft, large-grained paper picture, tileable.
img::Bitmap32 PaperPicture(Color base, int width, int height, uint32_t seed);

}  // namespace skingen
