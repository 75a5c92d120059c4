// vlz: packed skin files (".vlz") from the command line.
//
//   vlz list FILE          one line per member: unpacked size, "bmp" or "-", name
//   vlz extract FILE DIR   writes every member into DIR under its own name
//   vlz pack DIR FILE      packs DIR's "Options.dat" first, then its other files in name order;
//                          the same folder always gives the same bytes
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/data/SkinText.h"
#include "skin/data/veSkinPack.h"

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteAll(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size())))
    throw std::runtime_error("cannot write " + path.string());
}

std::unique_ptr<TveSkinConvertor> Unpack(const fs::path& file) {
  auto convertor = std::make_unique<TveSkinConvertor>();
  convertor->SourceStream = ReadAll(file);
  ReadPackedSkin(convertor);
  return convertor;
}

// Member names come from the file: only plain file names may be written, so that a damaged or
// hostile archive cannot place files outside the target folder.
bool IsPlainFileName(const std::string& name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\:") == std::string::npos && name.find('\0') == std::string::npos;
}

int List(const fs::path& file) {
  auto c = Unpack(file);
  if (c->OptionsData) std::cout << c->OptionsData->size() << "\t-\t" << kOptionsFileName << "\n";
  for (const TveImageItem& item : c->ImageItems)
    std::cout << item.Data.size() << "\t" << (item.IsBitmap ? "bmp" : "-") << "\t" << item.Name
              << "\n";
  return 0;
}

int Extract(const fs::path& file, const fs::path& dir) {
  auto c = Unpack(file);
  for (const TveImageItem& item : c->ImageItems)
    if (!IsPlainFileName(item.Name))
      throw std::runtime_error("member name is not a plain file name: " + item.Name);
  fs::create_directories(dir);
  if (c->OptionsData) WriteAll(dir / std::string(kOptionsFileName), *c->OptionsData);
  for (const TveImageItem& item : c->ImageItems) WriteAll(dir / item.Name, item.Data);
  return 0;
}

int Pack(const fs::path& dir, const fs::path& file) {
  std::vector<TvePackedMember> options, images;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
    if (!entry.is_regular_file()) continue;
    std::string name = entry.path().filename().string();
    TvePackedMember member{name, ReadAll(entry.path())};
    (skin::SameTextAscii(name, kOptionsFileName) ? options : images).push_back(std::move(member));
  }
  std::sort(images.begin(), images.end(), [](const auto& a, const auto& b) {
    std::string ua = skin::UpperCase(a.Name), ub = skin::UpperCase(b.Name);
    return ua != ub ? ua < ub : a.Name < b.Name;
  });
  options.insert(options.end(), images.begin(), images.end());
  WriteAll(file, WritePackedSkin(options));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 2 && args[0] == "list") return List(args[1]);
    if (args.size() == 3 && args[0] == "extract") return Extract(args[1], args[2]);
    if (args.size() == 3 && args[0] == "pack") return Pack(args[1], args[2]);
  } catch (const std::exception& e) {
    std::cerr << "vlz: " << e.what() << "\n";
    return 1;
  }
  std::cerr << "usage: vlz list FILE | vlz extract FILE DIR | vlz pack DIR FILE\n";
  return 2;
}
