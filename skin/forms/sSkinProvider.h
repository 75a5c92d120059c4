// The skin provider: the component a form carries to get a skinned window. It puts itself in
// front of the form's WindowProc, paints the whole frame (borders, title band, caption, title
// buttons and menu bar) from the skin into the form's window image and copies it to the screen,
// shapes the window by the skin's transparent corners, answers hit tests for its title elements,
// runs the title buttons, offers its own system menu (with the skin choice) and paints the client
// background. Children ask it for what lies behind them through the skin command message.
//
// What it does not handle goes on to the WindowProc that was there before it.
#pragma once

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "framework/Forms.h"
#include "framework/FrontHandler.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "imaging/Bitmap32.h"
#include "platform/Dpi.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sBorderForm.h"
#include "skin/forms/sFrameHandler.h"
#include "skin/forms/sMinAnimation.h"
#include "skin/forms/sMoveAnimation.h"
#include "skin/forms/sOutlineDrag.h"
#include "skin/forms/sTitleAnimation.h"
#include "skin/forms/sTitleBar.h"
#include "skin/forms/sTitleButtons.h"
#include "skin/forms/sTitleHint.h"
#include "skin/forms/sUserTitleButtons.h"
#include "skin/forms/sWindowImage.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sScaledSkin.h"
#include "skin/render/sTextCompose.h"

class TsSystemMenu;
class TveCtrlAdapter;

enum class TsGripMode { gmNone, gmRightBottom };

// The picture at the left of the title.
struct TsTitleIcon {
  img::Bitmap32 Glyph;        // replaces the form's icon; fuchsia is transparent in an opaque glyph
  int Height = 0, Width = 0;  // 0: from the caption height
  bool Visible = true;
};

// Extra text painted after the caption.
struct TveAddedTitle {
  fw::TFont Font;
  std::string Text;
  bool ShowMainCaption = true;
};

// Where the merged sub-menu goes in the system menu.
enum class TveMenuItemPos { ipTop, ipBottom, ipBeforeClose };
// A popup menu of the application merged into the system menu under a caption.
struct TveSysSubMenu {
  std::string Caption;
  fw::TPopupMenu* PopupMenu = nullptr;
  TveMenuItemPos Position = TveMenuItemPos::ipBeforeClose;
};

// What an animation of the form finished, for OnAfterAnimation.
enum class TveAnimEvent { aeShowing, aeHiding };

class TsSkinProvider : public fw::TComponent {
 public:
  // owner must be a form; throws std::runtime_error otherwise.
  explicit TsSkinProvider(fw::TComponent* owner);
  ~TsSkinProvider() override;
  std::string ClassName() const override { return "TsSkinProvider"; }

  TveAddedTitle AddedTitle;
  bool AllowAnimation = true;
  bool AllowExtBorders = true;
  bool AllowBlendOnMoving = true;
  TsCaptionAlign CaptionAlignment = TsCaptionAlign::Left;
  bool DrawClientArea = true;
  TsGripMode GripMode = TsGripMode::gmNone;
  // rmBorder moves and sizes the form by an outline (not under desktop composition).
  TsResizeMode ResizeMode = TsResizeMode::rmStandard;
  bool MakeSkinMenu = false;
  std::string MenuLineSkin;
  bool ScreenSnap = false;
  int SnapBuffer = 10;
  bool ShowAppIcon = true;
  TveSysSubMenu SysSubMenu;
  // The application's own title buttons, left of the caption buttons.
  TsTitleButtons TitleButtons;
  TsTitleIcon TitleIcon;
  // Asked first on every hit test with the message and a result of 0; a result it sets to
  // non-zero is the answer.
  std::function<void(fw::TMessage& message, LRESULT& result)> OnExtHitTest;
  std::string TitleSkin;
  bool UseGlobalColor = true;
  // Called after a skin was chosen from the skin sub-menu of the system menu, with its name.
  std::function<void(const std::string& skinName)> OnSkinSelected;
  // Asked for every control about to be adopted: clearing canBeAdded keeps the control as the
  // platform draws it, and a section names what it is drawn with.
  std::function<void(fw::TControl* item, bool& canBeAdded, std::string& skinSection)> OnSkinItem;

  // The provider's skin state; its cache is the window image.
  TsCommonData& SkinData() { return *skinData_; }
  TsSkinManager* SkinManager() const;
  void SetSkinManager(TsSkinManager* manager);
  // The manager's skin at the window's display scale as last measured (the manager itself at
  // 96 DPI), and what the border window shows around the form there.
  const TsSkinModel& Skin() const { return SkinAtDpi(*SkinManager(), dpi_); }
  const TsBorderShadows& Shadows() const { return BorderShadowsAtDpi(*SkinManager(), dpi_); }
  bool DrawNonClientArea() const { return drawNonClient_; }
  void SetDrawNonClientArea(bool value);

