// The list view's column header painted from the skin: each column in the "COLHEADER" section
// (the "BUTTON" section in skins without one) in its normal, hot or pressed state, with its
// picture, text and sort arrow, and the room right of the last column as an empty column.
#include <algorithm>
#include <vector>

#include "imaging/Bitmap32.h"
#include "platform/GdiScopes.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/data/MaskGeometry.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"

namespace {

constexpr int kEmptyColumn = -2;

}  // namespace

int TveListViewWnd::HeaderItem(int position) const {
  if (!(GetWindowLongA(HeaderWnd, GWL_STYLE) & HDS_DRAGDROP)) return position;
  int count = int(SendMessageA(HeaderWnd, HDM_GETITEMCOUNT, 0, 0));
  if (position < 0 || position >= count) return position;
  std::vector<int> order(static_cast<size_t>(count));
  if (!SendMessageA(HeaderWnd, HDM_GETORDERARRAY, WPARAM(count),
                    reinterpret_cast<LPARAM>(order.data())))
    return position;
  return order[size_t(position)];
}

RECT TveListViewWnd::HeaderItemRect(int position) const {
  RECT rect{};
  SendMessageA(HeaderWnd, HDM_GETITEMRECT, WPARAM(HeaderItem(position)),
               reinterpret_cast<LPARAM>(&rect));
  return rect;
}

int TveListViewWnd::ColumnAtPoint(POINT screen) const {
  if (!HeaderWnd) return kEmptyColumn;
  ScreenToClient(HeaderWnd, &screen);
  int count = int(SendMessageA(HeaderWnd, HDM_GETITEMCOUNT, 0, 0));
  for (int position = 0; position < count; ++position) {
    RECT rect = HeaderItemRect(position);
    if (PtInRect(&rect, screen)) return position;
  }
  return kEmptyColumn;
}

void TveListViewWnd::PrintHeader(HDC dc) {
  if (ViewStyle() != 3 || !HeaderWnd || !dc || !IsWindowVisible(HeaderWnd)) return;
  RECT header;
  GetWindowRect(HeaderWnd, &header);
  MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&header), 2);
  int saved = SaveDC(dc);
  OffsetViewportOrgEx(dc, ClientOffset.left + header.left, ClientOffset.top + header.top, nullptr);
  PaintHeader(dc);
  RestoreDC(dc, saved);
}

void TveListViewWnd::PaintHeader(HDC dc) {
  if (ViewStyle() != 3 || !HeaderWnd) return;
  // On the screen the header is validated; a given DC is a picture being printed.
  platform::PaintScope paint(HeaderWnd, reinterpret_cast<WPARAM>(dc));
  RECT client;
  GetClientRect(HeaderWnd, &client);
  int count = int(SendMessageA(HeaderWnd, HDM_GETITEMCOUNT, 0, 0));
  int width = client.right;
  for (int position = 0; position < count; ++position)
    width = std::max(width, int(HeaderItemRect(position).right));
  if (headerImage_.Width() != width || headerImage_.Height() != client.bottom)
    headerImage_.Resize(width, client.bottom);
  platform::WindowDC target(HeaderWnd, false, dc);
  int right = 0;
  LineHeight = client.bottom;
  // Only the columns the paint asks for: a hover change repaints the two columns it concerns.
  auto wanted = [&](const RECT& rect) {
    RECT common;
    return dc || IntersectRect(&common, &rect, &paint.Asked());
  };
  for (int position = 0; position < count; ++position) {
    RECT rect = HeaderItemRect(position);
    if (IsRectEmpty(&rect)) continue;
    LineHeight = rect.bottom - rect.top;
    if (wanted(rect)) PaintHeaderItem(rect, HeaderItem(position), target);
    right = std::max(right, int(rect.right));
  }
  RECT rest{right, 0, client.right, LineHeight};
  if (right < client.right && wanted(rest)) PaintHeaderItem(rest, kEmptyColumn, target);
}

