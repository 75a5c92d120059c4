// One generated skin as files: the options text, written section by section in the order the
// builder sets them, the master bitmap and the other pictures, and its packed form.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "skin/data/veSkinPack.h"
#include "tools/skingen/Atlas.h"

namespace skingen {

struct Margins {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Image entry values, one function per form the skin loader reads. Fixed-width fields are
// zero-padded; state, row and flag counts are single digits where the form says so.
std::string GlyphEntry(Rect r, int states, int maskRows);
std::string BorderEntry(Rect r, Margins m, int states, int maskRows, int flags,
                        int defaultMargin = 0);
std::string TextureEntry(Rect r, int fillMode, int maskRows = 0);
// "!" entries: margins are written only when given (else the loader takes them from the size).
std::string FileEntry(const std::string& file, int states, int maskRows, int kind);
std::string FileEntry(const std::string& file, int states, int maskRows, int kind, Margins m,
                      int flags);
// "#" entries: a named rectangle of the master bitmap.
std::string FreeEntry(const std::string& name, Rect r, int states, int maskRows, int defaultMargin,
                      int flags);

class Options {
 public:
  // Sets key in section; sections and keys keep the order of their first setting, and a later
  // setting of the same key replaces the value in place.
  void Set(const std::string& section, const std::string& key, const std::string& value);
  void Set(const std::string& section, const std::string& key, int value) {
    Set(section, key, std::to_string(value));
  }
  const std::string* Find(const std::string& section, const std::string& key) const;
  // CR LF lines, a blank line between sections.
  std::string Text(const std::string& headerComment) const;
  const std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>>&
  Sections() const {
    return sections_;
  }

 private:
  std::vector<std::pair<std::string, std::vector<std::pair<std::string, std::string>>>> sections_;
};

struct Skin {
  std::string name;
  double version = 8;
  std::string author, description;
  Options options;
  // Members besides the options file: the master bitmap and the other pictures.
  std::vector<TvePackedMember> files;

  // "Options.dat" first, then the files by name, as they are packed.
  std::vector<TvePackedMember> Members() const;
};

// "8.1", "7.65": the shortest text that reads back as the version.
std::string VersionText(double version);

}  // namespace skingen
