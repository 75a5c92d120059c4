#include "skin/render/sBlendRows.h"

#include <cstdint>

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace {

// The blend of one byte: the second byte of w * (A - B) + B * 256.
inline uint8_t BlendByte(int a, int b, int w) {
  return static_cast<uint8_t>((w * (a - b) + b * 256) >> 8);
}

void BlendRowsPlain(img::TRGBAPixel* out, const img::TRGBAPixel* a, const img::TRGBAPixel* b,
                    size_t count, int w) {
  for (size_t i = 0; i < count; ++i) {
    uint8_t alpha = out[i].A;
    out[i] = {BlendByte(a[i].B, b[i].B, w), BlendByte(a[i].G, b[i].G, w),
              BlendByte(a[i].R, b[i].R, w), alpha};
  }
}

}  // namespace

#if defined(__SSE2__)

namespace {

// Four pixels at a time. (w * (A - B) + B * 256) >> 8 is B + (w * (A - B) >> 8), as B * 256 has
// no bits below the eighth, so its low byte is the low byte of B plus bits 8 to 15 of
// w * (A - B); those bits are the same in a 16-bit lane that wraps. Each lane holds one
// difference and then one product: the even bytes (blue, red) in the low bytes of the lanes, the
// odd ones (green, alpha) in the high bytes; B is added bytewise at the end. The alpha lane's
// weight is 256, which gives back a's alpha; when out is not a, out's alpha is put back afterwards.
template <bool InPlace>
void BlendRowsSse2(img::TRGBAPixel* out, const img::TRGBAPixel* a, const img::TRGBAPixel* b,
                   size_t count, int w) {
  const __m128i lowBytes = _mm_set1_epi16(0x00FF);
  const __m128i highBytes = _mm_set1_epi16(static_cast<int16_t>(0xFF00));
  const __m128i alphaMask = _mm_set1_epi32(static_cast<int>(0xFF000000u));
  const __m128i evenWeight = _mm_set1_epi16(static_cast<int16_t>(w));
  const __m128i oddWeight = _mm_set1_epi32(static_cast<int>(256u << 16 | uint16_t(w)));
  size_t i = 0;
  for (; i + 4 <= count; i += 4) {
    const __m128i pa = _mm_loadu_si128(reinterpret_cast<const __m128i*>(a + i));
    const __m128i pb = _mm_loadu_si128(reinterpret_cast<const __m128i*>(b + i));
    const __m128i even = _mm_srli_epi16(
        _mm_mullo_epi16(_mm_sub_epi16(_mm_and_si128(pa, lowBytes), _mm_and_si128(pb, lowBytes)),
                        evenWeight),
        8);
    const __m128i odd = _mm_and_si128(
        _mm_mullo_epi16(_mm_sub_epi16(_mm_srli_epi16(pa, 8), _mm_srli_epi16(pb, 8)), oddWeight),
        highBytes);
    __m128i mixed = _mm_add_epi8(_mm_or_si128(even, odd), pb);
    if (!InPlace) {
      const __m128i old = _mm_loadu_si128(reinterpret_cast<const __m128i*>(out + i));
      mixed = _mm_or_si128(_mm_andnot_si128(alphaMask, mixed), _mm_and_si128(alphaMask, old));
    }
    _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), mixed);
  }
  BlendRowsPlain(out + i, a + i, b + i, count - i, w);
}

#if defined(__x86_64__)
#define DK_HAVE_AVX2_BLEND 1

// The same eight pixels at a time, for processors that have AVX2 (64-bit builds only, where the
// wider registers need no stack realignment).
template <bool InPlace>
__attribute__((target("avx2"))) void BlendRowsAvx2(img::TRGBAPixel* out, const img::TRGBAPixel* a,
                                                   const img::TRGBAPixel* b, size_t count, int w) {
  const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
  const __m256i highBytes = _mm256_set1_epi16(static_cast<int16_t>(0xFF00));
  const __m256i alphaMask = _mm256_set1_epi32(static_cast<int>(0xFF000000u));
  const __m256i evenWeight = _mm256_set1_epi16(static_cast<int16_t>(w));
  const __m256i oddWeight = _mm256_set1_epi32(static_cast<int>(256u << 16 | uint16_t(w)));
  size_t i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i pa = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(a + i));
    const __m256i pb = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(b + i));
    const __m256i even = _mm256_srli_epi16(
        _mm256_mullo_epi16(
            _mm256_sub_epi16(_mm256_and_si256(pa, lowBytes), _mm256_and_si256(pb, lowBytes)),
            evenWeight),
        8);
    const __m256i odd = _mm256_and_si256(
        _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_srli_epi16(pa, 8), _mm256_srli_epi16(pb, 8)),
                           oddWeight),
        highBytes);
    __m256i mixed = _mm256_add_epi8(_mm256_or_si256(even, odd), pb);
    if (!InPlace) {
      const __m256i old = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(out + i));
      mixed =
          _mm256_or_si256(_mm256_andnot_si256(alphaMask, mixed), _mm256_and_si256(alphaMask, old));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + i), mixed);
  }
  BlendRowsSse2<InPlace>(out + i, a + i, b + i, count - i, w);
}

const bool kHasAvx2 = [] {
  __builtin_cpu_init();  // may run before the runtime's own start-up has filled the CPU model
  return __builtin_cpu_supports("avx2") != 0;
}();
#endif

}  // namespace

void BlendRowsUpTo(BlendPath widest, img::TRGBAPixel* out, const img::TRGBAPixel* a,
                   const img::TRGBAPixel* b, size_t count, int w) {
  const bool inPlace = out == a;
#if defined(DK_HAVE_AVX2_BLEND)
  if (widest >= BlendPath::Avx2 && kHasAvx2) {
    (inPlace ? BlendRowsAvx2<true> : BlendRowsAvx2<false>)(out, a, b, count, w);
    return;
  }
#endif
  if (widest >= BlendPath::Sse2)
    (inPlace ? BlendRowsSse2<true> : BlendRowsSse2<false>)(out, a, b, count, w);
  else
    BlendRowsPlain(out, a, b, count, w);
}

#else

void BlendRowsUpTo(BlendPath, img::TRGBAPixel* out, const img::TRGBAPixel* a,
                   const img::TRGBAPixel* b, size_t count, int w) {
  BlendRowsPlain(out, a, b, count, w);
}

#endif

void BlendRows(img::TRGBAPixel* out, const img::TRGBAPixel* a, const img::TRGBAPixel* b,
               size_t count, int w) {
  BlendRowsUpTo(BlendPath::Avx2, out, a, b, count, w);
}
