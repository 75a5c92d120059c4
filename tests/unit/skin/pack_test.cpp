// Packed skins: member layout, stream positions between members, and damaged input.
#include <gtest/gtest.h>

#include <zlib.h>

#include <random>

#include "skin/data/sStoredSkins.h"
#include "skin/data/veSkinPack.h"
#include "support/FakeHost.h"

namespace {

std::unique_ptr<TveSkinConvertor> Read(std::string bytes) {
  auto convertor = std::make_unique<TveSkinConvertor>();
  convertor->SourceStream = std::move(bytes);
  ReadPackedSkin(convertor);
  return convertor;
}

std::string Noise(size_t size, unsigned seed) {
  std::mt19937 gen(seed);
  std::string data(size, '\0');
  for (char& c : data) c = static_cast<char>(gen());
  return data;
}

void PutUInt32(std::string& out, uint32_t value) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
}

// A member written by hand, with a stated size that need not match the data.
std::string Member(const std::string& name, uint32_t statedSize, const std::string& data) {
  std::string out;
  PutUInt32(out, static_cast<uint32_t>(name.size()));
  out += name;
  PutUInt32(out, statedSize);
  uLongf size = compressBound(static_cast<uLong>(data.size()));
  std::string packed(size, '\0');
  compress(reinterpret_cast<Bytef*>(packed.data()), &size,
           reinterpret_cast<const Bytef*>(data.data()), static_cast<uLong>(data.size()));
  return out + packed.substr(0, size);
}

std::string Header(uint32_t count) {
  std::string out = "VLzf";
  PutUInt32(out, count);
  return out;
}

TEST(PackedSkinTest, LowerCaseOptionsMemberIsTheOptionsText) {
  auto c = Read(WritePackedSkin({{"options.dat", "[GLOBALINFO]\r\nVERSION=8\r\n"}}));
  ASSERT_TRUE(c->OptionsData);
  EXPECT_EQ(*c->OptionsData, "[GLOBALINFO]\r\nVERSION=8\r\n");
  EXPECT_TRUE(c->ImageItems.empty());
  EXPECT_EQ(c->LastImageIndex, 0);
}

TEST(PackedSkinTest, BitmapFlagFollowsTheExtensionInAnyCase) {
  auto c = Read(WritePackedSkin({{"Options.dat", ""},
                                 {"master.bmp", "a"},
                                 {"X.PNG", "b"},
                                 {"A.BMP.PNG", "c"},
                                 {"BMP", "d"}}));
  ASSERT_EQ(c->ImageItems.size(), 4u);
  EXPECT_EQ(c->ImageItems[0].Name, "master.bmp");
  EXPECT_TRUE(c->ImageItems[0].IsBitmap);
  EXPECT_FALSE(c->ImageItems[1].IsBitmap);
  EXPECT_FALSE(c->ImageItems[2].IsBitmap);
  EXPECT_FALSE(c->ImageItems[3].IsBitmap);
  EXPECT_EQ(c->LastImageIndex, 4);
}

TEST(PackedSkinTest, WrongMagicReleasesTheConvertor) {
  for (std::string bytes : {std::string("VLzF\0\0\0\0", 8), std::string("VLz"), std::string()}) {
    auto c = std::make_unique<TveSkinConvertor>();
    c->SourceStream = bytes;
    try {
      ReadPackedSkin(c);
      FAIL() << "no error";
    } catch (const EPackedSkinError& e) {
      EXPECT_STREQ(e.what(), "Loaded data is not a packed Velvane file");
    }
    EXPECT_EQ(c, nullptr);
  }
}

TEST(PackedSkinTest, MembersFollowEachOtherWhateverTheirCompressedSizes) {
  // Incompressible data makes streams longer than the reader's 64 KiB input chunk, so member
  // starts fall both inside and beyond the first chunk.
  std::vector<TvePackedMember> members = {{"Options.dat", std::string(70000, 'x')},
                                          {"BIG.PNG", Noise(150000, 1)},
                                          {"TINY.BMP", "z"},
                                          {"EMPTY.PNG", ""},
                                          {"MID.PNG", Noise(65530, 2)}};
  auto c = Read(WritePackedSkin(members));
  EXPECT_EQ(*c->OptionsData, members[0].Data);
  ASSERT_EQ(c->ImageItems.size(), 4u);
  for (size_t i = 0; i < 4; ++i) EXPECT_EQ(c->ImageItems[i].Data, members[i + 1].Data) << i;
}

