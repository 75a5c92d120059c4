// The arithmetic of a skinned window frame: frame and caption metrics, where the title's icon and
// buttons go, where the caption text goes, and which element lies under a point. Everything here
// is plain integer arithmetic on the platform's metrics (injected, so that it runs anywhere) and
// on the skin's GLOBALINFO values; the provider feeds it the form's facts and paints by it.
//
// Coordinates are window-image coordinates: (0, 0) is the window rectangle's top-left corner.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "skin/data/sSkinModel.h"
#include "skin/render/sBgSource.h"
#include "skin/render/sCornerKeys.h"

// The platform metrics the frame depends on.
struct TsSystemMetrics {
  int CxFrame = 4;       // sizing frame
  int CxDlgFrame = 3;    // fixed frame
  int CyCaption = 23;    // caption of a normal window
  int CySmCaption = 17;  // caption of a tool window
  int CyMenu = 19;       // one menu bar line
  int CyHScroll = 17;
  int CxVScroll = 17;
};

enum class TsBorderKind { None, Single, Sizeable, Dialog, ToolWindow, SizeToolWin };

// What the frame arithmetic knows of a form.
struct TsFormShape {
  int Width = 0, Height = 0;  // window rectangle
  int ClientWidth = 0, ClientHeight = 0;
  TsBorderKind BorderStyle = TsBorderKind::Sizeable;
  bool ThickFrame = true;   // the window style has a sizing frame
  bool HasBorder = true;    // the window style has a border
  bool FullCaption = true;  // the window style has the whole caption
  bool Minimized = false, Maximized = false;
  bool IsMainForm = true;
  bool IsChild = false;  // a child window (a form placed inside another control)
  int BorderWidth = 0;   // the form's own inner border
  bool HasVScroll = false, HasHScroll = false;
  int MenuLineHeight = 0;  // 0 without a skinned menu bar
  int MenuLineCount = 0;
  bool RightToLeft = false;
  // The skin's own frame in a border window: the title band starts at the top edge (the frame
  // above it belongs to the title) and follows the skin's title offsets.
  bool SkinnedFrame = false;
};

// A maximised form's title in the skin's own frame is cut by as much at the top (its edge lies
// beyond the screen).
inline constexpr int kMaximizedTitleCut = 4;

// Title buttons, in the order they are laid out from the right edge.
enum TsTitleButtonKind { tbClose, tbMax, tbMin, tbHelp, kTitleButtonKinds };

// Element hit codes (the platform's where they exist); the four corners are sCornerKeys.h's.
enum : int {
  kHitNowhere = 0,
  kHitClient = 1,
  kHitCaption = 2,
  kHitSysMenu = 3,
  kHitMenu = 5,
  kHitMinButton = 8,
  kHitMaxButton = 9,
  kHitLeft = 10,
  kHitRight = 11,
  kHitTop = 12,
  kHitBottom = 15,
  kHitClose = 20,
  kHitHelp = 21,
  kHitUserButton = 1000,  // + index of the user title button
  kHitTitleItem = 2000,   // + index of the title bar item
};

// An element of the title that lights up and can be pressed: the four title buttons, the user
// title buttons and the title bar's items.
bool IsTitleElement(int code);

// One title button: its state (0 normal, 1 hot, 2 pressed), image and place.
struct TsTitleButtonData {
  int State = 0;
  int ImageIndex = -1;
  TRect Bounds;
  bool Big = false;
  int HitCode = 0;
};

// Which title buttons a form shows and which of them work.
struct TsTitleButtonRules {
  bool HasSysMenu = true;  // the window has a system menu (and so a close button)
  bool VisibleMax = true, VisibleMin = true, VisibleHelp = false;
  bool CanClose = true, EnabledMax = true, EnabledMin = true, EnabledRestore = false;
};

// Frame width of the platform for the form's window style.
int NativeFrameWidth(const TsFormShape& form, const TsSystemMetrics& metrics);
// Caption height of the platform: the small one for tool windows that are not minimised.
int SystemCaptionHeight(const TsFormShape& form, const TsSystemMetrics& metrics);
// The provider's caption height: 0 for a form without a caption.
int CaptionHeight(const TsFormShape& form, const TsSystemMetrics& metrics);
// Lines of the menu bar: the platform wraps items into more lines when the window is narrow.
// firstItemBottom is the bottom of the first item, formTop the window's top, both on screen.
int MenuLineCountFor(const TsFormShape& form, const TsSystemMetrics& metrics, int formTop,
                     int firstItemBottom);
// Where the client area starts inside the window image.
TPoint ClientOffset(const TsFormShape& form, const TsSystemMetrics& metrics);

