// The window image: the whole window of a skinned form painted into one 32-bit bitmap (frame,
// title band, icon, menu band, caption, title buttons, and the client background under it all),
// from which the provider copies the frame strips to the screen and children take what lies
// behind them. The transparent corners of the skin become the window region.
//
// Text and icons are the platform's: the painter calls hooks for them at their turn.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"
#include "skin/forms/sTitleLayout.h"

// The sections a form is painted with, resolved once per skin.
struct TsFrameSections {
  int Form = -1;
  int FormPattern = -1, FormHotPattern = -1;
  int Title = -1;
  int Caption = -1;  // optional plate behind the caption text
  int MenuLine = -1;
  int TitleBarImage = -1;  // the FORM section's TITLEBAR plate behind the buttons
  int GripImage = -1;
  int UserButtonImage = -1;  // GLOBALINFO's TITLEBUTTON
  std::string FormName = "FORM";
  std::string TitleName = "FORMTITLE";
  std::string MenuLineName = "MENULINE";
};

// TitleSkin and MenuLineSkin name the title and menu-bar sections (empty: the standard ones).
TsFrameSections ResolveFrameSections(const TsSkinModel& skin, const std::string& formSection,
                                     const std::string& titleSkin, const std::string& menuLineSkin);

struct TsFramePaintHooks {
  // Draws the form's icon into its rectangle.
  std::function<void(img::Bitmap32& image, const TRect& rect)> Icon;
  // Draws the caption (its plate and text) over the finished title band.
  std::function<void(img::Bitmap32& image)> Caption;
  // Draws the menu bar's items over the band just painted (menu line rectangle given).
  std::function<void(img::Bitmap32& image, const TRect& band)> MenuItems;
  // Draws the title bar's items after the title buttons.
  std::function<void(img::Bitmap32& image)> TitleItems;
};

struct TsFramePaint {
  TsFormShape Form;
  TsSystemMetrics Metrics;
  TsTitleInputs Inputs;
  TsTitleLayout Layout;
  TsFrameSections Sections;
  bool Active = true;
  bool GripShown = false;     // grip mode on a sizeable form that is not maximised
  bool DisabledLook = false;  // the form is disabled: every button dimmed
};

// The state index used for every section: 1 for an active look, limited by the section's states.
int FrameState(const TsSkinModel& skin, int sectionIndex, bool active);

// The image's size for the form.
void SizeWindowImage(img::Bitmap32& image, const TsFormShape& form, const TsSystemMetrics& metrics);

// Paints the whole image (it must have the form's size already). Before the title buttons go on,
// the clean right end of the title band is kept in buttonStrip.
void PaintWindowImage(const TsSkinModel& skin, img::Bitmap32& image, img::Bitmap32& buttonStrip,
                      const TsFramePaint& paint, const TsFramePaintHooks& hooks);

// The title band's right end, before the buttons are painted on it (single buttons are repainted
// from this strip without painting the whole image again).
TRect ButtonStripRect(const TsFramePaint& paint, int imageWidth);

// Whether a title button in state 0 is painted dimmed: the form is inactive or disabled, or the
// button does not work.
bool TitleButtonDimmed(const TsFramePaint& paint, int kind);
// Puts the clean title back under a button area (strip was taken at stripRect).
void RestoreButtonArea(img::Bitmap32& image, const img::Bitmap32& strip, const TRect& stripRect,
                       const TRect& area);

// One title button from its image at the top-left corner of its bounds: frame = its state, and
// dimmed in state 0 when the form is inactive or the button disabled.
void PaintTitleButton(const TsSkinModel& skin, img::Bitmap32& image,
                      const TsTitleButtonData& button, bool dimmed);
// A user title button: its TITLEBUTTON frame (when it uses the skin's), then its glyph centred.
void PaintUserButton(const TsSkinModel& skin, img::Bitmap32& image, const TsFramePaint& p,
                     size_t index);
// A glyph with its top-left corner at: blended by its alpha when any pixel is not opaque,
// otherwise copied with the colour key (0x00BBGGRR) left out. Painted pixels become opaque.
void PaintGlyph(img::Bitmap32& image, TPoint at, const img::Bitmap32& glyph, int32_t key);
// Every pixel of the glyph has alpha 255.
bool IsOpaque(const img::Bitmap32& glyph);

// The rectangles of transparent corner pixels that the window region leaves out: the form
// border's top and bottom corners, and the title border's top corners.
std::vector<TRect> CollectFrameCorners(const TsSkinModel& skin, const TsFrameSections& sections,
                                       int width, int height);

// Whether a title element can be pressed: close when the window can close, maximise when it can
// maximise or (maximised) restore, minimise when it can minimise or is minimised.
bool TitleElementEnabled(const TsFramePaint& paint, int code);
