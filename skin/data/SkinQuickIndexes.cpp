// Indexes looked up once per load, so that painting code needs no name lookups.
#include "skin/data/sSkinModel.h"

void TsSkinModel::BuildQuickIndexes() {
  TsQuickIndexes q;
  const std::string global(kGlobalInfoSection);
  q.GlobalInfo = FindSection(global);
  for (size_t i = 0; i < kGlobalImageKeys.size(); ++i)
    q.GlobalImages[i] = FindImage(q.GlobalInfo, global, kGlobalImageKeys[i]);

  q.ComboBtn.Section = FindSection("COMBOBTN");
  q.ComboBtn.BorderIndex = FindImageByName("COMBOBTN", "BORDERSMASK");
  q.ComboBtn.PatternIndex = FindTexture(q.ComboBtn.Section, "COMBOBTN", "PATTERN");
  q.ComboBtn.HotPatternIndex = FindTexture(q.ComboBtn.Section, "COMBOBTN", "HOTPATTERN");
  q.ComboBoxGlyph = FindImageByName("COMBOBOX", "GLYPHMASK");

  for (size_t i = 0; i < kTabSections.size(); ++i) q.Tabs[i].Section = FindSection(kTabSections[i]);
  // Every tab border is looked up from the top tab's section, so tabs inherit its parents.
  for (size_t i = 0; i < kTabSections.size(); ++i)
    q.Tabs[i].BorderIndex = FindImage(q.Tabs[0].Section, kTabSections[i], "BORDERSMASK");

  for (size_t i = 0; i < kScrollButtonSections.size(); ++i) {
    TsPartIndexes& part = q.ScrollButtons[i];
    std::string_view name = kScrollButtonSections[i];
    part.Section = FindSection(name);
    part.BorderIndex = FindImage(part.Section, name, "BORDERSMASK");
    if (part.Section >= 0) part.GlyphIndex = FindImage(part.Section, name, "GLYPHMASK");
    part.PatternIndex = FindImage(part.Section, name, "PATTERN");
    part.HotPatternIndex = FindImage(part.Section, name, "HOTPATTERN");
  }

  for (size_t i = 0; i < kTitleButtonKeys.size(); ++i)
    q.TitleButtons[i] = FindImage(q.GlobalInfo, global, kTitleButtonKeys[i]);

  for (size_t i = 0; i < kScrollBarSections.size(); ++i) {
    TsPartIndexes& part = q.ScrollBars[i];
    std::string_view name = kScrollBarSections[i];
    part.Section = FindSection(name);
    part.BorderIndex = FindImage(part.Section, name, "BORDERSMASK");
    part.PatternIndex = FindImage(part.Section, name, "PATTERN");
    part.HotPatternIndex = FindImage(part.Section, name, "HOTPATTERN");
  }
  q.WebButton = FindSection("WEBBUTTON");
  QuickIndexes = q;

  for (size_t i = 0; i < SectionTable.size(); ++i) {
    TsGeneralData& s = SectionTable[i];
    if (s.SectionName == kGlobalInfoSection) continue;
    int index = static_cast<int>(i);
    s.BorderIndex = FindImage(index, s.SectionName, "BORDERSMASK");
    s.CornerIndex = {FindImage(index, s.SectionName, "IMGTOPLEFT"),
                     FindImage(index, s.SectionName, "IMGTOPRIGHT"),
                     FindImage(index, s.SectionName, "IMGBTMLEFT"),
                     FindImage(index, s.SectionName, "IMGBTMRIGHT")};
    s.TextureIndex = FindTexture(index, s.SectionName, "PATTERN");
    s.States[0].TextureIndex = s.TextureIndex;
    if (s.StateCount > 1)
      s.States[1].TextureIndex = FindTexture(index, s.SectionName, "HOTPATTERN");
  }
  if (OnQuickIndexesBuilt) OnQuickIndexesBuilt(*this);
}
