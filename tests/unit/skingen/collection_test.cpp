// The generated collection: reproducible, loadable, the same from its packed and folder forms,
// and the versions the version check needs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "skin/data/SkinSources.h"
#include "tools/skingen/Collection.h"
#include "tools/skingen/SkinBuilder.h"

namespace fs = std::filesystem;
using namespace skingen;

namespace {

const fs::path kCollection = fs::path(DK_SOURCE_DIR) / "skins" / "collection";

struct Built {
  std::vector<Settings> sources;
  std::vector<Skin> skins;
  std::vector<std::string> packed;
};

Built BuildList(const fs::path& list) {
  Built b;
  b.sources = ReadCollection(list);
  for (const Settings& s : b.sources) {
    b.skins.push_back(BuildSkin(s));
    b.packed.push_back(WritePackedSkin(b.skins.back().Members()));
  }
  return b;
}

// The collection is drawn once for all tests of this file.
const Built& Stored() {
  static const Built built = BuildList(kCollection / "collection.txt");
  return built;
}

std::unique_ptr<TsSkinModel> LoadPacked(const std::string& packed) {
  auto model = std::make_unique<TsSkinModel>();
  model->Load(PackedDataSource(packed));
  return model;
}

void ExpectSameBitmap(const img::Bitmap32& a, const img::Bitmap32& b, const std::string& what) {
  ASSERT_EQ(a.Width(), b.Width()) << what;
  ASSERT_EQ(a.Height(), b.Height()) << what;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      ASSERT_EQ(a.Pixel(x, y), b.Pixel(x, y)) << what << " at " << x << "," << y;
}

void ExpectSameModel(const TsSkinModel& a, const TsSkinModel& b, const std::string& skin) {
  EXPECT_EQ(a.GlobalInfo.SkinVersion, b.GlobalInfo.SkinVersion) << skin;
  EXPECT_EQ(a.GlobalInfo.TitleHeight, b.GlobalInfo.TitleHeight) << skin;
  EXPECT_EQ(a.Palette, b.Palette) << skin;
  ExpectSameBitmap(a.MasterImage, b.MasterImage, skin + " master");
  ASSERT_EQ(a.SectionTable.size(), b.SectionTable.size()) << skin;
  for (size_t i = 0; i < a.SectionTable.size(); ++i) {
    const TsGeneralData &s = a.SectionTable[i], &t = b.SectionTable[i];
    EXPECT_EQ(s.SectionName, t.SectionName) << skin;
    EXPECT_EQ(s.BorderIndex, t.BorderIndex) << skin << " " << s.SectionName;
    EXPECT_EQ(s.States[1].Color, t.States[1].Color) << skin << " " << s.SectionName;
    EXPECT_EQ(s.States[0].TextureIndex, t.States[0].TextureIndex) << skin << " " << s.SectionName;
  }
  ASSERT_EQ(a.ImageTable.size(), b.ImageTable.size()) << skin;
  for (size_t i = 0; i < a.ImageTable.size(); ++i) {
    const TsMaskData &e = a.ImageTable[i], &f = b.ImageTable[i];
    std::string what = skin + " " + e.SectionName + "/" + e.KeyName;
    EXPECT_EQ(e.KeyName, f.KeyName) << what;
    EXPECT_EQ(e.SrcRect.Right, f.SrcRect.Right) << what;
    EXPECT_EQ(e.SrcRect.Bottom, f.SrcRect.Bottom) << what;
    EXPECT_EQ(e.StateCount, f.StateCount) << what;
    EXPECT_EQ(e.MarginLeft, f.MarginLeft) << what;
    EXPECT_EQ(e.MarginBottom, f.MarginBottom) << what;
    EXPECT_EQ(e.CornerTransparency, f.CornerTransparency) << what;
    ASSERT_EQ(bool(e.Image), bool(f.Image)) << what;
    if (e.Image) ExpectSameBitmap(*e.Image, *f.Image, what);
  }
  EXPECT_EQ(a.PatternTable.size(), b.PatternTable.size()) << skin;
}

}  // namespace

TEST(SkingenCollection, FortyThreeNamedSkinsInVersionRange) {
  const Built& b = Stored();
  ASSERT_EQ(b.skins.size(), 43u);
  std::set<std::string> names;
  for (const Skin& skin : b.skins) {
    EXPECT_TRUE(names.insert(skin.name).second) << skin.name;
    EXPECT_GE(skin.version, 7.0) << skin.name;
    EXPECT_LT(skin.version, 8.995) << skin.name;
    EXPECT_FALSE(skin.author.empty()) << skin.name;
  }
}

