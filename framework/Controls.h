// Controls: the common base of everything placed on a form, windowed controls over platform
// windows, and windowless (graphic) controls that their parent paints.
//
// Message flow. Every control has a replaceable WindowProc; it starts out as the control's own
// WndProc, which finishes in DefaultHandler. A windowed control routes its window procedure into
// WindowProc, and its DefaultHandler calls the window procedure that was there before it (the
// platform class's, or DefWindowProc for the framework's own windows). So two chains can be
// extended from outside: the window procedure (by subclassing the window) and WindowProc (by
// saving it and putting another handler in front). Perform delivers straight to WindowProc;
// SendMessage goes through the platform and so through the whole window procedure chain first.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "framework/Classes.h"
#include "framework/Graphics.h"
#include "framework/Lifetime.h"
#include "framework/Messages.h"
#include "platform/Dpi.h"

namespace fw {

class TWinControl;
class TPopupMenu;

enum TControlStyleFlag : unsigned {
  csOpaque = 0x01,        // paints its whole rectangle; what lies behind need not be drawn
  csDoubleClicks = 0x02,  // double clicks reach the control as such
  csClickEvents = 0x04,
  csSetCaption = 0x08,
  csNoDesignVisible = 0x10,
};

enum TControlStateFlag : unsigned {
  csLButtonDown = 0x01,
  csCreating = 0x02,  // its window is being created
  csReadingState = 0x04,
  csPaintCopy = 0x08,
};

enum class TAlign { alNone, alTop, alBottom, alClient };

enum class TCursor { crDefault, crArrow, crHandPoint, crHourGlass };
HCURSOR CursorHandle(TCursor cursor);

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;

  std::string ClassName() const override { return "TControl"; }

  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  virtual bool IsWindowed() const { return false; }

  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT BoundsRect() const { return {left_, top_, left_ + width_, top_ + height_}; }
  virtual void SetBounds(int left, int top, int width, int height);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  bool Visible() const { return visible_; }
  // Sends CM_VISIBLECHANGED, then CM_SHOWINGCHANGED where Showing changed.
  void SetVisible(bool visible);
  // Visible, and so are all its parents.
  bool Showing() const;
  bool Enabled() const { return enabled_; }
  // Sends CM_ENABLEDCHANGED after the change.
  void SetEnabled(bool enabled);
  // The mouse is over the control (between its CM_MOUSEENTER and CM_MOUSELEAVE).
  bool MouseInControl() const { return mouseInControl_; }

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFont& Font() { return font_; }
  const TFont& Font() const { return font_; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor) { cursor_ = cursor; }
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool show) { showHint_ = show; }
  TPopupMenu* PopupMenu() const { return popupMenu_; }
  void SetPopupMenu(TPopupMenu* menu) { popupMenu_ = menu; }

  // The display scale the control's lengths (bounds, font, its own sizes) are at: 96 DPI as
  // designed, until the form is drawn at another scale.
  int Dpi() const { return dpi_; }
  // Brings the control's lengths, and its children's, to `dpi`. A control placed on a parent
  // at another scale is brought to the parent's.
  void ChangeScale(int dpi);

  unsigned ControlStyle() const { return controlStyle_; }
  void SetControlStyle(unsigned style) { controlStyle_ = style; }
  unsigned ControlState() const { return controlState_; }
  void SetControlState(unsigned state) { controlState_ = state; }

  // The replaceable message handler (see the file comment). Handlers put in front of it keep
  // the previous value and call it for what they do not finish.
  TWndMethod WindowProc;
  // Hands a message to WindowProc directly and returns its Result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  // Marks the control's area for repainting.
  virtual void Invalidate();
  virtual void Click();

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;

 protected:
  // The control's own handling; ends in DefaultHandler for what it does not answer.
  virtual void WndProc(TMessage& message);
  virtual void DefaultHandler(TMessage& message);
  // Called after the caption, the font, the visibility or the enabled state changed, before the
  // matching CM_ notification is sent.
  virtual void TextChanged() {}
  virtual void FontChanged() {}
  virtual void ColorChanged() { Invalidate(); }
  virtual void VisibleChanged();
  virtual void EnabledChanged() { Invalidate(); }
  // Scales what the control keeps in pixels from one scale to another: by default its bounds
  // and its font.
  virtual void ScaleLengths(int fromDpi, int toDpi);
  void ScaleFont(int fromDpi, int toDpi);
  // Sends CM_SHOWINGCHANGED when Showing differs from what was last reported.
  virtual void UpdateShowing();
  // The rectangle the control covers, in its parent's client coordinates.
  void InvalidateInParent(const RECT& rect) const;
  // Hover bookkeeping; each sends its CM_ notification with the control as lParam.
  void MouseEntered();
  void MouseLeft();

 private:
  friend class TWinControl;
  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  TAlign align_ = TAlign::alNone;
  bool visible_ = true;
  bool showing_ = true;
  bool enabled_ = true;
  bool mouseInControl_ = false;
  TColor color_ = clBtnFace;
  TFont font_;
  std::string caption_;
  TCursor cursor_ = TCursor::crDefault;
  std::string hint_;
  bool showHint_ = false;
  TPopupMenu* popupMenu_ = nullptr;
  int dpi_ = platform::kDesignDpi;
  std::array<platform::ScaledLength, 4> scaledBounds_;
  platform::ScaledLength scaledFont_;
  unsigned controlStyle_ = csClickEvents | csSetCaption;
  unsigned controlState_ = 0;
};

