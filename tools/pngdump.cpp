// pngdump [--repeat N] IN.png OUT.pam
// Decodes a PNG file with our decoder and writes the picture as an 8-bit RGBA PAM file. With
// --repeat N the file is decoded N times and the fastest run is printed as best_ms=<ms> on
// standard error. A failed decode prints the decoder's message and exits with 1.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/vePNG.h"

namespace {

int Usage() {
  std::cerr << "usage: pngdump [--repeat N] IN.png OUT.pam\n";
  return 2;
}

bool WritePam(const std::string& name, const img::RGBAImage& image) {
  std::ofstream out(name, std::ios::binary);
  out << "P7\nWIDTH " << image.width << "\nHEIGHT " << image.height
      << "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
  out.write(reinterpret_cast<const char*>(image.bytes.data()), std::streamsize(image.bytes.size()));
  return bool(out);
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  long repeat = 1;
  if (args.size() == 4 && args[0] == "--repeat") {
    char* end = nullptr;
    repeat = std::strtol(args[1].c_str(), &end, 10);
    if (*end != '\0' || repeat < 1) return Usage();
    args.erase(args.begin(), args.begin() + 2);
  }
  if (args.size() != 2) return Usage();

  std::ifstream in(args[0], std::ios::binary);
  if (!in) {
    std::cerr << "cannot open " << args[0] << "\n";
    return 1;
  }
  const std::vector<uint8_t> data{std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>()};
  img::TPNGGraphic png;
  double bestMs = 0;
  try {
    for (long i = 0; i < repeat; ++i) {
      const auto start = std::chrono::steady_clock::now();
      png.LoadFromMemory(data);
      const std::chrono::duration<double, std::milli> took =
          std::chrono::steady_clock::now() - start;
      if (i == 0 || took.count() < bestMs) bestMs = took.count();
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  if (repeat > 1) std::fprintf(stderr, "best_ms=%.3f\n", bestMs);
  if (!WritePam(args[1], img::ToRGBA(png.Image()))) {
    std::cerr << "cannot write " << args[1] << "\n";
    return 1;
  }
  return 0;
}
