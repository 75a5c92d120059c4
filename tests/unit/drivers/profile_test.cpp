// INF files read through the private-profile operations: the program's rebuilt reading and the
// platform's own (the system's on Windows) answer the same cases from real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "ProfileCases.h"
#include "platform/ProfileIni.h"

namespace {

std::string WriteTemp(const std::string& name, const std::string& text) {
  std::filesystem::path path = std::filesystem::temp_directory_path() / name;
  std::ofstream(path, std::ios::binary) << text;
  return path.string();
}

std::optional<std::string> ReadDisk(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<platform::Profile*> BothReadings(platform::IniProfile& rebuilt) {
  return {&rebuilt, &platform::Profile::Current()};
}

void RunCases(platform::Profile& profile, const char* which) {
  int n = 0;
  for (const auto& c : testing_support::ProfileCases()) {
    std::string file = WriteTemp("dk-profile-" + std::to_string(n++) + ".inf", c.text);
    std::vector<std::string> got =
        c.key ? std::vector<std::string>{profile.ReadString(file, c.section, c.key, "<def>", 2048)}
              : profile.ReadKeyNames(file, c.section, 16384);
    EXPECT_EQ(got, c.expected) << which << ": " << c.name;
    std::filesystem::remove(file);
  }
}

TEST(ProfileTest, RebuiltReadingAnswersTheSharedCases) {
  platform::IniProfile profile(ReadDisk);
  RunCases(profile, "rebuilt");
}

TEST(ProfileTest, PlatformReadingAnswersTheSharedCases) {
  RunCases(platform::Profile::Current(), "platform");
}

TEST(ProfileTest, MissingFileHasNoSections) {
  platform::IniProfile rebuilt(ReadDisk);
  std::string missing = (std::filesystem::temp_directory_path() / "dk-none.inf").string();
  for (platform::Profile* profile : BothReadings(rebuilt)) {
    EXPECT_EQ(profile->ReadString(missing, "Version", "CatalogFile", "No Signature", 2048),
              "No Signature");
    EXPECT_TRUE(profile->ReadKeyNames(missing, "SourceDisksFiles", 16384).empty());
  }
}

TEST(ProfileTest, BuffersCutLongTexts) {
  std::string longName(40, 'n');
  std::string file =
      WriteTemp("dk-profile-long.inf", "[S]\r\n" + longName + "=" + longName + "\r\nshort=1\r\n");
  platform::IniProfile rebuilt(ReadDisk);
  for (platform::Profile* profile : BothReadings(rebuilt)) {
    EXPECT_EQ(profile->ReadString(file, "S", longName, "", 11), longName.substr(0, 10));
    std::vector<std::string> names = profile->ReadKeyNames(file, "S", 20);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0], longName.substr(0, 18));
  }
  std::filesystem::remove(file);
}

}  // namespace
