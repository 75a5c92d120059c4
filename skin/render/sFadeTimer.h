// Control fades: a skinned control whose state changes (the mouse comes or goes, a press) blends
// from the picture it showed to the one of its new state in a few steps, one blended bitmap a
// tick, instead of switching at once. The control takes part through skin commands: it paints
// its new picture into its cache when asked (CmdBgRepainted), may paint each intermediate
// picture itself (CmdFadeFrame), and hears when the fade is over (CmdStopFade).
#pragma once

#include <windows.h>

#include <memory>

#include "imaging/Bitmap32.h"
#include "skin/render/sCommonData.h"
#include "skin/render/veThreadedTimer.h"

// Sent with each intermediate picture in lParam (an img::Bitmap32); a non-zero reply means the
// control painted it itself.
inline constexpr uint16_t CmdFadeFrame = 24;

// The state changes a control may fade, as bits; aeGlobalDef leaves the choice to the skin
// manager's button effects.
enum : unsigned {
  aeMouseEnter = 1,
  aeMouseLeave = 2,
  aeMouseDown = 4,
  aeMouseUp = 8,
  aeGlobalDef = 0x10,
};

// How many control fades live now; the log-off wait lets them finish.
inline int RunningControlFades = 0;

class TsFadeTimer : public TveThreadedTimer {
 public:
  // Takes the control's current picture as the start and asks the control for its new one.
  TsFadeTimer(TsCommonData& data, HWND window, bool fast);
  ~TsFadeTimer() override;
  std::string ClassName() const override { return "TsFadeTimer"; }

 protected:
  void Tick() override;

 private:
  void ShowFrame();

  TsCommonData& data_;
  HWND window_;
  img::Bitmap32 start_;
  img::Bitmap32 frame_;
  int level_ = 1;
  int iterations_ = 1;
};

// Starts a fade of the control (its window is window) from the picture in its cache to its new
// state's; a fade already running for it stops first. False, with nothing started, when the
// control cannot fade (not skinned, its section does not fade, no picture yet or a stale one, the
// program ending): the caller repaints it as usual.
bool StartFade(TsCommonData& data, HWND window, bool fast);
// Ends the control's fade, if one runs; its window keeps what it shows.
void StopFade(TsCommonData& data);
bool FadeRunning(const TsCommonData& data);
// Whether event fades for a control that animates allowedEvents (aeGlobalDef included: also the
// events the manager's button effects name).
bool FadeAllowed(const TsCommonData& data, unsigned event, unsigned allowedEvents);
// Starts the fade for event when it is allowed; false when the caller repaints itself.
bool RunFadeIfAllowed(TsCommonData& data, HWND window, unsigned event, unsigned allowedEvents);
