// skinpreview: paints every section of a skin as a whole element, at three sizes and in each of
// its states, into one sheet picture, so a skin can be looked at without running the program.
//
//   skinpreview [--sections A,B,...] [--size WxH] SKIN OUT
//       SKIN is a packed skin file or a skin folder (holding "Options.dat"); OUT ends in ".png"
//       or ".bmp". --sections shows only those sections, in that order; --size paints each
//       element once at that size instead of at the three usual sizes (small sheets for docs).
//
// Each section gets a row: its name, then one group per state ("state 0", "state 1", ...) of
// elements, by default 24 x 24, 96 x 40 and 200 x 90, painted over a checkerboard that shows
// through transparent parts. Errors (a skin that cannot be loaded, a sheet that cannot be written)
// give exit code 1 and a message on standard error; wrong arguments give exit code 2.
#include <algorithm>
#include <array>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "imaging/PngWriter.h"
#include "skin/data/SkinSources.h"
#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sSection.h"
#include "tools/BitmapFont.h"
#include "tools/skingen/ImageFiles.h"

namespace {

struct Size {
  int W, H;
};
const std::vector<Size> kDefaultSizes = {{24, 24}, {96, 40}, {200, 90}};
// Sections that claim more states than this show only the first ones.
constexpr int kMaxStates = 8;
constexpr int kMargin = 8, kGap = 6, kGroupGap = 16, kRowGap = 12;
constexpr int kLine = font5x7::kGlyphHeight + 5;
constexpr int32_t kPaper = 0xF4F4F4, kInk = 0x303030, kCheckLight = 0xFFFFFF, kCheckDark = 0xCCCCCC;

int ShownStates(const TsGeneralData& section) {
  return std::clamp(section.StateCount, 1, kMaxStates);
}

// Four-pixel squares behind an element, so that what it lets through can be seen.
void Checker(img::Bitmap32& sheet, TRect r) {
  FillRectAlpha(sheet, r, kCheckLight, 255);
  for (int y = r.Top; y < r.Bottom; y += 4)
    for (int x = r.Left + ((y - r.Top) / 4 % 2) * 4; x < r.Right; x += 8)
      FillRectAlpha(sheet, {x, y, std::min(x + 4, r.Right), std::min(y + 4, r.Bottom)}, kCheckDark,
                    255);
}

// One element painted as a control paints itself: into its own picture, over the sheet it sits
// in, then copied onto the sheet.
void PaintElement(const TsSkinModel& model, int section, img::Bitmap32& sheet, TRect at,
                  int state) {
  Checker(sheet, at);
  img::Bitmap32 element(at.Width(), at.Height());
  PaintSection(&model, section, model.SectionTable[size_t(section)].SectionName,
               MakeBgSource(&sheet, at.Left, at.Top), -1, -1, element, {0, 0},
               {0, 0, at.Width(), at.Height()}, state);
  CopyBlock(sheet, at.Left, at.Top, at.Width(), at.Height(), element, 0, 0);
}

struct SheetLayout {
  std::vector<int> sections;  // indexes into the section table, in the order shown
  std::vector<Size> sizes = kDefaultSizes;
};

img::Bitmap32 PreviewSheet(const TsSkinModel& model, const std::string& title,
                           const SheetLayout& layout) {
  int states = 1;
  for (int i : layout.sections)
    states = std::max(states, ShownStates(model.SectionTable[size_t(i)]));
  int groupWidth = -kGap, cellsHeight = 0;
  for (const Size& size : layout.sizes) {
    groupWidth += size.W + kGap;
    cellsHeight = std::max(cellsHeight, size.H);
  }
  const int rowHeight = 2 * kLine + cellsHeight + kRowGap;
  const int width = std::max(2 * kMargin + states * groupWidth + (states - 1) * kGroupGap,
                             2 * kMargin + font5x7::TextWidth(title));
  const int height = 2 * kMargin + kLine + kRowGap + int(layout.sections.size()) * rowHeight;
  img::Bitmap32 sheet(width, height);
  const img::TRGBAPixel ink = ColorPixel(kInk, 255);
  FillRectAlpha(sheet, {0, 0, width, height}, kPaper, 255);
  font5x7::DrawText(sheet, kMargin, kMargin, title, ink);
  for (size_t row = 0; row < layout.sections.size(); ++row) {
    const int i = layout.sections[row];
    const TsGeneralData& section = model.SectionTable[size_t(i)];
    const int top = kMargin + kLine + kRowGap + int(row) * rowHeight;
    font5x7::DrawText(sheet, kMargin, top, section.SectionName, ink);
    for (int state = 0; state < ShownStates(section); ++state) {
      int x = kMargin + state * (groupWidth + kGroupGap);
      font5x7::DrawText(sheet, x, top + kLine, "state " + std::to_string(state), ink);
      for (const Size& size : layout.sizes) {
        const int y = top + 2 * kLine;
        PaintElement(model, i, sheet, {x, y, x + size.W, y + size.H}, state);
        x += size.W + kGap;
      }
    }
  }
  // Master-image pixels carry no alpha; the sheet is an opaque picture.
  SetRectAlpha(sheet, {0, 0, width, height}, 255);
  return sheet;
}

std::string WithSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
    folder += static_cast<char>(std::filesystem::path::preferred_separator);
  return folder;
}

