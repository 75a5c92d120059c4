// The 32-bit picture the engine keeps and hands to GDI: skin pictures, caches, window images.
// Its pixels are laid out as PixelRows32 describes.
//
// On Windows the pixels live in a top-down 32 bpp DIB section, so GDI can draw on the same memory
// through DC(); elsewhere they are plain memory. After drawing on DC() with GDI, call GdiFlush()
// before reading the pixels directly. A DIB section is a GDI object made and freed by the system:
// temporaries that GDI never touches are a Pixels32 instead.
#pragma once

#include <cstddef>
#include <cstdint>

#include "imaging/PixelRows.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace img {

class Bitmap32 : public PixelRows32 {
 public:
  // An empty bitmap (0 x 0, no pixels).
  Bitmap32() noexcept = default;
  // A bitmap of the given size with every byte zero. Throws std::length_error for a negative
  // size or one whose pixels cannot be addressed, std::bad_alloc when memory runs out.
  Bitmap32(int width, int height);
  // A bitmap holding a copy of any picture's pixels.
  explicit Bitmap32(const PixelRows32& pixels);
  Bitmap32(const Bitmap32& other);
  Bitmap32(Bitmap32&& other) noexcept;
  Bitmap32& operator=(const Bitmap32& other);
  Bitmap32& operator=(Bitmap32&& other) noexcept;
  ~Bitmap32();

  // Discards the content and makes a zero-filled bitmap of the new size. The sizing constructor's
  // errors: a size refused leaves the bitmap as it was, running out of memory leaves it empty.
  void Resize(int width, int height);

  // How many bitmap storages (DIB sections on Windows) this process made so far. Benches and
  // tests read the difference around what they measure.
  static int64_t StoragesMade() noexcept;

#ifdef _WIN32
  // The DIB section holding the pixels; null for an empty bitmap. Owned by the bitmap.
  HBITMAP Handle() const noexcept {
    return handle_;
  }
  // A memory DC with Handle() selected, made on first use and owned by the bitmap; null for an
  // empty bitmap.
  HDC DC() const;
#endif

 private:
  // Platform storage: Allocate takes a checked, non-empty size and leaves zeroed pixels;
  // Release frees whatever Allocate made and leaves the bitmap empty.
  void Allocate(int width, int height);
  void Release() noexcept;

#ifdef _WIN32
  HBITMAP handle_ = nullptr;
  mutable HDC dc_ = nullptr;
  mutable HGDIOBJ oldBitmap_ = nullptr;
#endif
};

}  // namespace img
