// Fuzz target: an options text and one image. The input is the options text, a NUL, then the
// bytes that every image member of the skin holds ("MASTER.BMP", "A.BMP", "A.PNG"). An odd
// length also runs the hue and saturation passes.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "skin/data/sSkinModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string input(reinterpret_cast<const char*>(data), size);
  size_t nul = input.find('\0');
  std::string options = input.substr(0, nul);
  std::string image = nul == std::string::npos ? std::string() : input.substr(nul + 1);
  auto package = std::make_shared<TveSkinConvertor>();
  for (const char* name : {"MASTER.BMP", "A.BMP", "A.PNG"})
    package->ImageItems.push_back({name, false, image});
  TsSkinModel model;
  if (size % 2) {
    model.HueOffset = 200;
    model.Saturation = -30;
    model.CommonSections = {"[BUTTON]", "COLOR=0x10", "[NEW]", "PARENTCLASS=BUTTON"};
  }
  try {
    model.Load({options, package, ""});
    for (int i = 0; i < static_cast<int>(model.ImageTable.size()); ++i) {
      model.EffectiveMarginLeft(i);
      model.EffectiveMarginTop(i);
    }
  } catch (const std::exception&) {
    // Conversion errors abort a load by design.
  }
  return 0;
}
