// Forms: top-level windows with a border style, title-bar buttons, a start position, a client
// size, a main menu, creation and close events, and modal showing with a modal result.
#pragma once

#include <functional>

#include "framework/Controls.h"
#include "framework/Menus.h"

namespace fw {

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog };
enum TBorderIcon : unsigned { biSystemMenu = 1, biMinimize = 2, biMaximize = 4 };
enum class TPosition { poDesigned, poDesktopCenter, poScreenCenter, poOwnerFormCenter };
enum class TCloseAction { caNone, caHide, caFree };

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
  // The size of the client area; the window grows by its frame, title bar and menu bar.
  void SetClientSize(int width, int height);

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

  // Raises OnCreate; derived forms call it at the end of their constructor, once every
  // control exists. An exception goes to the standard error box and ends the handler only.
  void DoCreate();

  TNotifyEvent OnCreate;
  TCloseEvent OnClose;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void PlaceWindow();
  void ClickDefaultButton();

  TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
  unsigned borderIcons_ = biSystemMenu | biMinimize | biMaximize;
  TPosition position_ = TPosition::poDesigned;
  int clientWidth_ = 0, clientHeight_ = 0;
  TMainMenu* menu_ = nullptr;
  TModalResult modalResult_ = mrNone;
  bool inModal_ = false;
  bool placed_ = false;
  HWND ownerWnd_ = nullptr;
};

}  // namespace fw