  fw::TForm* Form() const { return form_; }
  // Another provider already serves the form: this one skins nothing.
  bool Empty() const { return empty_; }
  // The skin is active and the form's section is in it.
  bool Skinned() const;
  // Applies the current skin to the form.
  void InitSkin();
  // Paints the window image again (when dirty); false when it could not be painted.
  bool RebuildWindowImage();
  // Copies the frame from the window image to a device context of the whole window.
  void PaintFrame(HDC dc);
  // Sets the window's region from the skin's transparent corners.
  void ApplyRegion(bool redraw);
  // The element under a point of the screen.
  int HitTest(POINT screen);
  // Opens the provider's own system menu at a point of the screen.
  void ShowSystemMenu(int x, int y);
  // Owned by the provider (a component of it).
  TsSystemMenu* SystemMenu() const { return systemMenu_; }
  // The adopted controls, null while the skin is not applied.
  TveCtrlAdapter* Adapter() const { return adapter_.get(); }
  // Adopts what is inside container (the form when null) that is not adopted yet.
  void AdoptControls(fw::TWinControl* container = nullptr);
  const img::Bitmap32& WindowImage() const { return *skinData_->CacheBitmap; }
  const TsTitleLayout& Layout() const { return paint_.Layout; }
  const TsTitleButtonStates& ButtonStates() const { return frame_.Buttons(); }
  // Where the client area starts in the window image.
  TPoint ClientOffsetInImage() const;

  // Marks the window image for painting again; with repaint the frame is painted at once.
  void InvalidateFrame(bool repaint);
  // The title bar whose items go into the title (owned by the form), or null.
  TsTitleBar* TitleBar() const { return titleBar_; }
  void SetTitleBar(TsTitleBar* bar);

  // Starts or redirects the fade of the title button code towards state (0 normal, 1 hot,
  // 2 pressed) in steps of 12 ms; backward fades the new look out.
  void AnimateTitleButton(int code, int state, int steps, bool backward);
  // Ends every title-button and title-item fade and shows their looks in the frame at once.
  void StopTitleAnimations();
  // Minimises the form with its picture flying to the taskbar, when the manager's Minimizing
  // effect is active (otherwise nothing happens). Returns once the form is minimised.
  void StartMinimizeAnimation();
  // Flies the picture kept by the last animated minimise back to the form's place and restores
  // the form; false, with nothing done, when there is no such picture or no effect.
  bool StartRestoreAnimation();
  // Restores and repaints the form without an animation.
  void ShowFormDirectly();
  // Moves the form by the platform's move loop from a caption press at where (screen
  // coordinates), translucent while it moves; returns once it is let go, opaque again.
  void StartBlendMoving(LPARAM where);
  void EndBlendMoving();
  // A caption press turns the form translucent while it moves: the manager's BlendOnMoving
  // effect is active with a blend value below 255, the form allows it and is top-level.
  bool BlendOnMovingAllowed() const;
  // The border window, while the form has one: the skin manager's ExtendedBorders on a bordered
  // top-level form that draws its frame and allows it.
  // The border window's alpha: the form's while it moves translucent, else the form's own
  // translucency, so frame, shadow and client look alike.
  uint8_t BorderAlpha() const;
  TveBorderForm* BorderForm() const { return border_.get(); }
  // Makes or frees the border window as the settings now ask.
  void UpdateBorderForm();
  // Minimising without animation: the layered window goes, and comes back with a new picture.
  void HideBorderWindow();
  void ShowBorderWindowAgain();

  // The window animations. Bits of FormStateFlags:
  static constexpr unsigned kHideSnapshotTaken = 0x200;  // the hide's picture and cover are ready
  static constexpr unsigned kFrozenForChange = 0x10000;  // held still for a skin change
  unsigned FormStateFlags = 0;
  // An animation shows the form: the provider paints no frame on the screen meanwhile.
  bool InAnimation = false;
  // The manager runs its own animation for this change: the provider's show and hide do not.
  bool SkipAnimation = false;
  // Called when a show animation has finished and when a hide animation's window has gone.
  std::function<void(TsSkinProvider& sender, TveAnimEvent event)> OnAfterAnimation;
  // The form's look as its hiding began, shown by HideCover until the hide animation takes it.
  img::Bitmap32 HideSnapshot;
  HWND HideCover = nullptr;
  // Frees the hide cover and snapshot when no hide animation took them.
  void DropHideCover();

 protected:
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  friend class TveBorderForm;

