#include "skin/controls/veLinkWnd.h"

#include "platform/GdiScopes.h"

#include <algorithm>
#include <cctype>

namespace {

bool StartsWithTag(const std::string& text, size_t at, const char* tag) {
  for (size_t i = 0; tag[i]; ++i)
    if (at + i >= text.size() || std::tolower(static_cast<unsigned char>(text[at + i])) !=
                                     static_cast<unsigned char>(tag[i]))
      return false;
  return true;
}

// A font like font, underlined. The caller deletes it.
HFONT Underlined(HFONT font) {
  LOGFONTA log{};
  GetObjectA(font, sizeof log, &log);
  log.lfUnderline = TRUE;
  return CreateFontIndirectA(&log);
}

}  // namespace

std::vector<TveLinkRun> SplitLinkText(const std::string& text) {
  std::vector<TveLinkRun> runs;
  bool link = false;
  std::string run;
  auto flush = [&] {
    if (!run.empty()) runs.push_back({run, link});
    run.clear();
  };
  for (size_t i = 0; i < text.size();) {
    // "<a" followed by a space or ">" opens a link (with its attributes), "</a>" closes it.
    if (!link && StartsWithTag(text, i, "<a") && i + 2 < text.size() &&
        (text[i + 2] == '>' || text[i + 2] == ' ')) {
      const size_t end = text.find('>', i);
      if (end == std::string::npos) break;
      flush();
      link = true;
      i = end + 1;
    } else if (link && StartsWithTag(text, i, "</a>")) {
      flush();
      link = false;
      i += 4;
    } else {
      run += text[i++];
    }
  }
  flush();
  return runs;
}

bool TveLinkWnd::DrawCaption() {
  if (Caption.empty()) return true;
  HDC dc = SkinData->CacheBitmap->DC();
  HFONT font = ControlFont();
  platform::Owned<HFONT> underlined(Underlined(font));
  platform::Selection selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const TsGeneralData& section = SkinManager->SectionTable[size_t(SkinData->SectionIndex)];
  const bool enabled = IsWindowEnabled(Handle);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  int x = 0, y = 0;
  for (const TveLinkRun& run : SplitLinkText(Caption)) {
    selected.Select(run.Link ? underlined : font);
    const int state = run.Link && enabled ? 1 : 0;
    SetTextColor(dc, COLORREF(SkinData->Tone(section.States[size_t(state)].FontColor)));
    // Word by word, each space kept with the word before it, a word that does not fit wrapped.
    for (size_t at = 0; at < run.Text.size();) {
      size_t end = run.Text.find(' ', at);
      end = end == std::string::npos ? run.Text.size() : end + 1;
      const std::string word = run.Text.substr(at, end - at);
      SIZE size{};
      GetTextExtentPoint32A(dc, word.c_str(), int(word.size()), &size);
      if (x > 0 && x + size.cx > WindowSize.cx) {
        x = 0;
        y += metrics.tmHeight;
      }
      TextOutA(dc, x, y, word.c_str(), int(word.size()));
      x += size.cx;
      at = end;
    }
  }
  GdiFlush();
  return true;
}
