#include "skin/data/sScaledMetrics.h"

#include <algorithm>

#include "platform/Dpi.h"

namespace {

int16_t Scaled16(int16_t length, int dpi) {
  return static_cast<int16_t>(std::clamp(platform::ScaleToDpi(length, dpi), -32768, 32767));
}

uint8_t ScaledByte(uint8_t length, int dpi) {
  return static_cast<uint8_t>(std::min(platform::ScaleToDpi(length, dpi), 255));
}

}  // namespace

void ScaleGlobalMetrics(TsSkinData& g, int dpi) {
  for (int16_t* length :
       {&g.Shadow1Offset, &g.BorderWidth, &g.TitleHeight, &g.MaxHeight, &g.FormOffset,
        &g.AlignOffset, &g.CenterOffset, &g.BISpace, &g.BIRight, &g.BILeft, &g.BITop,
        &g.CloseGlowMargin, &g.MaxGlowMargin, &g.MinGlowMargin})
    *length = Scaled16(*length, dpi);
  if (g.Shadow1Blur > 0) g.Shadow1Blur = Scaled16(g.Shadow1Blur, dpi);
}

void ScaleSectionMetrics(TsGeneralData& d, int dpi) {
  d.GlowMargin = platform::ScaleToDpi(d.GlowMargin, dpi);
  for (uint8_t* size : {&d.GSize, &d.HGSize, &d.States[0].GSize, &d.States[1].GSize})
    *size = ScaledByte(*size, dpi);
}

TsSliceCuts ScaleSliceCuts(int size, int first, int last, int dpi) {
  TsSliceCuts c;
  size = std::max(size, 0);
  first = std::clamp(first, 0, size);
  last = std::clamp(last, 0, size - first);
  c.First = platform::ScaleToDpi(first, dpi);
  c.Last = platform::ScaleToDpi(last, dpi);
  // Without a middle the frame is the two margins; with one the middle keeps at least nothing.
  c.Size = first + last == size ? c.First + c.Last
                                : std::max(platform::ScaleToDpi(size, dpi), c.First + c.Last);
  return c;
}
