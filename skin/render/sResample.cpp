#include "skin/render/sResample.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <numbers>
#include <type_traits>
#include <utility>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr int kFilterCount = 7;
// How far each filter reaches, in source pixels after scaling.
constexpr float kSupport[kFilterCount] = {0.51f, 1.0f, 1.0f, 1.5f, 2.0f, 3.0f, 2.0f};

// The filter's weight at signed distance x, |x| below its support. Evaluated in extended
// precision and stored as single: the fixed weights made from it must not depend on the compiler.
float FilterWeight(int filter, float x) {
  const long double h = std::fabs(static_cast<long double>(x));
  constexpr long double pi = std::numbers::pi_v<long double>;
  long double v = 0;
  switch (filter) {
    case rfBox:
      v = x > -0.5f && x <= 0.5f ? 1 : 0;
      break;
    case rfTriangle:
      v = 1 - h;
      break;
    case rfHermite:
      v = 2 * h * h * h - 3 * h * h + 1;
      break;
    case rfBell:
      v = h < 0.5L ? 0.75L - h * h : 0.5L * (h - 1.5L) * (h - 1.5L);
      break;
    case rfBSpline:
      v = h < 1 ? h * h * h / 2 - h * h + 2.0L / 3 : (2 - h) * (2 - h) * (2 - h) / 6;
      break;
    case rfWindowedSine:
      v = h == 0 ? 1 : std::sin(pi * h) * std::sin(h) / (pi * h * h);
      break;
    case rfMitchell:
      v = h < 1 ? 7.0L / 6 * h * h * h - 2 * h * h + 8.0L / 9
                : -7.0L / 18 * h * h * h + 2 * h * h - 10.0L / 3 * h + 16.0L / 9;
      break;
  }
  return static_cast<float>(v);
}

// Source index j mirrored at the ends of a line of m pixels. A filter wider than a tiny source
// reaches past the mirror image too; such indexes are held at the nearest end rather than read
// outside the line.
int ReflectIndex(int j, int m) {
  if (j < 0) {
    j = -j;
  } else if (j >= m) {
    j = 2 * m - 1 - j;
  }
  return std::clamp(j, 0, m - 1);
}

// For every destination index, the source bytes that make it and their 16.16 fixed weights.
// Built once per pass: entries first[i] .. first[i + 1] - 1 belong to destination index i.
struct TContributors {
  std::vector<int> first;
  std::vector<ptrdiff_t> offset;  // byte offset into the source line
  std::vector<int32_t> weight;
};

// Contributors for n destination pixels from m source pixels that lie stride bytes apart. The
// centre of destination i is m * i / n (no half-pixel offset); shrinking widens the filter by the
// scale so that every source pixel still counts.
TContributors MakeContributors(int n, int m, ptrdiff_t stride, int filter) {
  const float support = kSupport[filter];
  const float scale = n < m ? static_cast<float>(n) / static_cast<float>(m) : 1.0f;
  const float width = support / scale;
  TContributors list;
  list.first.reserve(size_t(n) + 1);
  const size_t room = size_t(n) * size_t(2 * width + 1);
  list.offset.reserve(room);
  list.weight.reserve(room);
  for (int i = 0; i < n; ++i) {
    list.first.push_back(static_cast<int>(list.weight.size()));
    const float centre = static_cast<float>(m) * static_cast<float>(i) / static_cast<float>(n);
    const int left = static_cast<int>(std::floor(centre - width));
    const int right = static_cast<int>(std::ceil(centre + width));
    for (int j = left; j <= right; ++j) {
      const float x = (centre - static_cast<float>(j)) * scale;
      if (!(std::fabs(x) < support)) continue;
      const float v = FilterWeight(filter, x);
      if (v == 0) continue;
      list.offset.push_back(ptrdiff_t(ReflectIndex(j, m)) * stride);
      // v * scale is exact in double, so this rounds the true product (halves to even).
      list.weight.push_back(static_cast<int32_t>(std::nearbyint(double(v) * scale * 65536.0)));
    }
  }
  list.first.push_back(static_cast<int>(list.weight.size()));
  return list;
}

