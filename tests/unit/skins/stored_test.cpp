// The skins embedded in the program: AddStoredSkins gives the collection in index order with the
// stored names, the packed bytes of the generated files and the values kept beside each skin,
// which agree with what each skin says of itself.
#include <gtest/gtest.h>

#include "Collection.h"
#include "skin/data/SkinSources.h"
#include "skins/StoredSkins.h"

namespace {

TEST(StoredSkins, AddsTheCollectionInIndexOrderWithTheGeneratedBytes) {
  int changes = 0;
  TsStoredSkins skins([&] { ++changes; });
  AddStoredSkins(skins);
  const std::vector<std::string> names = collection::IndexNames();
  ASSERT_EQ(skins.Count(), static_cast<int>(names.size()));
  EXPECT_EQ(changes, skins.Count());
  for (int i = 0; i < skins.Count(); ++i) {
    const TsStoredSkin& skin = skins.Items(i);
    EXPECT_EQ(skin.Name, names[size_t(i)] + " (internal)");
    ASSERT_FALSE(skin.Data.empty()) << skin.Name;
    std::string file =
        collection::ReadFile(collection::SkinsDir() + "/" + names[size_t(i)] + ".vlz");
    EXPECT_TRUE(skin.Data == file) << skin.Name << ": " << skin.Data.size()
                                   << " bytes embedded, the generated file has " << file.size();
    EXPECT_EQ(skins.IndexOfSkin(skin.Name), i);
  }
}

// Every stored skin carries a black shadow without offset or transparency, and its version,
// author, description and shadow blur are those of its own GLOBALINFO.
TEST(StoredSkins, ValuesKeptBesideEachSkinAgreeWithTheSkin) {
  TsStoredSkins skins;
  AddStoredSkins(skins);
  for (int i = 0; i < skins.Count(); ++i) {
    const TsStoredSkin& skin = skins.Items(i);
    EXPECT_EQ(skin.Shadow1Color, 0) << skin.Name;
    EXPECT_EQ(skin.Shadow1Offset, 0) << skin.Name;
    EXPECT_EQ(skin.Shadow1Transparency, 0) << skin.Name;
    EXPECT_TRUE(skin.MasterBitmap.Empty()) << skin.Name;
    TsSkinModel model;
    model.Load(PackedDataSource(skin.Data));
    const TsSkinData& info = model.GlobalInfo;
    EXPECT_EQ(skin.Version, info.SkinVersion) << skin.Name;
    EXPECT_EQ(skin.Author, info.SkinAuthor) << skin.Name;
    EXPECT_EQ(skin.Description, info.SkinDescription) << skin.Name;
    EXPECT_EQ(skin.Shadow1Blur, info.Shadow1Blur) << skin.Name;
  }
}

TEST(StoredSkins, TheProgramStartsWithTheLastStoredSkin) {
  TsStoredSkins skins;
  AddStoredSkins(skins);
  ASSERT_GT(skins.Count(), 0);
  EXPECT_EQ(DefaultStoredSkinName(), skins.Items(skins.Count() - 1).Name);
  EXPECT_EQ(DefaultStoredSkinName(), collection::IndexNames().back() + " (internal)");
}

}  // namespace
