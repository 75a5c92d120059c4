// Display scale. Lengths of the program and of its skins are designed for 96 dots per inch; on a
// display of another scale they are drawn at that scale. The Windows side reads a window's scale
// and the system's metrics for a scale through calls that older systems lack, so it looks them
// up at run time and falls back to the system's one scale.
#pragma once

namespace platform {

constexpr int kDesignDpi = 96;

// A length designed at 96 DPI at `dpi`, rounded to the nearest pixel, halves away from zero, as
// the system rounds its own metrics. 96 DPI and non-positive scales leave it unchanged.
int ScaleToDpi(int length, int dpi);

// The scale a window is drawn at: its monitor's when the program is per-monitor aware, else the
// system's. A null window gives the system's.
int WindowDpi(void* window);
// A system metric (SM_*) at a scale; where the system cannot tell one for a scale, its own
// metric scaled from the system's scale.
int SystemMetricForDpi(int index, int dpi);
// SystemParametersInfo at a scale, for the parameters that hold lengths or fonts (non-client
// metrics, icon metrics). False when the system refused.
bool SystemParametersForDpi(unsigned action, unsigned param, void* data, int dpi);

}  // namespace platform