// A 16.16 sum as a channel value: negative sums give 0, sums from 256.0 up give 255.
inline uint8_t ToByte(int32_t sum) {
  return static_cast<uint8_t>(std::clamp(sum >> 16, 0, 255));
}

// Destination value from the bytes at first + offset[k] for the contributors k of one index.
inline uint8_t FilterByte(const uint8_t* first, const TContributors& list, int index) {
  int32_t sum = 0;
  for (int k = list.first[index]; k < list.first[index + 1]; ++k) {
    sum += list.weight[k] * first[list.offset[k]];
  }
  return ToByte(sum);
}

#ifdef __SSE2__
// The multiply-add of signed 16-bit lanes takes two terms per 32-bit sum, but a weight reaches
// 65536 and goes below 0. So each weight w is split as hi * 256 + lo (lo = w & 255) and a byte b
// enters as the pair (b << 7, b) against (2 * hi, lo): (b << 7) * 2 * hi + b * lo = b * w exactly.
std::vector<int32_t> SplitWeights(const TContributors& list) {
  std::vector<int32_t> split(list.weight.size());
  for (size_t k = 0; k < split.size(); ++k) {
    const int32_t w = list.weight[k];
    split[k] = static_cast<int32_t>(uint32_t(w & 0xFF) << 16 | (uint32_t((w >> 8) * 2) & 0xFFFF));
  }
  return split;
}

// Words b as the pairs (b << 7, b), the low four and the high four.
inline __m128i LowPairs(__m128i words) {
  return _mm_unpacklo_epi16(_mm_slli_epi16(words, 7), words);
}
inline __m128i HighPairs(__m128i words) {
  return _mm_unpackhi_epi16(_mm_slli_epi16(words, 7), words);
}
// Two vectors of four 16.16 sums as eight bytes, clamped like ToByte.
inline __m128i ToBytes(__m128i low, __m128i high) {
  const __m128i words = _mm_packs_epi32(_mm_srai_epi32(low, 16), _mm_srai_epi32(high, 16));
  return _mm_packus_epi16(words, words);
}
#endif

// The horizontal pass: every row of the source into the same row of the destination.
template <int Bpp>
void FilterRows(const uint8_t* source, ptrdiff_t sourceStride, int rows, uint8_t* dest,
                ptrdiff_t destStride, int destWidth, const TContributors& list) {
#ifdef __SSE2__
  if constexpr (Bpp == 4) {
    // One pixel's four channels are one vector.
    const std::vector<int32_t> split = SplitWeights(list);
    const __m128i zero = _mm_setzero_si128();
    for (int y = 0; y < rows; ++y) {
      const uint8_t* line = source + y * sourceStride;
      uint8_t* out = dest + y * destStride;
      for (int x = 0; x < destWidth; ++x, out += 4) {
        __m128i sum = zero;
        for (int k = list.first[x]; k < list.first[x + 1]; ++k) {
          int32_t pixel;
          std::memcpy(&pixel, line + list.offset[k], 4);
          const __m128i words = _mm_unpacklo_epi8(_mm_cvtsi32_si128(pixel), zero);
          sum = _mm_add_epi32(sum, _mm_madd_epi16(LowPairs(words), _mm_set1_epi32(split[k])));
        }
        const int32_t bytes = _mm_cvtsi128_si32(ToBytes(sum, zero));
        std::memcpy(out, &bytes, 4);
      }
    }
    return;
  }
#endif
  for (int y = 0; y < rows; ++y) {
    const uint8_t* line = source + y * sourceStride;
    uint8_t* out = dest + y * destStride;
    for (int x = 0; x < destWidth; ++x) {
      for (int c = 0; c < Bpp; ++c) out[x * Bpp + c] = FilterByte(line + c, list, x);
    }
  }
}

