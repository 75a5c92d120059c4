// An INF file read the way the system's setup parser reads it, which differs from the private-
// profile rules: a section may appear several times and its parts are joined, lines need no "=",
// values are comma-separated fields that may be quoted (with "" for a quote inside), ";" starts a
// comment outside quotes, a "\" at the end of a line continues it on the next, and %key% is
// replaced from a string table ("%%" is a single "%"): the system takes a key from the table of
// its language ([Strings.0409]), else from [Strings].
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The largest INF read: some printer and graphics INFs run to several megabytes.
inline constexpr size_t kInfMaxBytes = 64u << 20;

// INF files come in UTF-16 (with its byte-order mark), UTF-8 or an 8-bit code page. Section
// names, IDs and file names read from them are compared as ASCII, so a UTF-16 character outside
// it becomes '?' (a name that can then match no file).
std::string NarrowInfText(const std::string& bytes);

class TInfText {
 public:
  struct Line {
    std::string key;  // the text before "=", empty when the line has none
    // The values, unquoted, trimmed and with strings replaced; at least one, maybe empty.
    std::vector<std::string> fields;
  };

  // Reads the INF's bytes in any of the encodings above, with the first of its string tables.
  explicit TInfText(const std::string& bytes);
  // The same, with the string table of that name: empty for [Strings] alone.
  TInfText(const std::string& bytes, const std::string& strings);

  // The string tables a system may read the INF with, one per language it could have: each
  // localised table (with [Strings] behind it), and [Strings] alone for any other language. An
  // INF without [Strings] has only its localised tables; one without any table, "" alone.
  const std::vector<std::string>& StringTables() const { return tables_; }

  // Every line of the section, from each place it appears; null when the INF has no such
  // section. Names compare without regard to letter case.
  const std::vector<Line>* Section(std::string_view name) const;
  // The first line of the section whose key is key (any letter case), or null.
  const Line* Find(std::string_view section, std::string_view key) const;

 private:
  void Read(const std::string& bytes);
  void Substitute(const std::string& strings);
  std::string Replace(const std::string& text, const std::string& strings) const;

  std::vector<std::string> names_;  // section names, in the order first met
  std::vector<std::vector<Line>> sections_;
  std::unordered_map<std::string, size_t> index_;  // upper-case name -> section
  std::vector<std::string> tables_;
};
