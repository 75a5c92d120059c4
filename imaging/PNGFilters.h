// Undoing the PNG scanline filters in place.
#pragma once

#include <cstddef>
#include <cstdint>

namespace img {

// Reverses filter type `filter` (0 None, 1 Sub, 2 Up, 3 Average, 4 Paeth) on the row of `size`
// bytes at `row`, given the already unfiltered previous row (all zeros for a pass's first row)
// and `pixelBytes`, the byte distance to the left neighbour (1 for depths below 8 bits; at most
// 8). Returns false for an unknown filter type, leaving the row as it was.
bool Unfilter(uint8_t filter, uint8_t* row, const uint8_t* prev, size_t size, int pixelBytes);

}  // namespace img
