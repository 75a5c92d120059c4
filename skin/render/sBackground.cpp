#include "skin/render/sBackground.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sGradientPaint.h"
#include "skin/render/sPattern.h"

namespace {

// The layers of one state's look.
struct Layers {
  int32_t Color = 0;
  int Transparency = 0;
  int ImagePercent = 0;
  int GradientPercent = 0;
  // The gradient's text and bands, when GP > 0.
  const std::string* GradientData = nullptr;
  const TsGradArray* Gradient = nullptr;
  int TextureIndex = -1;  // an ImageTable entry, -1 none
  int PatternIndex = -1;  // a PatternTable picture, used when there is no TextureIndex
  // A tiled texture sharing the rectangle with a gradient may be mixed with it in one pass.
  bool SinglePass = true;
};

bool IsMasked(const TsMaskData& entry) {
  return entry.MaskRows > 0;
}

Layers ReadLayers(const TsSkinModel& model, int sectionIndex, std::string_view sectionName,
                  int32_t customColor, int givenPattern, int state) {
  Layers l;
  if (customColor != kKeyColor) {
    l.Color = customColor;
    return l;
  }
  const TsGenState& s = model.SectionTable[size_t(sectionIndex)].States[size_t(state)];
  l.Color = s.Color;
  l.Transparency = s.Transparency;
  if (l.Transparency == 100) return l;
  l.ImagePercent = s.ImagePercent;
  l.GradientPercent = s.GradientPercent;
  if (l.ImagePercent > 0) {
    // A masked entry cannot serve as a plain texture.
    int index =
        model.IsValidImageIndex(givenPattern) && !IsMasked(model.ImageTable[size_t(givenPattern)])
            ? givenPattern
            : -1;
    if (index < 0) index = s.TextureIndex;
    if (index < 0) index = model.FindImage(sectionIndex, sectionName, "PATTERN");
    if (model.IsValidImageIndex(index))
      l.TextureIndex = index;
    else
      l.PatternIndex = model.FindPattern(sectionIndex, sectionName, "PATTERN");
  }
  if (l.GradientPercent > 0) l.GradientData = &s.GradientData, l.Gradient = &s.Gradient;
  return l;
}

// Copies the rectangle from the background's bitmap at origin + offsets; pixels whose source
// lies outside that bitmap are left as they are.
void CopyFromBg(img::Bitmap32& target, const TRect& rect, const TsBgSource& bg, TPoint origin) {
  if (!bg.Bitmap || bg.Bitmap == &target) return;
  const img::Bitmap32& from = *bg.Bitmap;
  const int dx = origin.X + bg.OffsetX - rect.Left, dy = origin.Y + bg.OffsetY - rect.Top;
  const TRect r =
      ClipToBitmap({rect.Left + dx, rect.Top + dy, rect.Right + dx, rect.Bottom + dy}, from);
  for (int y = r.Top; y < r.Bottom; ++y)
    std::copy(from.Row(y) + r.Left, from.Row(y) + r.Right, target.Row(y - dy) + r.Left - dx);
}

// A parent with a plain inside and a skinned border: the border bands come from its bitmap, the
// rest is its colour.
void CopyBorderBandsFromBg(img::Bitmap32& target, const TRect& rect, const TsBgSource& bg,
                           TPoint origin) {
  FillRectAlpha(target, rect, bg.BgColor, 255);
  if (!bg.Bitmap) return;
  const img::Bitmap32& from = *bg.Bitmap;
  const TRect& band = bg.BorderRect;
  for (int y = rect.Top; y < rect.Bottom; ++y)
    for (int x = rect.Left; x < rect.Right; ++x) {
      const int sx = x - rect.Left + origin.X + bg.OffsetX;
      const int sy = y - rect.Top + origin.Y + bg.OffsetY;
      if (sx < 0 || sy < 0 || sx >= from.Width() || sy >= from.Height()) continue;
      if (sx < band.Left || sy < band.Top || sx >= from.Width() - band.Right ||
          sy >= from.Height() - band.Bottom)
        target.Pixel(x, y) = from.Pixel(sx, sy);
    }
}

// The gradient, or the plain colour when the state has no gradient text.
void PaintGradientOrColor(img::Bitmap32& target, const TRect& rect, const Layers& l) {
  if (l.GradientData->empty())
    FillRectAlpha(target, rect, l.Color, 255);
  else
    PaintGradient(target, rect, *l.Gradient);
}

// The texture layer of a state with an image percent; the part the texture leaves uncovered gets
// the colour, and so does all of it when the skin names no texture that can be found (rather than
// leaving whatever the target held). maskBg is what key pixels of a masked texture show, its
// offsets relative to target. Returns whether a texture was painted: only then do the other
// layers mix with it rather than stand for the whole rectangle.
bool PaintTexture(const TsSkinModel& model, img::Bitmap32& target, const TRect& rect,
                  const Layers& l, const TsBgSource& maskBg) {
  if (l.ImagePercent <= 0) return false;
  TRect uncovered = rect;
  bool painted = false;
  if (l.TextureIndex >= 0) {
    const TsMaskData& entry = model.ImageTable[size_t(l.TextureIndex)];
    if (IsMasked(entry))
      PaintMaskedPattern(target, uncovered, maskBg, entry.PaintFlags, entry);
    else
      PaintPattern(target, uncovered, nullptr, entry.PaintFlags, &entry);
    painted = true;
  } else if (l.PatternIndex >= 0) {
    const TsPatternData& pattern = model.PatternTable[size_t(l.PatternIndex)];
    static const img::Bitmap32 none;
    const img::Bitmap32& picture = pattern.Image ? pattern.Image->Picture() : none;
    PaintPattern(target, uncovered, &picture, fmTile, nullptr);
    painted = !picture.Empty();
  }
  if (uncovered != kAllCovered) FillRectAlpha(target, uncovered, l.Color, 255);
  return painted;
}

// The texture and gradient layers. A tiled texture that shares the whole rectangle with a vertical
// or horizontal gradient is mixed with it in one pass, with singlePassAlpha as the alpha; that
// leaves nothing more to do and returns false. Otherwise returns true: the colour layer remains.
bool PaintTextureAndGradient(const TsSkinModel& model, img::Bitmap32& target, const TRect& rect,
                             const Layers& l, uint8_t singlePassAlpha, const TsBgSource& maskBg) {
  const int ip = l.ImagePercent, gp = l.GradientPercent;
  if (l.SinglePass && ip + gp == 100 && gp > 0 && gp < 100 && l.TextureIndex >= 0 &&
      !l.Gradient->empty() && (*l.Gradient)[0].Mode < 2) {
    const TsMaskData& entry = model.ImageTable[size_t(l.TextureIndex)];
    if (entry.PaintFlags == 0) {
      PaintGradientTextured(target, rect, *l.Gradient, singlePassAlpha,
                            std::clamp(ip * 255 / 100, 0, 255), entry.SrcRect,
                            entry.Image ? *entry.Image : model.MasterImage);
      return false;
    }
  }
  const bool textured = PaintTexture(model, target, rect, l, maskBg);
  if (gp <= 0) return true;
  if (!textured) {
    PaintGradientOrColor(target, rect, l);
    return true;
  }
  // The gradient over the texture, which keeps its image percent of the weight.
  const TRect whole{0, 0, rect.Width(), rect.Height()};
  try {
    img::Bitmap32 gradient(whole.Right, whole.Bottom);
    PaintGradientOrColor(gradient, whole, l);
    BlendBitmaps(target, gradient, std::clamp(ip * 255 / 100, 0, 255), rect.Left, rect.Top, whole);
  } catch (const std::exception&) {
    // Out of memory for the gradient: the texture stays without it.
  }
  return true;
}

// The colour layer: the whole rectangle without other layers (in fill), else its share of the
// blend.
void FinishWithColor(img::Bitmap32& target, const TRect& rect, const Layers& l, int32_t fill) {
  const int share = l.ImagePercent + l.GradientPercent;
  if (share == 0)
    FillRectAlpha(target, rect, fill, 255);
  else if (share < 100)
    BlendRectWithColor(target, rect, share, l.Color);
}

// bg as seen from a target that sits at origin in its picture.
TsBgSource MovedBy(TsBgSource bg, TPoint origin) {
  bg.OffsetX += origin.X;
  bg.OffsetY += origin.Y;
  return bg;
}

// The layers without anything showing through; fill is the colour of a state that has neither
// texture nor gradient.
void PaintOpaque(const TsSkinModel& model, img::Bitmap32& target, const TRect& rect,
                 const Layers& l, const TsBgSource& bg, TPoint origin, int32_t fill) {
  if (PaintTextureAndGradient(model, target, rect, l, 255, MovedBy(bg, origin)))
    FinishWithColor(target, rect, l, fill);
}

// The opaque layers painted apart and laid over the parent's picture (or colour) with the
// parent's weight parentWeight of 256.
void BlendOverParent(const TsSkinModel& model, img::Bitmap32& target, const TRect& rect,
                     const Layers& l, const TsBgSource& bg, TPoint origin, int parentWeight) {
  try {
    img::Bitmap32 own(rect.Width(), rect.Height());
    PaintOpaque(model, own, {0, 0, rect.Width(), rect.Height()}, l, bg, origin, l.Color);
    if (bg.Valid)
      CopyFromBg(target, rect, bg, origin);
    else
      FillRectAlpha(target, rect, bg.BgColor, 255);
    BlendBitmaps(target, own, parentWeight, rect.Left, rect.Top,
                 {0, 0, rect.Width(), rect.Height()});
  } catch (const std::exception&) {
    // Out of memory for the section's own layers: nothing is painted.
  }
}

}  // namespace

