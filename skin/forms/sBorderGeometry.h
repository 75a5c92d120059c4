// The arithmetic of the border window: the layered window behind a skinned form that shows the
// skin's own frame and title, larger than the platform's, and a soft shadow around them. The
// form keeps its platform frame, clipped away by its region; the border window reaches
// BORDERWIDTH - native frame beyond it on the sides and bottom, the skin's title height above
// its client, and the extent margins farther for the shadow.
//
// Three places are used: the form's window rectangle, the skinned window (the window image: the
// skin's frame without the shadow) and the border window (the skinned window and the margins).
#pragma once

#include "skin/data/sBorderShadows.h"
#include "skin/forms/sTitleLayout.h"
#include "skin/render/sRegion.h"

struct TsBorderFrame {
  TsExtentMargins Extent;
  int NativeFrame = 0;    // the platform's frame width for the form's style
  int NativeCaption = 0;  // the platform's caption height, 0 for a form without a caption
  int SkinBorder = 0;     // BORDERWIDTH
  int SkinTitle = 0;      // the skin's title height (TITLEHEIGHT), 0 without a caption
  int AlignOffset = 0;    // ALIGNOFFSET: how far sizing and snapping reach into the shadow
};

// How far the skin's frame reaches beyond the form on the sides and at the bottom.
int HorizontalExtra(const TsBorderFrame& b);
// How far the skin's title reaches above the form's top (a form without caption: as the sides).
int TopExtra(const TsBorderFrame& b);
// The skinned window's top-left corner, relative to the form's.
TPoint SkinnedOffset(const TsBorderFrame& b);
// The border window's top-left corner, relative to the form's.
TPoint BorderOffset(const TsBorderFrame& b);
// The skinned window's size for a form of the given size.
TPoint SkinnedSize(const TsBorderFrame& b, int formWidth, int formHeight);
// The border window's size: the skinned window and the margins.
TPoint BorderSize(const TsBorderFrame& b, int formWidth, int formHeight);

// The skinned window as the frame arithmetic sees it: a window of the skinned size whose frame is
// BORDERWIDTH wide and whose caption is the skin's title, with the form's client in the same
// place on the screen.
TsFormShape SkinnedShape(const TsFormShape& form, const TsBorderFrame& b);
TsSystemMetrics SkinnedMetrics(const TsSystemMetrics& metrics, const TsBorderFrame& b);

// The border window's shape: its whole rectangle, or for a maximised form the part that lies
// on the work area (no shadow, no frame beyond the screen), without the client rectangle that
// the form itself covers (border window coordinates). Client pixels outside the window never
// add to the shape.
TRect MaximizedBorderRect(const TsBorderFrame& b, int width, int height);
TsRegion BorderRegion(const TRect& outer, const TRect& client);

// What the border window's hit test needs, in border window coordinates.
struct TsBorderHit {
  TsBorderFrame Frame;
  int Width = 0, Height = 0;
  bool Sizeable = false;  // a sizing frame, not maximised
  int TitleBottom = 0;    // below it the menu band, then the client
  int MenuBottom = 0;
  TRect IconRect;  // empty without icon
  TRect Grip;      // the size grip's square; empty when it does not answer
};

// The border window's answer for the point, after the title buttons were asked: a sizing code
// on the sizing zones at the shadow's inner edge, the caption or the icon in the title, the menu
// band, the grip, kHitBorder on the rest of the skin's frame, and kHitShadow in the shadow (the
// mouse goes to the window behind).
inline constexpr int kHitShadow = -1;
inline constexpr int kHitBorder = 18;
int BorderHitTest(const TsBorderHit& h, TPoint p);

// The rectangle a double-click on a sizing edge stretches the form to: the work area's full
// width (left or right edge) or height (top or bottom edge), less the frame the skin adds there.
// Other codes leave the form as it is.
TRect StretchedBounds(const TsBorderFrame& b, const TRect& form, const TRect& work, int code);
