#include "skin/render/sScaledSkin.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

#include "platform/Dpi.h"
#include "skin/data/MaskGeometry.h"
#include "skin/data/sScaledMetrics.h"
#include "skin/data/sSkinManager.h"
#include "skin/render/sResample.h"
#include "skin/render/sSliceCopy.h"
#include "skin/render/sSliceStretch.h"

namespace {

using img::TRGBAPixel;

// The source pixel under the centre of destination pixel i, n destination pixels spanning m.
int NearestIndex(int i, int n, int m) {
  return int((2 * int64_t(i) + 1) * m / (2 * int64_t(n)));
}

// Key pixels next to picture pixels take the mean of those neighbours, twice over, so that the
// filter, which reaches two source pixels, mixes no fuchsia into the picture's edge.
void FillKeyPixels(img::Pixels32& piece, const std::vector<bool>& key) {
  const int w = piece.Width(), h = piece.Height();
  std::vector<bool> open = key;
  for (int pass = 0; pass < 2; ++pass) {
    std::vector<bool> next = open;
    const img::Pixels32 before = piece;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        if (!open[size_t(y * w + x)]) continue;
        std::array<int, 4> sum{};
        int count = 0;
        for (int dy = -1; dy <= 1; ++dy)
          for (int dx = -1; dx <= 1; ++dx) {
            const int nx = x + dx, ny = y + dy;
            if (nx < 0 || ny < 0 || nx >= w || ny >= h || open[size_t(ny * w + nx)]) continue;
            const TRGBAPixel p = before.Pixel(nx, ny);
            sum[0] += p.B, sum[1] += p.G, sum[2] += p.R, sum[3] += p.A;
            ++count;
          }
        if (count == 0) continue;
        piece.Pixel(x, y) = {uint8_t(sum[0] / count), uint8_t(sum[1] / count),
                             uint8_t(sum[2] / count), uint8_t(sum[3] / count)};
        next[size_t(y * w + x)] = false;
      }
    open = std::move(next);
  }
}

// Scales the block of source to w x h and lays it at (x, y) of target. With keyed, key pixels are
// kept where the source pixel under a destination pixel is one. Every picture on the way is plain
// memory: only the pictures the copy keeps are bitmaps.
void ScaleBlock(img::PixelRows32& target, int x, int y, int w, int h,
                const img::PixelRows32& source, TRect block, bool keyed) {
  const int bw = block.Width(), bh = block.Height();
  if (w <= 0 || h <= 0 || bw <= 0 || bh <= 0) return;
  if (w == bw && h == bh) {
    for (int j = 0; j < h; ++j)
      std::memcpy(target.Row(y + j) + x, source.Row(block.Top + j) + block.Left,
                  size_t(w) * sizeof(TRGBAPixel));
    return;
  }
  img::Pixels32 piece = WidenedBlock(source, block);
  std::vector<bool> key(piece.PixelCount());
  bool anyKey = false;
  // The alpha every picture pixel of the block shares, or -1: the filter's rounding must not
  // make an opaque picture a little transparent.
  int alpha = -2;
  for (int j = 0; j < piece.Height(); ++j)
    for (int i = 0; i < piece.Width(); ++i) {
      const TRGBAPixel p = piece.Pixel(i, j);
      const bool isKey = keyed && IsKeyPixel(p);
      key[size_t(j * piece.Width() + i)] = isKey;
      anyKey = anyKey || isKey;
      if (!isKey) alpha = alpha == -2 || alpha == p.A ? p.A : -1;
    }
  if (anyKey) FillKeyPixels(piece, key);
  img::Pixels32 scaled;
  ResampleBitmap(piece, scaled, w, rfMitchell, h);
  for (int j = 0; j < h; ++j) {
    TRGBAPixel* d = target.Row(y + j) + x;
    std::memcpy(d, scaled.Row(j), size_t(w) * sizeof(TRGBAPixel));
    if (alpha >= 0)
      for (int i = 0; i < w; ++i) d[i].A = uint8_t(alpha);
    if (!anyKey) continue;
    const TRGBAPixel* s = source.Row(block.Top + NearestIndex(j, h, bh)) + block.Left;
    for (int i = 0; i < w; ++i) {
      if (IsKeyPixel(s[NearestIndex(i, w, bw)]))
        d[i] = {0xFF, 0, 0xFF, 0};
      else if (IsKeyPixel(d[i]))
        d[i].A = 1;  // a picture pixel the filter happened to make fuchsia stays a picture pixel
    }
  }
}

