#include "skin/data/SkinImage.h"

#include <utility>
#include <vector>

namespace {

TsDecodeCounts& Counts() {
  static TsDecodeCounts counts;
  return counts;
}

}  // namespace

const TsDecodeCounts& SkinDecodeCounts() {
  return Counts();
}

void CountDecodedPicture(const img::Bitmap32& picture) {
  ++Counts().Images;
  Counts().Bytes += int64_t(picture.PixelCount() * sizeof(img::TRGBAPixel));
}

struct TsSkinImage::State {
  std::shared_ptr<img::Bitmap32> picture;
  int width = 0, height = 0;
  Decoder decode;
  std::vector<Pass> passes;
};

TsSkinImage::TsSkinImage(std::shared_ptr<img::Bitmap32> picture) {
  if (!picture) return;
  state_ = std::make_shared<State>();
  state_->picture = std::move(picture);
}

TsSkinImage TsSkinImage::Deferred(int width, int height, Decoder decode) {
  TsSkinImage image;
  image.state_ = std::make_shared<State>();
  image.state_->width = width;
  image.state_->height = height;
  image.state_->decode = std::move(decode);
  return image;
}

img::Bitmap32* TsSkinImage::get() const {
  if (!state_) return nullptr;
  State& s = *state_;
  if (!s.picture) {
    // Taken out first: a decode runs once, whatever it throws.
    Decoder decode = std::exchange(s.decode, nullptr);
    std::optional<img::Bitmap32> decoded = decode ? decode() : std::nullopt;
    if (decoded && decoded->Width() == s.width && decoded->Height() == s.height) {
      CountDecodedPicture(*decoded);
      s.picture = std::make_shared<img::Bitmap32>(std::move(*decoded));
      for (const Pass& pass : s.passes) pass(*s.picture);
    } else {
      s.picture = std::make_shared<img::Bitmap32>(s.width, s.height);
    }
    s.passes.clear();
  }
  return s.picture.get();
}

bool TsSkinImage::Decoded() const {
  return state_ && state_->picture;
}

void TsSkinImage::Then(Pass pass) {
  if (!state_) return;
  if (state_->picture)
    pass(*state_->picture);
  else
    state_->passes.push_back(std::move(pass));
}
