// skinmodel: loads a skin into the skin model and prints the model as JSON, keyed by the model's
// own field names.
//
//   skinmodel SKIN      SKIN is a packed skin file or a skin folder (holding "Options.dat")
//
// A skin that cannot be loaded gives exit code 1 and the load error on standard error.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <string>

#include "skin/data/SkinSources.h"

namespace {

// A streaming JSON writer: values separated by commas, nesting tracked by the caller's calls.
class Json {
 public:
  void Open(char bracket) {
    Separate();
    out_ += bracket;
    first_ = true;
  }
  void Close(char bracket) {
    out_ += bracket;
    first_ = false;
  }
  Json& Key(std::string_view key) {
    Separate();
    String(key);
    out_ += ':';
    first_ = true;
    return *this;
  }
  void Value(int64_t v) {
    Separate();
    out_ += std::to_string(v);
  }
  void Value(double v) {
    Separate();
    // The shortest text that reads back as the same number ("8.1", not "8.0999999999999996").
    char buf[32];
    auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    out_.append(buf, ec == std::errc() ? end : buf);
  }
  void Value(bool v) {
    Separate();
    out_ += v ? "true" : "false";
  }
  void Value(std::string_view v) {
    Separate();
    String(v);
  }
  template <typename T>
  void Field(std::string_view key, T v) {
    Key(key).Value(v);
  }
  const std::string& Text() const { return out_; }

 private:
  void Separate() {
    if (!first_) out_ += ',';
    first_ = false;
  }
  // Skin text is 8-bit; bytes above 127 are written as the code points of the same number.
  void String(std::string_view s) {
    out_ += '"';
    for (unsigned char c : s) {
      if (c == '"' || c == '\\') {
        out_ += '\\';
        out_ += static_cast<char>(c);
      } else if (c < 0x20 || c >= 0x7F) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "\\u%04x", c);
        out_ += buf;
      } else {
        out_ += static_cast<char>(c);
      }
    }
    out_ += '"';
  }

  std::string out_;
  bool first_ = true;
};

using Numbers = std::initializer_list<std::pair<std::string_view, int64_t>>;

void Fields(Json& j, Numbers fields) {
  for (const auto& [key, value] : fields) j.Field(key, value);
}

void Ints(Json& j, std::string_view key, std::initializer_list<int64_t> values) {
  j.Key(key).Open('[');
  for (int64_t v : values) j.Value(v);
  j.Close(']');
}

void WriteGlobalInfo(Json& j, const TsSkinData& g) {
  j.Key("GlobalInfo").Open('{');
  j.Field("SkinFolder", std::string_view(g.SkinFolder));
  j.Field("IsLoaded", g.IsLoaded);
  j.Field("SkinVersion", g.SkinVersion);
  j.Field("SkinAuthor", std::string_view(g.SkinAuthor));
  j.Field("SkinDescription", std::string_view(g.SkinDescription));
  j.Field("Shadow1Color", int64_t(g.Shadow1Color));
  Fields(j, {{"Shadow1Offset", g.Shadow1Offset},
             {"Shadow1Blur", g.Shadow1Blur},
             {"Shadow1Transparency", g.Shadow1Transparency},
             {"BorderWidth", g.BorderWidth},
             {"TitleHeight", g.TitleHeight},
             {"MaxHeight", g.MaxHeight},
             {"FormOffset", g.FormOffset},
             {"AlignOffset", g.AlignOffset},
             {"CenterOffset", g.CenterOffset},
             {"BorderMode", g.BorderMode},
             {"BISpace", g.BISpace},
             {"BIVAlign", g.BIVAlign},
             {"BIRight", g.BIRight},
             {"BILeft", g.BILeft},
             {"BITop", g.BITop},
             {"BIKeepHue", g.BIKeepHue},
             {"CloseGlow", g.CloseGlow},
             {"CloseGlowMargin", g.CloseGlowMargin},
             {"MaxGlow", g.MaxGlow},
             {"MaxGlowMargin", g.MaxGlowMargin},
             {"MinGlow", g.MinGlow},
             {"MinGlowMargin", g.MinGlowMargin}});
  j.Field("AeroBlur", g.AeroBlur);
  j.Close('}');
}

void WriteGradient(Json& j, std::string_view key, const TsGradArray& gradient) {
  j.Key(key).Open('[');
  for (const TsGradPart& band : gradient) {
    j.Open('[');
    for (int64_t v :
         {int64_t(band.Color1), int64_t(band.Color2), int64_t(band.Percent), int64_t(band.Mode)})
      j.Value(v);
    j.Close(']');
  }
  j.Close(']');
}

void WriteState(Json& j, const TsGenState& s) {
  j.Open('{');
  Fields(j, {{"Color", s.Color},
             {"FontColor", s.FontColor},
             {"TCLeft", s.TCLeft},
             {"TCTop", s.TCTop},
             {"TCRight", s.TCRight},
             {"TCBottom", s.TCBottom},
             {"GradientPercent", s.GradientPercent}});
  j.Field("GradientData", std::string_view(s.GradientData));
  WriteGradient(j, "Gradient", s.Gradient);
  Fields(j, {{"ImagePercent", s.ImagePercent},
             {"TextureIndex", s.TextureIndex},
             {"GCol", s.GCol},
             {"GSize", s.GSize},
             {"Transparency", s.Transparency}});
  j.Close('}');
}

