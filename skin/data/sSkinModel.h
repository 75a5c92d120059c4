// The in-memory skin: every value the painters read, built from a skin's options text and images.
// The skin manager owns one model, fills it on every load and empties it when the skin is removed.
//
// Loading, in order (Load runs all of it):
//   SetSource     the options text, and where the images are (packed members or a folder)
//   LoadImages    SkinVersion, MasterImage and ImageTable (pictures of their own decode on first
//                 use)
//   LoadPatterns  PatternTable and the small JPEG textures
//   ParseSections GlobalInfo, SectionTable, CommonSections, Palette, the hue and saturation passes
//   BuildQuickIndexes
// A value that must be a number and is not throws skin::EConvertError and the load stops there.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/IniText.h"
#include "imaging/Bitmap32.h"
#include "skin/data/sSkinData.h"
#include "skin/data/veSkinPack.h"

// Indexes of a section and the images the painters of one kind of part need.
struct TsPartIndexes {
  int32_t Section = -1;
  int32_t BorderIndex = -1;
  int32_t GlyphIndex = -1;
  int32_t PatternIndex = -1;
  int32_t HotPatternIndex = -1;
};

// Looked up once per load so that painting needs no name lookups; -1 = none.
struct TsQuickIndexes {
  int32_t GlobalInfo = -1;
  // Images of GLOBALINFO, in the order of kGlobalImageKeys.
  std::array<int32_t, 13> GlobalImages;
  TsPartIndexes ComboBtn;             // BORDERSMASK by name, PATTERN and HOTPATTERN textures
  int32_t ComboBoxGlyph = -1;         // GLYPHMASK of COMBOBOX, by name
  std::array<TsPartIndexes, 4> Tabs;  // kTabSections
  std::array<TsPartIndexes, 6> ScrollButtons;  // kScrollButtonSections
  std::array<int32_t, 11> TitleButtons;        // kTitleButtonKeys
  std::array<TsPartIndexes, 4> ScrollBars;     // kScrollBarSections
  int32_t WebButton = -1;

  TsQuickIndexes() {
    GlobalImages.fill(-1);
    TitleButtons.fill(-1);
  }
};

inline constexpr std::array<std::string_view, 13> kGlobalImageKeys = {
    "BOXCHECKED",  "BOXUNCHECKED", "BOXGRAYED",      "RADIOCHECKED", "RADIOUNCHECKED",
    "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED",  "EXBORDER",
    "GRIPIMAGE",   "GRIPHORZ",     "GRIPVERT"};
inline constexpr std::array<std::string_view, 4> kTabSections = {"TABTOP", "TABBOTTOM", "TABLEFT",
                                                                 "TABRIGHT"};
inline constexpr std::array<std::string_view, 6> kScrollButtonSections = {
    "SCROLLBTNTOP",   "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
    "SCROLLBTNRIGHT", "SCROLLSLIDERV",   "SCROLLSLIDERH"};
// Title-bar button images; the first three are the close buttons.
inline constexpr std::array<std::string_view, 11> kTitleButtonKeys = {
    "BICONCLOSE", "BICLOSEALONE", "SICONCLOSE", "BICONMAX", "BICONNORM", "BICONMIN",
    "BICONHELP",  "SICONMAX",     "SICONNORM",  "SICONMIN", "SICONHELP"};
inline constexpr std::array<std::string_view, 4> kScrollBarSections = {
    "SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};

inline constexpr size_t kPaletteSize = 28;
inline constexpr std::string_view kGlobalInfoSection = "GLOBALINFO";

// Where the skin being loaded comes from.
struct TsSkinSource {
  std::string OptionsText;
  // The unpacked members of a packed or stored skin; null for a skin read from a folder.
  std::shared_ptr<const TveSkinConvertor> Package;
  // The skin's folder with a trailing "\"; image files are looked for there.
  std::string Folder;
};

class TsSkinModel {
 public:
  TsSkinModel();
  // Image entries point back at their model, so a model stays where it was made.
  TsSkinModel(const TsSkinModel&) = delete;
  TsSkinModel& operator=(const TsSkinModel&) = delete;

  // Settings of the owning manager that shape the model.
  std::vector<std::string> CommonSections;  // extra options text lines
  int32_t HueOffset = 0;
  int32_t Saturation = 0;
  // Called by ParseSections once GlobalInfo is read (the manager's version check), and at the
  // end of BuildQuickIndexes (the manager recomputes what depends on the EXBORDER image).
  std::function<void(const TsSkinModel&)> OnCheckVersion;
  std::function<void(const TsSkinModel&)> OnQuickIndexesBuilt;

  TsSkinData GlobalInfo;
  std::vector<TsGeneralData> SectionTable;
  std::vector<TsMaskData> ImageTable;
  std::vector<TsPatternData> PatternTable;
  img::Bitmap32 MasterImage;
  std::array<int32_t, kPaletteSize> Palette{};
  TsQuickIndexes QuickIndexes;

  // Parses the options text and takes the image source; SkinFolder becomes source.Folder.
  void SetSource(TsSkinSource source);
  // SetSource and the four loading steps; the packed members are released afterwards.
  void Load(TsSkinSource source);
  void LoadImages();
  void LoadPatterns();
  void ParseSections();
  void BuildQuickIndexes();
  // Releases images and patterns and empties the section table (the skin is removed).
  void Clear();
  // Takes every value of another model but its master image and the load hooks, for a copy of
  // the skin that is then changed (the skin at another display scale). The image entries point
  // at this model.
  void CopyValuesOf(const TsSkinModel& other);

  // Lookups. All names compare exactly; -1 means none.
  int FindSection(std::string_view name) const;
  // The entry of section/key, else the same search in the section's PARENTCLASS section.
  int FindImage(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  int FindImageByName(std::string_view sectionName, std::string_view key) const;
  // As FindImage, counting only textures (ImageKind 1).
  int FindTexture(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  int FindPattern(int sectionIndex, std::string_view sectionName, std::string_view key) const;
  bool IsValidSectionIndex(int index) const;
  bool IsValidImageIndex(int index) const;
  // Width of a side's border band of a valid image entry: its own margin, else DefaultMargin,
  // else the whole state frame.
  int EffectiveMarginLeft(int index);
  int EffectiveMarginTop(int index) const;
  int EffectiveMarginRight(int index) const;
  int EffectiveMarginBottom(int index) const;

  const fw::IniText& Options() const { return options_; }
  bool LoadedFromPackage() const { return loadedFromPackage_; }

 private:
  // The bytes of an image or picture file of the skin, or nothing when it cannot be found. A
  // packed member is returned in place; a file is read into storage.
  std::optional<std::string_view> ReadSkinFile(std::string_view name, std::string& storage) const;
  // Every section of the skin's options and then of the common sections, as the image and
  // pattern passes visit them; names of common sections and keys are upper-cased.
  template <typename Visit>
  void ForEachKey(Visit visit) const;
  void AddImageEntry(const std::string& section, const std::string& key, std::string_view value);
  void AddJpegEntry(const std::string& section, const std::string& key, std::string_view value);
  TsGeneralData ReadSection(const class SkinOptions& options, const std::string& name) const;
  void ReadGlobalInfo();
  void MergeCommonSections();
  void FillPalette();
  void ApplyHueOffset();
  void ApplySaturation();

  TsSkinSource source_;
  bool loadedFromPackage_ = false;
  fw::IniText options_;
  fw::IniText common_;
};