// Where a side's slices are cut: at the entry's own margin, else at its default one.
int CutMargin(int16_t own, const TsMaskData& e) {
  return own > 0 ? own : std::max<int>(e.DefaultMargin, 0);
}

// How an entry's picture is laid out in cells (state frames side by side, picture and mask bands
// below each other) and what each cell becomes.
struct TEntryPlan {
  TRect Src;  // the entry's rectangle in its picture
  int Cols = 1, Bands = 1;
  int CellW = 0, CellH = 0;
  TsSliceCuts X, Y;
  int Width() const { return Cols * X.Size; }
  int Height() const { return Bands * Y.Size; }
};

TEntryPlan PlanEntry(const TsMaskData& e, int dpi) {
  TEntryPlan p;
  p.Src = e.SrcRect;
  p.Cols = e.StateCount > 1 ? e.StateCount : 1;
  p.CellW = e.StateCount > 1 ? FrameWidth(e) : e.SrcRect.Width();
  p.Bands = e.MaskRows > 0 ? e.MaskRows + 1 : 1;
  p.CellH = e.MaskRows > 0 ? FrameHeight(e) : e.SrcRect.Height();
  p.X = ScaleSliceCuts(p.CellW, CutMargin(e.MarginLeft, e), CutMargin(e.MarginRight, e), dpi);
  p.Y = ScaleSliceCuts(p.CellH, CutMargin(e.MarginTop, e), CutMargin(e.MarginBottom, e), dpi);
  return p;
}

bool Inside(TRect r, const img::Bitmap32& picture) {
  return r.Left >= 0 && r.Top >= 0 && r.Right <= picture.Width() && r.Bottom <= picture.Height() &&
         r.Left < r.Right && r.Top < r.Bottom;
}

// The three parts of a cell's side: start, lengths at 96 DPI and at the scale.
struct TSpans {
  std::array<int, 3> From, Source, Dest, To;
};
TSpans Spans(int cell, int first, int last, const TsSliceCuts& c) {
  first = std::clamp(first, 0, cell);
  last = std::clamp(last, 0, cell - first);
  TSpans s;
  s.Source = {first, cell - first - last, last};
  s.Dest = {c.First, c.Size - c.First - c.Last, c.Last};
  s.From = {0, first, cell - last};
  s.To = {0, c.First, c.Size - c.Last};
  return s;
}

// Every cell of the entry, slice by slice, into target with the entry's top-left at (x, y).
void ScaleEntry(img::PixelRows32& target, int x, int y, const TsMaskData& e, const TEntryPlan& p,
                const img::PixelRows32& picture) {
  const TSpans sx = Spans(p.CellW, CutMargin(e.MarginLeft, e), CutMargin(e.MarginRight, e), p.X);
  const TSpans sy = Spans(p.CellH, CutMargin(e.MarginTop, e), CutMargin(e.MarginBottom, e), p.Y);
  for (int band = 0; band < p.Bands; ++band)
    for (int col = 0; col < p.Cols; ++col) {
      const int cellX = p.Src.Left + col * p.CellW, cellY = p.Src.Top + band * p.CellH;
      for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
          const TRect block{cellX + sx.From[i], cellY + sy.From[j],
                            cellX + sx.From[i] + sx.Source[i], cellY + sy.From[j] + sy.Source[j]};
          ScaleBlock(target, x + col * p.X.Size + sx.To[i], y + band * p.Y.Size + sy.To[j],
                     sx.Dest[i], sy.Dest[j], picture, block, band == 0);
        }
    }
}

// The entry's lengths at the scale, its picture at (x, y) of the picture it lies in.
void ScaleEntryGeometry(TsMaskData& e, const TEntryPlan& p, int x, int y, int dpi) {
  auto scaled = [](int16_t own, int cut) { return own > 0 ? int16_t(cut) : own; };
  e.MarginLeft = scaled(e.MarginLeft, p.X.First);
  e.MarginRight = scaled(e.MarginRight, p.X.Last);
  e.MarginTop = scaled(e.MarginTop, p.Y.First);
  e.MarginBottom = scaled(e.MarginBottom, p.Y.Last);
  if (e.DefaultMargin > 0) e.DefaultMargin = int16_t(platform::ScaleToDpi(e.DefaultMargin, dpi));
  e.SrcRect = {x, y, x + p.Width(), y + p.Height()};
}

