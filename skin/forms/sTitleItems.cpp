#include "skin/forms/sTitleItems.h"

#include <algorithm>

#include "skin/render/sDcHelpers.h"

namespace {

bool IsFuchsia(const img::TRGBAPixel& p) {
  return p.R == 0xFF && p.G == 0 && p.B == 0xFF;
}

}  // namespace

TsItemSize CalcItemSize(const TsItemContent& c, int itemsMargin, bool keepSize, int width,
                        int height) {
  bool menu = c.Style == TveBtnStyle::bsMenu, tab = c.Style == TveBtnStyle::bsTab;
  int w = c.ImageWidth, h = c.ImageHeight;
  if (c.HasCaption) {
    w += (w != 0 ? c.Spacing : 0) + c.TextWidth + (tab ? 4 : 0);
    h = std::max(h, c.TextHeight);
  }
  if ((menu || c.Style == TveBtnStyle::bsButton) && c.HasDropdown)
    w += (menu ? 4 : 1) + c.ArrowWidth;
  if (menu || tab) h += 1;
  TsItemSize size{w, h, width, height};
  if (!keepSize && c.Style != TveBtnStyle::bsSpacing) {
    size.Width = std::max(16, 2 * (itemsMargin + (menu ? 4 : 0)) + w);
    size.Height = std::max(16, 2 * itemsMargin + h);
  }
  return size;
}

TsBarGeometry TitleBarGeometry(const TsSkinModel& skin, const TsFormShape& form,
                               const TsSystemMetrics& metrics, const TsTitleLayout& layout) {
  TsBarGeometry g;
  g.Bar.Left = layout.IconRect.Right + (layout.IconShown ? 6 : 0);
  // The skin's own frame puts the title where its offsets say, maximised or not.
  g.Bar.Top = form.SkinnedFrame ? layout.TitleTop : form.Maximized ? 6 : 0;
  g.Bar.Right = layout.ButtonsLeft - 6;
  g.Bar.Bottom = layout.TitleBottom;
  g.CenterY = layout.TitleCenterY;
  g.FullRight = form.Width - skin.GlobalInfo.BIRight - NativeFrameWidth(form, metrics);
  return g;
}

TsArrangement ArrangeItems(const TsBarGeometry& g, const std::vector<TsArrangeItem>& items) {
  constexpr int kAligns = 4;
  std::array<int, kAligns> total{};
  for (const TsArrangeItem& item : items)
    if (item.Visible) total[size_t(item.Align)] += item.Width;
  const TRect& bar = g.Bar;
  int left = total[size_t(TveItemAlign::tbaLeft)], right = total[size_t(TveItemAlign::tbaRight)];
  std::array<int, kAligns> x = {
      bar.Left, bar.Right - right,
      bar.Left + (g.FullRight - bar.Left - total[size_t(TveItemAlign::tbaCenter)]) / 2,
      bar.Left + left +
          (bar.Width() - left - right - total[size_t(TveItemAlign::tbaCenterInSpace)]) / 2};
  TsArrangement result;
  for (const TsArrangeItem& item : items) {
    TRect r;
    if (item.Visible) {
      int& at = x[size_t(item.Align)];
      r.Left = at;
      r.Right = at + item.Width;
      at += item.Width;
      switch (item.Style) {
        case TveBtnStyle::bsMenu:
          r.Top = bar.Top;
          break;
        case TveBtnStyle::bsTab:
          r.Top = bar.Bottom - item.Height;
          break;
        default:
          r.Top = g.CenterY - item.Height / 2;
          break;
      }
      r.Bottom = r.Top + item.Height;
    }
    result.Rects.push_back(r);
  }
  result.CaptionRect = {bar.Left + left + 8, bar.Top, bar.Right - right - 8, bar.Bottom};
  return result;
}

std::vector<int> ItemPaintOrder(const std::vector<bool>& downTabs) {
  std::vector<int> order;
  for (bool down : {false, true})
    for (int i = int(downTabs.size()) - 1; i >= 0; --i)
      if (downTabs[size_t(i)] == down) order.push_back(i);
  return order;
}

TsItemPlate ItemPlate(TveBtnStyle style, const TRect& rect, int barHeight, bool hasSection,
                      bool down, int contentWidth) {
  TsItemPlate p{rect, rect};
  if (style == TveBtnStyle::bsMenu && !hasSection) {
    p.Plate.Bottom = std::min(p.Plate.Bottom, p.Plate.Top + barHeight - 2);
  } else if (style == TveBtnStyle::bsTab) {
    p.Plate.Top = std::max(p.Plate.Top, p.Plate.Bottom - (barHeight - 2));
    if (hasSection && !down) p.Plate.Top += 2;
    p.Content.Left = rect.Left + (rect.Width() - contentWidth - 1) / 2;
    p.Content.Right = p.Content.Left + contentWidth;
  }
  return p;
}

