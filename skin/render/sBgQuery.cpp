#include "skin/render/sBgQuery.h"

#include "skin/data/SkinSystem.h"

TsBgSource BgQueryToSource(const TsBgQuery& query) {
  // A bitmap answer drawn straight into the asker's surface has no picture to read from; the
  // painters must not be handed a valid source without one.
  if (query.Kind == bgkBitmap && query.Bitmap)
    return MakeBgSource(query.Bitmap, query.OffsetX, query.OffsetY);
  TsBgSource source;
  source.Bitmap = query.Bitmap;
  source.OffsetX = query.OffsetX;
  source.OffsetY = query.OffsetY;
  source.BorderRect = query.BorderRect;
  source.BgColor = skin::ColorToRGB(query.Color);
  return source;
}
