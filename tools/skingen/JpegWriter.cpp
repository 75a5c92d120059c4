// Baseline JPEG: 8 x 8 blocks, a floating-point DCT, the example quantisation tables of the JPEG
// standard scaled to one fixed quality, and its example luminance Huffman tables for every
// component (a decoder may share one table pair among components). One interleaved scan, no
// subsampling, no restart markers.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "tools/skingen/ImageFiles.h"

namespace skingen {

namespace {

constexpr int kQuality = 88;

constexpr std::array<uint8_t, 64> kZigZag = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

constexpr std::array<uint8_t, 64> kLumaQuant = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};

constexpr std::array<uint8_t, 64> kChromaQuant = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

constexpr std::array<uint8_t, 16> kDcBits = {0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0};
constexpr std::array<uint8_t, 12> kDcValues = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
constexpr std::array<uint8_t, 16> kAcBits = {0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7d};
constexpr std::array<uint8_t, 162> kAcValues = {
    0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61,
    0x07, 0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xa1, 0x08, 0x23, 0x42, 0xb1, 0xc1, 0x15, 0x52,
    0xd1, 0xf0, 0x24, 0x33, 0x62, 0x72, 0x82, 0x09, 0x0a, 0x16, 0x17, 0x18, 0x19, 0x1a, 0x25,
    0x26, 0x27, 0x28, 0x29, 0x2a, 0x34, 0x35, 0x36, 0x37, 0x38, 0x39, 0x3a, 0x43, 0x44, 0x45,
    0x46, 0x47, 0x48, 0x49, 0x4a, 0x53, 0x54, 0x55, 0x56, 0x57, 0x58, 0x59, 0x5a, 0x63, 0x64,
    0x65, 0x66, 0x67, 0x68, 0x69, 0x6a, 0x73, 0x74, 0x75, 0x76, 0x77, 0x78, 0x79, 0x7a, 0x83,
    0x84, 0x85, 0x86, 0x87, 0x88, 0x89, 0x8a, 0x92, 0x93, 0x94, 0x95, 0x96, 0x97, 0x98, 0x99,
    0x9a, 0xa2, 0xa3, 0xa4, 0xa5, 0xa6, 0xa7, 0xa8, 0xa9, 0xaa, 0xb2, 0xb3, 0xb4, 0xb5, 0xb6,
    0xb7, 0xb8, 0xb9, 0xba, 0xc2, 0xc3, 0xc4, 0xc5, 0xc6, 0xc7, 0xc8, 0xc9, 0xca, 0xd2, 0xd3,
    0xd4, 0xd5, 0xd6, 0xd7, 0xd8, 0xd9, 0xda, 0xe1, 0xe2, 0xe3, 0xe4, 0xe5, 0xe6, 0xe7, 0xe8,
    0xe9, 0xea, 0xf1, 0xf2, 0xf3, 0xf4, 0xf5, 0xf6, 0xf7, 0xf8, 0xf9, 0xfa};

struct Code {
  uint16_t bits = 0;
  uint8_t length = 0;
};

// Canonical codes from the count of codes of each length, as a decoder rebuilds them.
template <size_t N>
std::array<Code, 256> BuildCodes(const std::array<uint8_t, 16>& counts,
                                 const std::array<uint8_t, N>& values) {
  std::array<Code, 256> codes{};
  uint16_t code = 0;
  size_t k = 0;
  for (int length = 1; length <= 16; ++length) {
    for (int i = 0; i < counts[length - 1]; ++i) codes[values[k++]] = {code++, uint8_t(length)};
    code <<= 1;
  }
  return codes;
}

std::array<uint8_t, 64> Scaled(const std::array<uint8_t, 64>& base) {
  int scale = kQuality < 50 ? 5000 / kQuality : 200 - 2 * kQuality;
  std::array<uint8_t, 64> table{};
  for (int i = 0; i < 64; ++i) table[i] = uint8_t(std::clamp((base[i] * scale + 50) / 100, 1, 255));
  return table;
}

class BitWriter {
 public:
  explicit BitWriter(std::string& out) : out_(out) {}
  void Put(uint32_t bits, int length) {
    acc_ = (acc_ << length) | (bits & ((1u << length) - 1));
    count_ += length;
    while (count_ >= 8) {
      uint8_t byte = uint8_t(acc_ >> (count_ - 8));
      out_ += static_cast<char>(byte);
      if (byte == 0xFF) out_ += '\0';  // a data byte 0xFF is followed by a stuffed zero
      count_ -= 8;
    }
  }
  // Pads the last byte with one bits.
  void Flush() {
    if (count_ > 0) Put(0x7F, 8 - count_);
  }

 private:
  std::string& out_;
  uint32_t acc_ = 0;
  int count_ = 0;
};

// The bit count of a coefficient and its value bits (negative values as ones' complement).
void Magnitude(int value, uint32_t& bits, int& size) {
  int a = value < 0 ? -value : value;
  size = 0;
  while (a >> size) ++size;
  bits = value < 0 ? uint32_t(value - 1) : uint32_t(value);
}

class Encoder {
 public:
  Encoder(const img::Bitmap32& bitmap, bool grey) : bitmap_(bitmap), grey_(grey) {
    for (int u = 0; u < 8; ++u)
      for (int x = 0; x < 8; ++x)
        cos_[u][x] =
            (u == 0 ? std::sqrt(0.125) : 0.5) * std::cos((2 * x + 1) * u * std::numbers::pi / 16);
  }

