#include "framework/MenuPaint.h"

#include <algorithm>
#include <map>
#include <string>
#include <utility>

#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "platform/Dpi.h"
#include "platform/GdiScopes.h"

namespace fw {

namespace {

constexpr int kSeparatorHeight = 8;
constexpr int kTextMargin = 6;
constexpr int kShortCutGap = 24;

int ContextDpi(HDC dc) {
  return platform::WindowDpi(WindowFromDC(dc));
}

// Entries of a menu bar carry no check or picture column and no shortcut.
bool OnMenuBar(const TMenuItem* item) {
  const TMenuItem* parent = item->Parent();
  return parent && !parent->Parent() && dynamic_cast<TMainMenu*>(parent->GetParentMenu());
}

// The width of the column left of the caption, where the check mark or the picture goes.
int GlyphColumn(const TMenuItem* item, int dpi) {
  if (OnMenuBar(item)) return 0;
  TMenu* menu = item->GetParentMenu();
  TImageList* images = menu ? menu->Images() : nullptr;
  return std::max(platform::SystemMetricForDpi(SM_CXMENUCHECK, dpi), images ? images->Width() : 0) +
         platform::ScaleToDpi(4, dpi);
}

SIZE TextSize(HDC dc, const std::string& text) {
  RECT r{0, 0, 0, 0};
  DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_SINGLELINE | DT_CALCRECT);
  return {r.right, r.bottom};
}

void DrawGlyph(const TMenuItem* item, HDC dc, RECT column, bool selected, int dpi) {
  TMenu* menu = item->GetParentMenu();
  TImageList* images = menu ? menu->Images() : nullptr;
  if (images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count()) {
    int x = column.left + (column.right - column.left - images->Width()) / 2;
    int y = column.top + (column.bottom - column.top - images->Height()) / 2;
    ImageList_Draw(images->Handle(), item->ImageIndex(), dc, x, y, ILD_TRANSPARENT);
    return;
  }
  if (!item->Checked()) return;
  int size = platform::SystemMetricForDpi(SM_CXMENUCHECK, dpi);
  RECT mark{0, 0, size, size};
  // The platform draws the mark in black on white; it is copied through as a mask so that it
  // takes the text colour over whatever background the item has.
  platform::MemoryDC maskDc(dc);
  platform::Owned<HBITMAP> mask(CreateBitmap(size, size, 1, 1, nullptr));
  platform::Selection maskSelected(maskDc, mask);
  DrawFrameControl(maskDc, &mark, DFC_MENU, item->RadioItem() ? DFCS_MENUBULLET : DFCS_MENUCHECK);
  int x = column.left + (column.right - column.left - size) / 2;
  int y = column.top + (column.bottom - column.top - size) / 2;
  platform::Owned<HBRUSH> ink(
      CreateSolidBrush(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)));
  platform::Selection inkSelected(dc, ink);
  COLORREF oldText = SetTextColor(dc, RGB(0, 0, 0));
  COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255));
  // Where the mask is black the brush paints; elsewhere the destination stays.
  BitBlt(dc, x, y, size, size, maskDc, 0, 0, 0x00B8074A);
  SetBkColor(dc, oldBack);
  SetTextColor(dc, oldText);
}

}  // namespace

HFONT MenuFont(bool bold, int dpi) {
  // Kept for the process: a handful of scales at most, one per monitor setting seen.
  static std::map<int, std::pair<HFONT, HFONT>> fonts;
  if (dpi <= 0) dpi = platform::WindowDpi(nullptr);
  auto& [normal, strong] = fonts[dpi];
  if (!normal) {
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    platform::SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, dpi);
    normal = CreateFontIndirectW(&metrics.lfMenuFont);
    metrics.lfMenuFont.lfWeight = FW_BOLD;
    strong = CreateFontIndirectW(&metrics.lfMenuFont);
  }
  return bold ? strong : normal;
}