TEST(SkingenCollection, DrawingTwiceGivesTheSameBytes) {
  const Built& first = Stored();
  // Two skins of each family are enough to catch anything that depends on more than the input.
  for (size_t i = 0; i < first.sources.size(); i += 4)
    EXPECT_EQ(WritePackedSkin(BuildSkin(first.sources[i]).Members()), first.packed[i])
        << first.sources[i].name;
}

TEST(SkingenCollection, EverySkinLoadsWithItsImages) {
  const Built& b = Stored();
  for (size_t i = 0; i < b.skins.size(); ++i) {
    std::unique_ptr<TsSkinModel> model;
    ASSERT_NO_THROW(model = LoadPacked(b.packed[i])) << b.skins[i].name;
    EXPECT_EQ(model->GlobalInfo.SkinVersion, b.skins[i].version) << b.skins[i].name;
    EXPECT_FALSE(model->MasterImage.Empty()) << b.skins[i].name;
    // Every image entry the options name makes an entry: none is lost to a file or a
    // rectangle that does not load. JPEG pictures need the system's decoder.
    size_t entries = 0;
    for (const auto& [section, keys] : b.skins[i].options.Sections())
      for (const auto& [key, value] : keys)
        if (!value.empty() && std::string("@^~!#").find(value[0]) != std::string::npos) ++entries;
    EXPECT_GE(model->ImageTable.size(), entries) << b.skins[i].name;
    EXPECT_NE(model->QuickIndexes.TitleButtons[0], -1) << b.skins[i].name;
    for (int32_t index : model->QuickIndexes.GlobalImages) EXPECT_NE(index, -1) << b.skins[i].name;
  }
}

TEST(SkingenCollection, PackedAndFolderFormsLoadAlike) {
  const Built& b = Stored();
  fs::path root = fs::temp_directory_path() / "skingen-folder-test";
  fs::remove_all(root);
  for (size_t i = 0; i < b.skins.size(); i += 3) {
    const Skin& skin = b.skins[i];
    fs::path dir = root / skin.name;
    fs::create_directories(dir);
    for (const TvePackedMember& m : skin.Members())
      std::ofstream(dir / m.Name, std::ios::binary) << m.Data;
    TsSkinModel fromFolder;
    ASSERT_NO_THROW(fromFolder.Load(FolderSource((dir / "").string()))) << skin.name;
    ExpectSameModel(*LoadPacked(b.packed[i]), fromFolder, skin.name);
  }
  fs::remove_all(root);
}

TEST(SkingenCollection, VersionTestSkins) {
  Built tests = BuildList(kCollection / "tests.txt");
  ASSERT_EQ(tests.skins.size(), 2u);
  EXPECT_EQ(tests.skins[0].name, "Old Version Test");
  EXPECT_EQ(LoadPacked(tests.packed[0])->GlobalInfo.SkinVersion, 6.5);
  EXPECT_EQ(tests.skins[1].name, "Next Version Test");
  double next = LoadPacked(tests.packed[1])->GlobalInfo.SkinVersion;
  EXPECT_GE(next, 9.0);
  EXPECT_LT(next, 10.0);
}

TEST(SkingenCollection, BrokenSourcesAreReported) {
  fs::path dir = fs::temp_directory_path() / "skingen-broken-test";
  fs::create_directories(dir);
  auto write = [&](const char* name, const char* text) { std::ofstream(dir / name) << text; };
  write("list.txt", "family.txt\nfamily.txt\n");
  write("family.txt", "[STYLE]\nradius=2\n[A]\nwindow=#FFFFFF\n");
  EXPECT_THROW(ReadCollection(dir / "list.txt"), std::runtime_error);  // the name used twice
  write("list.txt", "family.txt\n");
  write("family.txt", "[STYLE]\nradius=2\n[A]\nwindow=#FFFFFF\n[A]\nwindow=#000000\n");
  EXPECT_THROW(ReadCollection(dir / "list.txt"), std::runtime_error);  // twice in one file
  write("family.txt", "[A]\nwindow=#FFFFFF\n");
  EXPECT_THROW(ReadCollection(dir / "list.txt"), std::runtime_error);  // no [STYLE]
  write("family.txt", "[STYLE]\nradius=2\n[A]\nwindow=white\n");
  std::vector<Settings> skins = ReadCollection(dir / "list.txt");
  ASSERT_EQ(skins.size(), 1u);
  EXPECT_THROW(BuildSkin(skins[0]), std::runtime_error);  // not a colour, and keys missing
  fs::remove_all(dir);
}
