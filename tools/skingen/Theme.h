// A skin's look in numbers: the family's shapes and effects and the scheme's colours, with every
// derived colour worked out once. Text colours are chosen here so that each one reads well
// against every background it is drawn on.
#pragma once

#include <string>
#include <vector>

#include "tools/skingen/Collection.h"
#include "tools/skingen/Color.h"

namespace skingen {

// One band of a gradient option: from, to, share in percent.
struct Band {
  Color from, to;
  int percent;
};

// A state's background: its flat colour (what text is measured against), the gradient bands
// drawn over it, and the text colour for it.
struct Fill {
  Color color;
  std::vector<Band> bands;  // empty: the flat colour only
  int mode = 0;             // gradient mode: 0 vertical, 1 horizontal, 2 four corners
  Color text;
};

struct Theme {
  // Shapes and effects of the family.
  double radius = 3;       // corner radius of controls
  double frameRadius = 6;  // corner radius of the window's top corners
  double gloss = 0;        // 0 flat .. 1 strong glass highlight
  double depth = 0.1;      // how far control gradients run from light to dark
  int borderWidth = 4;
  int titleHeight = 30;
  int shadowSize = 10;  // soft window shadow around the frame
  int shadowBlur = 6;
  int glow = 0;              // halo size of hot buttons, 0 none
  std::string texture;       // "", "noise", "linen", "paper"
  std::string titleButtons;  // "png" or "master"
  std::string arrows;        // "chevron" or "triangle"
  int formGradient = -1;     // gradient mode of the window background, -1 flat
  double version = 8;

  // Colours.
  Color window, text, accent, border, edit, menu, face, title, inactiveTitle;
  Color selection, selectionText, hotText, closeHot;
  Fill formFill, titleActive, titleInactive, button, buttonHot, editFill, menuFill, menuHot;
  Fill bar, header, headerHot, tab, tabHot, thumb, thumbHot, track, status, panelLow;

  static Theme From(const Settings& s);
};

// The gradient option text of a fill ("N/A" style empties are left to the caller).
std::string GradientText(const Fill& f);
// Every colour a fill's text may be drawn on.
std::vector<Color> Backgrounds(const Fill& f);
// The fill with a text colour that reads against all of its colours, its colours moved away
// from the text where no text colour would (or where the text is kept as it is).
Fill Legible(const Fill& fill, Color text, bool keepText);
// One flat colour and a text colour that reads on it.
Fill Plain(Color base, Color text, bool keepText = false);
// Readable against all of the backgrounds.
Color ReadableOn(Color text, const std::vector<Color>& backgrounds);

}  // namespace skingen
