// skingen: draws our own skin collection.
//
//   skingen OUTDIR [--folders FOLDERDIR] [--collection LISTFILE]
//
// Writes OUTDIR/<Name>.vlz for every stored skin, OUTDIR/index.txt (the names in stored order),
// OUTDIR/stored.txt (per stored skin, TAB-separated: stored name, Shadow1Color, Shadow1Offset,
// Shadow1Blur, Shadow1Transparency, BorderColor, Version, Author, Description) and
// OUTDIR/test/<Name>.vlz for the version test skins; with --folders also FOLDERDIR/<Name>/ with
// "Options.dat" and the pictures. LISTFILE defaults to the collection in the source tree; the test
// skins come from "tests.txt" beside it. The same sources always give the same bytes.
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/skingen/Collection.h"
#include "tools/skingen/SkinBuilder.h"

namespace fs = std::filesystem;
using namespace skingen;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out.write(bytes.data(), std::streamsize(bytes.size())) || !out.flush())
    throw std::runtime_error("cannot write " + path.string());
}

// Skin names become file and folder names.
void CheckName(const std::string& name) {
  bool plain = !name.empty() && name.front() != ' ' && name.back() != ' ';
  for (char c : name)
    plain = plain && (std::isalnum(static_cast<unsigned char>(c)) || c == ' ' || c == '-');
  if (!plain)
    throw std::runtime_error("skin name must be letters, digits, blanks and '-': " + name);
}

// Author and description end up in TAB-separated lines.
void CheckField(const std::string& skin, const std::string& text) {
  if (text.find_first_of("\t\r\n") != std::string::npos)
    throw std::runtime_error(skin + ": author and description must be one line without tabs");
}

std::vector<Skin> BuildAll(const std::vector<Settings>& sources) {
  std::vector<Skin> skins;
  for (const Settings& s : sources) {
    CheckName(s.name);
    skins.push_back(BuildSkin(s));
    CheckField(s.name, skins.back().author);
    CheckField(s.name, skins.back().description);
  }
  return skins;
}

void WriteFolder(const fs::path& dir, const Skin& skin) {
  fs::create_directories(dir);
  for (const TvePackedMember& m : skin.Members()) WriteFile(dir / m.Name, m.Data);
}

int Run(const fs::path& out, const fs::path& folders, const fs::path& list) {
  std::vector<Skin> stored = BuildAll(ReadCollection(list));
  std::vector<Skin> tests = BuildAll(ReadCollection(list.parent_path() / "tests.txt"));
  fs::create_directories(out / "test");
  std::string index, table;
  for (const Skin& skin : stored) {
    WriteFile(out / (skin.name + ".vlz"), WritePackedSkin(skin.Members()));
    index += skin.name + "\n";
    const std::string* border = skin.options.Find("GLOBALINFO", "BORDERCOLOR");
    const std::string* blur = skin.options.Find("GLOBALINFO", "SHADOW1BLUR");
    table += skin.name + " (internal)\t0\t0\t" + (blur ? *blur : "-1") + "\t0\t" +
             std::to_string(border ? std::stoi(*border, nullptr, 0) : 0xFF00FF) + "\t" +
             VersionText(skin.version) + "\t" + skin.author + "\t" + skin.description + "\n";
    if (!folders.empty()) WriteFolder(folders / skin.name, skin);
  }
  for (const Skin& skin : tests)
    WriteFile(out / "test" / (skin.name + ".vlz"), WritePackedSkin(skin.Members()));
  WriteFile(out / "index.txt", index);
  WriteFile(out / "stored.txt", table);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  fs::path out, folders, list = SKINGEN_COLLECTION;
  for (size_t i = 0; i < args.size(); ++i) {
    if ((args[i] == "--folders" || args[i] == "--collection") && i + 1 < args.size()) {
      (args[i] == "--folders" ? folders : list) = args[i + 1];
      ++i;
    } else if (out.empty() && !args[i].starts_with("--")) {
      out = args[i];
    } else {
      out.clear();
      break;
    }
  }
  if (out.empty()) {
    std::cerr << "usage: skingen OUTDIR [--folders FOLDERDIR] [--collection LISTFILE]\n";
    return 1;
  }
  try {
    return Run(out, folders, list);
  } catch (const std::exception& e) {
    std::cerr << "skingen: " << e.what() << "\n";
    return 1;
  }
}
