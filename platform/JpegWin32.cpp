#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "imaging/Dib.h"
#include "platform/GdiScopes.h"
#include "platform/Jpeg.h"
#include "platform/SystemEntry.h"

namespace platform {
namespace {

// HIMETRIC units (0.01 mm) to pixels at the screen's resolution.
int HimetricToPixels(long himetric, int pixelsPerInch) {
  return MulDiv(himetric, pixelsPerInch, 2540);
}

class OlePicture final : public JpegPicture {
 public:
  explicit OlePicture(IPicture* picture) : picture_(picture) {
    picture_->get_Width(&himetricWidth_);
    picture_->get_Height(&himetricHeight_);
    WindowDC screen(nullptr);
    width_ = HimetricToPixels(himetricWidth_, GetDeviceCaps(screen, LOGPIXELSX));
    height_ = HimetricToPixels(himetricHeight_, GetDeviceCaps(screen, LOGPIXELSY));
  }
  ~OlePicture() override { picture_->Release(); }

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  bool Render(uint32_t* pixels, int width, int height) const override {
    if (width <= 0 || height <= 0) return false;
    void* bits;
    Owned<HBITMAP> dib(img::CreateTopDownDib32(width, height, &bits));
    if (!dib) return false;
    MemoryDC dc(nullptr);
    Selection selected(dc, dib);
    // The source rectangle runs bottom-up in HIMETRIC, hence the negative height.
    HRESULT hr = picture_->Render(dc, 0, 0, width, height, 0, himetricHeight_, himetricWidth_,
                                  -himetricHeight_, nullptr);
    GdiFlush();
    if (SUCCEEDED(hr)) std::memcpy(pixels, bits, size_t(width) * size_t(height) * 4);
    return SUCCEEDED(hr);
  }

 private:
  IPicture* picture_;
  long himetricWidth_ = 0, himetricHeight_ = 0;
  int width_ = 0, height_ = 0;
};

}  // namespace

std::unique_ptr<JpegPicture> LoadJpegPicture(std::string_view bytes) {
  // COM's picture loader is loaded with the first JPEG texture, not at start-up.
  static const auto makeStream =
      SystemEntry<decltype(&CreateStreamOnHGlobal)>("ole32.dll", "CreateStreamOnHGlobal");
  static const auto loadPicture =
      SystemEntry<decltype(&OleLoadPicture)>("oleaut32.dll", "OleLoadPicture");
  if (bytes.empty() || !makeStream || !loadPicture) return nullptr;
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!memory) return nullptr;
  std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
  GlobalUnlock(memory);
  IStream* stream = nullptr;
  if (FAILED(makeStream(memory, TRUE, &stream))) {
    GlobalFree(memory);
    return nullptr;
  }
  IPicture* picture = nullptr;
  HRESULT hr = loadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                           reinterpret_cast<void**>(&picture));
  stream->Release();
  if (FAILED(hr) || !picture) return nullptr;
  return std::make_unique<OlePicture>(picture);
}

}  // namespace platform
