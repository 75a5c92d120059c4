// The program's own skin collection, loaded through the manager as the main window does.
#include <gtest/gtest.h>

#include "ManagerWorld.h"
#include "skin/data/sSkinManager.h"
#include "skins/StoredSkins.h"

namespace {

TEST(StoredSkinsTest, EveryStoredSkinLoadsWithoutAMessage) {
  manager_test::World world;
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  ASSERT_GT(manager.InternalSkins.Count(), 0);
  EXPECT_EQ(manager.InternalSkins.Items(manager.InternalSkins.Count() - 1).Name,
            DefaultStoredSkinName());
  for (int i = 0; i < manager.InternalSkins.Count(); ++i) {
    const std::string& name = manager.InternalSkins.Items(i).Name;
    manager.SetSkinName(name);
    EXPECT_EQ(manager.SkinName(), name);
    EXPECT_NE(manager.SkinInfo(), "N/A") << name;
    EXPECT_GE(manager.FindSection("FORM"), 0) << name;
  }
  EXPECT_TRUE(world.Messages().empty());
}

}  // namespace
