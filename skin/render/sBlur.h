// Gaussian blur of 8-bit single-channel pictures (the glow behind text).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit single-channel picture in its owner's memory: row y starts at bits + y * stride. A
// negative stride walks a bottom-up picture.
struct TGray8Image {
  uint8_t* bits = nullptr;
  ptrdiff_t stride = 0;
  int width = 0;
  int height = 0;
};

// The blur's kernel: weights[k] for offsets -k and +k, k = 0 .. halfSize, in 0.16 fixed point.
// The weights add up to exactly 65536, so a uniform area keeps its value.
struct TGaussKernel {
  int halfSize = 0;
  std::vector<uint32_t> weights;
};

// The Gaussian of the radius, cut where the left-out tails could no longer move an 8-bit result
// (never below one pixel either side). A radius not above 0 gives the single weight 65536.
TGaussKernel MakeGaussKernel(double radius);

// Blurs the picture in place, rows first and then columns, pixels past an edge repeating the edge.
// Each result is the weighted sum truncated. A picture without pixels is left as it is.
void BlurGray8(const TGray8Image& image, double radius);
