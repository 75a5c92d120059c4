// The skins we store: each one loads, carries what a complete skin carries, and has a version the
// skin manager accepts without a notice; the two version test skins sit just outside that range.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>

#include "Collection.h"

namespace {

using collection::LoadedSkin;

constexpr size_t kStoredCount = 43;

// A key set in the section itself or in a section of its PARENTCLASS chain.
bool HasKey(const fw::IniText& options, std::string section, std::string_view key) {
  std::set<std::string> visited;
  while (!section.empty() && visited.insert(section).second) {
    if (options.ValueExists(section, key)) return true;
    section = options.ReadString(section, "PARENTCLASS", "");
  }
  return false;
}

TEST(SkinCollection, IndexNamesFortyThreeDistinctSkinsWithPlainNames) {
  std::vector<std::string> names = collection::IndexNames();
  EXPECT_EQ(names.size(), kStoredCount);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  for (const std::string& name : names) {
    EXPECT_EQ(name.find(" (internal)"), std::string::npos) << name;
    EXPECT_EQ(name.find_first_of("/\\:"), std::string::npos) << name;
    EXPECT_TRUE(std::filesystem::exists(collection::SkinsDir() + "/" + name + ".vlz")) << name;
  }
}

TEST(SkinCollection, EverySkinLoadsWithAVersionFrom7To899) {
  ASSERT_EQ(collection::StoredSkins().size(), kStoredCount);
  for (const LoadedSkin& skin : collection::StoredSkins()) {
    ASSERT_TRUE(skin.model) << skin.name << ": " << skin.error;
    double version = skin.model->GlobalInfo.SkinVersion;
    EXPECT_GE(version, 7.0) << skin.name;
    EXPECT_LE(version, 8.99) << skin.name;
  }
}

TEST(SkinCollection, EverySkinCarriesTheRequiredSectionsKeysAndImages) {
  const std::vector<collection::RequiredSection> required = collection::Required();
  ASSERT_FALSE(required.empty());
  for (const LoadedSkin& skin : collection::StoredSkins()) {
    ASSERT_TRUE(skin.model) << skin.name << ": " << skin.error;
    const TsSkinModel& model = *skin.model;
    for (const collection::RequiredSection& section : required) {
      int index = model.FindSection(section.name);
      if (index < 0) {
        ADD_FAILURE() << skin.name << ": no section " << section.name;
        continue;
      }
      for (const std::string& key : section.keys)
        EXPECT_TRUE(HasKey(model.Options(), section.name, key))
            << skin.name << ": " << section.name << " has no " << key;
      for (const std::string& key : section.images)
        EXPECT_GE(model.FindImage(index, section.name, key), 0)
            << skin.name << ": " << section.name << " has no image " << key;
    }
  }
}

TEST(SkinCollection, TestSkinsCarryAnOldAndANewVersionOutsideTheStoredRange) {
  std::set<double> versions;
  for (const auto& entry : std::filesystem::directory_iterator(collection::SkinsDir() + "/test")) {
    auto model = collection::LoadPacked(entry.path().string());
    versions.insert(model->GlobalInfo.SkinVersion);
  }
  ASSERT_EQ(versions.size(), 2u);
  EXPECT_EQ(*versions.begin(), 6.5);
  EXPECT_GE(*versions.rbegin(), 9.0);
  EXPECT_LT(*versions.rbegin(), 10.0);
  // Test skins never enter the stored set.
  std::vector<std::string> stored = collection::IndexNames();
  for (const auto& entry : std::filesystem::directory_iterator(collection::SkinsDir() + "/test"))
    EXPECT_EQ(std::count(stored.begin(), stored.end(), entry.path().stem().string()), 0);
}

}  // namespace
