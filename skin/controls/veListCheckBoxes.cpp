#include "skin/controls/veListCheckBoxes.h"

#include <algorithm>

#include "skin/data/MaskGeometry.h"
#include "skin/render/sMaskSlices.h"

namespace {

HIMAGELIST SetStateImages(HWND list, HIMAGELIST images) {
  return reinterpret_cast<HIMAGELIST>(
      SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(images)));
}

}  // namespace

TveListCheckBoxes::~TveListCheckBoxes() {
  // The boxes are the list's to free with its window, as are the image lists it holds; the blank
  // list is in it only while it paints.
  if (blank_) ImageList_Destroy(blank_);
}

void TveListCheckBoxes::Apply(const TsSkinModel& skin, COLORREF bk) {
  if (!(SendMessageA(list_, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_CHECKBOXES)) return;
  const int unchecked = skin.QuickIndexes.GlobalImages[7];
  const int checked = skin.QuickIndexes.GlobalImages[6];
  if (!skin.IsValidImageIndex(unchecked) || !skin.IsValidImageIndex(checked)) {
    Restore();
    return;
  }
  const TsMaskData& first = skin.ImageTable[size_t(unchecked)];
  const int w = ::FrameWidth(first), h = ::FrameHeight(first);
  HIMAGELIST images = ImageList_Create(w, h, ILC_COLOR32, 2, 0);
  HIMAGELIST blank = ImageList_Create(w, h, ILC_COLOR32, 0, 1);
  if (!images || !blank) {
    if (images) ImageList_Destroy(images);
    if (blank) ImageList_Destroy(blank);
    return;
  }
  for (int state = 0; state < 2; ++state) {
    img::Bitmap32& glyph = glyphs_[state];
    glyph.Resize(w, h);
    glyph.Fill({uint8_t(bk >> 16), uint8_t(bk >> 8), uint8_t(bk), 255});
    PaintStateGlyph(glyph, {0, 0}, 0, MakeBgSource(&glyph, 0, 0),
                    skin.ImageTable[size_t(state ? checked : unchecked)], 1);
    ImageList_Add(images, glyph.Handle(), nullptr);
  }
  HIMAGELIST previous = SetStateImages(list_, images);
  if (images_) {
    ImageList_Destroy(images_);
    ImageList_Destroy(blank_);
  } else {
    saved_ = previous;
  }
  images_ = images;
  blank_ = blank;
}

void TveListCheckBoxes::Restore() {
  if (!images_) return;
  SetStateImages(list_, saved_);
  ImageList_Destroy(images_);
  ImageList_Destroy(blank_);
  images_ = blank_ = saved_ = nullptr;
}

void TveListCheckBoxes::Paint(const std::function<void()>& paint) {
  // Another state list put in by somebody else keeps its own drawing.
  if (!images_ || !customDrawSeen_ ||
      reinterpret_cast<HIMAGELIST>(SendMessageA(list_, LVM_GETIMAGELIST, LVSIL_STATE, 0)) !=
          images_) {
    paint();
    return;
  }
  SetStateImages(list_, blank_);
  drawing_ = true;
  struct Back {
    TveListCheckBoxes& boxes;
    ~Back() {
      boxes.drawing_ = false;
      // Unless the boxes were made again or given back while the list painted.
      if (reinterpret_cast<HIMAGELIST>(
              SendMessageA(boxes.list_, LVM_GETIMAGELIST, LVSIL_STATE, 0)) != boxes.blank_)
        return;
      // Giving a list its image list may mark it for painting again: not for this exchange,
      // which changed nothing it shows.
      const bool clean = !GetUpdateRect(boxes.list_, nullptr, FALSE);
      SetStateImages(boxes.list_, boxes.images_);
      if (clean) ValidateRect(boxes.list_, nullptr);
    }
  } back{*this};
  paint();
}

void TveListCheckBoxes::CustomDraw(const NMLVCUSTOMDRAW& draw, LRESULT& result) {
  if (!images_ || (result & CDRF_SKIPDEFAULT)) return;
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) {
    customDrawSeen_ = true;
    // Once the rows are drawn: asking for each row's stages would change how the list paints a
    // selected row's other columns.
    if (drawing_) result |= CDRF_NOTIFYPOSTPAINT;
  } else if (draw.nmcd.dwDrawStage == CDDS_POSTPAINT && drawing_) {
    DrawBoxes(draw.nmcd.hdc);
  }
}

void TveListCheckBoxes::DrawBoxes(HDC dc) const {
  const int count = int(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
  const int top = int(SendMessageA(list_, LVM_GETTOPINDEX, 0, 0));
  // A row cut by the bottom edge is not counted in a page.
  const int last = std::min(count, top + int(SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0)) + 1);
  for (int item = std::max(top, 0); item < last; ++item) {
    const UINT state =
        UINT(SendMessageA(list_, LVM_GETITEMSTATE, WPARAM(item), LVIS_STATEIMAGEMASK)) >> 12;
    if (state < 1 || state > 2) continue;
    // The box stands left of the row's icon, at the icon's top, as the list places it.
    RECT icon{};
    icon.left = LVIR_ICON;
    if (!SendMessageA(list_, LVM_GETITEMRECT, WPARAM(item), reinterpret_cast<LPARAM>(&icon)))
      continue;
    const img::Bitmap32& glyph = glyphs_[state - 1];
    BitBlt(dc, icon.left - glyph.Width(), icon.top, glyph.Width(), glyph.Height(), glyph.DC(), 0, 0,
           SRCCOPY);
  }
}