void PaintSectionBg(const TsSkinModel* model, int sectionIndex, std::string_view sectionName,
                    const TsBgSource& bg, int32_t customColor, int patternIndex,
                    int hotPatternIndex, img::Bitmap32& target, TPoint origin, TRect rect,
                    int state) {
  if (!model || !model->IsValidSectionIndex(sectionIndex) || !InsideTarget(rect, target)) return;
  const TsGeneralData& section = model->SectionTable[size_t(sectionIndex)];
  state = std::clamp(std::min(state, section.StateCount - 1), 0, 1);
  const Layers l = ReadLayers(*model, sectionIndex, sectionName, customColor,
                              state == 0 ? patternIndex : hotPatternIndex, state);
  const int t = l.Transparency;
  if (t == 0 || (!bg.Valid && bg.BgColor == kKeyColor)) {
    PaintOpaque(*model, target, rect, l, bg, origin, l.Color);
  } else if (t == 100) {
    if (bg.Valid)
      CopyFromBg(target, rect, bg, origin);
    else
      CopyBorderBandsFromBg(target, rect, bg, origin);
  } else if (bg.Valid || l.ImagePercent + l.GradientPercent > 0) {
    BlendOverParent(*model, target, rect, l, bg, origin, int(std::nearbyint(t * 2.55)));
  } else {
    FillRectAlpha(target, rect, MixColors(bg.BgColor, l.Color, t / 100.0), 255);
  }
  // Over everything, in the normal state: the control's masked overlay texture.
  const int overlay = patternIndex != -1 ? patternIndex : hotPatternIndex;
  if (state == 0 && model->IsValidImageIndex(overlay)) {
    const TsMaskData& entry = model->ImageTable[size_t(overlay)];
    if (IsMasked(entry) && entry.PaintFlags == fmTileFull) {
      TRect area = rect;
      PaintMaskedPattern(target, area, MovedBy(bg, origin), fmTileFull, entry);
    }
  }
}

