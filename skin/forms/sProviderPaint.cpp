// What the provider draws into the window image through the platform: the caption text (with its
// plate, glow and added title), the form's icon, and the menu bar's items.
#include <algorithm>
#include <map>

#include "framework/Application.h"
#include "platform/Dpi.h"
#include "platform/GdiScopes.h"
#include "skin/controls/sSkinableMenus.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sBlend.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"
#include "skin/render/sWindowRegion.h"

using namespace fw;

namespace {

// The fonts the platform uses for captions and menus, made once for each display scale: the
// system's own at its scale, else the fonts it tells for that scale.
struct NonClientFonts {
  HFONT Caption = nullptr;
  HFONT Menu = nullptr;
};

NonClientFonts MakeFonts(int dpi) {
  NonClientFonts f;
  if (dpi == 0) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      metrics.lfCaptionFont.lfCharSet = DEFAULT_CHARSET;
      f.Caption = CreateFontIndirectA(&metrics.lfCaptionFont);
      f.Menu = CreateFontIndirectA(&metrics.lfMenuFont);
    }
  } else {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (platform::SystemParametersForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, dpi)) {
      metrics.lfCaptionFont.lfCharSet = DEFAULT_CHARSET;
      f.Caption = CreateFontIndirectW(&metrics.lfCaptionFont);
      f.Menu = CreateFontIndirectW(&metrics.lfMenuFont);
    }
  }
  if (!f.Caption) f.Caption = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (!f.Menu) f.Menu = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  return f;
}

const NonClientFonts& Fonts(int dpi) {
  static std::map<int, NonClientFonts> scales;
  if (dpi <= 0 || dpi == platform::WindowDpi(nullptr)) dpi = 0;
  auto found = scales.find(dpi);
  if (found == scales.end()) found = scales.emplace(dpi, MakeFonts(dpi)).first;
  return found->second;
}

std::string WindowText(HWND wnd) {
  std::string text(size_t(GetWindowTextLengthA(wnd)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(wnd, text.data(), int(text.size()))));
  return text;
}

int TextWidth(HFONT font, const std::string& text) {
  return text.empty() ? 0 : MeasureText(font, text, 0, 0, false).cx;
}

// A font colour that names no colour.
constexpr TColor kNoColor = 0x1FFFFFFF;

}  // namespace

void TsSkinProvider::PaintCaption(img::Bitmap32& image) {
  const TsSkinModel& skin = Skin();
  HWND wnd = form_->Handle();
  HFONT font = Fonts(dpi_).Caption;
  bool shown = titleBar_ ? titleBar_->ShowCaption() : AddedTitle.ShowMainCaption;
  std::string caption = shown ? WindowText(wnd) : std::string();
  int height = MeasureText(font, "Wg", 0, 0, false).cy;
  const TsFrameSections& s = paint_.Sections;
  TRect area = CaptionTextRect(skin, paint_.Form, paint_.Metrics, paint_.Layout, paint_.Inputs,
                               s.Caption >= 0, height);
  // Title items take the ends of the band: the caption keeps to the room between them.
  if (titleBar_) {
    area.Left = titleBar_->CaptionRect.Left;
    area.Right = titleBar_->CaptionRect.Right;
  }
  int captionWidth = TextWidth(font, caption);
  int addedWidth = TextWidth(AddedTitle.Font.Handle(), AddedTitle.Text);
  TRect rect =
      AlignCaption(area, captionWidth, addedWidth, CaptionAlignment, paint_.Form.RightToLeft);
  if (rect.Width() <= 0) return;
  int state = FrameState(skin, s.Title, paint_.Active);
  if (s.Caption >= 0) {
    TRect plate = {rect.Left - 4, rect.Top - 2, rect.Right + 4, rect.Bottom + 2};
    PaintSection(&skin, s.Caption, "CAPTION", MakeBgSource(&image, 0, 0), -1, -1, image, {0, 0},
                 plate, paint_.Active ? 1 : 0);
  }
  int textSection = s.Caption >= 0 ? s.Caption : s.Title;
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS |
                (paint_.Form.RightToLeft ? DT_RTLREADING : 0);
  if (skin.IsValidSectionIndex(textSection)) {
    const TsGenState& look = skin.SectionTable[size_t(textSection)].States[state > 0 ? 1 : 0];
    if (look.GSize > 0) {
      PaintTextGlow(image, font, caption, rect, captionGlows_[paint_.Active ? 1 : 0], look.GCol,
                    look.GSize, 15, format);
    }
  }
  HDC dc = image.DC();
  platform::Selection selected(dc, font);
  PaintSkinText(dc, caption, true, &skin, state, s.Title, format, ToRect(rect));
  if (!AddedTitle.Text.empty() && skin.IsValidSectionIndex(s.Title)) {
    const TsGeneralData& title = skin.SectionTable[size_t(s.Title)];
    TColor own = AddedTitle.Font.Color();
    int32_t color = title.States[state > 0 ? 1 : 0].FontColor;
    if (own != kNoColor && own != clWindowText)
      color = paint_.Active ? int32_t(own) : MixColors(own, title.States[0].FontColor, 0.5);
    selected.Select(AddedTitle.Font.Handle());
    SetTextColor(dc, COLORREF(color));
    // Never past the caption's area: the buttons and their clean strip lie beyond it.
    RECT added = {rect.Left + captionWidth + 4, rect.Top, area.Right, rect.Bottom};
    if (added.left < added.right)
      DrawTextA(dc, AddedTitle.Text.c_str(), int(AddedTitle.Text.size()), &added, format);
  }
  GdiFlush();
}

