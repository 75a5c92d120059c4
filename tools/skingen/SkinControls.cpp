// The control sections of a skin: buttons, edits, panels, scroll bars, tabs and bars.
#include <algorithm>

#include "tools/skingen/ImageFiles.h"
#include "tools/skingen/SkinBuilder.h"

namespace skingen {

namespace {

Fill Horizontal(Fill f) {
  f.mode = 1;
  return f;
}

// A see-through w x h picture with straight lines on it: (left, top, right, bottom, opacity).
struct Line {
  float left, top, right, bottom;
  Color color;
  float alpha = 1;
};

Layer Lines(int w, int h, const std::vector<Line>& lines) {
  Layer l(w, h);
  for (const Line& line : lines)
    l.Fill(RoundRect(line.left, line.top, line.right, line.bottom, 0),
           Solid(line.color, line.alpha));
  l.Veil(RoundRect(0, 0, float(w), float(h), 0));
  return l;
}

}  // namespace

void SkinBuilder::Buttons() {
  float r = float(t_.radius), g = float(t_.gloss);
  float hl = std::max(g * 0.6f, float(t_.depth) * 1.5f);
  Color pressLine = Darken(t_.accent, 0.25);
  std::vector<Rim> rims = {{t_.border, hl}, {t_.accent, hl}, {pressLine, 0, 0.22f}};
  Colors("BUTTON", t_.button, t_.buttonHot, 3);
  o_.Set("BUTTON", "BORDERSMASK", Border(Rims(rims, r), RimMargin(r), 0));
  o_.Set("BUTTON", "SHOWFOCUS", 1);
  o_.Set("BUTTON", "FADINGENABLED", 1);
  o_.Set("BUTTON", "FADINGITERATIONS", 5);
  if (t_.glow > 0) {
    int gm = t_.glow;
    AddPng("GLOW.PNG", Glow(t_.accent, gm, r, 0.55f).ToBitmap());
    o_.Set("BUTTON", "GLOW", gm);
    o_.Set("BUTTON", "GLOWMARGIN", 1);
    o_.Set("BUTTON", "GLOW0", FileEntry("GLOW.PNG", 1, 0, 4, Margins{gm, gm, gm, gm}, 0));
  }
  o_.Set("BUTTON_HUGE", "PARENTCLASS", "BUTTON");
  o_.Set("BUTTON_HUGE", "BORDERSMASK", Border(Rims(rims, r + 2), RimMargin(r + 2), 0));
  // Flat buttons of tool bars show their face only under the mouse.
  o_.Set("SPEEDBUTTON", "PARENTCLASS", "BUTTON");
  Transparent("SPEEDBUTTON", true, false);
  o_.Set("SPEEDBUTTON", "BORDERSMASK", Border(Rims(rims, r), RimMargin(r), 2));
  o_.Set("SPEEDBUTTON_SMALL", "PARENTCLASS", "SPEEDBUTTON");
  o_.Set("TOOLBUTTON", "PARENTCLASS", "SPEEDBUTTON");
  o_.Set("TB_BTN", "PARENTCLASS", "TOOLBUTTON");
  o_.Set("TB_MENUBTN", "PARENTCLASS", "TOOLBUTTON");
  o_.Set("UPDOWNBTN", "PARENTCLASS", "BUTTON");
  float small = std::min(r, 2.0f);
  o_.Set("UPDOWNBTN", "BORDERSMASK", Border(Rims(rims, small), RimMargin(small), 0));
  o_.Set("COMBOBTN", "PARENTCLASS", "BUTTON");
  Transparent("COMBOBTN", true, false);
  o_.Set("COMBOBTN", "BORDERSMASK", Border(Rims(rims, small), RimMargin(small), 2));
  // Links are drawn over the window, gradient included.
  std::vector<Color> behind = Backgrounds(t_.formFill);
  Color link = ReadableOn(t_.accent, behind), linkHot = ReadableOn(Shade(link, 0.25), behind);
  Colors("WEBBUTTON", Fill{t_.window, {}, 0, link}, Fill{t_.window, {}, 0, linkHot});
  Transparent("WEBBUTTON", true, true);
  Colors("CHECKBOX", t_.formFill, t_.formFill);
  Transparent("CHECKBOX", true, true);
}

void SkinBuilder::Edits() {
  float r = float(std::min(t_.radius, 4.0));
  Color hot = Mix(t_.border, t_.accent, 0.5);
  Colors("EDIT", t_.editFill, t_.editFill, 3);
  o_.Set("EDIT", "BORDERSMASK",
         Border(Rims({{t_.border}, {hot}, {t_.accent, 0, 0.08f}}, r), RimMargin(r), 0));
  o_.Set("COMBOBOX", "PARENTCLASS", "EDIT");
  Color ink = t_.text;
  auto arrow = [&](Direction d, int size) {
    std::vector<Layer> frames;
    float c = size / 2.0f;
    for (int state = 0; state < 3; ++state) {
      Color col = state == 2 ? t_.accent : ink;
      float a = state == 0 ? 0.7f : 1.0f;
      Shape s = t_.arrows == "triangle" ? TriangleGlyph(c, c, size * 0.3f, d)
                                        : ChevronGlyph(c, c, size * 0.28f, 1.6f, d);
      frames.push_back(GlyphFrame(size, size, col, a, s));
    }
    return Glyph(frames);
  };
  o_.Set("COMBOBOX", "GLYPHMASK", arrow(Direction::Down, 13));
  o_.Set("SCROLLBTNTOP", "GLYPHMASK", arrow(Direction::Up, 11));
  o_.Set("SCROLLBTNBOTTOM", "GLYPHMASK", arrow(Direction::Down, 11));
  o_.Set("SCROLLBTNLEFT", "GLYPHMASK", arrow(Direction::Left, 11));
  o_.Set("SCROLLBTNRIGHT", "GLYPHMASK", arrow(Direction::Right, 11));
  Fill gauge = Horizontal(t_.button);
  gauge.bands = {{Lighten(t_.accent, 0.25), t_.accent, 100}};
  gauge.color = t_.accent;
  Colors("GAUGE", t_.editFill, Legible(gauge, t_.selectionText, true));
  o_.Set("GAUGE", "BORDERSMASK", Border(Rims({{t_.border}}, r), RimMargin(r), 0));
}

void SkinBuilder::Panels() {
  float r = float(std::min(t_.radius, 4.0));
  Color soft = Mix(t_.border, t_.window, 0.35);
  Colors("PANEL", t_.formFill, t_.formFill, 1);
  o_.Set("PANEL", "BORDERSMASK", Border(Rims({{soft, float(t_.depth)}}, r), RimMargin(r), 0));
  Colors("PANEL_LOW", t_.panelLow, t_.panelLow, 1);
  o_.Set("PANEL_LOW", "BORDERSMASK", Border(Rims({{soft, 0, 0.12f}}, r), RimMargin(r), 0));
  Colors("GROUPBOX", t_.formFill, t_.formFill, 1);
  Transparent("GROUPBOX", true, true);
  // A bitmap of its own named plainly: the loader takes three states over a mask and margins of
  // a third of a frame, so the frames are three margins wide.
  int m = RimMargin(r);
  Layer group = RimFrame({soft}, r, m, 3 * m);
  skin_.files.push_back(
      {"GROUPBOX.BMP", EncodeBmp24(KeyedPicture(Join({group, group, group}), true))});
  o_.Set("GROUPBOX", "BORDERSMASK", "GROUPBOX.BMP");
  Colors("PAGECONTROL", t_.formFill, t_.formFill, 1);
  o_.Set("PAGECONTROL", "BORDERSMASK", Border(Rims({{t_.border}}, 1), RimMargin(1), 0));
  for (const char* s : {"PAGECONTROLLEFT", "PAGECONTROLRIGHT", "PAGECONTROLBOTTOM"})
    o_.Set(s, "PARENTCLASS", "PAGECONTROL");
  Colors("TABSHEET", t_.formFill, t_.formFill, 1);
  Colors("SPLITTER", t_.formFill, Plain(Mix(t_.window, t_.accent, 0.3), t_.text));
}

void SkinBuilder::ScrollBars() {
  Fill trackHot = Plain(Shade(t_.track.color, 0.06), t_.text);
  Colors("SCROLLBAR1H", t_.track, trackHot);
  Colors("SCROLLBAR1V", t_.track, trackHot);
  // Tracks: a faint line along the edge that faces the content.
  Color line = Mix(t_.border, t_.window, 0.5);
  o_.Set("SCROLLBAR1H", "BORDERSMASK", Border({Lines(6, 6, {{0, 0, 6, 1, line}})}, 2, 0));
  o_.Set("SCROLLBAR1V", "BORDERSMASK", Border({Lines(6, 6, {{0, 0, 1, 6, line}})}, 2, 0));
  o_.Set("SCROLLBAR2H", "PARENTCLASS", "SCROLLBAR1H");
  o_.Set("SCROLLBAR2V", "PARENTCLASS", "SCROLLBAR1V");
  float r = float(std::min(t_.radius, 4.0));
  Fill btnHot = Plain(Shade(t_.track.color, 0.1), t_.text);
  // Arrow buttons show a plate only under the mouse.
  std::string buttonBorder =
      Border(Rims({{line}, {t_.border}, {Darken(t_.accent, 0.2), 0, 0.15f}}, r), RimMargin(r), 2);
  for (const char* s : {"SCROLLBTNTOP", "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT"}) {
    Colors(s, t_.track, btnHot, 3);
    Transparent(s, true, false);
    o_.Set(s, "BORDERSMASK", buttonBorder);
  }
  std::vector<Rim> rims = {{Darken(t_.thumb.color, 0.12), float(t_.gloss) * 0.5f},
                           {Darken(t_.thumbHot.color, 0.12), float(t_.gloss) * 0.5f},
                           {Darken(t_.accent, 0.2)}};
  std::string thumbBorder = Border(Rims(rims, r), RimMargin(r), 0);
  Colors("SCROLLSLIDERH", t_.thumb, t_.thumbHot, 3);
  o_.Set("SCROLLSLIDERH", "BORDERSMASK", thumbBorder);
  Colors("SCROLLSLIDERV", Horizontal(t_.thumb), Horizontal(t_.thumbHot), 3);
  o_.Set("SCROLLSLIDERV", "BORDERSMASK", thumbBorder);
  auto grip = [&](bool vertical) {
    std::vector<Layer> frames;
    for (int state = 0; state < 3; ++state)
      frames.push_back(GlyphFrame(10, 10, t_.thumb.text, state == 0 ? 0.45f : 0.7f,
                                  GripBarsGlyph(5, 5, 3, 1, vertical)));
    return Glyph(frames);
  };
  o_.Set("SCROLLSLIDERH", "GLYPHMASK", grip(true));
  o_.Set("SCROLLSLIDERV", "GLYPHMASK", grip(false));
}

void SkinBuilder::Tabs() {
  float r = float(std::min(t_.radius + 1, 5.0));
  int m = RimMargin(r);
  // A tab: rounded top corners, no bottom line; the selected one is filled with the page colour
  // so that it joins the page below it.
  auto frame = [&](Color line, float highlight, bool selected) {
    int s = 2 * m + 2;
    Layer l(s, s);
    Shape shape = RoundRect(0, 0, float(s), float(s + 2 * m), r);
    if (selected) l.Fill(shape, Solid(t_.window));
    if (highlight > 0)
      l.Fill(Outline(RoundRect(1, 1, s - 1.0f, s + 2.0f * m, r - 1), 1), Solid(kWhite, highlight));
    l.Fill(Outline(shape, 1), Solid(line));
    if (selected) l.Fill(RoundRect(0, 0, float(s), 2, 1), Solid(t_.accent));
    l.Veil(shape);
    return l;
  };
  std::vector<Layer> top = {frame(t_.border, float(t_.gloss) * 0.5f, false),
                            frame(Mix(t_.border, t_.accent, 0.5), float(t_.gloss) * 0.5f, false),
                            frame(t_.border, 0, true)};
  // The selected tab shows the page colour under the hot text.
  Fill tabHot = t_.tabHot;
  std::vector<Color> behind = Backgrounds(tabHot);
  behind.push_back(t_.window);
  tabHot.text = ReadableOn(tabHot.text, behind);
  struct Side {
    const char* section;
    int turns;
    bool flip;
  };
  for (const Side& side : {Side{"TABTOP", 0, false}, Side{"TABBOTTOM", 0, true},
                           Side{"TABLEFT", 3, false}, Side{"TABRIGHT", 1, false}}) {
    std::vector<Layer> frames;
    for (const Layer& f : top)
      frames.push_back(side.flip ? FlipVertical(f) : Rotate(f, side.turns));
    Colors(side.section, t_.tab, tabHot, 3);
    o_.Set(side.section, "BORDERSMASK", Border(frames, m, 4));
  }
}

void SkinBuilder::Bars() {
  Color line = Mix(t_.border, t_.window, 0.3);
  Color light = Lighten(t_.window, 0.4);
  Colors("TOOLBAR", t_.bar, t_.bar, 1);
  o_.Set("TOOLBAR", "BORDERSMASK", Border({Lines(6, 6, {{0, 5, 6, 6, line}})}, 2, 0));
  Colors("STATUSBAR", t_.status, t_.status, 1);
  o_.Set("STATUSBAR", "BORDERSMASK", Border({Lines(6, 6, {{0, 0, 6, 1, line}})}, 2, 0));
  Colors("DIVIDER", t_.bar, t_.bar, 1);
  Transparent("DIVIDER", true, true);
  o_.Set("DIVIDER", "BORDERSMASK",
         Border({Lines(4, 6, {{1, 0, 2, 6, line}, {2, 0, 3, 6, light, 0.6f}})}, Margins{2, 1, 1, 1},
                0));
  // Menu separators: a line across the top band, near the middle of a separator item.
  Colors("DIVIDERV", t_.menuFill, t_.menuFill, 1);
  Transparent("DIVIDERV", true, true);
  o_.Set("DIVIDERV", "BORDERSMASK",
         Border({Lines(6, 9, {{0, 3, 6, 4, line}, {0, 4, 6, 5, light, 0.6f}})}, Margins{2, 5, 2, 2},
                0));
  Colors("BAR", t_.bar, t_.bar, 1);
  Colors("BARTITLE", t_.titleInactive, t_.titleActive);
  Colors("COLHEADER", t_.header, t_.headerHot, 3);
  auto cell = [&](float pressed) {
    std::vector<Line> lines = {{5, 0, 6, 6, line}, {0, 5, 6, 6, line}};
    if (pressed > 0) lines.push_back({0, 0, 5, 2, kBlack, pressed});
    return Lines(6, 6, lines);
  };
  o_.Set("COLHEADER", "BORDERSMASK", Border({cell(0), cell(0), cell(0.12f)}, 2, 0));
  Colors("TRACKBAR", t_.formFill, t_.formFill, 1);
  Transparent("TRACKBAR", true, true);
  float r = 2;
  Layer channel = RimFrame({t_.border, 0, 0.15f}, r, RimMargin(r));
  o_.Set("TRACKBAR", "SLIDERCHANNEL", Border({channel}, RimMargin(r), 0));
  std::vector<Layer> thumbs;
  for (int state = 0; state < 3; ++state) {
    Layer l(11, 19);
    Color face = state == 0 ? t_.face : state == 1 ? t_.buttonHot.color : t_.accent;
    Shape s = RoundRect(0.5f, 0.5f, 10.5f, 18.5f, 3);
    l.Fill(s, Solid(face));
    if (t_.gloss > 0) l.Fill(s, Fade(kWhite, 0.4f * float(t_.gloss), 0, 0, 10));
    l.Fill(Outline(s, 1), Solid(state == 0 ? t_.border : Darken(t_.accent, 0.2)));
    thumbs.push_back(std::move(l));
  }
  o_.Set("TRACKBAR", "SLIDERMASK", Glyph(thumbs));
  std::vector<Layer> vthumbs;
  for (const Layer& l : thumbs) vthumbs.push_back(Rotate(l, 1));
  o_.Set("TRACKBAR", "SLIDERVMASK", Glyph(vthumbs));
  o_.Set("TRACKBAR", "TICKHORZ", Glyph({GlyphFrame(1, 4, t_.border, 1, RoundRect(0, 0, 1, 4, 0))}));
  o_.Set("TRACKBAR", "TICKVERT", Glyph({GlyphFrame(4, 1, t_.border, 1, RoundRect(0, 0, 4, 1, 0))}));
}

}  // namespace skingen