// The title-button images of the skin for a form; the maximise and minimise images change with
// the window state at layout time (LayoutTitle).
struct TsButtonImages {
  std::array<int, kTitleButtonKinds> Images = {-1, -1, -1, -1};
  bool Big = true;  // the big images are used (the small close image may be missing)
};
TsButtonImages ChooseButtonImages(const TsSkinModel& skin, bool useBigButtons,
                                  const TsTitleButtonRules& rules);
// A button's size: one state frame of its image, 21 x 21 without one.
int ButtonWidth(const TsSkinModel& skin, int imageIndex);
int ButtonHeight(const TsSkinModel& skin, int imageIndex);

// What LayoutTitle computes.
struct TsTitleLayout {
  int TitleCenterY = 0;
  int TitleTop = 0;
  int TitleBottom = 0;
  TRect IconRect;
  bool IconShown = false;
  std::array<TsTitleButtonData, kTitleButtonKinds> Buttons;
  std::vector<TsTitleButtonData> UserButtons;
  int ButtonsLeft = 0;  // x after the last button placed
};

// A user title button as the layout sees it.
struct TsUserButtonSpec {
  int GlyphWidth = 0;
  bool Enabled = true;
  bool UseSkinData = true;  // on the TITLEBUTTON image; else the glyph alone
  const img::Bitmap32* Glyph = nullptr;
};

// A title bar item as hit testing sees it (an empty rectangle for a hidden one).
struct TsTitleItemHit {
  TRect Rect;
  bool Passive = false;  // a spacer or an information label: no element there
  bool Answers = true;   // enabled, and not a tab that is already down
};

struct TsTitleInputs {
  TsTitleButtonRules Rules;
  TsButtonImages Images;
  bool UseBigButtons = true;          // single or sizeable border: the big buttons' spacing
  bool ShowIcon = true;               // icon visible, single or sizeable border, app icon shown
  int IconWidth = 0, IconHeight = 0;  // 0: from the caption height
  std::vector<TsUserButtonSpec> UserButtons;
  int UserButtonImage = -1;           // the skin's TITLEBUTTON
  std::vector<TsTitleItemHit> Items;  // the title bar's items, by their index
};

TsTitleLayout LayoutTitle(const TsSkinModel& skin, const TsFormShape& form,
                          const TsSystemMetrics& metrics, const TsTitleInputs& inputs);

// The width the buttons take at the title's right end, margins included.
int ButtonsAreaWidth(const TsSkinModel& skin, const TsTitleLayout& layout,
                     const TsTitleInputs& inputs);

enum class TsCaptionAlign { Left, Right, Center };
// The caption text's rectangle, before alignment: between the icon and the buttons, centred on
// the title line for a text textHeight high.
TRect CaptionTextRect(const TsSkinModel& skin, const TsFormShape& form,
                      const TsSystemMetrics& metrics, const TsTitleLayout& layout,
                      const TsTitleInputs& inputs, bool hasCaptionSection, int textHeight);
// Moves the rectangle's ends for the alignment (right-to-left forms swap left and right).
TRect AlignCaption(TRect rect, int captionWidth, int addedWidth, TsCaptionAlign align,
                   bool rightToLeft);

// The title button under a point of the window image, or kHitNowhere.
int HitTitleButton(const TsFormShape& form, const TsTitleLayout& layout,
                   const TsTitleInputs& inputs, TPoint point);

// The element under a point of the window (window coordinates), for a form without a border
// window. gripSize is the size grip's square (0 without GRIPIMAGE); gripActive says that the
// grip answers there (grip mode on a sizeable, not maximised form, or both scroll bars shown).
int HitTestFrame(const TsFormShape& form, const TsSystemMetrics& metrics,
                 const TsTitleLayout& layout, const TsTitleInputs& inputs, TPoint point,
                 int gripSize, bool gripActive);

// The window region's rectangle for a form, before the skin's transparent corners are removed:
// empty (no region) for forms that get none.
struct TsRegionPlan {
  bool UseRegion = false;
  bool CutCorners = false;  // remove the skin's corner rectangles
  TRect Rect;
};
TsRegionPlan PlanRegion(const TsFormShape& form, const TsSystemMetrics& metrics);

// Where a maximised form lies, relative to its monitor: its native frame just outside the work
// area (the region above cuts it away), titleExcess pixels lower where a taller skin title
// would otherwise leave the screen.
struct TsMaxPlacement {
  TPoint Position, Size;
};
TsMaxPlacement MaximizedPlacement(const TRect& monitor, const TRect& work, int frame,
                                  int titleExcess);