void DefaultMeasureMenuItem(TMenuItem* item, HDC dc, int& width, int& height) {
  const int dpi = ContextDpi(dc);
  if (item->IsLine()) {
    width = 0;
    height = platform::ScaleToDpi(kSeparatorHeight, dpi);
    return;
  }
  SIZE caption = TextSize(dc, item->Caption());
  width = GlyphColumn(item, dpi) + caption.cx + 2 * platform::ScaleToDpi(kTextMargin, dpi);
  if (std::string keys = ShortCutToText(item->ShortCut()); !keys.empty() && !OnMenuBar(item))
    width += platform::ScaleToDpi(kShortCutGap, dpi) + TextSize(dc, keys).cx;
  TMenu* menu = item->GetParentMenu();
  int imageHeight = menu && menu->Images() ? menu->Images()->Height() : 0;
  height = std::max<int>(caption.cy, imageHeight) + platform::ScaleToDpi(6, dpi);
}

void DefaultDrawMenuItem(TMenuItem* item, HDC dc, const RECT& rect, UINT itemState) {
  bool selected = itemState & (ODS_SELECTED | ODS_HOTLIGHT);
  const int dpi = ContextDpi(dc);
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (item->IsLine()) {
    RECT line{rect.left + 2, (rect.top + rect.bottom) / 2 - 1, rect.right - 2, rect.bottom};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  RECT column{rect.left, rect.top, rect.left + GlyphColumn(item, dpi), rect.bottom};
  DrawGlyph(item, dc, column, selected, dpi);
  SetBkMode(dc, TRANSPARENT);
  int ink = (itemState & ODS_GRAYED) ? COLOR_GRAYTEXT
            : selected               ? COLOR_HIGHLIGHTTEXT
                                     : COLOR_MENUTEXT;
  SetTextColor(dc, GetSysColor(ink));
  const int margin = platform::ScaleToDpi(kTextMargin, dpi);
  RECT text{column.right + margin, rect.top, rect.right - margin, rect.bottom};
  UINT format = DT_SINGLELINE | DT_VCENTER | ((itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0);
  DrawTextA(dc, item->Caption().c_str(), -1, &text, format | DT_LEFT);
  if (std::string keys = ShortCutToText(item->ShortCut()); !keys.empty() && !OnMenuBar(item))
    DrawTextA(dc, keys.c_str(), -1, &text, format | DT_RIGHT);
}

// The owner drawing of every menu of the framework: an item's own handlers, else the painting
// above, with the menu font selected and the context given back as it was.
bool TMenu::MeasureItem(HWND owner, MEASUREITEMSTRUCT& measure) {
  if (measure.CtlType != ODT_MENU) return false;
  TMenuItem* item = TMenuItem::FromItemData(measure.itemData);
  if (!item) return false;
  platform::WindowDC dc(owner);
  // The item's handler may leave the context as it likes: all of it comes back.
  int saved = SaveDC(dc);
  platform::Selection font(dc, MenuFont(item->Default(), platform::WindowDpi(owner)));
  int width = 0, height = 0;
  if (item->OnMeasureItem)
    item->OnMeasureItem(item, dc, width, height);
  else
    DefaultMeasureMenuItem(item, dc, width, height);
  RestoreDC(dc, saved);
  measure.itemWidth = static_cast<UINT>(std::max(width, 0));
  measure.itemHeight = static_cast<UINT>(std::max(height, 0));
  return true;
}

bool TMenu::DrawItem(const DRAWITEMSTRUCT& draw) {
  if (draw.CtlType != ODT_MENU) return false;
  TMenuItem* item = TMenuItem::FromItemData(draw.itemData);
  if (!item) return false;
  int saved = SaveDC(draw.hDC);
  platform::Selection font(draw.hDC, MenuFont(item->Default(), ContextDpi(draw.hDC)));
  if (item->OnAdvancedDrawItem)
    item->OnAdvancedDrawItem(item, draw.hDC, draw.rcItem, draw.itemState);
  else
    DefaultDrawMenuItem(item, draw.hDC, draw.rcItem, draw.itemState);
  RestoreDC(draw.hDC, saved);
  return true;
}

}  // namespace fw