  // What the frame handler asks of the provider (sProviderFrame.cpp).
  struct TFrameFacts final : TsFrameFacts {
    explicit TFrameFacts(TsSkinProvider& provider) : p(provider) {}
    HWND FrameWindow() const override;
    const TsFramePaint& Frame() const override { return p.paint_; }
    TPoint ImageOrigin() const override { return p.imageOrigin_; }
    int HitTest(POINT screen) override { return p.HitTest(screen); }
    void RepaintElements(const std::vector<int>& codes) override { p.RepaintElements(codes); }
    void RepaintFrame(bool imageChanged) override;
    void PopupSystemMenu(int x, int y) override;
    void PassOn(fw::TMessage& message) override { p.CallSaved(message); }
    bool AnswerBackground(fw::TMessage& message) override;
    LRESULT BackgroundColor() override;
    LRESULT ApplicationHitTest(fw::TMessage& message) override;
    void ShowHint(int code) override { p.UpdateUserHint(code); }
    void TitleItemDown(int code) override { p.TitleItemDown(code); }
    void TitleItemUp(int code) override { p.TitleItemMouse(code, false); }
    void UserButtonMouse(int code, bool down) override { p.RaiseUserMouse(code, down); }
    bool MouseLeaveWatched() const override { return p.border_ != nullptr; }
    TsSkinProvider& p;
  };

  // Window messages (sProviderMessages.cpp): the dispatcher and the skin commands.
  void WndProc(fw::TMessage& message);
  bool TakeSkin(fw::TMessage& message);
  void WatchChildren(const fw::TMessage& message);
  void AdoptAfterCreation();
  void StopFadesOfTheOldPlace(const fw::TMessage& message);
  // Passes the message on to the form's saved WindowProc; false when that freed the provider
  // (the form closed and released it): nothing of the provider may be touched then.
  bool CallSaved(fw::TMessage& message);
  // The frame's messages (sProviderFrame.cpp): painting, activation, and the frame handler.
  bool HandleFrameMessage(fw::TMessage& message);
  void NcActivate(fw::TMessage& message);
  void DragFrame(fw::TMessage& message);
  // The form's state (sProviderState.cpp): caption, system commands, size, place, background.
  bool HandleStateMessage(fw::TMessage& message);
  bool HandleSystemCommand(fw::TMessage& message);
  void SnapToWorkArea(WINDOWPOS& pos);
  // Outline moving and sizing (sProviderOutline.cpp).
  bool OutlineDragging() const;
  void StartOutlineDrag(int code, LPARAM where);
  void TrackOutline(POINT screen);
  void EndOutlineDrag(bool apply);
  bool HandleOutline(fw::TMessage& message);
  // Show and hide animations (sProviderAnimation.cpp).
  bool HandleAnimationMessage(fw::TMessage& message);
  bool ShowAnimationWanted() const;
  bool HideAnimationWanted() const;
  void TakeHideSnapshot();
  // The window's life (sProviderWindow.cpp).
  bool HandleWindowMessage(fw::TMessage& message);
  void FitMaximized(MINMAXINFO& info);
  bool PrintWindow(HDC dc, LPARAM flags);
  void ForwardWheel(const fw::TMessage& message);
  void TakeNewWindow();
  bool HandleSkinCommand(fw::TMessage& message);
  void SkinRemoved();
  void SetSystemMenuStyle(bool draw);
  void UpdateShape();
  void PrepareInputs();
  void PaintCaption(img::Bitmap32& image);
  // False when the form's own painting freed the provider.
  bool PaintFormIntoImage(img::Bitmap32& image);
  void PaintIcon(img::Bitmap32& image, const TRect& rect);
  void PaintMenuItems(img::Bitmap32& image, const TRect& band);
  // The menu bar's items: one painted into target (plain or hot), measured and drawn for the
  // platform while a menu is tracked, and the owner drawing that routes them here.
  void PaintBarItem(img::Bitmap32& target, const TRect& rect, const std::string& caption,
                    bool enabled, bool hot);
  void MeasureBarItem(fw::TMenuItem* item, int& width, int& height);
  void DrawBarItem(fw::TMenuItem* item, HDC dc, const RECT& rect, UINT state);
  void HookMenuBar(bool on);
  // The drop-down entries below a menu-bar item, for the menu painter.
  void HookDropDown(fw::TMenuItem* parent, bool on);
  // The form's pop-up menus, for the menu painter.
  void HookPopupMenus(bool on);
  void RepaintElements(const std::vector<int>& codes);
  // One title element painted into the window image in its look (normal while it fades) and
  // copied to the screen.
  void PaintElementNow(int code);
  // Title-button fades (sProviderTitleAnimation.cpp): allowed for top-level forms while the manager
  // lets things glow; the picture of a button's look with its glow around it.
  bool TitleAnimationsAllowed() const;
  TveSBAnimation::TFrame ComposeTitleButton(int code, int state);
  // The running fade of the element code, made for place when there is none.
  TveSBAnimation& TitleAnimation(int code, const TRect& place, TveSBAnimation::TComposer compose);
  // A title item's hover fades like a title button's; pressed, down or with its menu open it
  // shows its look at once. hoverChanged: the mouse came or went.
  void AnimateTitleItem(const TveTitleBarItem& item, int code, bool hoverChanged);
  // The item's area of the window image painted anew with the item in the look state.
  TveSBAnimation::TFrame ComposeTitleItem(int code, int state);
  bool MinimizeAnimationAllowed() const;
  bool MinimizeCommand(WPARAM command);
  TsTitleButtonData* Element(int code);
  // The visible user button behind a hit code, or null; and its mouse event and hint.
  TsTitleButton* UserButton(int code) const;
  // Where the window image's corner lies on the screen (left of and above the form by the skin's
  // frame when a border window shows it).
  TPoint ImageOnScreen() const;
  // Where the mouse is in the window image, and the keys held (ssLeft with the modifiers).
  TPoint MouseEventArgs(unsigned& shift) const;
  void RaiseUserMouse(int code, bool down);
  void UpdateUserHint(int code);
  // The title bar's items (sProviderTitleBar.cpp): their sections and places at each layout,
  // their painting, and the mouse on them.
  void ArrangeTitleItems();
  TsFramePaintHooks FramePaintHooks();
  void PaintTitleItems(img::Bitmap32& image);
  TveTitleBarItem* TitleItem(int code) const;
  // The item takes its state from the title elements' states; true when its hover changed.
  bool SyncTitleItem(TveTitleBarItem& item, int code);
  void TitleItemDown(int code);
  void TitleItemMouse(int code, bool down);
  void AnswerBackground(fw::TMessage& message);
  void EraseClient(HDC dc);
  // Paints the frame on the screen now, when the window is visible.
  void RepaintFrameNow();