int ItemImageIndex(const TsItemImages& images, int state, bool enabled) {
  int index = !enabled     ? images.Disabled
              : state == 1 ? images.Hot
              : state == 2 ? images.Pressed
                           : images.Normal;
  return index < 0 ? images.Normal : index;
}

int ItemSection(const TsSkinModel& skin, const std::string& skinSection, TveBtnStyle style,
                std::string& name) {
  if (!skinSection.empty()) {
    name = skinSection;
    if (int index = skin.FindSection(name); index >= 0) return index;
  }
  static constexpr struct {
    TveBtnStyle Style;
    const char* Names[2];
  } kStyleSections[] = {{TveBtnStyle::bsButton, {"TB_BTN", "TOOLBUTTON"}},
                        {TveBtnStyle::bsMenu, {"TB_MENUBTN", nullptr}},
                        {TveBtnStyle::bsTab, {"TB_TAB", "TABTOP"}}};
  for (const auto& entry : kStyleSections) {
    if (entry.Style != style) continue;
    for (const char* candidate : entry.Names) {
      if (!candidate) continue;
      name = candidate;
      if (int index = skin.FindSection(name); index >= 0) return index;
    }
  }
  name.clear();
  return -1;
}

void ConvertStoredAlpha(img::Bitmap32& picture) {
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      img::TRGBAPixel& p = picture.Pixel(x, y);
      if (IsFuchsia(p)) continue;
      int opacity = 255 - p.A;
      p = {uint8_t(p.B * opacity / 256), uint8_t(p.G * opacity / 256), uint8_t(p.R * opacity / 256),
           uint8_t(opacity)};
    }
}

void PaintMenuButtonPlate(img::Bitmap32& target, const TRect& rect, const img::Bitmap32& picture,
                          int state) {
  constexpr int kLeft = 8, kTop = 2, kRight = 8, kBottom = 4;
  int fw = picture.Width() / 3, fh = picture.Height();
  if (fw <= kLeft + kRight || fh <= kTop + kBottom || rect.Width() <= 0 || rect.Height() <= 0)
    return;
  int sx = std::clamp(state, 0, 2) * fw;
  int midW = rect.Width() - kLeft - kRight, midH = rect.Height() - kTop - kBottom;
  int srcMidW = fw - kLeft - kRight, srcMidH = fh - kTop - kBottom;
  // Columns and rows of the nine slices: (destination start, size, source start, size).
  struct Span {
    int At, Size, From, SourceSize;
  };
  const Span columns[3] = {{rect.Left, kLeft, sx, kLeft},
                           {rect.Left + kLeft, midW, sx + kLeft, srcMidW},
                           {rect.Right - kRight, kRight, sx + fw - kRight, kRight}};
  const Span rows[3] = {{rect.Top, kTop, 0, kTop},
                        {rect.Top + kTop, midH, kTop, srcMidH},
                        {rect.Bottom - kBottom, kBottom, fh - kBottom, kBottom}};
  for (int r = 0; r < 3; ++r)
    for (int c = 0; c < 3; ++c) {
      const Span &col = columns[c], &row = rows[r];
      if (col.Size <= 0 || row.Size <= 0) continue;
      if (r == 1 || c == 1) {
        StretchBlock(target, col.At, row.At, col.Size, row.Size, picture, col.From, row.From,
                     col.SourceSize, row.SourceSize);
        continue;
      }
      for (int y = 0; y < row.Size; ++y)
        for (int x = 0; x < col.Size; ++x) {
          int tx = col.At + x, ty = row.At + y;
          if (tx < rect.Left || tx >= rect.Right || ty < rect.Top || ty >= rect.Bottom) continue;
          if (tx < 0 || ty < 0 || tx >= target.Width() || ty >= target.Height()) continue;
          const img::TRGBAPixel& s = picture.Pixel(col.From + x, row.From + y);
          if (!IsFuchsia(s)) target.Pixel(tx, ty) = s;
        }
    }
}

void BlendDisabled(img::Bitmap32& target, const img::Bitmap32& painted, const TRect& rect) {
  constexpr int kStrength = 128;
  int left = std::max(0, rect.Left), top = std::max(0, rect.Top);
  int right = std::min({rect.Right, target.Width(), painted.Width()});
  int bottom = std::min({rect.Bottom, target.Height(), painted.Height()});
  auto mix = [](uint8_t over, uint8_t under) {
    return uint8_t((over * kStrength + under * (255 - kStrength)) / 255);
  };
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) {
      const img::TRGBAPixel& s = painted.Pixel(x, y);
      img::TRGBAPixel& d = target.Pixel(x, y);
      d = {mix(s.B, d.B), mix(s.G, d.G), mix(s.R, d.R), mix(s.A, d.A)};
    }
}
