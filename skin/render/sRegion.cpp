#include "skin/render/sRegion.h"

#include <algorithm>

namespace {

bool IsEmpty(const TRect& r) {
  return r.Left >= r.Right || r.Top >= r.Bottom;
}

}  // namespace

TsRegion::TsRegion(TRect rect) {
  if (!IsEmpty(rect)) rects_.push_back(rect);
}

void TsRegion::Subtract(TRect cut) {
  if (IsEmpty(cut)) return;
  std::vector<TRect> kept;
  kept.reserve(rects_.size() + 4);
  for (const TRect& r : rects_) {
    const TRect overlap{std::max(r.Left, cut.Left), std::max(r.Top, cut.Top),
                        std::min(r.Right, cut.Right), std::min(r.Bottom, cut.Bottom)};
    if (IsEmpty(overlap)) {
      kept.push_back(r);
      continue;
    }
    // What is left of r around the overlap: full-width bands above and below, and the parts
    // left and right of it in the overlap's rows.
    const TRect pieces[] = {{r.Left, r.Top, r.Right, overlap.Top},
                            {r.Left, overlap.Bottom, r.Right, r.Bottom},
                            {r.Left, overlap.Top, overlap.Left, overlap.Bottom},
                            {overlap.Right, overlap.Top, r.Right, overlap.Bottom}};
    for (const TRect& piece : pieces)
      if (!IsEmpty(piece)) kept.push_back(piece);
  }
  rects_ = std::move(kept);
}

bool TsRegion::Contains(int x, int y) const {
  return std::any_of(rects_.begin(), rects_.end(), [x, y](const TRect& r) {
    return x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
  });
}

long long TsRegion::Area() const {
  long long area = 0;
  for (const TRect& r : rects_)
    area += ((long long)r.Right - r.Left) * ((long long)r.Bottom - r.Top);
  return area;
}
