#include "skin/controls/sScrollPaint.h"

#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/render/sBlend.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"
#include "skin/render/sShadow.h"

namespace {

// The skin's parts of a bar: the two track halves, the two arrows and the thumb.
struct TBarParts {
  int Track1, Track2, Arrow1, Arrow2, Thumb;
};
TBarParts PartsOf(bool vertical) {
  // kScrollBarSections: 1H 1V 2H 2V; kScrollButtonSections: top bottom left right sliderV sliderH.
  return vertical ? TBarParts{1, 3, 0, 1, 4} : TBarParts{0, 2, 2, 3, 5};
}

TRect Along(bool vertical, int from, int to, int across) {
  return vertical ? TRect{0, from, across, to} : TRect{from, 0, to, across};
}

class TBarPainter {
 public:
  TBarPainter(const TsSkinModel& skin, const TsBarPaint& bar, img::Bitmap32& image)
      : skin_(skin), bar_(bar), image_(image), parts_(PartsOf(bar.Vertical)) {}

  void Paint() {
    const int length = bar_.Length, b = bar_.ButtonLength;
    if (2 * b < length) {
      TsThumb thumb = ThumbGeometry(bar_.Info, 0, length, b, bar_.MinThumb);
      if (bar_.ThumbStart >= 0) thumb.Start = bar_.ThumbStart;
      int middle = thumb.Start + thumb.Length / 2;
      Track(parts_.Track1, 0, middle, bar_.Pressed == kScrollPageBefore ? 2 : 0);
      Track(parts_.Track2, middle, length, bar_.Pressed == kScrollPageAfter ? 2 : 0);
      if (b > 0) {
        Button(parts_.Arrow1, 0, b, ArrowState(kScrollFirstArrow));
        Button(parts_.Arrow2, length - b, length, ArrowState(kScrollSecondArrow));
      }
      if (bar_.Enabled && ThumbShown(bar_.Info, length, b, bar_.MinThumb)) {
        int state = bar_.ThumbStart >= 0 ? 2 : Hot() == kScrollThumb ? 1 : 0;
        Button(parts_.Thumb, thumb.Start, thumb.Start + thumb.Length, state);
      }
    } else {
      // No room for both buttons: each takes half the bar, and there is no thumb.
      int half = length / 2;
      Track(parts_.Track1, 0, half, 0);
      Button(parts_.Arrow1, 0, half, ArrowState(kScrollFirstArrow));
      Track(parts_.Track2, half, length, 0);
      Button(parts_.Arrow2, half, length, ArrowState(kScrollSecondArrow));
    }
  }

 private:
  int Hot() const { return bar_.Enabled ? bar_.Hot : kScrollNone; }
  int ArrowState(int element) const {
    return bar_.Pressed == element ? 2 : Hot() == element ? 1 : 0;
  }

  void Section(const TsPartIndexes& p, std::string_view name, const TRect& rect, int state) {
    PaintSection(&skin_, p.Section, name, bg_, p.PatternIndex, p.HotPatternIndex, image_, {0, 0},
                 rect, state);
  }

  void Track(int part, int from, int to, int state) {
    Section(skin_.QuickIndexes.ScrollBars[size_t(part)], kScrollBarSections[size_t(part)],
            Along(bar_.Vertical, from, to, bar_.Thickness), state);
  }

  void Button(int part, int from, int to, int state) {
    const TsPartIndexes& p = skin_.QuickIndexes.ScrollButtons[size_t(part)];
    Section(p, kScrollButtonSections[size_t(part)], Along(bar_.Vertical, from, to, bar_.Thickness),
            state);
    if (!skin_.IsValidImageIndex(p.GlyphIndex)) return;
    // An arrow's glyph sits centred in the first (or, for the second arrow, the last) arrow-cell
    // pixels of the button, however long the button is; the thumb's grip in the whole thumb.
    const TsMaskData& glyph = skin_.ImageTable[size_t(p.GlyphIndex)];
    int size = part == parts_.Thumb ? to - from : std::min(bar_.ArrowCell, to - from);
    int start = part == parts_.Arrow2 ? to - size : from;
    TPoint at = bar_.Vertical ? TPoint{(bar_.Thickness - FrameWidth(glyph)) / 2,
                                       start + (size - FrameHeight(glyph)) / 2}
                              : TPoint{start + (size - FrameWidth(glyph)) / 2,
                                       (bar_.Thickness - FrameHeight(glyph)) / 2};
    PaintStateGlyph(image_, at, state, bg_, glyph, bar_.Enabled ? 1 : 2);
  }

  const TsSkinModel& skin_;
  const TsBarPaint& bar_;
  img::Bitmap32& image_;
  const TBarParts parts_;
  const TsBgSource bg_ = MakeBgSource(&image_, 0, 0);
};

}  // namespace

bool PaintScrollBar(const TsSkinModel& skin, const TsBarPaint& bar, img::Bitmap32& image) {
  if (!skin.IsValidSectionIndex(
          skin.QuickIndexes.ScrollBars[size_t(PartsOf(bar.Vertical).Track1)].Section))
    return false;
  if (bar.Length <= 1 || bar.Thickness <= 0) return false;
  const int w = bar.Vertical ? bar.Thickness : bar.Length;
  const int h = bar.Vertical ? bar.Length : bar.Thickness;
  if (image.Width() != w || image.Height() != h) image.Resize(w, h);
  const int32_t c = bar.BgColor;
  image.Fill({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
  TBarPainter(skin, bar, image).Paint();
  // A disabled bar fades into what lies behind it.
  if (!bar.Enabled) TintRoundedShadow(image, {0, 0, w, h}, 60, 0, 0, c);
  return true;
}

void PaintScrollCorner(const TsSkinModel& skin, const TsBgSource& bg, bool grip,
                       img::Bitmap32& image) {
  const int w = image.Width(), h = image.Height();
  if (bg.Valid && bg.Bitmap) {
    BlendBitmaps(image, *bg.Bitmap, 0, 0, 0,
                 {bg.OffsetX, bg.OffsetY, bg.OffsetX + w, bg.OffsetY + h});
  } else {
    const int32_t c = bg.BgColor;
    image.Fill({uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c), 255});
  }
  const int index = skin.QuickIndexes.GlobalImages[10];  // GRIPIMAGE
  if (!grip || !skin.IsValidImageIndex(index)) return;
  const TsMaskData& glyph = skin.ImageTable[size_t(index)];
  PaintStateGlyph(image, {w - FrameWidth(glyph), h - FrameHeight(glyph)}, 0,
                  MakeBgSource(&image, 0, 0), glyph, 1);
}
