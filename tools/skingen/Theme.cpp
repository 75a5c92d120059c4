#include "tools/skingen/Theme.h"

#include <algorithm>

namespace skingen {

namespace {

double WorstContrast(Color text, const std::vector<Color>& backgrounds) {
  double worst = 21;
  for (Color c : backgrounds) worst = std::min(worst, Contrast(text, c));
  return worst;
}

Fill Shifted(const Fill& f, Color toward, double t) {
  Fill out = f;
  out.color = Mix(f.color, toward, t);
  for (Band& b : out.bands) b.from = Mix(b.from, toward, t), b.to = Mix(b.to, toward, t);
  return out;
}

// A control face: flat colour with a soft vertical gradient, or a glass face whose upper half is
// a light highlight ending in a sharp edge.
Fill Face(Color base, Color text, double depth, double gloss, bool keepText = false) {
  Fill f{base, {}, 0, text};
  if (gloss > 0) {
    f.bands = {{Lighten(base, 0.45 * gloss), Lighten(base, 0.25 * gloss), 48},
               {Darken(base, 0.03), base, 40},
               {base, Lighten(base, 0.12 * gloss), 12}};
  } else if (depth > 0) {
    f.bands = {{Lighten(base, depth * 0.6), Darken(base, depth * 0.4), 100}};
  }
  return Legible(f, text, keepText);
}

}  // namespace

Color ReadableOn(Color text, const std::vector<Color>& backgrounds) {
  // Contrast is worst against the lightest or the darkest background.
  Color lightest = backgrounds.front(), darkest = backgrounds.front();
  for (Color c : backgrounds) {
    if (Luminance(c) > Luminance(lightest)) lightest = c;
    if (Luminance(c) < Luminance(darkest)) darkest = c;
  }
  return Readable(text, {lightest, darkest});
}

Fill Legible(const Fill& fill, Color text, bool keepText) {
  // Text turns towards black or white first; when no text colour reads over the whole gradient
  // (mid tones), the background moves away from the text as well. Text that must stay (white on
  // a title) moves only the background.
  Color first = keepText ? text : ReadableOn(text, Backgrounds(fill));
  Color away = Luminance(first) > 0.4 ? kBlack : kWhite;
  Fill f = fill;
  for (int step = 0; step <= 20; ++step) {
    f = Shifted(fill, away, step * 0.03);
    f.text = keepText ? text : ReadableOn(text, Backgrounds(f));
    if (WorstContrast(f.text, Backgrounds(f)) >= 4.6) return f;
  }
  return keepText ? Legible(fill, text, false) : f;
}

Fill Plain(Color base, Color text, bool keepText) {
  return Legible(Fill{base, {}, 0, text}, text, keepText);
}

std::string GradientText(const Fill& f) {
  std::string text;
  for (const Band& b : f.bands) {
    if (!text.empty()) text += ";";
    text += std::to_string(SkinValue(b.from)) + ";" + std::to_string(SkinValue(b.to)) + ";" +
            std::to_string(b.percent) + ";" + std::to_string(f.mode) + ";0";
  }
  return text;
}

std::vector<Color> Backgrounds(const Fill& f) {
  std::vector<Color> colours = {f.color};
  for (const Band& b : f.bands) colours.insert(colours.end(), {b.from, b.to});
  return colours;
}

Theme Theme::From(const Settings& s) {
  Theme t;
  t.radius = s.Number("radius");
  t.frameRadius = s.Number("frameradius");
  t.gloss = s.Number("gloss", 0);
  t.depth = s.Number("depth", 0.1);
  t.borderWidth = int(s.Number("borderwidth", 4));
  t.titleHeight = int(s.Number("titleheight", 30));
  t.shadowSize = int(s.Number("shadowsize", 10));
  t.shadowBlur = int(s.Number("shadowblur", 6));
  t.glow = int(s.Number("glow", 0));
  t.texture = s.Text("texture", "");
  t.titleButtons = s.Text("titlebuttons", "png");
  t.arrows = s.Text("arrows", "chevron");
  t.formGradient = int(s.Number("formgradient", -1));
  t.version = s.Number("version");

  t.window = s.Colour("window");
  t.text = Readable(s.Colour("text"), {t.window});
  t.accent = s.Colour("accent");
  bool dark = IsDark(t.window);
  t.border = s.Colour("border", Mix(t.window, t.text, dark ? 0.32 : 0.38));
  t.edit = s.Colour("edit", dark ? Darken(t.window, 0.25) : Lighten(t.window, 0.85));
  t.menu = s.Colour("menu", dark ? Lighten(t.window, 0.05) : Lighten(t.window, 0.6));
  t.face = Mix(s.Colour("face", dark ? Lighten(t.window, 0.1) : Lighten(t.window, 0.35)), t.accent,
               s.Number("facetint", 0));
  t.title = s.Colour("title", t.accent);
  t.inactiveTitle = s.Colour("inactivetitle", Mix(t.title, t.window, 0.65));
  t.selection = s.Colour("selection", t.accent);
  t.selectionText = Readable(s.Colour("selectiontext", kWhite), {t.selection});
  t.hotText = t.text;
  t.closeHot = s.Colour("closehot", Color{0xD9, 0x3A, 0x32});

  // White captions on coloured titles; the title darkens a little where white needs it.
  Color titleText = s.Colour("titletext", Contrast(kWhite, t.title) >= 2.8 ? kWhite : t.text);
  t.titleActive = Face(t.title, titleText, t.depth * 1.5, t.gloss, true);
  t.titleInactive =
      Face(t.inactiveTitle, Mix(titleText, t.inactiveTitle, 0.25), t.depth * 1.5, t.gloss * 0.5);
  t.formFill = Plain(t.window, t.text);
  if (t.formGradient >= 0) {
    Color far = Shade(t.window, 0.06);
    double lift = IsDark(t.window) ? 0.06 : 0.2;
    t.formFill.mode = t.formGradient;
    t.formFill.bands =
        t.formGradient == 2
            ? std::vector<Band>{{Lighten(t.window, lift * 1.5), t.window, 0},
                                {t.window, t.window, 0},
                                {t.window, t.window, 0},
                                {far, far, 0},
                                {t.window, t.window, 0}}
            : std::vector<Band>{{Lighten(t.window, 0.2), t.window, 40}, {t.window, far, 60}};
    t.formFill = Legible(t.formFill, t.text, false);
  }
  t.button = Face(t.face, t.text, t.depth, t.gloss);
  Color hotFace = s.Colour("hotface", Mix(t.face, t.accent, dark ? 0.22 : 0.14));
  t.buttonHot = Face(hotFace, t.text, t.depth, t.gloss);
  t.editFill = Plain(t.edit, t.text);
  t.menuFill = Plain(t.menu, t.text);
  t.menuHot =
      Face(Mix(t.menu, t.selection, 0.85), t.selectionText, t.depth * 0.5, t.gloss * 0.6, true);
  t.bar = Face(Shade(t.window, 0.04), t.text, t.depth * 0.6, 0);
  t.header = Face(t.face, t.text, t.depth * 0.8, t.gloss * 0.5);
  t.headerHot = Face(hotFace, t.text, t.depth * 0.8, t.gloss * 0.5);
  t.tab = Face(Shade(t.window, 0.07), t.text, t.depth * 0.6, t.gloss * 0.4);
  t.tabHot = Face(Mix(t.window, t.accent, 0.12), t.text, t.depth * 0.6, t.gloss * 0.4);
  Color thumb = s.Colour("thumb", Mix(t.window, t.text, dark ? 0.28 : 0.22));
  t.thumb = Face(thumb, t.text, t.depth, t.gloss * 0.7);
  t.thumbHot = Face(Mix(thumb, t.accent, 0.45), t.text, t.depth, t.gloss * 0.7);
  t.track = Plain(Shade(t.window, 0.05), t.text);
  t.status = Face(Shade(t.window, 0.05), t.text, t.depth * 0.5, 0);
  t.panelLow = Plain(dark ? Darken(t.window, 0.12) : Darken(t.window, 0.04), t.text);
  return t;
}

}  // namespace skingen
