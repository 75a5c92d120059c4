// Display scale. Lengths of the program and of its skins are designed for 96 dots per inch; on a
// display of another scale they are drawn at that scale. The Windows side reads a window's scale
// and the system's metrics for a scale through calls that older systems lack, so it looks them
// up at run time and falls back to the system's one scale.
#pragma once

namespace platform {

constexpr int kDesignDpi = 96;
// The message a child window gets after its parent took a new scale (Windows 10 1703 and later;
// the headers for the systems the program still starts on lack it).
constexpr unsigned kDpiChangedAfterParent = 0x02E3;

// A length designed at 96 DPI at `dpi`, rounded to the nearest pixel, halves away from zero, as
// the system rounds its own metrics. 96 DPI and non-positive scales leave it unchanged.
int ScaleToDpi(int length, int dpi);
// A length drawn at `fromDpi`, at `toDpi`: a window that moves to a monitor of another scale
// takes its lengths along. Rounded as ScaleToDpi rounds; from 96 DPI it is ScaleToDpi. A
// non-positive scale on either side leaves it unchanged.
int RescaleLength(int length, int fromDpi, int toDpi);

// A length that follows a window across monitors of several scales without drifting: scaled by
// ratios, 13 at 96 DPI would come back as 14 after 144, 120 and 192. While the length is what
// its design gives at the scale it is at, the new one comes from the design; a length set
// at a scale becomes the design there.
class ScaledLength {
 public:
  // The length `current`, drawn at fromDpi, at toDpi.
  int Rescale(int current, int fromDpi, int toDpi);

 private:
  int design_ = 0;
};

// The scale a window is drawn at: its monitor's when the program is per-monitor aware, else the
// system's. A null window gives the system's.
int WindowDpi(void* window);
// A system metric (SM_*) at a scale; where the system cannot tell one for a scale, its own
// metric scaled from the system's scale.
int SystemMetricForDpi(int index, int dpi);
// SystemParametersInfo at a scale, for the parameters that hold lengths or fonts (non-client
// metrics, icon metrics). False when the system refused.
bool SystemParametersForDpi(unsigned action, unsigned param, void* data, int dpi);
// Lets the system draw the windows this thread makes from now on at 96 DPI and stretch them to
// the display's scale, whatever the program declares. False where the system cannot do that for
// a thread (before Windows 10 1607): the program then scales itself.
bool LetSystemStretchThread();

}  // namespace platform