// The vertical pass, a destination row at a time. Where vectors are at hand each run of eight
// bytes gathers its sums over all contributing rows in registers; the bytes left over (and all of
// them elsewhere) are filtered one by one.
void FilterColumns(const uint8_t* source, int rowBytes, uint8_t* dest, ptrdiff_t destStride,
                   int destHeight, const TContributors& list) {
#ifdef __SSE2__
  const std::vector<int32_t> split = SplitWeights(list);
  const __m128i zero = _mm_setzero_si128();
#endif
  for (int y = 0; y < destHeight; ++y) {
    uint8_t* out = dest + y * destStride;
    int i = 0;
#ifdef __SSE2__
    for (; i + 8 <= rowBytes; i += 8) {
      __m128i low = zero, high = zero;
      for (int k = list.first[y]; k < list.first[y + 1]; ++k) {
        const __m128i bytes =
            _mm_loadl_epi64(reinterpret_cast<const __m128i*>(source + list.offset[k] + i));
        const __m128i words = _mm_unpacklo_epi8(bytes, zero);
        const __m128i weights = _mm_set1_epi32(split[k]);
        low = _mm_add_epi32(low, _mm_madd_epi16(LowPairs(words), weights));
        high = _mm_add_epi32(high, _mm_madd_epi16(HighPairs(words), weights));
      }
      _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), ToBytes(low, high));
    }
#endif
    for (; i < rowBytes; ++i) out[i] = FilterByte(source + i, list, y);
  }
}

const uint8_t* Bytes(const img::PixelRows32& pixels) {
  return reinterpret_cast<const uint8_t*>(pixels.Row(0));
}
uint8_t* Bytes(img::PixelRows32& pixels) {
  return reinterpret_cast<uint8_t*>(pixels.Row(0));
}
const uint8_t* Bytes(const img::Bitmap24& bitmap) {
  return bitmap.Row(0);
}
uint8_t* Bytes(img::Bitmap24& bitmap) {
  return bitmap.Row(0);
}

// 32-bit pictures pass through plain memory between the passes, whatever dest is.
template <int Bpp, class TBitmap>
using TPassPicture = std::conditional_t<Bpp == 4, img::Pixels32, TBitmap>;

template <int Bpp, class TSource, class TBitmap>
void Resample(const TSource& source, TBitmap& dest, int newWidth, int filter, int newHeight) {
  if (newWidth <= 0 || newHeight <= 0) return;
  const int width = source.Width(), height = source.Height();
  if (width <= 1 || height <= 1) throw EResampleError("Source bitmap is too small");
  if (newWidth == width && newHeight == height) {
    if (&source != &dest) dest = TBitmap(source);
    return;
  }
  if (filter < 0 || filter >= kFilterCount) return;

  // Both bitmap kinds keep their rows top-down and unpadded.
  const ptrdiff_t sourceStride = ptrdiff_t(width) * Bpp, tempStride = ptrdiff_t(newWidth) * Bpp;
  TPassPicture<Bpp, TBitmap> temp(newWidth, height);
  FilterRows<Bpp>(Bytes(source), sourceStride, height, Bytes(temp), tempStride, newWidth,
                  MakeContributors(newWidth, width, Bpp, filter));
  // dest is replaced only once both passes are done, so it may be the source itself.
  TBitmap result(newWidth, newHeight);
  FilterColumns(Bytes(temp), newWidth * Bpp, Bytes(result), tempStride, newHeight,
                MakeContributors(newHeight, height, tempStride, filter));
  dest = std::move(result);
}

}  // namespace

void ResampleBitmap(const img::PixelRows32& source, img::Bitmap32& dest, int newWidth, int filter,
                    int newHeight) {
  Resample<4>(source, dest, newWidth, filter, newHeight);
}

void ResampleBitmap(const img::PixelRows32& source, img::Pixels32& dest, int newWidth, int filter,
                    int newHeight) {
  Resample<4>(source, dest, newWidth, filter, newHeight);
}

void ResampleBitmap(const img::Bitmap24& source, img::Bitmap24& dest, int newWidth, int filter,
                    int newHeight) {
  Resample<3>(source, dest, newWidth, filter, newHeight);
}
