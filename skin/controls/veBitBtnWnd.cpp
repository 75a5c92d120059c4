#include "skin/controls/veBitBtnWnd.h"

#include "platform/GdiScopes.h"

#include <cstdlib>

namespace {

SIZE BitmapSize(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {0, 0};
  return {info.bmWidth, std::abs(info.bmHeight)};
}

SIZE IconSize(HICON icon) {
  ICONINFO info{};
  if (!icon || !GetIconInfo(icon, &info)) return {0, 0};
  SIZE size = BitmapSize(info.hbmColor ? info.hbmColor : info.hbmMask);
  if (!info.hbmColor) size.cy /= 2;  // a monochrome icon holds its mask below its picture
  if (info.hbmColor) DeleteObject(info.hbmColor);
  if (info.hbmMask) DeleteObject(info.hbmMask);
  return size;
}

}  // namespace

SIZE TveBitBtnWnd::GlyphSize() const {
  if (auto icon = reinterpret_cast<HICON>(SendMessageA(Handle, BM_GETIMAGE, IMAGE_ICON, 0)))
    return IconSize(icon);
  return BitmapSize(reinterpret_cast<HBITMAP>(SendMessageA(Handle, BM_GETIMAGE, IMAGE_BITMAP, 0)));
}

void TveBitBtnWnd::PaintGlyph() {
  const SIZE size = GlyphSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  // Beside a caption the picture stands at the left; alone it is centred.
  int x = Caption.empty() ? (WindowSize.cx - size.cx) / 2 : 4;
  int y = (WindowSize.cy - size.cy) / 2;
  if (ButtonState() & BST_PUSHED) ++x, ++y;
  HDC dc = SkinData->CacheBitmap->DC();
  if (auto icon = reinterpret_cast<HICON>(SendMessageA(Handle, BM_GETIMAGE, IMAGE_ICON, 0))) {
    DrawIconEx(dc, x, y, icon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
  } else if (auto bitmap =
                 reinterpret_cast<HBITMAP>(SendMessageA(Handle, BM_GETIMAGE, IMAGE_BITMAP, 0))) {
    platform::MemoryDC source(dc);
    platform::Selection picture(source, bitmap);
    BitBlt(dc, x, y, size.cx, size.cy, source, 0, 0, SRCCOPY);
  }
  GdiFlush();
}
