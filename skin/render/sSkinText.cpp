#include "skin/render/sSkinText.h"

#include <array>

#include "platform/GdiScopes.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sDefaultModel.h"
#include "skin/render/sBlend.h"
#include "skin/render/sBlur.h"

namespace {

const TsGeneralData* Section(const TsSkinModel* manager, int index) {
  if (!manager || !manager->IsValidSectionIndex(index)) return nullptr;
  return &manager->SectionTable[size_t(index)];
}

const TsGenState& State(const TsGeneralData& section, int state) {
  return section.States[state > 0 ? 1 : 0];
}

// The four contour colours with their shifts, in drawing order.
struct Contour {
  int32_t color;
  int dx, dy;
};
std::array<Contour, 4> Contours(const TsGenState& s) {
  return {{{s.TCLeft, -1, 0}, {s.TCTop, 0, -1}, {s.TCRight, 1, 0}, {s.TCBottom, 0, 1}}};
}

void Draw(HDC dc, const std::string& text, RECT r, UINT format) {
  DrawTextA(dc, text.c_str(), int(text.size()), &r, format);
}

RECT Shifted(RECT r, int dx, int dy) {
  OffsetRect(&r, dx, dy);
  return r;
}

TRect Shifted(TRect r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

}  // namespace

void PaintSkinText(HDC dc, const std::string& text, bool enabled, const TsSkinModel* manager,
                   int state, int sectionIndex, UINT format, RECT rect) {
  if (text.empty()) return;
  SetBkMode(dc, TRANSPARENT);
  const TsGeneralData* section = Section(manager, sectionIndex);
  if (!section) {
    Draw(dc, text, rect, format);
    return;
  }
  if (!enabled) {
    SetTextColor(dc, COLORREF(MixColors(section->States[0].FontColor, section->Color, 0.4)));
    Draw(dc, text, rect, format);
    return;
  }
  DrawStateText(dc, text, State(*section, state), rect, format, format, {});
}

void DrawStateText(HDC dc, const std::string& text, const TsGenState& state, RECT rect, UINT format,
                   UINT textFormat, const std::function<int32_t(int32_t)>& tone) {
  auto colour = [&tone](int32_t c) { return COLORREF(tone ? tone(c) : c); };
  for (const Contour& c : Contours(state)) {
    if (c.color == -1) continue;
    SetTextColor(dc, colour(c.color));
    Draw(dc, text, Shifted(rect, c.dx, c.dy), format);
  }
  SetTextColor(dc, colour(state.FontColor));
  Draw(dc, text, rect, textFormat);
}

void PaintTextAlpha(img::Bitmap32& target, HFONT font, const std::string& text, int32_t color,
                    UINT format, TRect rect) {
  if (text.empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  img::Bitmap32 mask(rect.Width(), rect.Height());
  mask.Fill({255, 255, 255, 0});
  HDC dc = mask.DC();
  {
    platform::Selection selected(dc, font);
    SetTextColor(dc, 0);
    SetBkColor(dc, 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
    Draw(dc, text, RECT{0, 0, rect.Width(), rect.Height()}, format);
  }
  GdiFlush();
  ComposeTextMask(target, rect.Left, rect.Top, mask, color);
}

void PaintSkinTextAlpha(img::Bitmap32& target, HFONT font, const std::string& text, bool contours,
                        const TsSkinModel* manager, bool hot, int sectionIndex, UINT format,
                        TRect rect) {
  if (text.empty() || rect.Width() <= 0 || rect.Height() <= 0) return;
  const TsGeneralData* section = Section(ResolveManager(manager), sectionIndex);
  if (!section) {
    // A font's colour where the skin names none: the platform's window text.
    PaintTextAlpha(target, font, text, skin::SysColor(skin::kColorWindowText), format, rect);
    return;
  }
  const TsGenState& s = State(*section, hot && section->StateCount > 0 ? 1 : 0);
  if (contours) {
    for (const Contour& c : Contours(s))
      if (c.color != -1)
        PaintTextAlpha(target, font, text, c.color, format, Shifted(rect, c.dx, c.dy));
  }
  PaintTextAlpha(target, font, text, s.FontColor, format, rect);
}

void PaintTextGlow(img::Bitmap32& target, HFONT font, const std::string& text, TRect rect,
                   TsGlowImage& glow, int32_t color, int size, int contourBits, UINT format) {
  TRect r = Shifted(rect, 1, 1);
  const int margin = size + 4;
  const int w = r.Width() + 2 * margin, h = r.Height() + 2 * margin;
  if (w <= 0 || h <= 0) return;
  if (glow.Width != w || glow.Height != h || glow.Pixels.empty()) {
    img::Bitmap32 shape(w, h);
    shape.Fill({255, 255, 255, 0});
    HDC dc = shape.DC();
    {
      platform::Selection selected(dc, font);
      SetTextColor(dc, 0);
      SetBkMode(dc, TRANSPARENT);
      RECT box{margin, margin, margin + r.Width(), margin + r.Height()};
      static constexpr std::array<std::pair<int, int>, 4> kShifts = {
          {{-1, 0}, {0, -1}, {1, 0}, {0, 1}}};
      for (int bit = 0; bit < 4; ++bit)
        if (contourBits & (1 << bit))
          Draw(dc, text, Shifted(box, kShifts[bit].first, kShifts[bit].second), format);
      Draw(dc, text, box, format);
    }
    GdiFlush();
    glow.Width = w;
    glow.Height = h;
    glow.Pixels.resize(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        glow.Pixels[size_t(y) * size_t(w) + size_t(x)] = shape.Pixel(x, y).G;
    BlurGray8({glow.Pixels.data(), w, w, h}, size);
  }
  ComposeGlow(target, r.Left - margin, r.Top - margin, glow, color);
}

SIZE MeasureText(HFONT font, const std::string& text, UINT format, int width, bool wrap) {
  SIZE size{0, 0};
  platform::WindowDC dc(nullptr);
  platform::Selection selected(dc, font);
  if (wrap) {
    RECT r{0, 0, width, 0};
    DrawTextA(dc, text.c_str(), int(text.size()), &r, format | DT_CALCRECT);
    size = {r.right - r.left, r.bottom - r.top};
  } else if (!GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &size)) {
    size = {0, 0};
  }
  return size;
}
