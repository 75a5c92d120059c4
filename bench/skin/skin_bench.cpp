// Loading a typical packed skin into the model, and where the time goes: inflating the members,
// decoding the images, parsing the options text and building the sections and indexes.
#include <benchmark/benchmark.h>

#include "text/IniText.h"
#include "text/TextLines.h"
#include "skin/data/SkinBitmaps.h"
#include "skin/data/SkinSources.h"
#include "tests/unit/skin/SkinFixtures.h"

namespace {

using skin_fixtures::Pixels;

// A master bitmap of 640 x 400, twelve PNG images from 24 x 24 to 256 x 128, and 60 sections of
// about 20 keys, a third of them image entries: the size of the skins the program stores.
struct TypicalSkin {
  std::string options;
  std::vector<TvePackedMember> members;
  std::string packed;

  TypicalSkin() {
    Pixels master = skin_fixtures::Solid(640, 400, 0x808080);
    for (int y = 0; y < master.height; ++y)
      for (int x = 0; x < master.width; ++x) master.At(x, y) = uint32_t(x * 7 + y * 13) & 0xFFFFFF;
    options = "[GLOBALINFO]\r\nVERSION=8.2\r\nMASTERBITMAP=MASTER.BMP\r\nTITLEHEIGHT=28\r\n";
    members.push_back({"Options.dat", ""});
    members.push_back({"MASTER.BMP", skin_fixtures::Bmp24(master)});
    for (int i = 0; i < 12; ++i) {
      Pixels p = skin_fixtures::Solid(24 + i * 20, 24 + i * 9, 0x204060 + uint32_t(i));
      std::vector<uint8_t> alpha(p.rgb.size());
      for (size_t k = 0; k < alpha.size(); ++k) alpha[k] = uint8_t(k * 31);
      std::string name = "IMG" + std::to_string(i) + ".PNG";
      members.push_back({name, skin_fixtures::PngRgba(p, alpha)});
      options += "IMG" + std::to_string(i) + "=!" + name + "!3!0!0!0004!0004!0004!0004!1\r\n";
    }
    for (int s = 0; s < 60; ++s) {
      std::string n = "SECTION" + std::to_string(s);
      options += "[" + n + "]\r\n";
      if (s % 3) options += "PARENTCLASS=SECTION" + std::to_string(s - 1) + "\r\n";
      options += "COLOR=0x" + std::to_string(100000 + s) +
                 "\r\nFONTCOLOR=0\r\nHOTCOLOR=16777215\r\n"
                 "GRADIENTDATA=15790320;13684944;60;0;0;13684944;12632256;40;0;0\r\n"
                 "GRADIENTPERCENT=50\r\nTRANSPARENCY=0\r\nSTATES=3\r\nGLOW=2\r\nSHOWFOCUS=1\r\n";
      char entry[80];
      std::snprintf(entry, sizeof entry, "^%04d^%04d^%04d^%04d^0003^0003^0003^0003^3^1^0^0",
                    (s * 10) % 600, (s * 6) % 360, (s * 10) % 600 + 36, (s * 6) % 360 + 24);
      options += std::string("BORDERSMASK=") + entry + "\r\n";
      std::snprintf(entry, sizeof entry, "@%04d@%04d@%04d@%04d@3@0", s, s, s + 45, s + 15);
      options += std::string("GLYPHMASK=") + entry + "\r\n";
      std::snprintf(entry, sizeof entry, "~%04d~%04d~%04d~%04d~00", s, 300, s + 32, 332);
      options += std::string("PATTERN=") + entry + "\r\n";
    }
    members[0].Data = options;
    packed = WritePackedSkin(members);
  }
};

const TypicalSkin& Skin() {
  static const TypicalSkin skin;
  return skin;
}

void BM_LoadWholeSkin(benchmark::State& state) {
  for (auto _ : state) {
    TsSkinModel model;
    model.Load(PackedDataSource(Skin().packed));
    benchmark::DoNotOptimize(model.ImageTable.data());
  }
}
BENCHMARK(BM_LoadWholeSkin)->Unit(benchmark::kMillisecond);

void BM_Inflate(benchmark::State& state) {
  for (auto _ : state) {
    auto convertor = std::make_unique<TveSkinConvertor>();
    convertor->SourceStream = Skin().packed;
    ReadPackedSkin(convertor);
    benchmark::DoNotOptimize(convertor->ImageItems.data());
  }
}
BENCHMARK(BM_Inflate)->Unit(benchmark::kMillisecond);

void BM_DecodePngs(benchmark::State& state) {
  for (auto _ : state)
    for (size_t i = 2; i < Skin().members.size(); ++i) {
      auto picture = DecodeSkinImage(Skin().members[i].Data, false);
      img::Bitmap32 bitmap = ToSkinBitmap(std::move(*picture));
      PreparePngBitmap(bitmap, 8.2);
      benchmark::DoNotOptimize(bitmap.Row(0));
    }
}
BENCHMARK(BM_DecodePngs)->Unit(benchmark::kMillisecond);

void BM_DecodeMasterBitmap(benchmark::State& state) {
  for (auto _ : state) {
    img::Bitmap32 master = ToSkinBitmap(std::move(*DecodeSkinImage(Skin().members[1].Data, true)));
    benchmark::DoNotOptimize(master.Row(0));
  }
}
BENCHMARK(BM_DecodeMasterBitmap)->Unit(benchmark::kMillisecond);

void BM_ParseOptionsText(benchmark::State& state) {
  for (auto _ : state) {
    fw::IniText ini(fw::SplitLines(Skin().options), fw::NameCase::Sensitive);
    benchmark::DoNotOptimize(ini.Sections().data());
  }
}
BENCHMARK(BM_ParseOptionsText)->Unit(benchmark::kMillisecond);

// Master bitmap and image table from unpacked members.
void BM_LoadImages(benchmark::State& state) {
  auto convertor = std::make_unique<TveSkinConvertor>();
  convertor->SourceStream = Skin().packed;
  ReadPackedSkin(convertor);
  std::shared_ptr<const TveSkinConvertor> package = std::move(convertor);
  TsSkinModel model;
  model.SetSource({Skin().options, package, ""});
  for (auto _ : state) {
    model.LoadImages();
    benchmark::DoNotOptimize(model.ImageTable.data());
  }
}
BENCHMARK(BM_LoadImages)->Unit(benchmark::kMillisecond);

// Sections, palette and quick indexes over an image table already built.
void BM_BuildSections(benchmark::State& state) {
  TsSkinModel model;
  model.Load(PackedDataSource(Skin().packed));
  for (auto _ : state) {
    model.ParseSections();
    model.BuildQuickIndexes();
    benchmark::DoNotOptimize(model.SectionTable.data());
  }
}
BENCHMARK(BM_BuildSections)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
