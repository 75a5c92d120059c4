#include "skin/render/sBlur.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

constexpr int kMaxHalfSize = 100;
constexpr int kOne = 65536;

// Pixel i of a line: (w0 * centre + sum over k of wk * (before_k + after_k)) >> 16, with taps[0]
// the centre line and taps[2k - 1], taps[2k] the lines k before and after it. The kernel is
// symmetric, so each pair of taps costs one multiplication.
inline uint8_t FilterPixel(const uint8_t* const* taps, const TGaussKernel& kernel, int i) {
  uint32_t sum = kernel.weights[0] * taps[0][i];
  for (int k = 1; k <= kernel.halfSize; ++k) {
    sum += kernel.weights[k] * uint32_t(taps[2 * k - 1][i] + taps[2 * k][i]);
  }
  return static_cast<uint8_t>(sum >> 16);
}

#ifdef __SSE2__
inline __m128i LoadWords(const uint8_t* bytes) {
  return _mm_unpacklo_epi8(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(bytes)),
                           _mm_setzero_si128());
}

// FilterPixel for eight pixels at a time, as long as eight remain; returns how many it did. The
// multiply-add of signed 16-bit lanes takes two terms per 32-bit sum. Every weight but the centre
// one is below 32768 (the centre outweighs each of them and the kernel has more than one), so they
// go in pairs; the centre weight (at most 65534) is split as c * w0 = c * (w0 - 32768) +
// (c << 7) * 256. Every partial sum stays within 0 .. 255 * 65536.
int FilterEights(const uint8_t* const* taps, const TGaussKernel& kernel, int count, uint8_t* out) {
  const int n = kernel.halfSize;
  auto pair = [](uint32_t first, uint32_t second) {
    return _mm_set1_epi32(static_cast<int32_t>(second << 16 | (first & 0xFFFF)));
  };
  const __m128i centreWeights = pair(kernel.weights[0] - 32768, 256);
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m128i centre = LoadWords(taps[0] + i);
    const __m128i shifted = _mm_slli_epi16(centre, 7);
    __m128i low = _mm_madd_epi16(_mm_unpacklo_epi16(centre, shifted), centreWeights);
    __m128i high = _mm_madd_epi16(_mm_unpackhi_epi16(centre, shifted), centreWeights);
    auto add = [&](__m128i first, __m128i second, __m128i weights) {
      low = _mm_add_epi32(low, _mm_madd_epi16(_mm_unpacklo_epi16(first, second), weights));
      high = _mm_add_epi32(high, _mm_madd_epi16(_mm_unpackhi_epi16(first, second), weights));
    };
    int k = 1;
    for (; k < n; k += 2) {
      add(_mm_add_epi16(LoadWords(taps[2 * k - 1] + i), LoadWords(taps[2 * k] + i)),
          _mm_add_epi16(LoadWords(taps[2 * k + 1] + i), LoadWords(taps[2 * k + 2] + i)),
          pair(kernel.weights[k], kernel.weights[k + 1]));
    }
    if (k == n) {
      add(_mm_add_epi16(LoadWords(taps[2 * k - 1] + i), LoadWords(taps[2 * k] + i)),
          _mm_setzero_si128(), pair(kernel.weights[k], 0));
    }
    const __m128i words = _mm_packs_epi32(_mm_srli_epi32(low, 16), _mm_srli_epi32(high, 16));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(out + i), _mm_packus_epi16(words, words));
  }
  return i;
}
#endif

// One line of count pixels; the kernel has halfSize > 0, so every weight is below 65536.
void FilterLine(const uint8_t* const* taps, const TGaussKernel& kernel, int count, uint8_t* out) {
  int i = 0;
#ifdef __SSE2__
  i = FilterEights(taps, kernel, count, out);
#endif
  for (; i < count; ++i) out[i] = FilterPixel(taps, kernel, i);
}

}  // namespace

TGaussKernel MakeGaussKernel(double radius) {
  TGaussKernel kernel;
  kernel.weights.assign(1, kOne);
  if (!(radius > 0)) return kernel;

  // weight[k] for k = -100 .. 100, in single precision, scaled to a sum of 1.
  std::array<float, 2 * kMaxHalfSize + 1> weight;
  double total = 0;
  for (int k = -kMaxHalfSize; k <= kMaxHalfSize; ++k) {
    const long double q = k / static_cast<long double>(radius);
    weight[k + kMaxHalfSize] = static_cast<float>(std::exp(-q * q / 2));
    total += weight[k + kMaxHalfSize];
  }
  for (float& w : weight) w = static_cast<float>(w / total);
  // Cut the tails while together they stay below 1/510, half a step of an 8-bit value.
  int n = kMaxHalfSize;
  double tail = 0;
  while (tail < 1.0 / 510 && n > 1) {
    tail += 2.0 * weight[n + kMaxHalfSize];
    --n;
  }
  total = 0;
  for (int k = -n; k <= n; ++k) total += weight[k + kMaxHalfSize];

  // Fixed point with the centre taking what rounding left over: the weights add up to exactly 1,
  // so a uniform area (an all-white glow image above all) keeps its value after truncation.
  kernel.weights.resize(size_t(n) + 1);
  int32_t rest = kOne;
  for (int k = 1; k <= n; ++k) {
    const float w = static_cast<float>(weight[k + kMaxHalfSize] / total);
    kernel.weights[k] = static_cast<uint32_t>(std::nearbyint(double(w) * kOne));
    rest -= 2 * static_cast<int32_t>(kernel.weights[k]);
  }
  kernel.weights[0] = static_cast<uint32_t>(rest);
  // Outer weights that rounded to 0 change nothing.
  while (n > 0 && kernel.weights[n] == 0) --n;
  kernel.weights.resize(size_t(n) + 1);
  kernel.halfSize = n;
  return kernel;
}

void BlurGray8(const TGray8Image& image, double radius) {
  const int width = image.width, height = image.height;
  if (image.bits == nullptr || width <= 0 || height <= 0 || std::abs(image.stride) < width) return;
  const TGaussKernel kernel = MakeGaussKernel(radius);
  const int n = kernel.halfSize;
  if (n == 0) return;

  std::vector<const uint8_t*> taps(2 * size_t(n) + 1);
  // Rows: each is copied between n repeats of its end pixels and filtered into a whole-picture
  // copy, which the columns then read while the picture itself receives the result.
  std::vector<uint8_t> rows(size_t(width) * size_t(height));
  std::vector<uint8_t> line(size_t(width) + 2 * size_t(n));
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = image.bits + y * image.stride;
    std::memset(line.data(), row[0], size_t(n));
    std::memcpy(line.data() + n, row, size_t(width));
    std::memset(line.data() + n + width, row[width - 1], size_t(n));
    const uint8_t* centre = line.data() + n;
    taps[0] = centre;
    for (int k = 1; k <= n; ++k) {
      taps[2 * k - 1] = centre - k;
      taps[2 * k] = centre + k;
    }
    FilterLine(taps.data(), kernel, width, rows.data() + size_t(y) * size_t(width));
  }
  // Columns, a whole row of them at a time; rows past the top or bottom repeat the edge row.
  auto filtered = [&](int y) {
    return rows.data() + size_t(std::clamp(y, 0, height - 1)) * size_t(width);
  };
  for (int y = 0; y < height; ++y) {
    taps[0] = filtered(y);
    for (int k = 1; k <= n; ++k) {
      taps[2 * k - 1] = filtered(y - k);
      taps[2 * k] = filtered(y + k);
    }
    FilterLine(taps.data(), kernel, width, image.bits + y * image.stride);
  }
}
