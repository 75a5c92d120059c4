#include <gtest/gtest.h>

#include <array>
#include <stdexcept>

#include "app/core/UtilFuncs.h"
#include "framework/IconFile.h"
#include "text/IniText.h"
#include "text/Paths.h"
#include "text/TextLines.h"
#include "support/FakeHost.h"

namespace {

using platform::Cursor;

TEST(UtilFuncsTest, TrailingBackslashIsAddedOnce) {
  EXPECT_EQ(AddTrailingBackslash("C:\\Tools"), "C:\\Tools\\");
  EXPECT_EQ(AddTrailingBackslash("C:\\Tools\\"), "C:\\Tools\\");
  EXPECT_EQ(AddTrailingBackslash("C:\\Tools/"), "C:\\Tools/\\");
}

TEST(UtilFuncsTest, ComplementIsItsOwnInverseOverAllBytes) {
  EXPECT_EQ(ComplementString("abc"), "\x9E\x9D\x9C");
  EXPECT_EQ(ComplementString("\x9E\x9D\x9C"), "abc");
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string once = ComplementString(all);
  EXPECT_EQ(static_cast<unsigned char>(once[0]), 255);
  EXPECT_EQ(static_cast<unsigned char>(once[255]), 0);
  EXPECT_EQ(ComplementString(once), all);
}

TEST(UtilFuncsTest, BusySectionsNest) {
  testing_support::FakeHost host;
  BeginBusyCursor();
  BeginBusyCursor();
  EndBusyCursor();
  EXPECT_EQ(host.ScreenCursor(), Cursor::HourGlass);
  EndBusyCursor();
  EXPECT_EQ(host.ScreenCursor(), Cursor::Default);
  size_t calls = host.cursors.size();
  EndBusyCursor();  // unbalanced: changes nothing, and does not go negative
  EXPECT_EQ(host.cursors.size(), calls);
  BeginBusyCursor();
  EndBusyCursor();
  EXPECT_EQ(host.ScreenCursor(), Cursor::Default);
}

TEST(UtilFuncsTest, ShellOpenRestoresTheCursor) {
  testing_support::FakeHost host;
  ShellOpen("");
  ShellOpen("https://driverkeeper.example.org/");
  EXPECT_EQ(host.opened, (std::vector<std::string>{"", "https://driverkeeper.example.org/"}));
  EXPECT_EQ(host.cursors, (std::vector<Cursor>{Cursor::HourGlass, Cursor::Default,
                                               Cursor::HourGlass, Cursor::Default}));
}

TEST(UtilFuncsTest, ShellOpenRestoresTheCursorWhenTheShellThrows) {
  struct ThrowingHost : testing_support::FakeHost {
    void ShellOpen(const std::string&) override { throw std::runtime_error("no shell"); }
  } host;
  EXPECT_THROW(ShellOpen("https://driverkeeper.example.org/"), std::runtime_error);
  EXPECT_EQ(host.cursors, (std::vector<Cursor>{Cursor::HourGlass, Cursor::Default}));
  // The busy section was closed too: the next one ends on the default cursor again.
  BeginBusyCursor();
  EndBusyCursor();
  EXPECT_EQ(host.ScreenCursor(), Cursor::Default);
}

TEST(PathsTest, FolderAndNameParts) {
  EXPECT_EQ(fw::ExtractFileDir("C:\\a\\b.exe"), "C:\\a");
  EXPECT_EQ(fw::ExtractFileDir("C:\\b.exe"), "C:\\");
  EXPECT_EQ(fw::ExtractFileDir("b.exe"), "");
  EXPECT_EQ(fw::ExtractFileName("C:\\a\\b.exe"), "b.exe");
  EXPECT_EQ(fw::ExtractFileName("/x/y"), "y");
}

TEST(TextLinesTest, SeparatorsAndTrailingLines) {
  using V = std::vector<std::string>;
  EXPECT_EQ(fw::SplitLines("a\r\nb\rc\nd"), (V{"a", "b", "c", "d"}));
  EXPECT_EQ(fw::SplitLines("a\n\nb\n"), (V{"a", "", "b"}));
  EXPECT_EQ(fw::SplitLines("a\r\r\nb"), (V{"a", "", "b"}));
  EXPECT_EQ(fw::SplitLines(""), V{});
  EXPECT_EQ(fw::TrimControl("\t x y \x01"), "x y");
}

TEST(IniTextTest, CaseSensitiveModeKeepsNamesApart) {
  std::vector<std::string> lines = {"[FORM]", "COLOR=1", "color=2", "[form]", "COLOR=3"};
  fw::IniText exact(lines, fw::NameCase::Sensitive);
  EXPECT_EQ(exact.ReadString("FORM", "COLOR", "d"), "1");
  EXPECT_EQ(exact.ReadString("FORM", "color", "d"), "2");
  EXPECT_EQ(exact.ReadString("form", "COLOR", "d"), "3");
  EXPECT_EQ(exact.ReadString("Form", "COLOR", "d"), "d");
  ASSERT_EQ(exact.Sections().size(), 2u);

  fw::IniText folded(lines, fw::NameCase::Insensitive);
  ASSERT_EQ(folded.Sections().size(), 1u);
  EXPECT_EQ(folded.ReadString("Form", "Color", "d"), "1");
  EXPECT_TRUE(folded.ValueExists("form", "COLOR"));
  EXPECT_FALSE(folded.ValueExists("form", "SIZE"));
}

TEST(IniTextTest, FoldingCoversExactlyTheLettersAToZ) {
  // "`" and "{" lie just outside a..z, "@" and "[" just outside A..Z.
  fw::IniText ini({"[Zone]", "zebra=1", "aZ=2", "@=3", "`=4", "[=5", "{=6"},
                  fw::NameCase::Insensitive);
  EXPECT_EQ(ini.ReadString("zONE", "ZEBRA", "d"), "1");
  EXPECT_EQ(ini.ReadString("ZONE", "Az", "d"), "2");
  for (auto [key, value] : {std::pair{"@", "3"}, {"`", "4"}, {"[", "5"}, {"{", "6"}})
    EXPECT_EQ(ini.ReadString("zone", key, "d"), value) << key;
}

TEST(IniTextTest, SectionsAndKeysKeepFileOrder) {
  fw::IniText ini({"[B]", "z=1", "a=2", "[A]", "[B]", "late=3", "[C]", "k=v"},
                  fw::NameCase::Sensitive);
  ASSERT_EQ(ini.Sections().size(), 3u);
  EXPECT_EQ(ini.Sections()[0].name, "B");
  EXPECT_EQ(ini.Sections()[1].name, "A");
  EXPECT_EQ(ini.Sections()[0].entries.size(), 2u);
  EXPECT_EQ(ini.Sections()[0].entries[0].first, "z");
  EXPECT_EQ(ini.ReadString("B", "late", "none"), "none");
}

std::string IconDirectory(std::vector<std::array<uint32_t, 4>> entries, size_t fileSize) {
  // entries: width, bit count, size, offset
  std::string file = {0, 0, 1, 0, static_cast<char>(entries.size()), 0};
  for (auto [w, bits, size, offset] : entries) {
    char e[16] = {static_cast<char>(w), static_cast<char>(w), 0, 0, 1, 0, static_cast<char>(bits)};
    for (int i = 0; i < 4; ++i) e[8 + i] = static_cast<char>(size >> (8 * i));
    for (int i = 0; i < 4; ++i) e[12 + i] = static_cast<char>(offset >> (8 * i));
    file.append(e, 16);
  }
  file.resize(fileSize);
  return file;
}

TEST(IconFileTest, PicksClosestSizeThenDeepestColour) {
  std::string file = IconDirectory(
      {{16, 32, 10, 100}, {32, 8, 10, 110}, {32, 32, 10, 120}, {48, 32, 10, 130}}, 200);
  EXPECT_EQ(fw::PickIconImage(file, 32)->offset, 120u);
  EXPECT_EQ(fw::PickIconImage(file, 16)->offset, 100u);
  EXPECT_EQ(fw::PickIconImage(file, 20)->offset, 120u);
  EXPECT_EQ(fw::PickIconImage(file, 64)->offset, 130u);
}

// A list of 16-pixel pictures at 100 to 500 % asks for 16 to 80 pixels: it takes the image of that
// size, else the next larger one to resample down from, else the largest (0 in a directory means
// 256).
TEST(IconFileTest, AScaledListTakesTheImageOfItsSizeElseTheNextLarger) {
  std::string file = IconDirectory(
      {{48, 32, 10, 148}, {16, 32, 10, 116}, {0, 32, 10, 256}, {32, 32, 10, 132}}, 300);
  const std::pair<int, size_t> rows[] = {{16, 116},  {17, 132},  {20, 132}, {24, 132}, {32, 132},
                                         {33, 148},  {40, 148},  {48, 148}, {49, 256}, {80, 256},
                                         {256, 256}, {257, 256}, {1, 116}};
  for (auto [wanted, offset] : rows)
    EXPECT_EQ(fw::PickIconImage(file, wanted)->offset, offset) << wanted;
}

TEST(IconFileTest, RejectsMalformedFiles) {
  EXPECT_FALSE(fw::PickIconImage("", 32));
  EXPECT_FALSE(fw::PickIconImage("not an icon file", 32));
  EXPECT_FALSE(fw::PickIconImage(IconDirectory({{32, 32, 500, 100}}, 200), 32));  // past the end
  EXPECT_FALSE(fw::PickIconImage(IconDirectory({{32, 32, 10, 100}}, 20), 32));
}

}  // namespace
