#include "skin/render/sSliceTile.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "skin/render/sBlend.h"
#include "skin/render/sSliceCopy.h"

namespace {

using img::TRGBAPixel;

// Calls tile(position, length) along a span from start to end: whole tiles while the position is
// below end - length, then one tile up to end (shorter, or whole when it fits exactly). Tiles
// wholly outside [lo, hi) are skipped without being visited, so a huge span costs no more than
// its visible part.
template <typename Tile>
void ForEachTile(int start, int end, int length, int lo, int hi, Tile tile) {
  if (length <= 0 || end <= start) return;
  int64_t pos = start;
  const int64_t lastWhole = int64_t(end) - length;
  if (pos + length <= lo && pos < lastWhole) {
    const int64_t wholeTiles = (lastWhole - start + length - 1) / length;
    pos += std::min<int64_t>((int64_t(lo) - start) / length, wholeTiles) * length;
  }
  for (; pos < lastWhole && pos < hi; pos += length) tile(int(pos), length);
  if (pos < end && pos < hi) tile(int(pos), int(end - pos));
}

// The column runs of plain tiles, merged where one run goes on where the one before it stopped,
// in the target and in the tile: a merged run reads the tile from S to its end, then from its
// start (left) over and over.
struct TPlainRuns {
  std::vector<TSliceSpan> runs;
  int64_t left = 0, width = 0;  // the tile's columns in the source

  void Add(const TSliceSpan& run) {
    if (!runs.empty()) {
      TSliceSpan& last = runs.back();
      if (run.T == last.T + last.N && run.S == left && (last.S - left + last.N) % width == 0) {
        last.N += run.N;
        return;
      }
    }
    runs.push_back(run);
  }

  // A whole row: the first piece of each run from the source, the rest doubled from itself.
  void CopyRow(TRGBAPixel* d, const TRGBAPixel* s) const {
    for (const TSliceSpan& run : runs) {
      TRGBAPixel* out = d + run.T;
      const int64_t head = std::min(run.N, left + width - run.S);
      std::memmove(out, s + run.S, size_t(head) * sizeof(TRGBAPixel));
      if (head == run.N) continue;
      std::memmove(out + head, s + left,
                   size_t(std::min(width, run.N - head)) * sizeof(TRGBAPixel));
      RepeatPixels(out + head, size_t(width), size_t(run.N - head));
    }
  }
};

// One row of masked tiles: the visible column runs of every tile, the same for each row.
template <TTileMix Mix>
void MixRow(TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel* k,
            const std::vector<TSliceSpan>& runs) {
  for (const TSliceSpan& run : runs) {
    TRGBAPixel* out = d + run.T;
    const TRGBAPixel* in = s + run.S;
    const TRGBAPixel* mask = k + run.S;
    for (int64_t i = 0; i < run.N; ++i) {
      if (!IsKeyPixel(in[i]))
        Mix == TTileMix::MaskedOpaque ? MixMaskedOpaque(out[i], in[i], mask[i])
                                      : MixMaskedAlpha(out[i], in[i], mask[i]);
      else if (Mix == TTileMix::MaskedAlpha)
        out[i].A = 0;
    }
  }
}

// Calls row(target row, source row, mask row) for every row of every tile row.
template <typename Row>
void ForEachTileRow(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                    int maskOffset, int h, Row row) {
  ForEachTile(dest.Top, dest.Bottom, h, 0, target.Height(), [&](int y, int n) {
    const TSliceSpan rows = ClipSliceSpan(y, src.Top, n, source.Height(), target.Height());
    if (rows.N <= 0) return;
    const int maskY = MaskRow(int(rows.S), int(rows.N), maskOffset, source);
    for (int j = 0; j < rows.N; ++j)
      row(target.Row(int(rows.T) + j), source.Row(int(rows.S) + j), source.Row(maskY + j));
  });
}

// The visible column runs of the tiles of one row, given to add(run).
template <typename Add>
void ForEachRun(const img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                int w, Add add) {
  ForEachTile(dest.Left, dest.Right, w, 0, target.Width(), [&](int x, int n) {
    const TSliceSpan run = ClipSliceSpan(x, src.Left, n, source.Width(), target.Width());
    if (run.N > 0) add(run);
  });
}

void TilePlain(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src, int w,
               int h) {
  TPlainRuns plain{{}, src.Left, w};
  ForEachRun(target, dest, source, src, w, [&](const TSliceSpan& run) { plain.Add(run); });
  if (plain.runs.empty()) return;
  ForEachTileRow(
      target, dest, source, src, 0, h,
      [&](TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel*) { plain.CopyRow(d, s); });
}

template <TTileMix Mix>
void TileMasked(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
                int maskOffset, int w, int h) {
  std::vector<TSliceSpan> runs;
  ForEachRun(target, dest, source, src, w, [&](const TSliceSpan& run) { runs.push_back(run); });
  if (runs.empty()) return;
  ForEachTileRow(
      target, dest, source, src, maskOffset, h,
      [&](TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel* k) { MixRow<Mix>(d, s, k, runs); });
}

}  // namespace

void TileBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
               int maskOffset, TTileMix mix) {
  const int64_t w = int64_t(src.Right) - src.Left, h = int64_t(src.Bottom) - src.Top;
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return;
  switch (mix) {
    case TTileMix::Plain:
      TilePlain(target, dest, source, src, int(w), int(h));
      break;
    case TTileMix::MaskedOpaque:
      TileMasked<TTileMix::MaskedOpaque>(target, dest, source, src, maskOffset, int(w), int(h));
      break;
    case TTileMix::MaskedAlpha:
      TileMasked<TTileMix::MaskedAlpha>(target, dest, source, src, maskOffset, int(w), int(h));
      break;
  }
}
