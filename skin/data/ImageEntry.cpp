#include "skin/data/ImageEntry.h"

#include <algorithm>
#include <vector>

#include "skin/data/SkinNumbers.h"
#include "skin/data/SkinText.h"

namespace {

// Characters first .. first + count - 1 (1-based) as a number of digits only.
int Digits(std::string_view value, size_t first, size_t count) {
  std::string_view field = first - 1 < value.size() ? value.substr(first - 1, count) : "";
  if (field.size() != count ||
      !std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; }))
    throw skin::EConvertError("'" + std::string(field) + "' is not a valid integer value");
  return skin::StrToInt(field);
}

ParsedImageEntry MakeEntry(ParsedImageEntry::Form form, std::string fileName = {}) {
  ParsedImageEntry parsed;
  parsed.form = form;
  parsed.FileName = std::move(fileName);
  return parsed;
}

TRect FixedRect(std::string_view value) {
  return {Digits(value, 2, 4), Digits(value, 7, 4), Digits(value, 12, 4), Digits(value, 17, 4)};
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separators) {
  std::vector<std::string_view> words;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = std::min(text.find_first_of(separators, pos), text.size());
    if (end > pos) words.push_back(text.substr(pos, end - pos));
    pos = end + 1;
  }
  return words;
}

ParsedImageEntry Glyph(std::string_view value) {
  ParsedImageEntry parsed = MakeEntry(ParsedImageEntry::Form::Glyph);
  parsed.Entry.SrcRect = FixedRect(value);
  parsed.Entry.StateCount = static_cast<int16_t>(Digits(value, 22, 1));
  parsed.Entry.MaskRows = static_cast<int16_t>(Digits(value, 24, 1));
  parsed.Entry.ImageKind = kImageGlyph;
  return parsed;
}

ParsedImageEntry BorderMask(std::string_view value) {
  ParsedImageEntry parsed = MakeEntry(ParsedImageEntry::Form::BorderMask);
  TsMaskData& e = parsed.Entry;
  e.SrcRect = FixedRect(value);
  e.MarginLeft = static_cast<int16_t>(Digits(value, 22, 4));
  e.MarginTop = static_cast<int16_t>(Digits(value, 27, 4));
  e.MarginRight = static_cast<int16_t>(Digits(value, 32, 4));
  e.MarginBottom = static_cast<int16_t>(Digits(value, 37, 4));
  e.StateCount = static_cast<int16_t>(Digits(value, 42, 1));
  e.MaskRows = static_cast<int16_t>(Digits(value, 44, 1));
  e.PaintFlags = static_cast<int16_t>(Digits(value, 46, 1));
  e.DefaultMargin = static_cast<int16_t>(Digits(value, 48, 1));
  e.ImageKind = kImageBorderMask;
  parsed.MarginsFromDefault =
      e.MarginLeft == 0 && e.MarginTop == 0 && e.MarginRight == 0 && e.MarginBottom == 0;
  return parsed;
}

ParsedImageEntry Texture(std::string_view value) {
  ParsedImageEntry parsed = MakeEntry(ParsedImageEntry::Form::Texture);
  parsed.Entry.SrcRect = FixedRect(value);
  parsed.Entry.PaintFlags = static_cast<int16_t>(Digits(value, 22, 2));
  parsed.Entry.MaskRows = static_cast<int16_t>(value.size() >= 25 ? Digits(value, 25, 1) : 0);
  parsed.Entry.StateCount = 1;
  parsed.Entry.ImageKind = kImageTexture;
  return parsed;
}

