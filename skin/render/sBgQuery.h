// The question a control asks its parent about what lies behind it, and the parent's answer.
// The asker owns the record; the parent fills it in answer to the get-background skin command.
#pragma once

#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/render/sBgSource.h"

// What kind of answer the parent gave.
enum TsBgKind : uint8_t {
  bgkNone = 0,      // nobody answered
  bgkColor = 1,     // a plain colour
  bgkBitmap = 2,    // a picture
  bgkNotReady = 3,  // the parent's picture is empty or of the wrong size
};

// A drawing surface of the platform (a device context on Windows), passed through untouched.
using TDrawSurface = void*;

struct TsBgQuery {
  img::Bitmap32* Bitmap = nullptr;  // the parent's picture, for a bitmap answer
  int32_t Color = 0;                // the parent's colour, for a colour answer
  int32_t OffsetX = 0;              // the asker's origin inside Bitmap
  int32_t OffsetY = 0;
  TRect DrawRect;    // what to paint into DrawDC when PleaseDraw is set
  TRect BorderRect;  // as TsBgSource::BorderRect
  uint8_t Kind = bgkNone;
  bool PleaseDraw = false;  // the asker wants the background painted into DrawDC
  TDrawSurface DrawDC = nullptr;
};

// The answer as a background source. A bitmap answer that carries a picture is a valid source at
// the answer's offsets; anything else is a source that is not valid, with the answer's picture,
// offsets and border widths and its colour resolved to RGB (system colours included).
TsBgSource BgQueryToSource(const TsBgQuery& query);
