#include "skin/data/sSkinModel.h"

#include "text/TextLines.h"
#include "platform/Host.h"
#include "skin/data/MaskGeometry.h"
#include "skin/data/SkinText.h"

TsSkinModel::TsSkinModel()
    : options_({}, fw::NameCase::Sensitive), common_({}, fw::NameCase::Sensitive) {}

void TsSkinModel::SetSource(TsSkinSource source) {
  source_ = std::move(source);
  loadedFromPackage_ = source_.Package != nullptr;
  options_ = fw::IniText(fw::SplitLines(source_.OptionsText), fw::NameCase::Sensitive);
  common_ = fw::IniText(CommonSections, fw::NameCase::Sensitive);
  GlobalInfo.SkinFolder = source_.Folder;
}

void TsSkinModel::Load(TsSkinSource source) {
  SetSource(std::move(source));
  LoadImages();
  LoadPatterns();
  ParseSections();
  BuildQuickIndexes();
  // The pictures still to be decoded hold their own file's bytes; the unpacked members are not
  // needed any more.
  source_.Package.reset();
  source_.OptionsText.clear();
}

void TsSkinModel::Clear() {
  ImageTable.clear();
  PatternTable.clear();
  SectionTable.clear();
  MasterImage = img::Bitmap32();
}

void TsSkinModel::CopyValuesOf(const TsSkinModel& other) {
  CommonSections = other.CommonSections;
  HueOffset = other.HueOffset;
  Saturation = other.Saturation;
  GlobalInfo = other.GlobalInfo;
  SectionTable = other.SectionTable;
  ImageTable = other.ImageTable;
  for (TsMaskData& e : ImageTable)
    if (e.Owner != nullptr) e.Owner = this;
  PatternTable = other.PatternTable;
  Palette = other.Palette;
  QuickIndexes = other.QuickIndexes;
  source_ = other.source_;
  loadedFromPackage_ = other.loadedFromPackage_;
  options_ = other.options_;
  common_ = other.common_;
}

std::optional<std::string_view> TsSkinModel::ReadSkinFile(std::string_view name,
                                                          std::string& storage) const {
  if (source_.Package) {
    for (const TveImageItem& item : source_.Package->ImageItems)
      if (skin::UpperCase(item.Name) == name) return item.Data;
    return std::nullopt;
  }
  std::string path = name.find(':') == std::string_view::npos ? GlobalInfo.SkinFolder : "";
  path += name;
  try {
    storage = platform::CurrentHost().ReadFile(path);
    return storage;
  } catch (const platform::FileOpenError&) {
    return std::nullopt;
  }
}

int TsSkinModel::FindSection(std::string_view name) const {
  if (name.empty()) return -1;
  for (size_t i = 0; i < SectionTable.size(); ++i)
    if (SectionTable[i].SectionName == name) return static_cast<int>(i);
  return -1;
}

namespace {

template <typename Entry, typename Accept>
int IndexOf(const std::vector<Entry>& table, std::string_view section, std::string_view key,
            Accept accept) {
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].SectionName == section && table[i].KeyName == key && accept(table[i]))
      return static_cast<int>(i);
  return -1;
}

// The entry of section/key, else of the section's PARENTCLASS section, and so on. Each step is
// a different section, so a chain that loops is cut after as many steps as there are sections.
template <typename Entry, typename Accept>
int IndexInChain(const TsSkinModel& model, const std::vector<Entry>& table, int sectionIndex,
                 std::string_view sectionName, std::string_view key, Accept accept) {
  for (size_t step = 0; step <= model.SectionTable.size(); ++step) {
    if (sectionIndex < 0 || sectionName.empty()) return -1;
    if (int found = IndexOf(table, sectionName, key, accept); found >= 0) return found;
    if (!model.IsValidSectionIndex(sectionIndex)) return -1;
    const std::string& parent = model.SectionTable[size_t(sectionIndex)].ParentSection;
    if (parent.empty() || parent == sectionName) return -1;
    sectionIndex = model.FindSection(parent);
    sectionName = parent;
  }
  return -1;
}

bool Any(const auto&) {
  return true;
}

bool IsTexture(const TsMaskData& e) {
  return e.ImageKind == kImageTexture;
}

}  // namespace

int TsSkinModel::FindImage(int sectionIndex, std::string_view sectionName,
                           std::string_view key) const {
  return IndexInChain(*this, ImageTable, sectionIndex, sectionName, key, Any<TsMaskData>);
}

int TsSkinModel::FindTexture(int sectionIndex, std::string_view sectionName,
                             std::string_view key) const {
  return IndexInChain(*this, ImageTable, sectionIndex, sectionName, key, IsTexture);
}

int TsSkinModel::FindImageByName(std::string_view sectionName, std::string_view key) const {
  return IndexOf(ImageTable, sectionName, key, Any<TsMaskData>);
}

int TsSkinModel::FindPattern(int sectionIndex, std::string_view sectionName,
                             std::string_view key) const {
  return IndexInChain(*this, PatternTable, sectionIndex, sectionName, key, Any<TsPatternData>);
}

bool TsSkinModel::IsValidSectionIndex(int index) const {
  return index >= 0 && index < static_cast<int>(SectionTable.size());
}

bool TsSkinModel::IsValidImageIndex(int index) const {
  return index >= 0 && index < static_cast<int>(ImageTable.size());
}

int TsSkinModel::EffectiveMarginLeft(int index) {
  TsMaskData& e = ImageTable[size_t(index)];
  if (e.MarginLeft > 0) return e.MarginLeft;
  if (e.DefaultMargin > 0) return e.DefaultMargin;
  if (e.StateCount == 0) e.StateCount = 1;
  return FrameWidth(e);
}

int TsSkinModel::EffectiveMarginTop(int index) const {
  const TsMaskData& e = ImageTable[size_t(index)];
  return e.MarginTop > 0 ? e.MarginTop : e.DefaultMargin > 0 ? e.DefaultMargin : FrameHeight(e);
}

int TsSkinModel::EffectiveMarginRight(int index) const {
  const TsMaskData& e = ImageTable[size_t(index)];
  return e.MarginRight > 0 ? e.MarginRight : e.DefaultMargin > 0 ? e.DefaultMargin : FrameWidth(e);
}

int TsSkinModel::EffectiveMarginBottom(int index) const {
  const TsMaskData& e = ImageTable[size_t(index)];
  return e.MarginBottom > 0    ? e.MarginBottom
         : e.DefaultMargin > 0 ? e.DefaultMargin
                               : FrameHeight(e);
}