void LoadSkin(TsSkinModel& model, const std::string& skin) {
  const std::filesystem::path path(skin);
  if (std::filesystem::is_directory(path))
    model.Load(FolderSource(WithSeparator(skin)));
  else
    model.Load(PackedFileSource(skin, WithSeparator(path.parent_path().string())));
}

void SaveBmp(const std::string& path, const img::Bitmap32& sheet) {
  const std::string bytes = skingen::EncodeBmp24(sheet);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(bytes.data(), std::streamsize(bytes.size()));
  if (out) out.close();
  if (!out) throw std::runtime_error("Cannot write \"" + path + "\": " + std::strerror(errno));
}

// The skin's file or folder name, for the sheet's title.
std::string SkinName(const std::string& skin) {
  std::filesystem::path path(skin);
  if (!path.has_filename()) path = path.parent_path();
  return path.filename().string();
}

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}

// The sections to show: every one in table order, or the listed names in their order.
std::vector<int> ChosenSections(const TsSkinModel& model, const std::string& list) {
  std::vector<int> chosen;
  if (list.empty()) {
    for (size_t i = 0; i < model.SectionTable.size(); ++i) chosen.push_back(int(i));
    return chosen;
  }
  size_t start = 0;
  while (start <= list.size()) {
    const size_t end = std::min(list.find(',', start), list.size());
    const std::string name = list.substr(start, end - start);
    const int index = model.FindSection(name);
    if (index < 0) throw std::runtime_error("The skin has no section \"" + name + "\"");
    chosen.push_back(index);
    start = end + 1;
  }
  return chosen;
}

bool ParseSize(const std::string& text, Size& size) {
  int w = 0, h = 0;
  char x = 0, rest = 0;
  if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || x != 'x') return false;
  if (w < 1 || h < 1 || w > 2000 || h > 2000) return false;
  size = {w, h};
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string sectionList;
  SheetLayout layout;
  bool usable = true;
  while (usable && args.size() > 2 && args[0].rfind("--", 0) == 0) {
    Size size;
    if (args[0] == "--sections")
      sectionList = args[1];
    else if (args[0] == "--size" && ParseSize(args[1], size))
      layout.sizes = {size};
    else
      usable = false;
    args.erase(args.begin(), args.begin() + 2);
  }
  const std::string ext = usable && args.size() == 2 ? LowerExtension(args[1]) : "";
  if (ext != ".png" && ext != ".bmp") {
    std::cerr << "usage: skinpreview [--sections A,B,...] [--size WxH] SKIN OUT (SKIN a packed "
                 "skin file or a skin folder, OUT a .png or .bmp file)\n";
    return 2;
  }
  const std::string skin = args[0], out = args[1];
  try {
    TsSkinModel model;
    LoadSkin(model, skin);
    layout.sections = ChosenSections(model, sectionList);
    const img::Bitmap32 sheet = PreviewSheet(model, SkinName(skin), layout);
    if (ext == ".png")
      img::SavePng(out, sheet);
    else
      SaveBmp(out, sheet);
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