  fw::TForm* form_;
  // In front of the form's WindowProc: the provider while it lives, a pass-through after.
  fw::TFrontHandler front_;
  bool empty_ = false;
  bool drawNonClient_ = true;
  bool activeLook_ = true;
  bool regionDirty_ = true;
  bool regionApplied_ = false;
  bool systemMenuStyleCleared_ = false;
  std::unique_ptr<TsCommonData> skinData_;
  // The frame arithmetic works on the skinned window: the form itself, or with a border window
  // the larger window the skin's frame makes, whose corner lies imageOrigin_ left of and above
  // the form's.
  TsFramePaint paint_;
  int dpi_ = platform::kDesignDpi;  // the window's display scale when it was last measured
  TsFormShape formShape_;
  TsBorderFrame borderFrame_;
  TPoint imageOrigin_;
  // Counts the window image's paintings, so the border window knows when to compose again.
  unsigned imageGeneration_ = 0;
  std::unique_ptr<TveBorderForm> border_;
  img::Bitmap32 buttonStrip_;
  TRect buttonStripRect_;
  TFrameFacts frameFacts_{*this};
  TsFrameHandler frame_{frameFacts_};
  TsSystemMenu* systemMenu_ = nullptr;
  std::unique_ptr<TveCtrlAdapter> adapter_;
  bool adoptPosted_ = false;  // an adoption walk waits in the form's queue
  std::vector<TsTitleButton*> shownUserButtons_;
  TsTitleHint userHint_;
  struct TsOutline {
    int Code = 0;  // the element dragged; 0 while no outline runs
    POINT Start{};
    TRect StartRect;
    RECT Shown{};
    TPoint MinSize;
  } outline_;
  // The caption's glow for the inactive and the active look, blurred once while caption, size
  // and skin stay.
  std::array<TsGlowImage, 2> captionGlows_;
  int hintCode_ = 0;
  TsTitleBar* titleBar_ = nullptr;
  std::map<int, std::unique_ptr<TveSBAnimation>> titleAnimations_;
  // The title item whose look a fade's picture is being painted in (code 0: none).
  struct {
    int Code = 0;
    int State = 0;
  } composingItem_;
  // The form's look and place when it was minimised with the flight, for the flight back.
  img::Bitmap32 minimizedImage_;
  RECT normalRect_{};
  // The flight that runs now (it lives in the call that runs it).
  TveMinTimer* flight_ = nullptr;
  // Translucent moving runs (only one at a time); the form was layered before it began.
  std::unique_ptr<TveMoveTimer> moveTimer_;
  bool blendMoving_ = false;
  bool layeredBeforeMoving_ = false;
  fw::TLifetime life_;
};

// The provider that serves a form, or null.
TsSkinProvider* ProviderOf(fw::TForm* form);
