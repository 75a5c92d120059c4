// Skinned scroll bars of a scrollable window (list view, edit, list box, scroll box, dialog).
// The adapter keeps the control's own scroll state, hides the bars from the platform's frame
// code while the client area is measured, reserves their room itself, paints them from the
// skin, hit-tests them, and turns presses, held presses and thumb drags into the usual
// WM_HSCROLL / WM_VSCROLL messages.
#pragma once

#include <array>
#include <cstdint>

#include "imaging/Bitmap32.h"
#include "skin/controls/sScrollGeometry.h"
#include "skin/controls/veMainWnd.h"

// One bar of an adapted window.
struct TveScrollBar {
  uint16_t Flags = 0;  // 8: the window has the bar's style
  bool Visible = false;
  SCROLLINFO Info{};
  int ArrowLength = -1;  // negative: that many times the default
  int Thickness = -1;    // negative: that many times the system's
  int BarType = 0;       // 0 horizontal, 1 vertical
  int MinThumb = kMinThumb;

  TsScrollInfo State() const { return {Info.nMin, Info.nMax, int32_t(Info.nPage), Info.nPos}; }
};

class TveScrollWnd : public TveMainWnd {
 public:
  TveScrollWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
               TsCommonData* skinData);
  ~TveScrollWnd() override;

  void HandleMessage(fw::TMessage& message) override;

  // Reads both bars' state again; with repaint paints them.
  void UpdateScrollInfo(bool repaint);
  // Paints both bars and the corner between them into dc (the window's DC when null).
  void PaintScrollBars(HDC dc);
  // A bar's rectangle on the screen.
  RECT BarRect(const TveScrollBar& bar) const;
  // The sizing code of the square between the bars when it sizes the parent (a sizeable,
  // top-level window that is not maximised, the square on its client's corner), else 0.
  int CornerSizingCode() const;
  // A bar's thickness, or the length of its arrow buttons.
  int BarMetric(const TveScrollBar& bar, bool thickness) const;
  // The arrow buttons' length as painted and hit-tested: 0 when the skin hides them.
  int ButtonLength(const TveScrollBar& bar) const;
  bool BarEnabled(const TveScrollBar& bar) const;

  TveScrollBar HorzBar, VertBar;
  bool ThumbTracking = false;
  bool LeftScrollBar = false;
  bool StyleLock = false;
  int LeftEdge = 0, TopEdge = 0, RightEdge = 0, BottomEdge = 0;

 protected:
  // Lets the window go and has the platform measure its own bars again. Adapters that give
  // colours back call it from their own destructor, while their RestoreControlColors still runs.
  void LetGo();
  // Ends hovering, a held press or a thumb drag of this window: timers, capture and state.
  void StopInteraction();

 private:
  bool HandleScrollMessage(fw::TMessage& message);
  void NcCalcSize(fw::TMessage& message);
  int HitTestBars(POINT screen) const;
  int HitTestBar(const TveScrollBar& bar, POINT screen) const;
  TsBarFrame Frame() const;
  void PaintBar(const TveScrollBar& bar, HDC dc, int pressed, int thumbStart);
  void PaintCorner(HDC dc);
  void NcButtonDown(fw::TMessage& message);
  void Hover(int bar);
  void HoverTimer();
  void RepaintBar(int barType);
  void MouseMoveWhileHeld(POINT client);
  void RepeatTimer();
  void ButtonUp(bool released);
  void SendScroll(UINT msg, int code, int pos);
  TveScrollBar& Held();
  // Whether the control's scroll state moved since it was last read.
  bool ScrollStateMoved() const;

  std::array<img::Bitmap32, 2> barImages_;  // the last picture of each bar
  img::Bitmap32 cornerImage_;
};
