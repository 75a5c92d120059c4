// The painter of skinned menus: the framework's pop-up menus become owner-drawn with this
// painter's measure and draw handlers (the application's own handlers win), every pop-up window
// gets one background picture (plate, glyph column, frame, region) into which each item is
// composed off-screen and copied in one piece.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "framework/Menus.h"
#include "imaging/Bitmap32.h"
#include "skin/controls/sMenuLayout.h"

class TsSkinManager;
class TsSkinModel;

enum class TsMenuAlignment { taLeftJustify, taRightJustify, taCenter };

using TsMenuManagerDrawItemEvent =
    std::function<void(fw::TMenuItem* item, img::Bitmap32& picture, UINT state)>;

class TsSkinableMenus {
 public:
  TsMenuAlignment Alignment = TsMenuAlignment::taLeftJustify;
  int BevelWidth = 0;
  int BorderWidth = 3;
  int Margin = 2;
  int Spacing = 8;
  TsMenuManagerDrawItemEvent OnDrawItem;

  // The manager painted with; the default one when none was set.
  TsSkinManager* Manager() const;
  void SetManager(TsSkinManager* manager) { manager_ = manager; }

  // The MAINMENU border's width at dpi; at 96 DPI kept until the skin changes.
  int SkinBorderWidth(int dpi);
  void ResetMenuBorderWidth() { skinBorderWidth_ = -1; }

  // Owner drawing of a pop-up menu by this painter, or back to the framework's.
  void HookPopupMenu(fw::TMenu* menu, bool on);
  void HookItem(fw::TMenuItem* item, bool on);

  void MeasureItem(fw::TMenuItem* item, HDC dc, int& width, int& height);
  void DrawItem(fw::TMenuItem* item, HDC dc, const RECT& rect, UINT state);

  // Forgets every popup background (skin changes, menus reset).
  void ResetMenus();
  // The background of a popup window as last built, or null.
  const img::Bitmap32* PopupPicture(HWND popup) const;
  // Builds (when needed) the background of the popup window that lists item, and gives the
  // window its region.
  void PreparePopup(fw::TMenuItem* item, HWND popup);
  // A popup window is gone: its background goes with it.
  void ForgetPopup(HWND popup);

 private:
  struct Popup {
    HWND Window = nullptr;
    const fw::TMenuItem* Parent = nullptr;  // the item whose entries the window lists
    int Width = 0, Height = 0;
    int Dpi = platform::kDesignDpi;  // the scale the window is drawn at
    bool ExtraLine = false;
    img::Bitmap32 Picture;
  };
  // The handlers the painter gives items; their types tell the painter's own from the
  // application's.
  struct PainterMeasure {
    TsSkinableMenus* painter;
    void operator()(fw::TMenuItem* item, HDC dc, int& w, int& h) const {
      painter->MeasureItem(item, dc, w, h);
    }
  };
  struct PainterDraw {
    TsSkinableMenus* painter;
    void operator()(fw::TMenuItem* item, HDC dc, const RECT& r, UINT state) const {
      painter->DrawItem(item, dc, r, state);
    }
  };
  // The default manager's skin is on and paints pop-up menus.
  bool Painting() const;
  // Lengths and the skin at the scale of the window a menu is drawn in: the skin's copy for
  // that scale, so plates, check marks and dividers grow with the text.
  TsMenuSpacing Spacings(int dpi) const;
  const TsSkinModel& Skin(int dpi) const;
  SIZE GlyphSize(const fw::TMenuItem* item, int dpi) const;
  bool ExtraLineShown(fw::TMenuItem* item);
  Popup* FindPopup(HWND window, const fw::TMenuItem* parent, int width, int height, int dpi);
  Popup& PopupFor(fw::TMenuItem* item, HWND window, HDC dc, int dpi);
  SIZE ComputedSize(fw::TMenuItem* item, HDC dc);
  void CopyFrame(const Popup& popup, HWND window, fw::TMenuItem* item, POINT clientOffset,
                 const RECT& rect);
  void ComposeItem(fw::TMenuItem* item, img::Bitmap32& picture, UINT state, bool rightToLeft,
                   int dpi);

  TsSkinManager* manager_ = nullptr;
  int skinBorderWidth_ = -1;
  std::vector<std::unique_ptr<Popup>> popups_;
  // The menu whose window was asked for through the message queue, until it is prepared.
  const fw::TMenuItem* posted_ = nullptr;
  // The menu whose extra band was decided last, and whether it shows.
  std::pair<const fw::TMenuItem*, bool> extraLine_{nullptr, false};
};

// The process's menu painter (the default manager's).
TsSkinableMenus& SkinableMenus();
// Connects the painter to the skin manager's hooks: the menus' reset, their first item's place
// and their windows' backgrounds; once.
void InstallMenuPainterHooks();
