#include "skin/data/sGradient.h"

#include <algorithm>

#include "skin/data/SkinNumbers.h"

void ParseGradientData(std::string_view text, TsGradArray& gradient) {
  gradient.clear();
  std::vector<std::string_view> fields;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = std::min(text.find(';', pos), text.size());
    if (end > pos) fields.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  for (size_t band = 0; band + 5 <= fields.size(); band += 5) {
    int32_t first = skin::StrToInt(fields[band]);
    int32_t second = skin::StrToInt(fields[band + 1]);
    int32_t percent = skin::StrToInt(fields[band + 2]);
    int32_t mode = skin::StrToInt(fields[band + 3]);
    gradient.push_back({std::max(0, first), std::max(0, second),
                        static_cast<uint8_t>(std::clamp(percent, 0, 100)), mode});
  }
}
