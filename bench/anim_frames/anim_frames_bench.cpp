// One frame of a window animation for the main window (722 x 454) with a border window's
// margins around it: the fade's copy of the final look, a zoom frame cleared and stretched
// (the hide's every frame, the show's first), a zoom frame stretched over the one before, and a
// plain memcpy of the same pixels as the floor.
#include <benchmark/benchmark.h>

#include <cstring>

#include "skin/render/sAnimFrames.h"

namespace {

constexpr int kMargin = 20;
constexpr int kWidth = 722 + 2 * kMargin, kHeight = 454 + 2 * kMargin;

img::Bitmap32 FinalLook() {
  img::Bitmap32 b(kWidth, kHeight);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      b.Pixel(x, y) = {uint8_t(x * 7), uint8_t(y * 3), uint8_t(x ^ y), 255};
  return b;
}

// The frame halfway through a 70 ms zoom show (N = 5).
TsAnimFrame ZoomFrame(TsFrameFill fill) {
  TsAnimFrame frame = ShowFrames(70, 255, true, TsAnimKind::Form, kWidth, kHeight)[2];
  frame.Fill = fill;
  return frame;
}

void Run(benchmark::State& state, const TsAnimFrame& frame) {
  img::Bitmap32 picture = FinalLook(), buffer(kWidth, kHeight);
  for (auto _ : state) {
    PrepareFrame(picture, buffer, frame);
    benchmark::DoNotOptimize(buffer.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.PixelCount()) * 4);
}

void BM_FadeFrame(benchmark::State& state) {
  Run(state, {255, TsFrameFill::Copy, {}});
}
BENCHMARK(BM_FadeFrame)->Unit(benchmark::kMicrosecond);

void BM_ZoomFrameCleared(benchmark::State& state) {
  Run(state, ZoomFrame(TsFrameFill::ClearAndStretch));
}
BENCHMARK(BM_ZoomFrameCleared)->Unit(benchmark::kMicrosecond);

void BM_ZoomFrameOverLast(benchmark::State& state) {
  Run(state, ZoomFrame(TsFrameFill::Stretch));
}
BENCHMARK(BM_ZoomFrameOverLast)->Unit(benchmark::kMicrosecond);

void BM_Memcpy(benchmark::State& state) {
  img::Bitmap32 picture = FinalLook(), buffer(kWidth, kHeight);
  for (auto _ : state) {
    std::memcpy(buffer.Row(0), picture.Row(0), picture.PixelCount() * 4);
    benchmark::DoNotOptimize(buffer.Row(0));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(picture.PixelCount()) * 4);
}
BENCHMARK(BM_Memcpy)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
