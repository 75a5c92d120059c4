// An image entry's own picture. A skin's load reads only the picture's size from its file; the
// pixels are decoded when a painter first asks for them, so a skin change or the start-up decodes
// only the pictures the windows show (a hover glow or a title button that is not there costs
// nothing until it is).
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "imaging/Bitmap32.h"

// How many skin pictures this process decoded, and the bytes of their 32-bit pixels. Benches and
// tests read the difference around what they measure.
struct TsDecodeCounts {
  int64_t Images = 0;
  int64_t Bytes = 0;
};
const TsDecodeCounts& SkinDecodeCounts();
// Adds one decoded picture to the counts.
void CountDecodedPicture(const img::Bitmap32& picture);

class TsSkinImage {
 public:
  using Decoder = std::function<std::optional<img::Bitmap32>()>;
  using Pass = std::function<void(img::Bitmap32&)>;

  TsSkinImage() = default;
  TsSkinImage(std::nullptr_t) {}
  // A picture at hand already (a copy at another scale, a made shadow). Null is no picture.
  TsSkinImage(std::shared_ptr<img::Bitmap32> picture);
  // A picture of width x height that decode makes on first use. A decode that fails, or gives
  // another size than the file's header promised, leaves a transparent picture of that size:
  // the entry then paints nothing, and no painter reads outside the rectangle it was promised.
  static TsSkinImage Deferred(int width, int height, Decoder decode);

  // Whether the entry has a picture of its own (decoded or not yet).
  explicit operator bool() const { return state_ != nullptr; }
  friend bool operator==(const TsSkinImage& image, std::nullptr_t) { return !image; }

  // The pixels, decoded now if they were not yet; null for no picture.
  img::Bitmap32* get() const;
  img::Bitmap32& operator*() const { return *get(); }
  img::Bitmap32* operator->() const { return get(); }

  bool Decoded() const;
  // Runs a pass over the pixels: now when they are decoded, else right after the decode, in the
  // order the passes were given.
  void Then(Pass pass);

 private:
  struct State;
  std::shared_ptr<State> state_;
};
