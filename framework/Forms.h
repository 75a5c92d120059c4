// Forms: top-level windows with a border style, title-bar buttons, a start position, a client
// size, a window state, translucency, a main menu, creation, close and paint events, and modal
// showing with a modal result.
#pragma once

#include <functional>
#include <memory>

#include "framework/Controls.h"
#include "framework/Menus.h"

namespace fw {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class TPosition { poDesigned, poDesktopCenter, poScreenCenter, poOwnerFormCenter };
enum class TCloseAction { caNone, caHide, caFree };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = IDOK;
inline constexpr TModalResult mrCancel = IDCANCEL;

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  std::string ClassName() const override { return "TForm"; }

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style) { borderStyle_ = style; }
  unsigned BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(unsigned icons) { borderIcons_ = icons; }
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  // The size of the client area; the window grows by its frame, title bar and menu bar. Once
  // the window exists it is sized from its real client area, so the size holds whatever frame
  // a handler in front of the window procedure gives it.
  void SetClientSize(int width, int height);
  int ClientWidth() override;
  int ClientHeight() override;
  // A band of the form's colour inside the frame; the client area shrinks by it on every side.
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int width);

  // Minimised, maximised or normal; applied when the form is shown.
  TWindowState WindowState();
  void SetWindowState(TWindowState state);
  // Translucency of the whole window (AlphaBlendValue 0 clear .. 255 opaque) while AlphaBlend.
  bool AlphaBlend() const { return alphaBlend_; }
  void SetAlphaBlend(bool alphaBlend);
  BYTE AlphaBlendValue() const { return alphaBlendValue_; }
  void SetAlphaBlendValue(BYTE value);

  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  // Clicks the main-menu item with that shortcut; false when there is none.
  bool IsShortCut(TShortCut shortCut);

  void Show();
  void Hide() { SetVisible(false); }
  // Runs the close event and acts on its answer (hide, release, or nothing). Closing a modal
  // form ends its modal loop; closing the application's main form ends the program.
  void Close();
  // Shows the form above the active window, which owns it and stays disabled until the form
  // closes.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }
  // Releases the form once the message being handled is finished.
  void Release();
  // While the form takes a new scale on WM_DPICHANGED: its window is sized and its children are
  // placed without painting, and the whole form is repainted once at the end.
  bool ScaleChanging() const { return scaleChanging_; }

  // Raises OnCreate; derived forms call it at the end of their constructor, once every
  // control exists. An exception goes to the standard error box and ends the handler only.
  void DoCreate();
  // Runs OnPaint on dc, with Canvas drawing on it. The form's own WM_PAINT does this after the
  // background is filled; a painter that composes the form elsewhere calls it with its own dc.
  void DoPaint(HDC dc);
  // The canvas OnPaint draws on; it exists only while OnPaint runs.
  TCanvas& Canvas();

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;
  TNotifyEvent OnPaint;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  // A top-level window keeps its place; its client size, border band, font and children scale.
  void ScaleLengths(int fromDpi, int toDpi) override;
  bool OwnPaint() const override { return true; }
  void PaintWindow(HDC dc, UINT msg) override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  void PlaceWindow();
  // Sizes the window so that its client is the form's client size; with quietFlags, through
  // SetWindowPos with those flags and without moving it.
  void FitClient(UINT quietFlags = 0);
  void ClickDefaultButton();
  bool HandleMenuMessage(TMessage& message);
  void ApplyAlphaBlend();
  void PaintBorderBand();
  // The monitor's scale changed under the window: it takes its lengths to the new scale and the
  // rectangle the system suggests for it.
  void DpiChanged(int dpi, const RECT& suggested);

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = TPosition::poDesigned;
  int clientWidth_ = 0, clientHeight_ = 0;
  int borderWidth_ = 0;
  platform::ScaledLength scaledClientWidth_, scaledClientHeight_, scaledBorderWidth_;
  TWindowState windowState_ = TWindowState::wsNormal;
  bool alphaBlend_ = false;
  BYTE alphaBlendValue_ = 255;
  TCanvas* canvas_ = nullptr;  // while OnPaint runs
  TMainMenu* menu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool inModal_ = false;
  bool placed_ = false;
  bool scaleChanging_ = false;
  HWND ownerWnd_ = nullptr;
};

}  // namespace fw
