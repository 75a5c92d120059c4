// Records every layered-window update while installed, and passes each on to the service that
// was in place before, so windows still get their pictures.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/LayeredWindows.h"

namespace testing_support {

class LayeredRecorder final : public platform::LayeredWindows {
 public:
  struct Record {
    void* Window;
    bool PerPixel;  // a picture with per-pixel alpha; false: one alpha for the whole window
    int X, Y, Width, Height;
    uint8_t Alpha;
    uint64_t Checksum;       // of the picture's pixels; 0 without a picture
    bool AlphaOnly = false;  // the picture shown before, not handed over again
  };
  std::vector<Record> updates;
  bool available = true;

  LayeredRecorder() : next_(Install(this)) {}
  ~LayeredRecorder() override { Install(next_); }

  bool Available() override { return available; }
  bool Update(void* window, int x, int y, const img::Bitmap32& picture, uint8_t alpha) override {
    updates.push_back(
        {window, true, x, y, picture.Width(), picture.Height(), alpha, Checksum(picture)});
    return Next().Update(window, x, y, picture, alpha);
  }
  // Recorded as what reaches the screen: the window's last picture, at the new alpha. Alone
  // (no picture before it) it has the size and checksum 0.
  bool UpdateAlpha(void* window, uint8_t alpha) override {
    Record shown{window, true, 0, 0, 0, 0, alpha, 0};
    for (auto r = updates.rbegin(); r != updates.rend(); ++r)
      if (r->Window == window && r->PerPixel) {
        shown = *r;
        shown.Alpha = alpha;
        break;
      }
    shown.AlphaOnly = true;
    updates.push_back(shown);
    return Next().UpdateAlpha(window, alpha);
  }
  bool SetAlpha(void* window, uint8_t alpha) override {
    updates.push_back({window, false, 0, 0, 0, 0, alpha, 0});
    return Next().SetAlpha(window, alpha);
  }

  // FNV-1a over the pixel bytes: equal pictures, equal sums.
  static uint64_t Checksum(const img::Bitmap32& picture) {
    uint64_t sum = 14695981039346656037ull;
    for (int y = 0; y < picture.Height(); ++y) {
      const auto* bytes = reinterpret_cast<const uint8_t*>(picture.Row(y));
      for (int i = 0; i < picture.Width() * 4; ++i) sum = (sum ^ bytes[i]) * 1099511628211ull;
    }
    return sum;
  }

 private:
  LayeredWindows& Next() { return next_ ? *next_ : Default(); }
  LayeredWindows* next_;
};

}  // namespace testing_support
