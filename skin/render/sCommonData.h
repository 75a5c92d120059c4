// The skin state of one skinned control: the section it is drawn with, the indexes that section
// resolves to, its colour settings, focus and hover, whether its painting must wait, and its
// cached picture. Painters that compose a control with what its parent shows read it; parents,
// children and the skin manager talk to the control through the skin command message, which
// the host hands to HandleSkinCommand, and the host's other messages go to HandleMessage.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "framework/Controls.h"
#include "imaging/Bitmap32.h"
#include "platform/Dpi.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBgQuery.h"
#include "skin/render/sCtrlUtils.h"

// SkinStateFlags bits.
enum : uint16_t {
  kStateUniformBg = 0x001,  // the background is one plain colour over the whole control
  kStateUnknown = 0x002,    // not computed yet
  kStatePrinting = 0x200,   // painting goes to PrintTarget
  kStateLocked = 0x800,     // BeginUpdate is in force
};

class TsCommonData {
 public:
  // host is the control the state belongs to (null for a form's or a bare window's state);
  // withCache makes an empty picture.
  TsCommonData(fw::TControl* host, bool withCache);
  // Takes the control's glow off the screen and ends its fade.
  ~TsCommonData();
  TsCommonData(const TsCommonData&) = delete;
  TsCommonData& operator=(const TsCommonData&) = delete;

  // The skin leaves the control's colour alone, and backgrounds use the control's own colour.
  bool CustomColor = false;
  // The skin leaves the control's font colour alone.
  bool CustomFont = false;
  // The skin the control is drawn with; null: the default manager's.
  const TsSkinModel* SkinManager = nullptr;
  std::string SkinSection;
  int32_t HUEOffset = 0;   // hue rotation in degrees of the painted control
  int32_t Saturation = 0;  // saturation change in percent

  int LockCount = 0;         // nesting of BeginUpdate
  bool Deferred = false;     // painting waits: the picture is out of date or an update runs
  int SectionIndex = -1;     // SkinSection in the manager's SectionTable
  int BorderMaskIndex = -1;  // the section's border image entry
  int PatternIndex = -1;     // the section's texture entries
  int HotPatternIndex = -1;
  int GlowHandle = -1;         // the glow shown for the control, -1 for none
  bool PaintUrgently = false;  // paint at once, whatever the parent is doing
  // The cached picture must be painted again before use; changed through SetBgDirty.
  bool BgDirty = true;
  bool PartlyVisible = true;  // last painted while partly hidden: repaint whole when shown
  fw::TControl* HostControl = nullptr;
  // The form whose frame and client a provider paints with this state; its children ask the form
  // whether its background is plain, varies, or must wait.
  fw::TWinControl* FormHost = nullptr;
  std::unique_ptr<img::Bitmap32> CacheBitmap;  // the control's painted picture, or null
  bool IsFocused = false;
  bool IsMouseOver = false;
  uint16_t SkinStateFlags = kStateUnknown;
  // Bit 2: the section has a texture; the low two bits the gradient's kind (2 vertical,
  // 1 horizontal, 3 four corners).
  uint16_t BgKind = 0;
  HDC PrintTarget = nullptr;  // where the control is printed to while kStatePrinting is set
  int32_t ControlKind = 0;    // set by the owning control or adapter

  // The own manager, else the default one.
  const TsSkinModel* GetSkinManager() const;
  // The scale of the state's window when it has no host control (an adapter's own state).
  int WindowDpi = platform::kDesignDpi;
  // The scale the control is drawn at: its host's, else WindowDpi.
  int Dpi() const;
  // What the control is painted with: GetSkinManager's skin at the control's scale, looked up
  // at each use, because a manager drops its scaled copies when its skin changes.
  const TsSkinModel* PaintSkin() const;
  // Stores the name upper-cased ("UNKNOWN" for an empty one) and, for a control on a parent,
  // tells the host that its skin was loaded or removed. The same text again does nothing.
  void SetSkinSection(const std::string& value);
  // The default manager is stored as null.
  void SetSkinManager(const TsSkinModel* value);
  void SetCustomColor(bool value);
  void SetCustomFont(bool value);