void TveListViewWnd::PaintHeaderItem(RECT rect, int index, HDC dc) {
  int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const TsSkinModel* skin = SkinManager;
  if (w <= 0 || h <= 0 || !skin) return;
  // One picture for the whole header, kept between paints; each column paints its own part.
  img::Bitmap32& image = headerImage_;
  if (image.Width() < rect.right || image.Height() < rect.bottom)
    image.Resize(std::max(image.Width(), int(rect.right)),
                 std::max(image.Height(), int(rect.bottom)));
  GdiFlush();
  int state = PressedColumn >= 0 ? (index == PressedColumn ? 2 : 0) : (index == HotColumn ? 1 : 0);
  const char* name = skin->FindSection("COLHEADER") >= 0 ? "COLHEADER" : "BUTTON";
  int section = skin->FindSection(name);
  TsBgSource behind = EmptyBgSource;
  behind.BgColor = int32_t(BgColor);
  TRect area{rect.left, rect.top, rect.right, rect.bottom};
  FillRectSolid(image, area, int32_t(BgColor));
  PaintSection(skin, section, name, behind, -1, -1, image, {0, 0}, area, state);
  HDC idc = image.DC();
  {
    platform::Selection font(idc, ControlFont());
    SetBkMode(idc, TRANSPARENT);
    RECT text{rect.left + 4, rect.top + 1, rect.right - 4, rect.bottom - 1};
    if (index >= 0) PaintColumnContent(index, state, section, text, h);
  }
  platform::WindowDC target(HeaderWnd, false, dc);
  BitBlt(target, rect.left, rect.top, w, h, idc, rect.left, rect.top, SRCCOPY);
}

void TveListViewWnd::PaintColumnContent(int index, int state, int section, RECT area, int height) {
  const TsSkinModel* skin = SkinManager;
  img::Bitmap32& image = headerImage_;
  HDC idc = image.DC();
  char text[129] = {};
  HDITEMA item{};
  item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
  item.pszText = text;
  item.cchTextMax = sizeof text;
  SendMessageA(HeaderWnd, HDM_GETITEMA, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(HeaderWnd, HDM_GETIMAGELIST, 0, 0));
  int imageWidth = 0, imageHeight = 0;
  if (images && (item.fmt & (HDF_IMAGE | HDF_OWNERDRAW)) &&
      ImageList_GetIconSize(images, &imageWidth, &imageHeight))
    imageWidth += 4;
  else
    imageWidth = 0;
  int glyph = -1;
  if (item.fmt & HDF_SORTDOWN) glyph = skin->QuickIndexes.ScrollButtons[1].GlyphIndex;
  if (item.fmt & HDF_SORTUP) glyph = skin->QuickIndexes.ScrollButtons[0].GlyphIndex;
  bool arrow = skin->IsValidImageIndex(glyph);
  int arrowWidth = arrow ? ::FrameWidth(skin->ImageTable[size_t(glyph)]) + 6 : 0;
  SIZE size{};
  GetTextExtentPoint32A(idc, text, lstrlenA(text), &size);
  int textWidth = size.cx + 5;
  RECT textRect = area;
  switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_RIGHT:
      textRect.right = area.right - arrowWidth;
      textRect.left = std::max(int(area.left) + imageWidth, int(textRect.right) - textWidth);
      break;
    case HDF_CENTER:
      textRect.left =
          area.left +
          std::max(0, (int(area.right - area.left) - imageWidth - textWidth - arrowWidth) / 2) +
          imageWidth;
      textRect.right = std::min(int(area.right) - arrowWidth, int(textRect.left) + textWidth);
      break;
    default:
      textRect.left = area.left + imageWidth;
      textRect.right = std::min(int(area.right) - arrowWidth, int(textRect.left) + textWidth);
      break;
  }
  if (state == 2) OffsetRect(&textRect, 1, 1);
  if (arrow) {
    const TsMaskData& entry = skin->ImageTable[size_t(glyph)];
    PaintStateGlyph(
        image, {int(textRect.right) + 3, int(area.top) - 1 + (height - ::FrameHeight(entry)) / 2},
        state, MakeBgSource(&image, 0, 0), entry, 1);
  }
  PaintSkinText(idc, text, IsWindowEnabled(Handle), skin, std::min(state, 1), section,
                DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS, textRect);
  if (imageWidth)
    ImageList_Draw(images, item.iImage, idc, textRect.left - imageWidth,
                   int(area.top) - 1 + (height - imageHeight) / 2 + (state == 2 ? 1 : 0),
                   ILD_TRANSPARENT);
  GdiFlush();
}
