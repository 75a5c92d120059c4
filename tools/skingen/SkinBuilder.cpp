#include "tools/skingen/SkinBuilder.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>

#include "imaging/PngWriter.h"
#include "tools/skingen/ImageFiles.h"

namespace skingen {

namespace {

std::string Hex(Color c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%06X", unsigned(SkinValue(c)));
  return buf;
}

constexpr const char* kGlobal = "GLOBALINFO";

}  // namespace

Skin BuildSkin(const Settings& settings) {
  return SkinBuilder(settings).Build();
}

SkinBuilder::SkinBuilder(const Settings& settings)
    : settings_(settings), t_(Theme::From(settings)), o_(skin_.options) {
  skin_.name = settings.name;
  skin_.version = t_.version;
  skin_.author = settings.Text("author", "Driver Keeper");
  skin_.description = settings.Text("description", settings.name);
}

Skin SkinBuilder::Build() {
  Global();
  TitleButtons();
  CheckBoxes();
  Window();
  Menus();
  Buttons();
  Edits();
  Panels();
  ScrollBars();
  Tabs();
  Bars();
  skin_.files.push_back({"MASTER.BMP", EncodeBmp24(atlas_.Build())});
  return std::move(skin_);
}

void SkinBuilder::Colors(const std::string& section, const Fill& normal, const Fill& hot,
                         int states) {
  o_.Set(section, "STATES", states);
  o_.Set(section, "COLOR", Hex(normal.color));
  o_.Set(section, "FONTCOLOR", Hex(normal.text));
  if (!normal.bands.empty()) {
    o_.Set(section, "GRADIENTDATA", GradientText(normal));
    o_.Set(section, "GRADIENTPERCENT", 100);
  }
  if (states < 2) return;
  o_.Set(section, "HOTCOLOR", Hex(hot.color));
  o_.Set(section, "HOTFONTCOLOR", Hex(hot.text));
  if (!hot.bands.empty()) {
    o_.Set(section, "HOTGRADIENTDATA", GradientText(hot));
    o_.Set(section, "HOTGRADIENTPERCENT", 100);
  }
}

void SkinBuilder::Transparent(const std::string& section, bool normal, bool hot) {
  if (normal) o_.Set(section, "TRANSPARENCY", 100);
  if (hot) o_.Set(section, "HOTTRANSPARENCY", 100);
}

std::string SkinBuilder::Border(const std::vector<Layer>& frames, Margins m, int flags) {
  return BorderEntry(atlas_.Add(Join(frames), true), m, int(frames.size()), 1, flags);
}

std::string SkinBuilder::Border(const std::vector<Layer>& frames, int margin, int flags) {
  return Border(frames, Margins{margin, margin, margin, margin}, flags);
}

std::string SkinBuilder::Glyph(const std::vector<Layer>& frames) {
  return GlyphEntry(atlas_.Add(Join(frames), true), int(frames.size()), 1);
}

std::string SkinBuilder::Free(const std::string& name, const std::vector<Layer>& frames) {
  return FreeEntry(name, atlas_.Add(Join(frames), true), int(frames.size()), 1, 0, 0);
}

void SkinBuilder::AddPng(const std::string& file, const img::Bitmap32& picture) {
  skin_.files.push_back({file, img::EncodePng(picture)});
}

std::vector<Layer> SkinBuilder::Rims(const std::vector<Rim>& rims, float radius) {
  std::vector<Layer> frames;
  for (const Rim& r : rims) frames.push_back(RimFrame(r, radius, RimMargin(radius)));
  return frames;
}

void SkinBuilder::Global() {
  o_.Set(kGlobal, "VERSION", VersionText(t_.version));
  o_.Set(kGlobal, "AUTHOR", skin_.author);
  o_.Set(kGlobal, "DESCRIPTION", skin_.description);
  o_.Set(kGlobal, "MASTERBITMAP", "MASTER.BMP");
  o_.Set(kGlobal, "TITLEHEIGHT", t_.titleHeight);
  o_.Set(kGlobal, "MAXHEIGHT", 0);
  o_.Set(kGlobal, "BORDERWIDTH", t_.borderWidth);
  o_.Set(kGlobal, "FORMOFFSET", 0);
  o_.Set(kGlobal, "ALIGNOFFSET", 0);
  o_.Set(kGlobal, "CENTEROFFSET", 0);
  o_.Set(kGlobal, "BORDERMODE", 0);
  o_.Set(kGlobal, "BISPACE", t_.gloss > 0 ? 2 : 0);
  o_.Set(kGlobal, "BIVALIGN", 0);
  o_.Set(kGlobal, "BIRIGHT", t_.gloss > 0 ? 6 : 2);
  o_.Set(kGlobal, "BILEFT", 6);
  o_.Set(kGlobal, "BITOP", 4);
  // The red close button stays red whatever hue the user picks.
  o_.Set(kGlobal, "BIKEEPHUE", 2);
  o_.Set(kGlobal, "SHADOW1COLOR", 0);
  o_.Set(kGlobal, "SHADOW1OFFSET", 0);
  o_.Set(kGlobal, "SHADOW1BLUR", t_.shadowBlur);
  o_.Set(kGlobal, "SHADOW1TRANSPARENCY", 0);
  o_.Set(kGlobal, "AEROBLUR", 0);
  o_.Set(kGlobal, "COLOR", Hex(t_.window));
  o_.Set(kGlobal, "FONTCOLOR", Hex(t_.text));
  o_.Set(kGlobal, "TCTOP", Hex(t_.accent));
  o_.Set(kGlobal, "TCBOTTOM", Hex(Darken(t_.accent, 0.3)));
  o_.Set(kGlobal, "BORDERCOLOR", Hex(t_.border));
  bool dark = IsDark(t_.edit);
  o_.Set(kGlobal, "EDITBG_INV", Hex(t_.text));
  o_.Set(kGlobal, "EDITTEXT_INV", Hex(t_.edit));
  o_.Set(kGlobal, "EDITBG_ODD", Hex(t_.edit));
  o_.Set(kGlobal, "EDITBG_EVEN", Hex(Mix(t_.edit, t_.accent, 0.05)));
  Color ok = Readable(dark ? Color{0x6C, 0xD0, 0x8C} : Color{0x1E, 0x7A, 0x3C}, {t_.edit});
  Color warn = Readable(dark ? Color{0xE8, 0xC0, 0x50} : Color{0x8A, 0x5A, 0x00}, {t_.edit});
  Color alert = Readable(dark ? Color{0xFF, 0x80, 0x78} : Color{0xB0, 0x20, 0x20}, {t_.edit});
  o_.Set(kGlobal, "EDITTEXT_OK", Hex(ok));
  o_.Set(kGlobal, "EDITTEXT_WARN", Hex(warn));
  o_.Set(kGlobal, "EDITTEXT_ALERT", Hex(alert));
  o_.Set(kGlobal, "EDITBG_OK", Hex(Mix(t_.edit, ok, 0.15)));
  o_.Set(kGlobal, "EDITBG_WARN", Hex(Mix(t_.edit, warn, 0.15)));
  o_.Set(kGlobal, "EDITBG_ALERT", Hex(Mix(t_.edit, alert, 0.15)));
  o_.Set(kGlobal, "EDITTEXT_H1", Hex(Readable(t_.accent, {t_.edit})));
  o_.Set(kGlobal, "EDITTEXT_H2", Hex(t_.text));
  o_.Set(kGlobal, "EDITTEXT_H3", Hex(Mix(t_.text, t_.edit, 0.25)));

  // The window's soft shadow, active and inactive, around a hole the window fills.
  Layer shadow = Join({WindowShadow(t_.shadowSize, float(t_.frameRadius), true),
                       WindowShadow(t_.shadowSize, float(t_.frameRadius), false)});
  AddPng("EXBORDER.PNG", shadow.ToBitmap());
  int m = t_.shadowSize;
  o_.Set(kGlobal, "EXBORDER", FileEntry("EXBORDER.PNG", 2, 0, 3, Margins{m, m, m, m}, 0));

  // Size grip and splitter grips.
  Color grip = Mix(t_.window, t_.text, 0.45);
  o_.Set(kGlobal, "GRIPIMAGE",
         Free("GRIP", {GlyphFrame(14, 14, grip, 0.9f, SizeGripGlyph(8, 8, 3.2f))}));
  o_.Set(kGlobal, "GRIPHORZ",
         Free("GRIPH", {GlyphFrame(24, 8, grip, 0.8f, GripBarsGlyph(12, 4, 1.2f, 1.2f, true))}));
  o_.Set(kGlobal, "GRIPVERT",
         Free("GRIPV", {GlyphFrame(8, 24, grip, 0.8f, GripBarsGlyph(4, 12, 1.2f, 1.2f, false))}));
}

void SkinBuilder::TitleButtons() {
  int bh = std::max(16, t_.titleHeight - 10);
  int bw = t_.gloss > 0 ? bh + 6 : int(std::lround(bh * 1.5));
  int sh = std::max(14, bh - 4), sw = t_.gloss > 0 ? sh + 4 : int(std::lround(sh * 1.4));
  struct Button {
    const char* key;
    const char* file;
    TitleGlyph glyph;
    bool big;
    bool alone = false;  // the lone close button is a little wider, as it stands by itself
  };
  const Button buttons[] = {
      {"BICONCLOSE", "BCLOSE.PNG", TitleGlyph::Close, true},
      {"BICLOSEALONE", "BCLOSE1.PNG", TitleGlyph::Close, true, true},
      {"BICONMAX", "BMAX.PNG", TitleGlyph::Maximise, true},
      {"BICONNORM", "BNORM.PNG", TitleGlyph::Restore, true},
      {"BICONMIN", "BMIN.PNG", TitleGlyph::Minimise, true},
      {"BICONHELP", "BHELP.PNG", TitleGlyph::Help, true},
      {"SICONCLOSE", nullptr, TitleGlyph::Close, false},
      {"SICONMAX", nullptr, TitleGlyph::Maximise, false},
      {"SICONNORM", nullptr, TitleGlyph::Restore, false},
      {"SICONMIN", nullptr, TitleGlyph::Minimise, false},
      {"SICONHELP", nullptr, TitleGlyph::Help, false},
  };
  bool png = t_.titleButtons == "png";
  for (const Button& b : buttons) {
    int w = b.big ? (b.alone ? bw + 6 : bw) : sw;
    int h = b.big ? bh : sh;
    std::vector<Layer> frames;
    for (int state = 0; state < 3; ++state) frames.push_back(TitleButton(t_, b.glyph, w, h, state));
    if (b.big && png) {
      AddPng(b.file, KeyedPicture(Join(frames), true));
      o_.Set(kGlobal, b.key, FileEntry(b.file, 3, 1, 2));
    } else {
      o_.Set(kGlobal, b.key, Glyph(frames));
    }
  }
  // Plates of user title buttons: the same states without a glyph.
  std::vector<Layer> plates;
  for (int state = 0; state < 3; ++state)
    plates.push_back(TitleButton(t_, TitleGlyph::None, bw, bh, state));
  o_.Set(kGlobal, "TITLEBUTTON", Glyph(plates));
  if (t_.glow > 0) {
    int g = t_.glow;
    for (const char* key : {"BICONCLOSE", "BICONMAX", "BICONMIN"}) {
      bool close = key == std::string("BICONCLOSE");
      std::string file = std::string(key).substr(5) + "GLOW.PNG";
      Color c = close ? t_.closeHot : (IsDark(t_.title) ? kWhite : t_.accent);
      AddPng(file, Glow(c, g, float(t_.radius), close ? 0.7f : 0.5f).ToBitmap());
      o_.Set(kGlobal, std::string(key) + "GLOW", g);
      o_.Set(kGlobal, std::string(key) + "GLOWMARGIN", 2);
      o_.Set(kGlobal, std::string(key) + "GLOW0", FileEntry(file, 1, 0, 4, Margins{g, g, g, g}, 0));
    }
  }
}

void SkinBuilder::CheckBoxes() {
  struct Box {
    const char* key;
    BoxKind kind;
    BoxMark mark;
    bool small;
  };
  const Box boxes[] = {
      {"BOXCHECKED", BoxKind::Check, BoxMark::Checked, false},
      {"BOXUNCHECKED", BoxKind::Check, BoxMark::None, false},
      {"BOXGRAYED", BoxKind::Check, BoxMark::Grayed, false},
      {"RADIOCHECKED", BoxKind::Radio, BoxMark::Checked, false},
      {"RADIOUNCHECKED", BoxKind::Radio, BoxMark::None, false},
      {"RADIOGRAYED", BoxKind::Radio, BoxMark::Grayed, false},
      {"SMALLCHECKED", BoxKind::Check, BoxMark::Checked, true},
      {"SMALLUNCHECKED", BoxKind::Check, BoxMark::None, true},
      {"SMALLGRAYED", BoxKind::Check, BoxMark::Grayed, true},
  };
  for (const Box& b : boxes) {
    std::vector<Layer> frames;
    for (int state = 0; state < 3; ++state)
      frames.push_back(CheckBox(t_, b.kind, b.mark, b.small ? 11 : 15, state));
    o_.Set(kGlobal, b.key, b.small ? Free(b.key, frames) : Glyph(frames));
  }
  // The menu check mark: in the menu's text colour, and in the selection's when highlighted.
  o_.Set(kGlobal, "CHECK",
         Glyph({GlyphFrame(12, 12, t_.menuFill.text, 1, CheckGlyph(6, 6, 3.8f, 1.6f)),
                GlyphFrame(12, 12, t_.menuHot.text, 1, CheckGlyph(6, 6, 3.8f, 1.6f))}));
}

void SkinBuilder::Window() {
  Color line = Darken(t_.title, 0.25), lineInactive = Mix(t_.border, t_.window, 0.2);
  Color band = Mix(t_.window, t_.title, t_.gloss > 0 ? 1 : 0);
  Color bandInactive = Mix(t_.window, t_.inactiveTitle, t_.gloss > 0 ? 1 : 0);
  int m = std::max(t_.borderWidth, 4);
  Colors("FORM", t_.formFill, t_.formFill);
  o_.Set("FORM", "BORDERSMASK",
         Border({WindowFrame(bandInactive, lineInactive, t_.borderWidth, m),
                 WindowFrame(band, line, t_.borderWidth, m)},
                m, 0));
  Texture("FORM", 100);

  int tm = std::max(int(std::ceil(t_.frameRadius)) + 2, t_.borderWidth);
  Colors("FORMTITLE", t_.titleInactive, t_.titleActive);
  o_.Set("FORMTITLE", "BORDERSMASK",
         Border({TitleFrame(bandInactive, lineInactive, Darken(t_.inactiveTitle, 0.08),
                            t_.borderWidth, tm, float(t_.frameRadius), float(t_.gloss) * 0.5f),
                 TitleFrame(band, line, Darken(t_.title, 0.15), t_.borderWidth, tm,
                            float(t_.frameRadius), float(t_.gloss))},
                Margins{tm, tm, tm, 2}, 0));
  // The caption sits on a rounded label a shade off the title, so that it reads the same over
  // every part of the title's gradient.
  Fill label = Plain(Shade(t_.inactiveTitle, 0.05), t_.titleInactive.text);
  Fill labelHot = Plain(Shade(t_.titleActive.color, 0.1), t_.titleActive.text, true);
  Colors("CAPTION", label, labelHot);
  float lr = float(std::min(8.0, t_.radius + 3));
  o_.Set("CAPTION", "BORDERSMASK",
         Border(Rims({{Shade(label.color, 0.12), 0, 0, 0.6f},
                      {Shade(labelHot.color, 0.15), float(t_.gloss) * 0.35f, 0, 0.6f}},
                     lr),
                RimMargin(lr), 0));
  o_.Set("DIALOG", "PARENTCLASS", "FORM");
  o_.Set("DIALOGTITLE", "PARENTCLASS", "FORMTITLE");
  o_.Set("DRAGBAR", "PARENTCLASS", "FORMTITLE");
  Colors("MDIAREA", Plain(Shade(t_.window, 0.12), t_.text), {}, 1);
}

void SkinBuilder::Texture(const std::string& section, int percent) {
  const std::string& kind = t_.texture;
  std::string entry;
  if (kind == "noise" || kind == "linen") {
    // Small tiles live in the master bitmap.
    Layer tile =
        kind == "linen" ? LinenTile(t_.window, 64, 0.05f) : NoiseTile(t_.window, 64, 0.04f, 11);
    entry = TextureEntry(atlas_.Add(tile, false), 0);
  } else if (kind == "weave") {
    AddPng("WEAVE.PNG", LinenTile(t_.window, 48, 0.07f).ToBitmap());
    entry = FileEntry("WEAVE.PNG", 1, 0, 1, Margins{}, 0);
  } else if (kind == "paper") {
    // Below the size at which the loader keeps JPEG pictures as they are: it becomes a texture.
    skin_.files.push_back({"GRAIN.JPG", EncodeJpeg(PaperPicture(t_.window, 200, 200, 5), false)});
    entry = "GRAIN.JPG";
  } else if (kind == "stone") {
    // Large enough to stay a JPEG picture, tiled as it is.
    skin_.files.push_back({"STONE.JPG", EncodeJpeg(PaperPicture(t_.window, 1000, 900, 9), true)});
    entry = "STONE.JPG";
  } else if (!kind.empty()) {
    throw std::runtime_error(settings_.name + ": unknown texture " + kind);
  } else {
    return;
  }
  o_.Set(section, "PATTERN", entry);
  o_.Set(section, "HOTPATTERN", entry);
  o_.Set(section, "IMAGEPERCENT", percent);
  o_.Set(section, "HOTIMAGEPERCENT", percent);
}

void SkinBuilder::Menus() {
  float r = float(std::min(t_.radius, 4.0));
  Colors("MAINMENU", t_.menuFill, t_.menuFill, 1);
  o_.Set("MAINMENU", "BORDERSMASK", Border(Rims({{t_.border}}, r), RimMargin(r), 0));
  Colors("MENUITEM", t_.menuFill, t_.menuHot);
  Transparent("MENUITEM", true, false);
  o_.Set(
      "MENUITEM", "BORDERSMASK",
      Border(
          Rims({{t_.selection, 0, 0, 0}, {Darken(t_.selection, 0.15), float(t_.gloss) * 0.4f}}, r),
          RimMargin(r), 2));
  Colors("MENULINE", t_.formFill, t_.formFill);
  Colors("MENUCAPTION", Plain(Shade(t_.menu, 0.06), t_.text), {}, 1);
  Color ico = Shade(t_.menu, 0.035);
  Colors("ICOLINE", Plain(ico, t_.text), {}, 1);
  Colors("EXTRALINE", t_.menuHot, t_.menuHot, 1);
  Colors("SELECTION", Plain(t_.selection, t_.selectionText, true),
         Plain(Shade(t_.selection, 0.08), t_.selectionText, true));
}

}  // namespace skingen
