// JPEG pictures decoded with libjpeg-turbo, for builds without the system's picture loader.
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h needs FILE and size_t declared first
#include <new>
#include <vector>

#include <jerror.h>
#include <jpeglib.h>

#include "platform/Jpeg.h"

namespace platform {
namespace {

// Far above any skin texture, far below what would exhaust memory.
constexpr size_t kMaxPixels = size_t(1) << 26;
// Each 8 x 8 block of a Huffman-coded picture takes at least one bit of input, so a header that
// promises more pixels than this per byte of the file is damaged; refusing it spares decoding a
// huge picture out of a few bytes. Arithmetic coding, which could go below that and which the
// system's loader on Windows does not read either, is refused.
constexpr size_t kMaxPixelsPerByte = 8 * 64;
// Progressive files may carry any number of scans; a damaged one can ask for millions, each a
// pass over the whole picture.
constexpr int kMaxScans = 256;

// libjpeg reports a fatal error by calling error_exit, which must not return: it jumps back to
// the decode call. Warnings (damaged but readable data) are not printed, except that data ending
// before the last row is a damaged picture: libjpeg would paint the rest grey, and a header that
// promises a huge picture would cost a full decode for a few bytes of input.
struct ErrorTrap {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorTrap*>(info->err)->jump, 1);
}

void OnMessage(j_common_ptr info, int level) {
  if (level >= 0 || info->err->msg_code != JWRN_JPEG_EOF) return;
  auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
  if (decoder->output_height == 0 || decoder->output_scanline < decoder->output_height)
    JumpOut(info);
}

void LimitScans(j_common_ptr info) {
  auto* decoder = reinterpret_cast<j_decompress_ptr>(info);
  if (decoder->input_scan_number > kMaxScans) JumpOut(info);
}

// Decodes bytes into pixels (blue, green, red, 255), resized to width x height. Kept free of C++
// objects with destructors between setjmp and the calls that may jump back to it.
bool Decode(const std::string_view& bytes, int& width, int& height, std::vector<uint32_t>& pixels) {
  jpeg_decompress_struct decoder;
  ErrorTrap trap;
  jpeg_progress_mgr progress;
  decoder.err = jpeg_std_error(&trap.manager);
  trap.manager.error_exit = JumpOut;
  trap.manager.emit_message = OnMessage;
  progress.progress_monitor = LimitScans;
  if (setjmp(trap.jump)) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  jpeg_create_decompress(&decoder);
  decoder.progress = &progress;
  jpeg_mem_src(&decoder, reinterpret_cast<const unsigned char*>(bytes.data()),
               static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&decoder, TRUE);
  const size_t area = size_t(decoder.image_width) * decoder.image_height;
  if (decoder.arith_code || area > kMaxPixels || area / kMaxPixelsPerByte > bytes.size())
    JumpOut(reinterpret_cast<j_common_ptr>(&decoder));
  decoder.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&decoder);
  width = int(decoder.output_width);
  height = int(decoder.output_height);
  try {
    pixels.resize(size_t(width) * size_t(height));
  } catch (const std::bad_alloc&) {
    jpeg_destroy_decompress(&decoder);
    return false;
  }
  while (decoder.output_scanline < decoder.output_height) {
    JSAMPROW row =
        reinterpret_cast<JSAMPROW>(&pixels[size_t(decoder.output_scanline) * size_t(width)]);
    jpeg_read_scanlines(&decoder, &row, 1);
  }
  jpeg_finish_decompress(&decoder);
  jpeg_destroy_decompress(&decoder);
  return true;
}

class DecodedPicture final : public JpegPicture {
 public:
  DecodedPicture(int width, int height, std::vector<uint32_t> pixels)
      : width_(width), height_(height), pixels_(std::move(pixels)) {}

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // At another size each target pixel takes the source pixel its centre falls on.
  bool Render(uint32_t* pixels, int width, int height) const override {
    if (width <= 0 || height <= 0) return false;
    for (int y = 0; y < height; ++y) {
      const size_t sy = (size_t(y) * 2 + 1) * size_t(height_) / (size_t(height) * 2);
      for (int x = 0; x < width; ++x) {
        const size_t sx = (size_t(x) * 2 + 1) * size_t(width_) / (size_t(width) * 2);
        pixels[size_t(y) * size_t(width) + size_t(x)] = pixels_[sy * size_t(width_) + sx];
      }
    }
    return true;
  }

 private:
  int width_, height_;
  std::vector<uint32_t> pixels_;
};

}  // namespace

std::unique_ptr<JpegPicture> LoadJpegPicture(std::string_view bytes) {
  if (bytes.empty()) return nullptr;
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  if (!Decode(bytes, width, height, pixels) || width <= 0 || height <= 0) return nullptr;
  return std::make_unique<DecodedPicture>(width, height, std::move(pixels));
}

}  // namespace platform