  std::string Encode() {
    Marker(0xD8);
    Segment(0xE0, {'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    QuantTable(0, quant_[0]);
    if (!grey_) QuantTable(1, quant_[1]);
    std::string frame = {8,
                         char(bitmap_.Height() >> 8),
                         char(bitmap_.Height() & 0xFF),
                         char(bitmap_.Width() >> 8),
                         char(bitmap_.Width() & 0xFF),
                         char(Components())};
    for (int c = 0; c < Components(); ++c) frame += {char(c + 1), 0x11, char(c == 0 ? 0 : 1)};
    Segment(0xC0, frame);
    HuffmanTable(0x00, kDcBits, kDcValues);
    HuffmanTable(0x10, kAcBits, kAcValues);
    std::string scan = {char(Components())};
    for (int c = 0; c < Components(); ++c) scan += {char(c + 1), 0x00};
    scan += {0, 63, 0};
    Segment(0xDA, scan);
    BitWriter writer(out_);
    std::array<int, 3> previousDc{};
    for (int by = 0; by < bitmap_.Height(); by += 8)
      for (int bx = 0; bx < bitmap_.Width(); bx += 8)
        for (int c = 0; c < Components(); ++c) Block(writer, bx, by, c, previousDc[c]);
    writer.Flush();
    Marker(0xD9);
    return std::move(out_);
  }

 private:
  int Components() const { return grey_ ? 1 : 3; }

  void Marker(uint8_t code) { out_ += {char(0xFF), char(code)}; }
  void Segment(uint8_t code, const std::string& body) {
    Marker(code);
    size_t length = body.size() + 2;
    out_ += {char(length >> 8), char(length & 0xFF)};
    out_ += body;
  }
  void QuantTable(int id, const std::array<uint8_t, 64>& table) {
    std::string body(1, char(id));
    for (int i = 0; i < 64; ++i) body += char(table[kZigZag[i]]);
    Segment(0xDB, body);
  }
  template <size_t N>
  void HuffmanTable(int id, const std::array<uint8_t, 16>& counts,
                    const std::array<uint8_t, N>& values) {
    std::string body(1, char(id));
    body.append(counts.begin(), counts.end());
    body.append(values.begin(), values.end());
    Segment(0xC4, body);
  }

  // Component c (Y, Cb, Cr or grey) of the pixel, edge pixels repeated past the border,
  // level-shifted to be centred on 0.
  double Sample(int x, int y, int c) const {
    const img::TRGBAPixel& p =
        bitmap_.Pixel(std::min(x, bitmap_.Width() - 1), std::min(y, bitmap_.Height() - 1));
    double r = p.R, g = p.G, b = p.B;
    switch (c) {
      case 0:
        return 0.299 * r + 0.587 * g + 0.114 * b - 128;
      case 1:
        return -0.168736 * r - 0.331264 * g + 0.5 * b;
      default:
        return 0.5 * r - 0.418688 * g - 0.081312 * b;
    }
  }

  void Block(BitWriter& writer, int bx, int by, int c, int& previousDc) {
    double samples[8][8], rows[8][8];
    for (int y = 0; y < 8; ++y)
      for (int x = 0; x < 8; ++x) samples[y][x] = Sample(bx + x, by + y, c);
    for (int y = 0; y < 8; ++y)
      for (int u = 0; u < 8; ++u) {
        double sum = 0;
        for (int x = 0; x < 8; ++x) sum += cos_[u][x] * samples[y][x];
        rows[y][u] = sum;
      }
    const std::array<uint8_t, 64>& quant = quant_[c == 0 ? 0 : 1];
    std::array<int, 64> coefficients{};
    for (int v = 0; v < 8; ++v)
      for (int u = 0; u < 8; ++u) {
        double sum = 0;
        for (int y = 0; y < 8; ++y) sum += cos_[v][y] * rows[y][u];
        coefficients[v * 8 + u] = int(std::lround(sum / quant[v * 8 + u]));
      }
    uint32_t bits;
    int size;
    Magnitude(coefficients[0] - previousDc, bits, size);
    previousDc = coefficients[0];
    writer.Put(dc_[size].bits, dc_[size].length);
    writer.Put(bits, size);
    int run = 0;
    for (int i = 1; i < 64; ++i) {
      int value = coefficients[kZigZag[i]];
      if (value == 0) {
        ++run;
        continue;
      }
      for (; run >= 16; run -= 16) writer.Put(ac_[0xF0].bits, ac_[0xF0].length);
      Magnitude(value, bits, size);
      const Code& code = ac_[run << 4 | size];
      writer.Put(code.bits, code.length);
      writer.Put(bits, size);
      run = 0;
    }
    if (run > 0) writer.Put(ac_[0x00].bits, ac_[0x00].length);
  }

  const img::Bitmap32& bitmap_;
  bool grey_;
  std::string out_;
  double cos_[8][8];
  std::array<std::array<uint8_t, 64>, 2> quant_ = {Scaled(kLumaQuant), Scaled(kChromaQuant)};
  std::array<Code, 256> dc_ = BuildCodes(kDcBits, kDcValues);
  std::array<Code, 256> ac_ = BuildCodes(kAcBits, kAcValues);
};

}  // namespace

std::string EncodeJpeg(const img::Bitmap32& bitmap, bool grey) {
  if (bitmap.Empty()) return {};
  return Encoder(bitmap, grey).Encode();
}

}  // namespace skingen
