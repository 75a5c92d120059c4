// The adapter that gives a window the program did not make (a system dialog) the look of a
// skinned form: its frame, title band, caption, icon and title buttons are painted from the
// skin's "DIALOG" section and its title section into one window image, by the same frame
// arithmetic as a form's, with the dialog's style bits in place of a form's properties. It
// hit-tests and runs the title buttons, offers its own system menu, paints the client background
// and answers its children's questions about what lies behind them.
#pragma once

#include <windows.h>

#include <memory>

#include "skin/controls/veScrollWnd.h"
#include "skin/forms/sDialogFrame.h"
#include "skin/forms/sFrameHandler.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sWindowImage.h"

class TveProvider;
class TveSystemMenu;

class TveDialogWnd : public TveScrollWnd {
 public:
  TveDialogWnd(HWND handle, TsSkinManager* manager);
  ~TveDialogWnd() override;

  void HandleMessage(fw::TMessage& message) override;

  // Takes the current skin: sections, button images, the system menu hidden from the platform,
  // and the frame painted anew.
  void InitFrame();
  // The dialog's style and state as the frame rules read them.
  TsDialogFacts Facts() const;
  // The element under a point of the screen (a hit code).
  int HitTest(POINT screen);
  // Paints the window image again when it is out of date; false without a skin to paint.
  bool RebuildWindowImage();
  const img::Bitmap32& WindowImage() const { return *SkinData->CacheBitmap; }
  const TsFramePaint& Frame() const { return paint_; }
  const TsTitleButtonStates& ButtonStates() const { return frame_.Buttons(); }
  TPoint ClientOffsetInImage() const;
  TveSystemMenu& SystemMenu();
  // Gives the dialog its own frame, style and region back and lets go of it.
  void LetGoOfDialog();
  // The skin's frame section is there and the manager is active.
  bool FrameSkinned() const;
  void RepaintFrameNow();
  // Frees the hide cover and its picture.
  void DropHideCover();

  TveProvider* Provider = nullptr;
  // A window the program made itself: its edits and lists take the skin's colours too.
  bool OwnWindow = false;
  // The dialog's look as its hiding began, shown in a window of its own in front of it until
  // the hide animation takes that window over.
  HWND HideCover = nullptr;
  img::Bitmap32 HideSnapshot;

 private:
  // What the frame handler asks of the dialog.
  struct TFrameFacts final : TsFrameFacts {
    explicit TFrameFacts(TveDialogWnd& dialog) : d(dialog) {}
    HWND FrameWindow() const override { return d.Handle; }
    const TsFramePaint& Frame() const override { return d.paint_; }
    int HitTest(POINT screen) override { return d.HitTest(screen); }
    void RepaintElements(const std::vector<int>& codes) override { d.RepaintElements(codes); }
    void RepaintFrame(bool imageChanged) override;
    void PopupSystemMenu(int x, int y) override;
    void PassOn(fw::TMessage& message) override { d.PassOn(message); }
    bool AnswerBackground(fw::TMessage& message) override;
    LRESULT BackgroundColor() override;
    TveDialogWnd& d;
  };

  bool HandleFrameMessage(fw::TMessage& message);
  // The show and hide animations' side of the messages (sDialogAnimations.cpp).
  bool HandleAnimationMessage(fw::TMessage& message);
  bool ShowAnimationWanted() const;
  bool HideAnimationWanted() const;
  void TakeHideSnapshot();
  bool HandleSkinCommand(fw::TMessage& message);
  void RepaintElements(const std::vector<int>& codes);
  void UpdateShape();
  void PaintCaption(img::Bitmap32& image);
  void PaintIcon(img::Bitmap32& image, const TRect& rect);
  void PaintFrame(HDC dc);
  void EraseClient(HDC dc);
  void Print(fw::TMessage& message);
  void AnswerBackground(fw::TMessage& message);
  HBRUSH BackgroundBrush();
  void SkinPlatformColors(fw::TMessage& message);
  void SkinEditColors(fw::TMessage& message);
  void Invalidate();
  void GiveBack();

  bool framed_ = false;        // InitFrame ran for this skin
  bool sysMenuStyle_ = false;  // the style had the system menu; it is hidden while skinned
  bool sysMenuCleared_ = false;
  HMENU platformMenu_ = nullptr;
  bool activeLook_ = true;
  bool regionDirty_ = true;
  bool regionApplied_ = false;
  bool showPending_ = false;  // shown invisible by layering: the show animation follows
  TsFramePaint paint_;
  img::Bitmap32 buttonStrip_;
  TRect buttonStripRect_;
  TFrameFacts frameFacts_{*this};
  TsFrameHandler frame_{frameFacts_};
  std::unique_ptr<TveSystemMenu> systemMenu_;
  HBRUSH brush_ = nullptr;
  COLORREF brushColor_ = 0;
  HBRUSH editBrush_ = nullptr;
  COLORREF editBrushColor_ = 0;
};