// Entries of the master picture go into a new master picture, in rows as wide as the scaled
// master, in the order of the table.
void ScaleMasterEntries(const TsSkinModel& skin, TsSkinModel& copy, int dpi) {
  const int rowWidth = platform::ScaleToDpi(skin.MasterImage.Width(), dpi);
  std::vector<TEntryPlan> plans(copy.ImageTable.size());
  std::vector<TPoint> places(copy.ImageTable.size());
  int x = 0, y = 0, rowHeight = 0, width = 0;
  for (size_t k = 0; k < copy.ImageTable.size(); ++k) {
    const TsMaskData& e = skin.ImageTable[k];
    if (e.Image || !Inside(e.SrcRect, skin.MasterImage)) continue;
    plans[k] = PlanEntry(e, dpi);
    if (x > 0 && x + plans[k].Width() > rowWidth) x = 0, y += rowHeight, rowHeight = 0;
    places[k] = {x, y};
    x += plans[k].Width();
    width = std::max(width, x);
    rowHeight = std::max(rowHeight, plans[k].Height());
  }
  if (width == 0 || y + rowHeight == 0) return;
  copy.MasterImage = img::Bitmap32(width, y + rowHeight);
  for (size_t k = 0; k < copy.ImageTable.size(); ++k) {
    const TsMaskData& e = skin.ImageTable[k];
    if (e.Image || !Inside(e.SrcRect, skin.MasterImage)) continue;
    ScaleEntry(copy.MasterImage, places[k].X, places[k].Y, e, plans[k], skin.MasterImage);
    ScaleEntryGeometry(copy.ImageTable[k], plans[k], places[k].X, places[k].Y, dpi);
  }
}

// An entry with a picture of its own, its picture and lengths at dpi.
void ScaleOwnPicture(TsMaskData& e, int dpi) {
  const TEntryPlan plan = PlanEntry(e, dpi);
  auto picture = std::make_shared<img::Bitmap32>(plan.Width(), plan.Height());
  ScaleEntry(*picture, 0, 0, e, plan, *e.Image);
  e.Image = std::move(picture);
  ScaleEntryGeometry(e, plan, 0, 0, dpi);
}

// The border windows' shadows at dpi: a skin's own EXBORDER frames come from the scaled copy,
// with its margins; the built-in shadow is scaled here.
TsBorderShadows ScaledShadows(const TsSkinManager& manager, const TsSkinModel& copy, int dpi) {
  const TsBorderShadows& shadows = manager.BorderShadows();
  if (!shadows.Extended || copy.IsValidImageIndex(copy.QuickIndexes.GlobalImages[9]))
    return ComputeBorderShadows(copy, shadows.Extended);
  TsBorderShadows s = shadows;
  for (int* margin : {&s.Margins.Left, &s.Margins.Top, &s.Margins.Right, &s.Margins.Bottom})
    *margin = platform::ScaleToDpi(*margin, dpi);
  for (TsMaskData* picture : {&s.Active, &s.Inactive}) {
    picture->Owner = &copy;
    if (picture->Image && Inside(picture->SrcRect, *picture->Image)) ScaleOwnPicture(*picture, dpi);
  }
  return s;
}

const TsScaledSkin* ScaledSkinFor(TsSkinManager& manager, int dpi) {
  if (dpi <= 0 || dpi == platform::kDesignDpi) return nullptr;
  if (const TsScaledSkin* copy = manager.ScaledCopy(dpi)) return copy;
  TsScaledSkin made;
  made.Model = BuildScaledSkin(manager, dpi);
  made.Shadows = ScaledShadows(manager, *made.Model, dpi);
  return &manager.KeepScaledCopy(dpi, std::move(made));
}

}  // namespace

std::unique_ptr<TsSkinModel> BuildScaledSkin(const TsSkinModel& skin, int dpi) {
  auto copy = std::make_unique<TsSkinModel>();
  copy->CopyValuesOf(skin);
  ScaleGlobalMetrics(copy->GlobalInfo, dpi);
  for (TsGeneralData& section : copy->SectionTable) ScaleSectionMetrics(section, dpi);
  for (TsMaskData& e : copy->ImageTable) {
    const bool inside = e.Image ? Inside(e.SrcRect, *e.Image) : Inside(e.SrcRect, skin.MasterImage);
    if (!inside) e.SrcRect = {};
    if (inside && e.Image) ScaleOwnPicture(e, dpi);
  }
  ScaleMasterEntries(skin, *copy, dpi);
  return copy;
}

const TsSkinModel& SkinAtDpi(TsSkinManager& manager, int dpi) {
  const TsScaledSkin* copy = ScaledSkinFor(manager, dpi);
  return copy ? *copy->Model : manager;
}

const TsBorderShadows& BorderShadowsAtDpi(TsSkinManager& manager, int dpi) {
  const TsScaledSkin* copy = ScaledSkinFor(manager, dpi);
  return copy ? copy->Shadows : manager.BorderShadows();
}
