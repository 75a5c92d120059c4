// A push button painted from the skin. It keeps everything the framework's button does (click,
// default button, access keys, the split button's drop-down menu) and draws itself from its skin
// section into a cached picture: the element in the state the button is in, the picture from its
// image list (blended with its alpha when that is an alpha image list), the caption in the
// section's colours, and on a split button the separator and the arrow. Without an active skin
// the platform draws the button face and the button adds picture and caption.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "framework/StdCtrls.h"
#include "skin/controls/sButtonLayout.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sFadeTimer.h"

inline constexpr int32_t kButtonKind = 93;

// The looks of a skinned button, in the order of its section's states: a section of four states
// has one of its own for the form's default button.
enum class TsButtonState { Normal, Hot, Pressed, Default };
// The pictures of a button's image list, by what the button shows: the selected one while it is
// focused or the form's default button.
enum class TsButtonImage { Normal, Hot, Pressed, Selected, Disabled };

class TsButton : public fw::TButton {
 public:
  explicit TsButton(fw::TComponent* owner);
  ~TsButton() override;
  std::string ClassName() const override { return "TsButton"; }

  TsCtrlSkinData& SkinData() { return *skinData_; }

  // Pictures for the other states; an index outside the list falls back to ImageIndex.
  int HotImageIndex() const { return hotImageIndex_; }
  void SetHotImageIndex(int value) { SetImageProperty(hotImageIndex_, value); }
  int PressedImageIndex() const { return pressedImageIndex_; }
  void SetPressedImageIndex(int value) { SetImageProperty(pressedImageIndex_, value); }
  int SelectedImageIndex() const { return selectedImageIndex_; }
  void SetSelectedImageIndex(int value) { SetImageProperty(selectedImageIndex_, value); }
  int DisabledImageIndex() const { return disabledImageIndex_; }
  void SetDisabledImageIndex(int value) { SetImageProperty(disabledImageIndex_, value); }
  TImageAlignment ImageAlignment() const { return imageAlignment_; }
  void SetImageAlignment(TImageAlignment value);
  const TImageMargins& ImageMargins() const { return imageMargins_; }
  void SetImageMargins(const TImageMargins& value) { SetProperty(imageMargins_, value); }
  int ContentMargin() const { return contentMargin_; }
  void SetContentMargin(int value) { SetProperty(contentMargin_, value); }
  bool ShowFocus() const { return showFocus_; }
  void SetShowFocus(bool value) { SetProperty(showFocus_, value); }
  int FocusMargin() const { return focusMargin_; }
  void SetFocusMargin(int value) { SetProperty(focusMargin_, value); }
  // kDisabledFade, kDisabledGrey or both.
  int DisabledKind() const { return disabledKind_; }
  void SetDisabledKind(int value) { SetProperty(disabledKind_, value); }
  // Shown pressed for good.
  bool Down() const { return down_; }
  void SetDown(bool value);
  // Alpha image list pictures get a fading mirror image below them.
  bool Reflected() const { return reflected_; }
  void SetReflected(bool value) { SetProperty(reflected_, value); }
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value) { SetProperty(wordWrap_, value); }

  // The state changes that fade (aeMouseEnter... bits; aeGlobalDef: as the manager's button
  // effects say).
  unsigned AnimatEvents() const { return animatEvents_; }
  void SetAnimatEvents(unsigned value) { animatEvents_ = value; }

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

  // The look the button shows now.
  TsButtonState CurrentState();
  int CurrentImageIndex();
  bool HasImage() const;
  SIZE ImageSize(bool withMargins) const;
  SIZE CaptionSize();
  TRect CaptionRect();
  TRect ImageRect();
  // Paints the button into its skin state's cache; false when the parent's background is not
  // ready yet (the button then waits) or there is no picture to paint into.
  bool RenderCache();
  // Shows the cache on dc (the window's own, when null, inside BeginPaint and EndPaint).
  // printing leaves the window's shape alone.
  void PaintTo(HDC dc, bool printing = false);
  // The split part's menu is open.
  bool MenuDropped() const { return menuDropped_; }

 protected:
  void CreateParams(fw::TCreateParams& params) override;
  void WndProc(fw::TMessage& message) override;

 private:
  template <class T>
  void SetProperty(T& field, const T& value) {
    if (field == value) return;
    field = value;
    skinData_->Invalidate(false);
  }
  void SetImageProperty(int& field, int value);
  bool Skinned() const;
  // RenderCache; with region, the window shape the border asks for when it is to be made again
  // (null when none is asked for).
  bool RenderCacheInto(HRGN* region);
  void PaintSplitPart(img::Bitmap32& cache, int state);
  bool HandleSkinCommand(fw::TMessage& message);
  bool HandleSkinnedMessage(fw::TMessage& message);
  bool InSplitPart(LPARAM point) const;
  void OpenDropDown();
  void Repaint(bool now);
  // A press or a release by the left button fades like a hover change, unless the button is
  // held down by its Down property.
  void FadePress(UINT msg);
  // The layout; without the caption's size (and the pressed shift) when withCaption is off.
  TsButtonLayout Layout(bool withCaption = true);
  // The border entry asks for a window shape without its transparent corners.
  bool MaskWantsRegion() const;
  HRGN BuildRegion(int state) const;
  // The window's shape: region applied (the window owns it then) or deleted; null removes it.
  void ApplyRegion(HRGN region, bool redraw);
  void PaintImage(img::Bitmap32& cache, TRect at, int index);
  // lit: in the section's colours for a look other than normal.
  void PaintCaption(HDC dc, TRect rect, bool lit);
  void DrawItemUnskinned(const DRAWITEMSTRUCT& item);

  std::unique_ptr<TsCtrlSkinData> skinData_;
  int hotImageIndex_ = -1, pressedImageIndex_ = -1, selectedImageIndex_ = -1,
      disabledImageIndex_ = -1;
  TImageAlignment imageAlignment_ = TImageAlignment::iaLeft;
  TImageMargins imageMargins_;
  int contentMargin_ = 6;
  unsigned animatEvents_ = aeGlobalDef;
  bool showFocus_ = true;
  int focusMargin_ = 1;
  int disabledKind_;
  bool down_ = false;
  bool reflected_ = false;
  bool wordWrap_ = true;

  bool regionDirty_ = true;     // the window's shape must be made again
  bool regionApplied_ = false;  // the window holds a shape of ours
  bool regionEverSet_ = false;  // the first shape is applied with a redraw
  RECT lastBounds_{};
  bool menuDropped_ = false;
  bool inPress_ = false;  // inside the platform's handling of a press or a release
};