void PaintSectionBgAlpha(const TsSkinModel* model, int sectionIndex, int state, TRect rect,
                         int32_t customColor, img::Bitmap32& target) {
  if (!model || !model->IsValidSectionIndex(sectionIndex) || !InsideTarget(rect, target)) return;
  state = std::clamp(state, 0, 1);
  const TsGeneralData& section = model->SectionTable[size_t(sectionIndex)];
  const Layers l = ReadLayers(*model, sectionIndex, section.SectionName, customColor, -1, state);
  const int t = l.Transparency;
  if (t == 100) {
    // Only a bitmap that is all this section is made see-through.
    if (rect.Width() == target.Width() && rect.Height() == target.Height())
      FillRectAlpha(target, rect, 0, 0);
    return;
  }
  const uint8_t opacity = uint8_t((100 - t) * 255 / 100);
  if (!PaintTextureAndGradient(*model, target, rect, l, opacity, EmptyBgSource)) return;
  if (l.ImagePercent + l.GradientPercent > 0) {
    FinishWithColor(target, rect, l, l.Color);
    return;
  }
  // Over nothing yet (a zero pixel) the colour gets the section's opacity; over something, an
  // opaque section covers it and a see-through one tints it.
  const img::TRGBAPixel corner = target.Pixel(rect.Left, rect.Top);
  if (corner == img::TRGBAPixel{0, 0, 0, 0})
    FillRectAlpha(target, rect, l.Color, opacity);
  else if (t == 0)
    FillRectAlpha(target, rect, l.Color, 255);
  else
    TintRect(target, rect, l.Color, std::max(corner.A, opacity), 100 - t);
}

void PaintSectionBgFlat(const TsSkinModel* model, int sectionIndex, const TsBgSource& bg,
                        img::Bitmap32& target, TPoint origin, TRect rect, int state,
                        int patternIndex, int hotPatternIndex) {
  if (!model || !model->IsValidSectionIndex(sectionIndex) || !InsideTarget(rect, target)) return;
  const TsGeneralData& d = model->SectionTable[size_t(sectionIndex)];
  const bool hot = state != 0;
  Layers l;
  l.Color = hot ? d.HotColor : d.Color;
  l.Transparency = hot ? d.HotTransparency : d.Transparency;
  l.ImagePercent = hot ? d.HotImagePercent : d.ImagePercent;
  l.GradientPercent = hot ? d.HotGradientPercent : d.GradientPercent;
  l.GradientData = hot ? &d.HotGradientData : &d.GradientData;
  l.Gradient = hot ? &d.HotGradient : &d.Gradient;
  const int texture = hot ? hotPatternIndex : patternIndex;
  if (l.ImagePercent > 0 && model->IsValidImageIndex(texture)) l.TextureIndex = texture;
  l.SinglePass = false;
  const int t = l.Transparency;
  if (bg.Valid && t == 100) {
    CopyFromBg(target, rect, bg, origin);
  } else if (bg.Valid && t > 0 && t < 100) {
    BlendOverParent(*model, target, rect, l, bg, origin, t * 255 / 100);
  } else {
    PaintOpaque(*model, target, rect, l, bg, origin, !bg.Valid && t == 100 ? bg.BgColor : l.Color);
  }
}
