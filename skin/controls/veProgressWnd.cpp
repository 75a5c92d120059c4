#include "skin/controls/veProgressWnd.h"

#include <commctrl.h>

#include "skin/controls/sProgressGeometry.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sControlSection.h"

TveProgressWnd::TveProgressWnd(HWND handle, bool repaint, const std::string& skinSection,
                               TsSkinManager* manager, TsCommonData* skinData)
    : TvePressWnd(handle, false, skinSection.empty() ? "GAUGE" : skinSection, manager, skinData) {
  SkinData->UpdateIndexes();
  if (repaint && IsWindowVisible(handle)) Redraw();
}

bool TveProgressWnd::RenderCache() {
  if (!PaintSection(0)) return false;
  img::Bitmap32& cache = *SkinData->CacheBitmap;
  const int32_t low = int32_t(SendMessageA(Handle, PBM_GETRANGE, TRUE, 0));
  const int32_t high = int32_t(SendMessageA(Handle, PBM_GETRANGE, FALSE, 0));
  const int32_t pos = int32_t(SendMessageA(Handle, PBM_GETPOS, 0, 0));
  const bool vertical = GetWindowLongA(Handle, GWL_STYLE) & PBS_VERTICAL;
  const TRect done = ProgressFill({0, 0, cache.Width(), cache.Height()}, low, high, pos, vertical);
  if (done.Width() > 0 && done.Height() > 0 && Section().StateCount > 1)
    PaintControlSection(*SkinData, MakeBgSource(&cache, 0, 0), true, cache, {0, 0}, done, 1);
  FadeIfDisabled();
  return true;
}

void TveProgressWnd::HandleMessage(fw::TMessage& message) {
  if (!Painting()) {
    TvePressWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    // The platform paints the new position at once: held back, then painted from the skin.
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
    case PBM_SETSTATE:
      PassOnQuietly(message);
      return;
    default:
      TvePressWnd::HandleMessage(message);
  }
}