  // The control has a section of a skin whose manager is not being destroyed; with
  // requireActive the manager's skin must be active as well.
  bool IsSkinned(bool requireActive = false) const;
  void UpdateIndexes();
  void UpdateBgKind();
  void UpdateSkinState(bool propagate);
  // The section named by ControlKind when SkinSection is empty.
  void UpdateDefaultSection();
  // An editor's colour and font colour from the skin, with the control's hue and saturation.
  void UpdateColors(bool repaint);
  // A skin colour turned by the control's hue offset and saturation.
  int32_t Tone(int32_t color) const;
  void Refresh();

  // Makes CacheBitmap exist and have the host's size (empty when that cannot be had).
  void PrepareCache();
  void Invalidate(bool withChildren);
  void BeginUpdate();
  void EndUpdate(bool repaint);
  bool IsDeferred() const;
  bool ResetDeferred(bool clear);
  void SetDeferred(bool value) { Deferred = value; }
  // Marks the cached picture out of date (dirty) or just painted.
  void SetBgDirty(bool dirty) { BgDirty = dirty; }

  // Focused, or hovered when the kind takes a hot look from hovering.
  bool IsHot() const;
  // The control paints its own picture: its background is not one plain colour, or it is hot.
  bool NeedsOwnPaint() const;
  // 0 no, 1 yes, 2 not known yet.
  int IsUniformBg() const;
  bool NeedsParentRepaint() const;

  // The plain colour of the control's background in state (0 normal, above 0 hot), as RGB: the
  // section's colour, the parent's colour where the section is transparent, or a mix of the two.
  // Unskinned or custom-coloured controls answer their own colour. window stands in for the
  // host when there is none; with neither, the parent's colour is the button face.
  int32_t GetBgColor(int state, HWND window) const;
  // What a child sees behind it: the answer to CmdGetBg. state is 1 when the control is focused
  // or hovered.
  void GetBgQuery(TsBgQuery& query, int state, HWND window);
  // What lies behind the control itself, from its parent.
  void GetBgSource(TsBgSource& source) const;
  // The largest margin of the border entry, 0 without one or when it is not drawn in state 0.
  int MaxBorderWidth() const;
  // Shows the glow of the control's section around it (around window when there is no host)
  // while the mouse is over it, and hides it otherwise or when hiding is asked for. Nothing
  // happens unless the manager allows glowing and the section glows.
  void ShowGlowFor(bool hiding, HWND window);

  // The skin command (SkinCommandMsg); true when it was answered, the reply in message.Result.
  bool HandleSkinCommand(fw::TMessage& message);
  // The host's other messages; true when the message is finished.
  bool HandleMessage(fw::TMessage& message);

 private:
  const TsGeneralData* Section() const;
  const TsMaskData* BorderEntry() const;
  // The host when it is a windowed control, and its window when it has one.
  fw::TWinControl* WindowedHost() const;
  HWND HostWindow() const;
  bool CarriesOwnManager(LPARAM value) const;
  // The host is a control on a parent that is not loading, read or destroyed.
  bool HostIsPlaced() const;
  void TellHostSkinChanged();
  void EmptyCache();
  void SkinRemoved();
  void EndUpdateCommand();
  void RepaintBg(bool now);
  void ClearCacheCommand();
  bool AnswerBgComplex(fw::TMessage& message) const;
  void PassBgQueryOn(TsBgQuery& query, HWND window);
  void AnswerWithCache(TsBgQuery& query);
  void EditorColor(int state);
  bool IsSkinnedEditor() const;
  void FocusChanged(bool focused);
  void MouseEntered();
  void MouseLeft();
  void VisibilityChanged(bool visible);
};

// The skin state of a skinned control, with the control's own hue and saturation.
class TsCtrlSkinData : public TsCommonData {
 public:
  using TsCommonData::TsCommonData;
  void SetHUEOffset(int32_t value);
  void SetSaturation(int32_t value);
};

// What lies behind a bare window: its parent window's answer; empty without a parent.
void GetWindowBgSource(HWND window, TsBgSource& source);