// What a windowed control asks of the platform when its window is made.
struct TCreateParams {
  std::string WinClassName;  // a platform class to subclass, or the framework's own class name
  bool OwnClass = false;     // register WinClassName as a framework window class
  DWORD Style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  HMENU Menu = nullptr;  // the main menu of a top-level window
};

class TWinControl : public TControl {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  std::string ClassName() const override { return "TWinControl"; }
  bool IsWindowed() const override { return true; }

  // The window, made (with its parents' windows) on first use.
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // The platform's synchronous send to this control's window (through the subclass chain).
  LRESULT SendMessage(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_[index]; }
  // The windowless child at a client point, or null.
  TControl* GraphicControlAt(POINT point) const;

  void SetBounds(int left, int top, int width, int height) override;
  void Invalidate() override;
  // The client area of the window, or the control's size while it has none.
  virtual int ClientWidth();
  virtual int ClientHeight();
  bool Focused();
  void SetFocus();

  // Delivers a message to every child control through its WindowProc, until one answers with a
  // non-zero Result.
  void Broadcast(TMessage& message);
  // Paints the control with its non-client parts and every child (windowed or not) into dc,
  // with the control's top-left corner at (x, y). Each window paints through its own message
  // chain (WM_PRINT, WM_ERASEBKGND, WM_PRINTCLIENT), so subclasses paint as they do on screen.
  void PaintTo(HDC dc, int x, int y);
  // Destroys the window and makes it again with the current creation parameters; asks through
  // CM_RECREATEWND first, so a handler in front can let go of the old window.
  void RecreateWnd();

  // The control whose window this is, or null for windows the framework did not make.
  static TWinControl* FromHandle(HWND wnd);

 protected:
  // Tells, after a call that may release the control (a menu's click, the framework's handling
  // of a message), whether it still lives.
  TLifeToken LifeToken() const { return life_.Token(); }
  virtual void CreateParams(TCreateParams& params);
  // Called once the window exists and is attached, to hand it the state kept so far.
  virtual void CreateWnd();
  // Called just before the window is destroyed.
  virtual void DestroyWnd() {}
  void DestroyHandle();
  void WndProc(TMessage& message) override;
  void DefaultHandler(TMessage& message) override;
  void TextChanged() override;
  void FontChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void UpdateShowing() override;
  // The children first, so that aligning this control's new size places them at their new sizes.
  void ScaleLengths(int fromDpi, int toDpi) override;
  void ScaleChildren(int toDpi);
  // Places the aligned children in the client area.
  void AlignControls();
  // Whether painting goes through PaintWindow and PaintControls rather than straight to the
  // platform class: when there are windowless children to draw over it.
  virtual bool OwnPaint() const;
  // The control's own picture in dc (msg is WM_PAINT or WM_PRINTCLIENT); by default the
  // platform class paints.
  virtual void PaintWindow(HDC dc, UINT msg);
  // Paints the windowless children into a device context of this window.
  void PaintControls(HDC dc);

 private:
  friend class TControl;
  static LRESULT CALLBACK InitWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK StdWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Dispatch(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  void CreateHandle();
  void Attach(HWND wnd, WNDPROC previous);
  void Detach();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  bool HandleMouseForGraphic(TMessage& message);
  bool HandleSetCursor(TMessage& message);
  void TrackMouse(POINT point);
  void MouseLeftWindow();
  // The child a notification sent to this window concerns, or null.
  TWinControl* ReflectTarget(const TMessage& message) const;
  void PaintHandler(TMessage& message);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = nullptr;
  std::vector<TControl*> controls_;
  TControl* hoverGraphic_ = nullptr;  // the windowless child under the mouse
  // The window procedures running for this control test it after a handler returns: the handler
  // may have released the control.
  TLifetime life_;
};

// A windowless control: it has no window of its own and is painted by its parent, which also
// hands it the mouse messages that fall on it.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner) : TControl(owner) {}
  std::string ClassName() const override { return "TGraphicControl"; }

 protected:
  // Paints on WM_PAINT, WM_PRINT and WM_PRINTCLIENT (wParam is the device context).
  void WndProc(TMessage& message) override;
  // Draws the control at (0, 0) of the canvas.
  virtual void Paint(TCanvas& canvas) = 0;
};

}  // namespace fw
