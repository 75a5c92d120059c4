// Fuzz target: packed skin bytes, unpacked and, when they unpack, loaded into the skin model as a
// stored skin is.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string>

#include "skin/data/SkinSources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    TsSkinModel model;
    model.Load(PackedDataSource(std::string(reinterpret_cast<const char*>(data), size)));
  } catch (const std::exception&) {
    // Load errors are the expected outcome of most inputs; crashes and hangs are the findings.
  }
  return 0;
}
