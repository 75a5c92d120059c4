#include "imaging/PNGFilters.h"

#include <cstring>
#include <type_traits>

namespace img {

namespace {

// Sub, Average and Paeth depend on the pixel to the left, so a row is walked pixel by pixel; the
// bytes of one pixel are handled together as 16-bit lanes of one small vector (GCC and Clang
// vector extensions), which the compiler maps to SSE registers where it can.
typedef int16_t Lanes4 __attribute__((vector_size(8)));
typedef int16_t Lanes8 __attribute__((vector_size(16)));
typedef uint8_t Bytes4 __attribute__((vector_size(4)));
typedef uint8_t Bytes8 __attribute__((vector_size(8)));

template <int N>
struct Pixel {
  using Lanes = std::conditional_t<N <= 4, Lanes4, Lanes8>;
  using Bytes = std::conditional_t<N <= 4, Bytes4, Bytes8>;

  static Lanes Load(const uint8_t* p) {
    Bytes b = {};
    std::memcpy(&b, p, N);
    return __builtin_convertvector(b, Lanes);
  }
  static void Store(uint8_t* p, Lanes v) {
    const Bytes b = __builtin_convertvector(v, Bytes);
    std::memcpy(p, &b, N);
  }
  static Lanes Abs(Lanes v) {
    const Lanes sign = v >> 15;
    return (v ^ sign) - sign;
  }
};

template <int N>
void UnfilterSub(uint8_t* row, size_t size) {
  using P = Pixel<N>;
  typename P::Lanes a = P::Load(row);
  for (size_t i = N; i < size; i += N) {
    a = P::Load(row + i) + a;
    P::Store(row + i, a);
    a &= 0xFF;
  }
}

void UnfilterUp(uint8_t* row, const uint8_t* prev, size_t size) {
  for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + prev[i]);
}

template <int N>
void UnfilterAverage(uint8_t* row, const uint8_t* prev, size_t size) {
  using P = Pixel<N>;
  typename P::Lanes a = {};
  for (size_t i = 0; i < size; i += N) {
    a = (P::Load(row + i) + ((a + P::Load(prev + i)) >> 1)) & 0xFF;
    P::Store(row + i, a);
  }
}

template <int N>
void UnfilterPaeth(uint8_t* row, const uint8_t* prev, size_t size) {
  using P = Pixel<N>;
  using Lanes = typename P::Lanes;
  // Left of the first pixel a = c = 0, so the predictor there is always b.
  Lanes a = {}, c = {};
  for (size_t i = 0; i < size; i += N) {
    const Lanes b = P::Load(prev + i);
    // b - c does not depend on the pixel just decoded, which keeps the chain through a short.
    const Lanes bc = b - c, ac = a - c;
    const Lanes pa = P::Abs(bc), pb = P::Abs(ac), pc = P::Abs(ac + bc);
    const Lanes useA = (pa <= pb) & (pa <= pc), useB = pb <= pc;
    const Lanes pred = (useA & a) | (~useA & ((useB & b) | (~useB & c)));
    a = (P::Load(row + i) + pred) & 0xFF;
    P::Store(row + i, a);
    c = b;
  }
}

template <int N>
bool UnfilterFixed(uint8_t filter, uint8_t* row, const uint8_t* prev, size_t size) {
  switch (filter) {
    case 0:
      return true;
    case 1:
      UnfilterSub<N>(row, size);
      return true;
    case 2:
      UnfilterUp(row, prev, size);
      return true;
    case 3:
      UnfilterAverage<N>(row, prev, size);
      return true;
    case 4:
      UnfilterPaeth<N>(row, prev, size);
      return true;
    default:
      return false;
  }
}

}  // namespace

bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* prev, size_t size, int pixelBytes) {
  switch (pixelBytes) {
    case 1:
      return UnfilterFixed<1>(filter, row, prev, size);
    case 2:
      return UnfilterFixed<2>(filter, row, prev, size);
    case 3:
      return UnfilterFixed<3>(filter, row, prev, size);
    case 4:
      return UnfilterFixed<4>(filter, row, prev, size);
    case 6:
      return UnfilterFixed<6>(filter, row, prev, size);
    default:
      return UnfilterFixed<8>(filter, row, prev, size);
  }
}

}  // namespace img
