#include "imaging/PNGFilters.h"

#include <cstdlib>

namespace img {

namespace {

// The loops take the pixel size as a template argument so that the inner loop over one pixel's
// bytes has a fixed length; the compiler then handles a pixel in a few vector instructions.

template <int N>
void UnfilterSub(uint8_t* row, size_t size) {
  for (size_t i = N; i < size; i += N)
    for (int k = 0; k < N; ++k) row[i + k] = uint8_t(row[i + k] + row[i + k - N]);
}

void UnfilterUp(uint8_t* row, const uint8_t* prev, size_t size) {
  for (size_t i = 0; i < size; ++i) row[i] = uint8_t(row[i] + prev[i]);
}

template <int N>
void UnfilterAverage(uint8_t* row, const uint8_t* prev, size_t size) {
  for (int k = 0; k < N; ++k) row[k] = uint8_t(row[k] + (prev[k] >> 1));
  for (size_t i = N; i < size; i += N)
    for (int k = 0; k < N; ++k)
      row[i + k] = uint8_t(row[i + k] + ((unsigned(row[i + k - N]) + prev[i + k]) >> 1));
}

template <int N>
void UnfilterPaeth(uint8_t* row, const uint8_t* prev, size_t size) {
  // For the first pixel a = c = 0, so the predictor is always b.
  for (int k = 0; k < N; ++k) row[k] = uint8_t(row[k] + prev[k]);
  for (size_t i = N; i < size; i += N) {
    for (int k = 0; k < N; ++k) {
      const int a = row[i + k - N], b = prev[i + k], c = prev[i + k - N];
      const int pa = std::abs(b - c), pb = std::abs(a - c), pc = std::abs(a + b - 2 * c);
      const int pred = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
      row[i + k] = uint8_t(row[i + k] + pred);
    }
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