std::optional<ParsedImageEntry> External(std::string_view value) {
  std::vector<std::string_view> fields = Split(value, "!");
  if (fields.empty()) return std::nullopt;
  std::string upper = skin::UpperCase(fields[0]);
  if (upper.find(".BMP") == std::string::npos && upper.find(".PNG") == std::string::npos)
    return std::nullopt;
  auto number = [&](size_t field, int32_t def) {
    return field <= fields.size() ? skin::StrToIntDef(fields[field - 1], 0) : def;
  };
  ParsedImageEntry parsed = MakeEntry(ParsedImageEntry::Form::External, std::string(fields[0]));
  TsMaskData& e = parsed.Entry;
  e.StateCount = static_cast<int16_t>(number(2, 0));
  e.MaskRows = static_cast<int16_t>(number(3, 0));
  // Kinds above 4 are not used; a negative kind has no meaning and is taken as a border mask.
  e.ImageKind = static_cast<uint8_t>(std::clamp(number(4, 0), 0, 4));
  e.MarginLeft = static_cast<int16_t>(number(5, 0));
  e.MarginTop = static_cast<int16_t>(number(6, 0));
  e.MarginRight = static_cast<int16_t>(number(7, 0));
  e.MarginBottom = static_cast<int16_t>(number(8, 0));
  e.PaintFlags = static_cast<int16_t>(number(9, 1));
  parsed.DefaultMargins = fields.size() < 5;
  return parsed;
}

// "#" values: words split at blanks and parentheses would lose the grouping, so the groups are
// taken as the parenthesised parts, their numbers separated by blanks or commas. The first group
// is the rectangle in the master bitmap (coordinates 0..32767), the second StateCount, MaskRows,
// DefaultMargin and PaintFlags. A value without a readable rectangle makes no entry.
std::optional<ParsedImageEntry> Free(std::string_view value) {
  std::vector<std::vector<int32_t>> groups;
  size_t open = value.find('(');
  while (open != std::string_view::npos && groups.size() < 2) {
    size_t close = value.find(')', open);
    if (close == std::string_view::npos) break;
    std::vector<int32_t> numbers;
    for (std::string_view word : Split(value.substr(open + 1, close - open - 1), " ,\t")) {
      std::optional<int32_t> n = skin::TryStrToInt(word);
      if (!n) return std::nullopt;
      numbers.push_back(*n);
    }
    groups.push_back(std::move(numbers));
    open = value.find('(', close);
  }
  // Master bitmap coordinates are never negative; bounding them keeps the frame arithmetic of
  // the painters far from overflow.
  auto coordinate = [](int32_t n) { return n >= 0 && n <= 32767; };
  if (groups.empty() || groups[0].size() != 4 ||
      !std::all_of(groups[0].begin(), groups[0].end(), coordinate))
    return std::nullopt;
  std::vector<int32_t> states = groups.size() > 1 ? groups[1] : std::vector<int32_t>{};
  auto at = [&](size_t i, int32_t def) { return i < states.size() ? states[i] : def; };
  ParsedImageEntry parsed = MakeEntry(ParsedImageEntry::Form::Free);
  TsMaskData& e = parsed.Entry;
  e.SrcRect = {groups[0][0], groups[0][1], groups[0][2], groups[0][3]};
  e.StateCount = static_cast<int16_t>(std::clamp(at(0, 1), 1, 255));
  e.MaskRows = static_cast<int16_t>(std::clamp(at(1, 0), 0, 255));
  e.DefaultMargin = static_cast<int16_t>(std::clamp(at(2, 0), 0, 32767));
  e.PaintFlags = static_cast<int16_t>(at(3, 1));
  e.ImageKind = kImageBorderMask;
  parsed.MarginsFromDefault = true;
  return parsed;
}

}  // namespace

std::optional<ParsedImageEntry> ParseImageEntry(std::string_view value) {
  if (value.empty()) return std::nullopt;
  switch (value[0]) {
    case '@':
      return Glyph(value);
    case '^':
      return BorderMask(value);
    case '~':
      return Texture(value);
    case '!':
      return External(value);
    default:
      break;
  }
  std::string upper = skin::UpperCase(value);
  bool hash = value.find('#') != std::string_view::npos;
  if (upper.find(".BMP") != std::string::npos && !hash) {
    ParsedImageEntry parsed = MakeEntry(ParsedImageEntry::Form::PlainName, std::string(value));
    parsed.Entry.StateCount = 3;
    parsed.Entry.MaskRows = 1;
    parsed.Entry.ImageKind = kImageBorderMask;
    parsed.DefaultMargins = true;
    return parsed;
  }
  if (hash && value != "#") return Free(value);
  return std::nullopt;
}
