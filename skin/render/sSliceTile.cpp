#include "skin/render/sSliceTile.h"

#include <cstring>
#include <vector>

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

// One row of tiles: the visible column runs of every tile, the same for each row.
template <TTileMix Mix>
void MixRow(TRGBAPixel* d, const TRGBAPixel* s, const TRGBAPixel* k,
            const std::vector<TSliceSpan>& runs) {
  for (const TSliceSpan& run : runs) {
    TRGBAPixel* out = d + run.T;
    const TRGBAPixel* in = s + run.S;
    const TRGBAPixel* mask = k + run.S;
    if (Mix == TTileMix::Plain) {
      std::memmove(out, in, size_t(run.N) * sizeof(TRGBAPixel));
      continue;
    }
    for (int64_t i = 0; i < run.N; ++i) {
      if (!IsKeyPixel(in[i]))
        Mix == TTileMix::MaskedOpaque ? MixMaskedOpaque(out[i], in[i], mask[i])
                                      : MixMaskedAlpha(out[i], in[i], mask[i]);
      else if (Mix == TTileMix::MaskedAlpha)
        out[i].A = 0;
    }
  }
}

template <TTileMix Mix>
void Tile(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src, int maskOffset,
          int w, int h) {
  std::vector<TSliceSpan> runs;
  ForEachTile(dest.Left, dest.Right, w, 0, target.Width(), [&](int x, int n) {
    const TSliceSpan run = ClipSliceSpan(x, src.Left, n, source.Width(), target.Width());
    if (run.N > 0) runs.push_back(run);
  });
  if (runs.empty()) return;
  ForEachTile(dest.Top, dest.Bottom, h, 0, target.Height(), [&](int y, int n) {
    const TSliceSpan rows = ClipSliceSpan(y, src.Top, n, source.Height(), target.Height());
    if (rows.N <= 0) return;
    const int maskY = MaskRow(int(rows.S), int(rows.N), maskOffset, source);
    for (int j = 0; j < rows.N; ++j)
      MixRow<Mix>(target.Row(int(rows.T) + j), source.Row(int(rows.S) + j), source.Row(maskY + j),
                  runs);
  });
}

}  // namespace

void TileBlock(img::Bitmap32& target, TRect dest, const img::Bitmap32& source, TRect src,
               int maskOffset, TTileMix mix) {
  const int64_t w = int64_t(src.Right) - src.Left, h = int64_t(src.Bottom) - src.Top;
  if (w <= 0 || h <= 0 || w > INT32_MAX || h > INT32_MAX) return;
  switch (mix) {
    case TTileMix::Plain:
      Tile<TTileMix::Plain>(target, dest, source, src, maskOffset, int(w), int(h));
      break;
    case TTileMix::MaskedOpaque:
      Tile<TTileMix::MaskedOpaque>(target, dest, source, src, maskOffset, int(w), int(h));
      break;
    case TTileMix::MaskedAlpha:
      Tile<TTileMix::MaskedAlpha>(target, dest, source, src, maskOffset, int(w), int(h));
      break;
  }
}