void WriteSection(Json& j, const TsGeneralData& d) {
  j.Open('{');
  j.Field("SectionName", std::string_view(d.SectionName));
  j.Field("ParentSection", std::string_view(d.ParentSection));
  j.Field("StateCount", int64_t(d.StateCount));
  j.Key("States").Open('[');
  for (const TsGenState& s : d.States) WriteState(j, s);
  j.Close(']');
  j.Field("GiveOwnFont", d.GiveOwnFont);
  j.Field("ReservedBoolean", d.ReservedBoolean);
  j.Field("ShowFocus", d.ShowFocus);
  Fields(j, {{"Glow", d.Glow}, {"GlowMargin", d.GlowMargin}, {"BorderIndex", d.BorderIndex}});
  Ints(j, "CornerIndex", {d.CornerIndex[0], d.CornerIndex[1], d.CornerIndex[2], d.CornerIndex[3]});
  j.Field("TextureIndex", int64_t(d.TextureIndex));
  j.Field("FadingEnabled", d.FadingEnabled);
  Fields(j, {{"FadingIterations", d.FadingIterations},
             {"HGCol", d.HGCol},
             {"GCol", d.GCol},
             {"HGSize", d.HGSize},
             {"GSize", d.GSize}});
  j.Close('}');
}

void WriteImage(Json& j, const TsMaskData& e) {
  j.Open('{');
  j.Field("SectionName", std::string_view(e.SectionName));
  j.Field("KeyName", std::string_view(e.KeyName));
  Ints(j, "SrcRect", {e.SrcRect.Left, e.SrcRect.Top, e.SrcRect.Right, e.SrcRect.Bottom});
  Fields(j, {{"StateCount", e.StateCount},
             {"MaskRows", e.MaskRows},
             {"DefaultMargin", e.DefaultMargin},
             {"PaintFlags", e.PaintFlags},
             {"ImageKind", e.ImageKind},
             {"MarginLeft", e.MarginLeft},
             {"MarginTop", e.MarginTop},
             {"MarginRight", e.MarginRight},
             {"MarginBottom", e.MarginBottom},
             {"CornerTransparency", e.CornerTransparency},
             {"Width", e.Image ? e.Image->Width() : 0},
             {"Height", e.Image ? e.Image->Height() : 0}});
  j.Close('}');
}

void WriteParts(Json& j, std::string_view key, const TsPartIndexes* parts, size_t count) {
  j.Key(key).Open('[');
  for (size_t i = 0; i < count; ++i) {
    const TsPartIndexes& p = parts[i];
    j.Open('{');
    Fields(j, {{"Section", p.Section},
               {"BorderIndex", p.BorderIndex},
               {"GlyphIndex", p.GlyphIndex},
               {"PatternIndex", p.PatternIndex},
               {"HotPatternIndex", p.HotPatternIndex}});
    j.Close('}');
  }
  j.Close(']');
}

void WriteQuickIndexes(Json& j, const TsQuickIndexes& q) {
  j.Key("QuickIndexes").Open('{');
  j.Field("GlobalInfo", int64_t(q.GlobalInfo));
  j.Key("GlobalImages").Open('{');
  for (size_t i = 0; i < kGlobalImageKeys.size(); ++i)
    j.Field(kGlobalImageKeys[i], int64_t(q.GlobalImages[i]));
  j.Close('}');
  WriteParts(j, "ComboBtn", &q.ComboBtn, 1);
  j.Field("ComboBoxGlyph", int64_t(q.ComboBoxGlyph));
  WriteParts(j, "Tabs", q.Tabs.data(), q.Tabs.size());
  WriteParts(j, "ScrollButtons", q.ScrollButtons.data(), q.ScrollButtons.size());
  j.Key("TitleButtons").Open('{');
  for (size_t i = 0; i < kTitleButtonKeys.size(); ++i)
    j.Field(kTitleButtonKeys[i], int64_t(q.TitleButtons[i]));
  j.Close('}');
  WriteParts(j, "ScrollBars", q.ScrollBars.data(), q.ScrollBars.size());
  j.Field("WebButton", int64_t(q.WebButton));
  j.Close('}');
}

std::string ModelJson(const TsSkinModel& m) {
  Json j;
  j.Open('{');
  WriteGlobalInfo(j, m.GlobalInfo);
  j.Key("MasterImage").Open('{');
  j.Field("Width", int64_t(m.MasterImage.Width()));
  j.Field("Height", int64_t(m.MasterImage.Height()));
  j.Close('}');
  j.Key("SectionTable").Open('[');
  for (const TsGeneralData& d : m.SectionTable) WriteSection(j, d);
  j.Close(']');
  j.Key("ImageTable").Open('[');
  for (const TsMaskData& e : m.ImageTable) WriteImage(j, e);
  j.Close(']');
  j.Key("PatternTable").Open('[');
  for (const TsPatternData& p : m.PatternTable) {
    j.Open('{');
    j.Field("SectionName", std::string_view(p.SectionName));
    j.Field("KeyName", std::string_view(p.KeyName));
    j.Field("Width", int64_t(p.Image ? p.Image->Width() : 0));
    j.Field("Height", int64_t(p.Image ? p.Image->Height() : 0));
    j.Close('}');
  }
  j.Close(']');
  j.Key("Palette").Open('[');
  for (int32_t c : m.Palette) j.Value(int64_t(c));
  j.Close(']');
  WriteQuickIndexes(j, m.QuickIndexes);
  j.Close('}');
  return j.Text();
}

std::string WithSeparator(std::string folder) {
  if (folder.empty() || (folder.back() != '/' && folder.back() != '\\'))
    folder += static_cast<char>(std::filesystem::path::preferred_separator);
  return folder;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: skinmodel SKIN (a packed skin file or a skin folder)\n";
    return 2;
  }
  std::string skin = argv[1];
  try {
    TsSkinModel model;
    std::filesystem::path path(skin);
    if (std::filesystem::is_directory(path))
      model.Load(FolderSource(WithSeparator(skin)));
    else
      model.Load(PackedFileSource(skin, WithSeparator(path.parent_path().string())));
    std::cout << ModelJson(model) << "\n";
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