void TsSkinProvider::PaintIcon(img::Bitmap32& image, const TRect& rect) {
  if (const img::Bitmap32& glyph = TitleIcon.Glyph; !glyph.Empty()) {
    constexpr int32_t kFuchsia = 0xFF00FF;
    if (!IsOpaque(glyph)) {
      PaintGlyph(image, {rect.Left, rect.Top}, glyph, kFuchsia);
      return;
    }
    // An opaque picture fills the icon's place.
    img::Bitmap32 fitted(rect.Width(), rect.Height());
    StretchBlock(fitted, 0, 0, rect.Width(), rect.Height(), glyph, 0, 0, glyph.Width(),
                 glyph.Height());
    PaintGlyph(image, {rect.Left, rect.Top}, fitted, kFuchsia);
    return;
  }
  HWND wnd = form_->Handle();
  auto icon = reinterpret_cast<HICON>(SendMessageA(wnd, WM_GETICON, ICON_SMALL, 0));
  if (!icon) icon = Application.SmallIcon();
  if (!icon) icon = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_APPLICATION));
  DrawIconEx(image.DC(), rect.Left, rect.Top, icon, rect.Width(), rect.Height(), 0, nullptr,
             DI_NORMAL);
  GdiFlush();
}

void TsSkinProvider::PaintBarItem(img::Bitmap32& target, const TRect& rect,
                                  const std::string& caption, bool enabled, bool hot) {
  const TsSkinModel& skin = Skin();
  PaintSection(&skin, skin.FindSection("MENUITEM"), "MENUITEM", MakeBgSource(&target, 0, 0), -1, -1,
               target, {0, 0}, rect, hot && enabled ? 1 : 0);
  UINT format = DT_SINGLELINE | DT_VCENTER | DT_CENTER;
  if (SendMessageA(form_->Handle(), WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL)
    format |= DT_HIDEPREFIX;
  HDC dc = target.DC();
  {
    platform::Selection font(dc, Fonts(dpi_).Menu);
    PaintSkinText(dc, caption, enabled, &skin, hot ? 1 : 0, paint_.Sections.MenuLine, format,
                  ToRect(rect));
  }
  GdiFlush();
}

namespace {

// The caption of a menu-bar entry: the framework item's, else the platform's text.
std::string EntryCaption(HMENU menu, int position) {
  MENUITEMINFOA info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_DATA;
  if (GetMenuItemInfoA(menu, UINT(position), TRUE, &info))
    if (TMenuItem* item = TMenuItem::FromItemData(info.dwItemData)) return item->Caption();
  char text[256] = {};
  GetMenuStringA(menu, UINT(position), text, sizeof text, MF_BYPOSITION);
  return text;
}

}  // namespace

void TsSkinProvider::PaintMenuItems(img::Bitmap32& image, const TRect& band) {
  HWND wnd = form_->Handle();
  HMENU menu = GetMenu(wnd);
  if (!menu) return;
  RECT window;
  GetWindowRect(wnd, &window);
  for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
    RECT r;
    if (!GetMenuItemRect(wnd, menu, UINT(i), &r)) continue;
    int dx = imageOrigin_.X - window.left, dy = imageOrigin_.Y - window.top;
    TRect item = {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
    item.Bottom = std::min(item.Bottom, band.Bottom);
    if (item.Width() <= 0 || item.Height() <= 0) continue;
    bool enabled = !(GetMenuState(menu, UINT(i), MF_BYPOSITION) & (MF_GRAYED | MF_DISABLED));
    PaintBarItem(image, item, EntryCaption(menu, i), enabled, false);
  }
}

void TsSkinProvider::MeasureBarItem(TMenuItem* item, int& width, int& height) {
  std::string caption;
  for (char c : item->Caption())
    if (c != '&') caption += c;
  width = TextWidth(Fonts(dpi_).Menu, caption);
  height = paint_.Metrics.CyMenu - 1;
}

void TsSkinProvider::DrawBarItem(TMenuItem* item, HDC dc, const RECT& rect, UINT state) {
  const img::Bitmap32& image = WindowImage();
  int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  img::Bitmap32 plate(w, h);
  if (!image.Empty())
    CopyBlock(plate, 0, 0, w, h, image, rect.left + imageOrigin_.X, rect.top + imageOrigin_.Y);
  bool hot = state & (ODS_SELECTED | ODS_HOTLIGHT);
  PaintBarItem(plate, {0, 0, w, h}, item->Caption(), item->Enabled(), hot);
  BitBlt(dc, rect.left, rect.top, w, h, plate.DC(), 0, 0, SRCCOPY);
}

void TsSkinProvider::HookMenuBar(bool on) {
  TMainMenu* menu = form_->Menu();
  if (!menu) return;
  auto measure = [this](TMenuItem* it, HDC, int& w, int& h) { MeasureBarItem(it, w, h); };
  auto draw = [this](TMenuItem* it, HDC dc, const RECT& r, UINT state) {
    DrawBarItem(it, dc, r, state);
  };
  // An item the application draws itself keeps its handlers, on and off; only the painter's own
  // are put in and taken out.
  bool applicationDraws = false;
  TMenuItem* root = menu->Items();
  for (int i = 0; i < root->Count(); ++i) {
    TMenuItem* item = root->Items(i);
    const bool ours = item->OnMeasureItem.target<decltype(measure)>() &&
                      item->OnAdvancedDrawItem.target<decltype(draw)>();
    if (on && !item->OnMeasureItem && !item->OnAdvancedDrawItem) {
      item->OnMeasureItem = measure;
      item->OnAdvancedDrawItem = draw;
    } else if (!on && ours) {
      item->OnMeasureItem = nullptr;
      item->OnAdvancedDrawItem = nullptr;
    } else if (!ours) {
      applicationDraws = applicationDraws || item->OnMeasureItem || item->OnAdvancedDrawItem;
    }
    HookDropDown(item, on);
  }
  menu->SetOwnerDraw(on || applicationDraws);
}

void TsSkinProvider::HookDropDown(TMenuItem* parent, bool on) {
  for (int i = 0; i < parent->Count(); ++i) {
    SkinableMenus().HookItem(parent->Items(i), on);
    HookDropDown(parent->Items(i), on);
  }
}

void TsSkinProvider::HookPopupMenus(bool on) {
  // Only the default manager's painter draws pop-up menus.
  if (on && SkinManager() != DefaultManager) return;
  for (int i = 0; i < form_->ComponentCount(); ++i)
    if (auto* popup = dynamic_cast<TPopupMenu*>(form_->Components(i)))
      SkinableMenus().HookPopupMenu(popup, on);
}
