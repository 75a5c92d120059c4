// The base of the control adapters: one adapter skins one existing window that the engine did
// not create, a framework control or a foreign window (a system dialog's child). It puts itself
// in front of the window's message handling, answers the skin commands with its own skin state,
// and passes everything else on. Detaching gives the handling back only while the adapter is
// still in front; under somebody who came later it stays a plain pass-through for good, so a
// freed adapter never stays inside another handler's chain.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/Controls.h"
#include "framework/FrontHandler.h"
#include "platform/GdiScopes.h"
#include "platform/Dpi.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sScaledSkin.h"

// True while a system dialog's children are being adopted.
extern bool DialogSkinning;

// The window property that holds a window's adapter.
inline constexpr char kAdapterProp[] = "VESBSC";

class TveMainWnd {
 public:
  // Skins handle. skinData is the control's own skin state (kept, never freed); without one the
  // adapter makes its own. A null manager is the skin state's.
  TveMainWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
             TsCommonData* skinData);
  virtual ~TveMainWnd();
  TveMainWnd(const TveMainWnd&) = delete;
  TveMainWnd& operator=(const TveMainWnd&) = delete;

  // The adapter of a window, or null.
  static TveMainWnd* AdapterFromHandle(HWND handle);
  // The window procedure of a foreign window's attachment slot: the attached adapter's handling,
  // or the slot's pass-through to the procedure it replaced.
  static LRESULT ForeignProc(int slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

  virtual void SaveControlColors() {}
  virtual void RestoreControlColors() {}
  virtual void ApplySkinColors() { ColorsApplied = true; }
  // The adapter's window procedure: what it does not finish goes to CallPrevProc.
  virtual void HandleMessage(fw::TMessage& message);

  // Passes a message on to what was there before the adapter.
  LRESULT CallPrevProc(UINT msg, WPARAM wParam, LPARAM& lParam);
  // Answers WM_PAINT with paint(dc): into the DC the message brings, or between BeginPaint and
  // EndPaint on the window.
  template <typename Paint>
  void AnswerPaint(fw::TMessage& message, Paint paint) {
    platform::PaintScope dc(Handle, message.WParam);
    paint(dc.dc());
    message.Result = 0;
  }
  // Lets the window go: its handling back when the adapter is still in front, the property and
  // the control's colours always; repaint redraws the frame.
  void DetachFromWindow(bool repaint);
  // Window, parent and the place inside the parent, read again.
  void UpdateGeometry();
  // Sends a message to the children: the framework control's tree, or the child windows.
  void PassToChildren(fw::TMessage& message);
  // The font the control draws its text with: the framework control's, else the window's, else
  // the system's message font. Owned by its source; not to be deleted.
  HFONT ControlFont() const;
  // Caption := the window's text.
  void ReadCaption();
  // A font of the system's non-client metrics: 1 caption, 2 small caption, 3 menu, 4 status,
  // 5 message; 0 for another kind or when the metrics cannot be read. The caller deletes it.
  static HFONT CreateSystemFont(int kind);

  HWND Handle = nullptr;
  std::string Caption;
  RECT WindowRect{};
  SIZE WindowSize{};
  POINT PosInParent{};
  RECT ParentWindowRect{};
  HWND ParentWnd = nullptr;
  TsSkinManager* SkinManager = nullptr;
  // The display scale the adapter paints at, kept from the window's and followed when it
  // changes.
  int Dpi() const { return dpi_; }
  // SkinManager's skin at the adapter's display scale (the manager itself at 96 DPI).
  const TsSkinModel& Skin() const { return SkinAtDpi(*SkinManager, dpi_); }
  TsCommonData* SkinData = nullptr;
  bool DialogChild = false;
  bool SelfScrolling = false;
  bool ColorsApplied = false;
  bool Destroyed = false;
  bool OwnsSkinData = false;

 protected:
  // Phase 1: what every adapter does with every message; true when the message is finished.
  bool HandleCommon(fw::TMessage& message);
  // Phase 2: the skin commands, everything else passed on.
  void HandleSkinCommands(fw::TMessage& message);
  bool Skinned() const;
  // The control that owns the skin state when it is a windowed control on this window.
  fw::TWinControl* OwnerControl() const;
  // CallPrevProc with the message, its answer in the message.
  void PassOn(fw::TMessage& message);
  // The window's scale changed: what the adapter made at the old one is made again.
  virtual void ScaleChanged() {}

 private:
  void AttachToWindow();
  // The scale the window is at now: its framework control's, else the system's for the window.
  int CurrentDpi() const;
  // Takes the window's scale when it changed; repaint redraws the window with its frame.
  void FollowScale(bool repaint);

  // In front of a framework control's WindowProc: the adapter while attached, a pass-through
  // after.
  fw::TFrontHandler front_;
  // A foreign window's procedure goes to the adapter while this holds.
  bool attached_ = false;
  WNDPROC prevWndProc_ = nullptr;
  int slot_ = -1;  // the foreign window's attachment slot, -1 when none is held
  std::unique_ptr<TsCommonData> ownSkinData_;
  bool styleSwitchedOff_ = false;  // the platform's visual style is off for the window
  fw::TWinControl* control_ = nullptr;
  int dpi_ = platform::kDesignDpi;
};