TEST(PackedSkinTest, WriterIsReproducible) {
  std::vector<TvePackedMember> members = {{"Options.dat", "[A]\nB=1\n"}, {"M.BMP", Noise(999, 3)}};
  EXPECT_EQ(WritePackedSkin(members), WritePackedSkin(members));
}

TEST(PackedSkinTest, StatedSizeMustMatchTheData) {
  EXPECT_THROW(Read(Header(1) + Member("A.PNG", 11, "0123456789")), EReadError);
  // A longer stream would leave the next member's header inside its data.
  EXPECT_THROW(Read(Header(2) + Member("A.PNG", 9, "0123456789") + Member("B.PNG", 1, "b")),
               EReadError);
  EXPECT_NO_THROW(Read(Header(1) + Member("A.PNG", 10, "0123456789")));
}

TEST(PackedSkinTest, SizesTheDataCannotHoldFailWithoutAllocating) {
  EXPECT_THROW(Read(Header(0xFFFFFFFF) + Member("A.PNG", 1, "a")), EReadError);
  std::string hugeName = Header(1);
  PutUInt32(hugeName, 0xFFFFFFF0);
  EXPECT_THROW(Read(hugeName + "abc"), EReadError);
  EXPECT_THROW(Read(Header(1) + Member("A.PNG", 0xFFFFFFFF, "a")), EReadError);
  // A small stream cannot fill a large stated size, however large.
  EXPECT_THROW(Read(Header(1) + Member("A.PNG", 200u << 20, "a")), EReadError);
}

TEST(PackedSkinTest, EveryTruncationIsAnError) {
  std::string whole = WritePackedSkin({{"Options.dat", "[X]\nY=1\n"}, {"A.BMP", Noise(300, 4)}});
  for (size_t n = 0; n < whole.size(); ++n)
    EXPECT_ANY_THROW(Read(whole.substr(0, n))) << "length " << n;
}

TEST(PackedSkinTest, CorruptStreamRaisesTheDecompressorError) {
  std::string bytes = WritePackedSkin({{"A.PNG", std::string(1000, 'q')}});
  bytes.back() ^= 0x55;  // the check value
  EXPECT_THROW(Read(bytes), EZDecompressionError);
}

TEST(PackedSkinFileTest, MissingFileChangesNothing) {
  testing_support::FakeHost host;
  auto c = std::make_unique<TveSkinConvertor>();
  c->OptionsData = "kept";
  ReadPackedSkinFile("C:\\Skins\\None.vlz", c, true);
  EXPECT_EQ(*c->OptionsData, "kept");
  std::unique_ptr<TveSkinConvertor> none;
  ReadPackedSkinFile("C:\\Skins\\None.vlz", none, true);
  EXPECT_EQ(none, nullptr);
}

TEST(PackedSkinFileTest, ReadsAndOptionallyReleasesTheSource) {
  testing_support::FakeHost host;
  host.files["C:\\Skins\\A.vlz"] = WritePackedSkin({{"Options.dat", "o"}, {"P.PNG", "p"}});
  std::unique_ptr<TveSkinConvertor> c;
  ReadPackedSkinFile("C:\\Skins\\A.vlz", c, false);
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->SourceStream);
  ReadPackedSkinFile("C:\\Skins\\A.vlz", c, true);
  EXPECT_FALSE(c->SourceStream);
  EXPECT_EQ(c->ImageItems.size(), 1u);  // cleared before the second read, not appended
  EXPECT_EQ(*c->OptionsData, "o");
}

}  // namespace

namespace {

TEST(StoredSkinsTest, IndexOfSkinIsExactAndChangesNotifyTheOwner) {
  int changes = 0;
  TsStoredSkins skins([&] { ++changes; });
  TsStoredSkin item;
  item.Name = "Blue (internal)";
  skins.Add(item);
  item.Name = "Green (internal)";
  skins.Add(item);
  EXPECT_EQ(skins.IndexOfSkin("Green (internal)"), 1);
  EXPECT_EQ(skins.IndexOfSkin("green (internal)"), -1);
  EXPECT_EQ(skins.IndexOfSkin("Green"), -1);
  skins.Delete(0);
  EXPECT_EQ(skins.IndexOfSkin("Green (internal)"), 0);
  EXPECT_THROW(skins.Delete(5), std::out_of_range);
  skins.Clear();
  EXPECT_EQ(changes, 4);
  EXPECT_EQ(TsStoredSkin().Shadow1Blur, -1);
  EXPECT_EQ(TsStoredSkin().BorderColor, 0xFF00FF);
}

}  // namespace
