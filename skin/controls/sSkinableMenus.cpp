#include "skin/controls/sSkinableMenus.h"

#include <algorithm>
#include <optional>
#include <string>

#include "framework/Application.h"
#include "framework/Graphics.h"
#include "framework/MenuPaint.h"
#include "platform/Dpi.h"
#include "platform/GdiScopes.h"
#include "skin/controls/sMenuSymbols.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinWindows.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/data/MaskGeometry.h"
#include "skin/render/sBlend.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sScaledSkin.h"
#include "skin/render/sSection.h"
#include "skin/render/sSkinText.h"
#include "skin/render/sWindowRegion.h"

using fw::TMenuItem;

namespace {

constexpr char kPopupClass[] = "#32768";
constexpr int kMeasureWidth = 800;
constexpr int kShortCutRight = 8;

bool IsPopupWindow(HWND wnd) {
  char name[16] = {};
  return wnd && GetClassNameA(wnd, name, sizeof name) && std::string_view(name) == kPopupClass;
}

// The text an item is measured with: its caption and shortcut, a heading with one more dash on
// each side.
std::string MeasuredText(const TMenuItem* item, TsMenuItemKind kind) {
  if (kind == TsMenuItemKind::Heading) return "-" + item->Caption() + "-";
  return item->Caption() + fw::ShortCutToText(item->ShortCut());
}

SIZE TextExtent(HDC dc, const std::string& text) {
  RECT r{0, 0, kMeasureWidth, 0};
  DrawTextA(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
  return {r.right - r.left, r.bottom - r.top};
}

// The first visible entry of the item's menu, and the last.
const TMenuItem* VisibleEnd(const TMenuItem* parent, bool first) {
  if (!parent) return nullptr;
  int n = parent->Count();
  for (int i = 0; i < n; ++i) {
    const TMenuItem* e = parent->Items(first ? i : n - 1 - i);
    if (e->Visible()) return e;
  }
  return nullptr;
}

bool IsSystemMenu(const TMenuItem* item) {
  fw::TMenu* menu = item->GetParentMenu();
  return menu && menu->Name().rfind("veSysMenu", 0) == 0;
}

// The extra band's text, turned to read upwards, and its picture centred near the bottom.
void PaintExtraLineText(TsSkinManager& m, const TsSkinModel& skin, const TsPopupBackground& popup,
                        img::Bitmap32& picture, TMenuItem* item, int dpi) {
  std::string section = popup.ExtraLineSection, text = "Use OnGetExtraLineData event";
  bool shown = true;
  if (m.OnGetMenuExtraLineData) m.OnGetMenuExtraLineData(item, section, text, shown);
  std::erase(text, '&');
  TRect band = ExtraLineBand(skin, popup);
  const TveMenuFont& f = m.MenuSupport.ExtraLineFont;
  LOGFONTA lf{};
  lf.lfHeight = platform::ScaleToDpi(f.Height, dpi);
  lf.lfEscapement = lf.lfOrientation = 900;  // reading upwards
  lf.lfWeight = (f.Style & 1) ? FW_BOLD : FW_NORMAL;
  lf.lfItalic = (f.Style & 2) != 0;
  lstrcpynA(lf.lfFaceName, f.Name.c_str(), LF_FACESIZE);
  platform::Owned<HFONT> font(CreateFontIndirectA(&lf));
  HDC dc = picture.DC();
  {
    platform::Selection selected(dc, font);
    SetBkMode(dc, TRANSPARENT);
    COLORREF color = f.Color;
    if (int index = m.FindSection(section); index >= 0)
      color = COLORREF(m.SectionTable[size_t(index)].States[0].FontColor);
    SetTextColor(dc, color);
    SIZE extent{};
    GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &extent);
    int x = band.Left + (band.Width() - extent.cy) / 2;
    int y = band.Bottom - platform::ScaleToDpi(12, dpi);
    TextOutA(dc, x, y, text.c_str(), int(text.size()));
  }
  GdiFlush();
}

// The font an item is measured and drawn with at a scale: the menu font (bold for the default
// item), or the one the manager's OnGetPopupItemData asked for, whose colour then wins over the
// skin's.
class ItemFont {
 public:
  ItemFont(TsSkinManager* manager, TMenuItem* item, HDC dc, int dpi)
      : dc_(dc),
        saved_(SaveDC(dc)),
        font_(AskedFont(manager, item, dpi, Color)),
        selected_(dc, font_ ? HFONT(font_) : fw::MenuFont(item->Default(), dpi)) {}
  // What the caller changes in the context goes back as well.
  ~ItemFont() { RestoreDC(dc_, saved_); }
  ItemFont(const ItemFont&) = delete;
  ItemFont& operator=(const ItemFont&) = delete;

  std::optional<int32_t> Color;

 private:
  static HFONT AskedFont(TsSkinManager* manager, TMenuItem* item, int dpi,
                         std::optional<int32_t>& color) {
    if (!manager || !manager->OnGetPopupItemData) return nullptr;
    const TveMenuFont offered;
    TveMenuFont font = offered;
    manager->OnGetPopupItemData(manager, item, font);
    if (font.Color != offered.Color) color = font.Color;
    if (font.Name == offered.Name && font.Height == offered.Height && font.Style == offered.Style)
      return nullptr;
    LOGFONTA lf{};
    lf.lfHeight = platform::ScaleToDpi(font.Height, dpi);
    lf.lfWeight = (font.Style & 1) || item->Default() ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (font.Style & 2) != 0;
    lf.lfUnderline = (font.Style & 4) != 0;
    lstrcpynA(lf.lfFaceName, font.Name.c_str(), LF_FACESIZE);
    return CreateFontIndirectA(&lf);
  }

  HDC dc_;
  int saved_;
  platform::Owned<HFONT> font_;
  platform::Selection selected_;
};

// The scale of the window a context paints, the system's for a context of no window.
int ContextDpi(HDC dc) {
  return platform::WindowDpi(WindowFromDC(dc));
}

}  // namespace

TsSkinManager* TsSkinableMenus::Manager() const {
  return manager_ ? manager_ : DefaultManager;
}

TsMenuSpacing TsSkinableMenus::Spacings(int dpi) const {
  return MenuSpacingAt({Margin, Spacing, BorderWidth}, dpi);
}

const TsSkinModel& TsSkinableMenus::Skin(int dpi) const {
  return SkinAtDpi(*Manager(), dpi);
}

int TsSkinableMenus::SkinBorderWidth(int dpi) {
  const TsSkinManager* m = Manager();
  if (dpi > 0 && dpi != platform::kDesignDpi)
    return m && m->Active() ? MenuSkinBorderWidth(Skin(dpi)) : 0;
  if (skinBorderWidth_ < 0) {
    skinBorderWidth_ = m && m->Active() ? MenuSkinBorderWidth(*m) : 0;
  }
  return skinBorderWidth_;
}

void TsSkinableMenus::HookItem(TMenuItem* item, bool on) {
  bool ours = item->OnMeasureItem.target<PainterMeasure>() &&
              item->OnAdvancedDrawItem.target<PainterDraw>();
  if (on) {
    // The application's own handlers win.
    if (!item->OnMeasureItem && !item->OnAdvancedDrawItem) {
      item->OnMeasureItem = PainterMeasure{this};
      item->OnAdvancedDrawItem = PainterDraw{this};
    }
  } else if (ours) {
    item->OnMeasureItem = nullptr;
    item->OnAdvancedDrawItem = nullptr;
  }
}

void TsSkinableMenus::HookPopupMenu(fw::TMenu* menu, bool on) {
  if (!menu) return;
  std::function<void(TMenuItem*)> walk = [&](TMenuItem* parent) {
    for (int i = 0; i < parent->Count(); ++i) {
      HookItem(parent->Items(i), on);
      walk(parent->Items(i));
    }
  };
  walk(menu->Items());
  menu->SetOwnerDraw(on);
}

SIZE TsSkinableMenus::GlyphSize(const TMenuItem* item, int dpi) const {
  fw::TMenu* menu = item->GetParentMenu();
  // An image list is at its form's scale already.
  if (fw::TImageList* images = menu ? menu->Images() : nullptr)
    return {images->Width(), images->Height()};
  const int side = platform::ScaleToDpi(16, dpi);
  return {side, side};
}

bool TsSkinableMenus::ExtraLineShown(TMenuItem* item) {
  TsSkinManager* m = Manager();
  const TMenuItem* first = VisibleEnd(item->Parent(), true);
  if (!m || !m->MenuSupport.UseExtraLine || !first || first->Name() == "SkinSelectItem")
    return false;
  // The first entry measured decides for the whole menu.
  if (item != first && extraLine_.first == item->Parent()) return extraLine_.second;
  std::string section = "EXTRALINE", text = "Use OnGetExtraLineData event";
  bool shown = true;
  if (m->OnGetMenuExtraLineData) m->OnGetMenuExtraLineData(item, section, text, shown);
  extraLine_ = {item->Parent(), shown};
  return shown;
}

void TsSkinableMenus::MeasureItem(TMenuItem* item, HDC dc, int& width, int& height) {
  if (!Painting()) {
    fw::DefaultMeasureMenuItem(item, dc, width, height);
    return;
  }
  // Entries added to the menu since it was hooked are taken over before they are measured.
  if (TMenuItem* parent = item->Parent())
    for (int i = 0; i < parent->Count(); ++i) HookItem(parent->Items(i), true);
  TsMenuItemKind kind = MenuItemKind(item->Caption());
  const int dpi = ContextDpi(dc);
  SIZE text{0, 0};
  if (kind != TsMenuItemKind::Separator) {
    ItemFont font(Manager(), item, dc, dpi);
    text = TextExtent(dc, MeasuredText(item, kind));
  }
  SIZE glyph = GlyphSize(item, dpi);
  bool firstColumn = true;
  if (const TMenuItem* parent = item->Parent())
    for (int i = 0; i < parent->Count() && parent->Items(i) != item; ++i)
      if (parent->Items(i)->Break() != fw::TMenuBreak::mbNone) firstColumn = false;
  TsSkinManager* m = Manager();
  int extra = firstColumn && ExtraLineShown(item) && m
                  ? platform::ScaleToDpi(m->MenuSupport.ExtraLineWidth, dpi)
                  : 0;
  height = PopupItemHeight(kind, text.cy, glyph.cy, Spacings(dpi));
  width = PopupItemWidth(kind, text.cx, glyph.cx, Spacings(dpi), extra);
}

SIZE TsSkinableMenus::ComputedSize(TMenuItem* item, HDC dc) {
  std::vector<TsPopupEntry> entries;
  if (TMenuItem* parent = item->Parent())
    for (int i = 0; i < parent->Count(); ++i) {
      TMenuItem* e = parent->Items(i);
      if (!e->Visible()) continue;
      TsPopupEntry entry;
      MeasureItem(e, dc, entry.Width, entry.Height);
      entry.Break = e->Break() != fw::TMenuBreak::mbNone;
      entries.push_back(entry);
    }
  TPoint size = PopupSize(entries, Spacings(ContextDpi(dc)));
  return {size.X, size.Y};
}

TsSkinableMenus::Popup* TsSkinableMenus::FindPopup(HWND window, const TMenuItem* parent, int width,
                                                   int height, int dpi) {
  for (auto& p : popups_)
    if (p->Window == window && p->Parent == parent && p->Width == width && p->Height == height &&
        p->Dpi == dpi)
      return p.get();
  return nullptr;
}

TsSkinableMenus::Popup& TsSkinableMenus::PopupFor(TMenuItem* item, HWND window, HDC dc, int dpi) {
  SIZE size;
  if (window) {
    RECT r;
    GetWindowRect(window, &r);
    size = {r.right - r.left, r.bottom - r.top};
  } else {
    size = ComputedSize(item, dc);
  }
  if (Popup* found = FindPopup(window, item->Parent(), size.cx, size.cy, dpi)) return *found;
  // One background per window: a window that now lists other entries or has another size gets
  // a new one. A menu whose window was not found gets one for this item only.
  std::erase_if(popups_, [window](const auto& p) { return p->Window == window; });
  auto popup = std::make_unique<Popup>();
  popup->Window = window;
  popup->Parent = item->Parent();
  popup->Width = size.cx;
  popup->Height = size.cy;
  popup->Dpi = dpi;
  popup->ExtraLine = ExtraLineShown(item);
  TsSkinManager* m = Manager();
  const TsSkinModel& skin = Skin(dpi);
  TsPopupBackground background;
  background.Width = size.cx;
  background.Height = size.cy;
  background.GlyphWidth = GlyphSize(item, dpi).cx;
  background.IcoLineSkin =
      m->MenuSupport.IcoLineSkin.empty() ? "ICOLINE" : m->MenuSupport.IcoLineSkin;
  LONG exStyle = window ? GetWindowLongA(window, GWL_EXSTYLE) : 0;
  background.GlyphColumn = !(exStyle & WS_EX_RIGHT);
  background.RightToLeft = exStyle & WS_EX_LAYOUTRTL;
  background.ExtraLineWidth =
      popup->ExtraLine ? platform::ScaleToDpi(m->MenuSupport.ExtraLineWidth, dpi) : 0;
  std::vector<TRect> corners;
  popup->Picture = BuildPopupPicture(skin, background, Spacings(dpi), corners);
  if (popup->ExtraLine && !popup->Picture.Empty())
    PaintExtraLineText(*m, skin, background, popup->Picture, item, dpi);
  if (window && !popup->Picture.Empty()) {
    ApplyWindowRegion(window, RectRegionWithout({0, 0, size.cx, size.cy}, corners), TRUE);
    SendMessageA(window, SkinCommandMsg, SkinCommandParam(CmdMenuFrameChanged), 0);
  }
  popups_.push_back(std::move(popup));
  return *popups_.back();
}

void TsSkinableMenus::CopyFrame(const Popup& popup, HWND window, TMenuItem* item,
                                POINT clientOffset, const RECT& rect) {
  const img::Bitmap32& picture = popup.Picture;
  platform::WindowDC dc(window, true);
  if (!dc) return;
  int b = BorderWidth, w = popup.Width, h = popup.Height;
  auto copy = [&](int x, int y, int cx, int cy) {
    x = std::max(x, 0), y = std::max(y, 0);
    cx = std::min(cx, w - x), cy = std::min(cy, h - y);
    if (cx > 0 && cy > 0) BitBlt(dc, x, y, cx, cy, picture.DC(), x, y, SRCCOPY);
  };
  int top = clientOffset.y + rect.top, bottom = clientOffset.y + rect.bottom;
  if (item == VisibleEnd(item->Parent(), true)) {
    copy(0, 0, w, std::max(b, top));
    if (popup.ExtraLine)
      copy(0, 0,
           SkinBorderWidth(popup.Dpi) +
               platform::ScaleToDpi(Manager()->MenuSupport.ExtraLineWidth, popup.Dpi),
           h);
  }
  if (item == VisibleEnd(item->Parent(), false)) copy(0, bottom, w, h - bottom);
  // Only the frame itself: an item of a second column leaves the first column alone.
  copy(0, top, std::min<int>(clientOffset.x + rect.left, b), bottom - top);
  int right = std::max<int>(clientOffset.x + rect.right, w - b);
  copy(right, top, w - right, bottom - top);
}

void TsSkinableMenus::ComposeItem(TMenuItem* item, img::Bitmap32& picture, UINT state,
                                  bool rightToLeft, int dpi) {
  const TsSkinModel& skin = Skin(dpi);
  const TsMenuSpacing spacing = Spacings(dpi);
  const int margin = spacing.Margin;
  auto at = [dpi](int length) { return platform::ScaleToDpi(length, dpi); };
  TsMenuItemKind kind = MenuItemKind(item->Caption());
  int w = picture.Width(), h = picture.Height();
  SIZE glyph = GlyphSize(item, dpi);
  if (kind == TsMenuItemKind::Separator) {
    int divider = skin.FindSection("DIVIDERV");
    int border = divider >= 0 ? skin.SectionTable[size_t(divider)].BorderIndex : -1;
    int x = glyph.cx + margin + spacing.Spacing;
    if (!skin.IsValidImageIndex(border) || w - 2 * x <= 0) return;
    // The divider keeps its own height, centred on the (lower) separator: its line shows whole.
    const TsMaskData& entry = skin.ImageTable[size_t(border)];
    int fh = std::max(FrameHeight(entry), h), top = (h - fh) / 2;
    img::Bitmap32 band(w, fh);
    CopyBlock(band, 0, -top, w, h, picture, 0, 0);
    PaintMaskSlices(band, {x, 0, w - x, fh}, entry, 0, MakeBgSource(&band, 0, 0), true);
    CopyBlock(picture, 0, 0, w, h, band, 0, -top);
    return;
  }
  bool selected = (state & (ODS_SELECTED | ODS_HOTLIGHT)) && item->Enabled();
  HDC pdc = picture.DC();
  ItemFont font(Manager(), item, pdc, dpi);
  // The skin's colours for the state, unless the application chose the item's colour.
  auto write = [&](const std::string& text, int section, int look, UINT format, RECT r) {
    if (!font.Color) {
      PaintSkinText(pdc, text, true, &skin, look, section, format, r);
      return;
    }
    SetBkMode(pdc, TRANSPARENT);
    SetTextColor(pdc, COLORREF(*font.Color));
    DrawTextA(pdc, text.c_str(), int(text.size()), &r, format);
  };
  UINT hide = (state & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
  if (kind == TsMenuItemKind::Heading) {
    int section = skin.FindSection("MENUCAPTION");
    if (section < 0) section = skin.FindSection("TOOLBAR");
    TRect plate{0, margin + at(2), w, h - margin - at(2)};
    if (section >= 0 && plate.Height() > 0)
      PaintSection(&skin, section, "", MakeBgSource(&picture, 0, 0), -1, -1, picture, {0, 0}, plate,
                   0);
    RECT r{0, plate.Top, w, plate.Bottom};
    write(HeadingText(item->Caption()), section, 0,
          DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX, r);
    GdiFlush();
    return;
  }
  int menuItem = skin.FindSection("MENUITEM");
  if (menuItem >= 0)
    PaintSection(&skin, menuItem, "MENUITEM", MakeBgSource(&picture, 0, 0), -1, -1, picture, {0, 0},
                 {0, 0, w, h}, selected ? 1 : 0);
  GdiFlush();
  // The glyph column: the item's picture, else its check mark; system commands their symbol.
  fw::TMenu* menu = item->GetParentMenu();
  fw::TImageList* images = menu ? menu->Images() : nullptr;
  bool hasGlyph = images && item->ImageIndex() >= 0 && item->ImageIndex() < images->Count();
  int textHeight = h - 2 * margin;
  if (hasGlyph) {
    int gw = int(glyph.cx), gh = int(glyph.cy);
    int x = std::min(at(3), (h - gh) / 2), y = (h - gh) / 2;
    if (rightToLeft) x = w - x - gw;
    if (item->Checked())
      if (int plate = skin.FindSection("SPEEDBUTTON_SMALL"); plate >= 0)
        PaintSection(&skin, plate, "SPEEDBUTTON_SMALL", MakeBgSource(&picture, 0, 0), -1, -1,
                     picture, {0, 0}, {x - at(1), y - at(1), x + gw + at(1), y + gh + at(1)}, 2);
    GdiFlush();
    images->Draw(pdc, x, y, item->ImageIndex());  // an alpha image list blends its picture
  } else if (item->Checked()) {
    int global = skin.QuickIndexes.GlobalInfo;
    int mark = item->RadioItem() ? skin.QuickIndexes.GlobalImages[3]
                                 : skin.FindImage(global, "GLOBALINFO", "CHECK");
    if (!skin.IsValidImageIndex(mark)) mark = skin.QuickIndexes.GlobalImages[0];
    if (skin.IsValidImageIndex(mark)) {
      const TsMaskData& entry = skin.ImageTable[size_t(mark)];
      int mw = FrameWidth(entry), mh = FrameHeight(entry);
      int x = at(2) + margin, y = (h - mh) / 2;
      if (rightToLeft) x = w - x - mw;
      PaintStateGlyph(picture, {x, y}, 0, MakeBgSource(&picture, 0, 0), entry, 1);
    }
  } else if (IsSystemMenu(item)) {
    TsGenState look =
        menuItem >= 0 ? skin.SectionTable[size_t(menuItem)].States[selected ? 1 : 0] : TsGenState{};
    RECT r{at(4), 0, textHeight + at(14), h};
    if (rightToLeft) r = {w - textHeight - at(14), 0, w - at(4), h};
    GdiFlush();
    PaintCommandSymbol(pdc, WPARAM(item->Tag()), r, COLORREF(look.FontColor), dpi);
  }
  // The caption: a tab or a leading backspace puts a part at the right; the shortcut likewise.
  std::string caption = item->Caption(), right;
  bool rightAligned = false;
  if (!caption.empty() && caption[0] == '\b') {
    caption = caption.substr(1) + "      ";
    rightAligned = true;
  }
  if (size_t tab = caption.find('\t'); tab != std::string::npos) {
    right = caption.substr(tab + 1);
    caption.resize(tab);
  }
  if (right.empty()) right = fw::ShortCutToText(item->ShortCut());
  UINT format = caption.find('\r') != std::string::npos ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  format |= hide;
  if (rightAligned || Alignment == TsMenuAlignment::taRightJustify)
    format |= DT_RIGHT;
  else if (Alignment == TsMenuAlignment::taCenter)
    format |= DT_CENTER;
  if (rightToLeft) format |= DT_RTLREADING | DT_RIGHT;
  int textLeft = margin + glyph.cx + spacing.Spacing, shortCutRight = at(kShortCutRight);
  RECT text{textLeft, margin, w - shortCutRight, h - margin};
  if (rightToLeft) text = {shortCutRight, margin, w - textLeft, h - margin};
  write(caption, menuItem, selected ? 1 : 0, format, text);
  if (!right.empty())
    write(right, menuItem, selected ? 1 : 0,
          DT_SINGLELINE | DT_VCENTER | hide | (rightToLeft ? DT_LEFT : DT_RIGHT), text);
  GdiFlush();
  if (OnDrawItem) OnDrawItem(item, picture, state);
}

bool TsSkinableMenus::Painting() const {
  const TsSkinManager* m = Manager();
  return m && m->Active() && m->SkinnedPopups;
}

void TsSkinableMenus::DrawItem(TMenuItem* item, HDC dc, const RECT& rect, UINT state) {
  TsSkinManager* m = Manager();
  if (!Painting()) {
    fw::DefaultDrawMenuItem(item, dc, rect, state);
    return;
  }
  HWND window = WindowFromDC(dc);
  const int dpi = platform::WindowDpi(window);
  if (!IsPopupWindow(window)) {
    window = nullptr;
    // Skinned once its window is there: asked once per menu, for an item that is checked to be
    // alive when the message comes.
    if (fw::TForm* main = fw::Application.MainForm();
        main && main->HandleAllocated() && posted_ != item->Parent()) {
      posted_ = item->Parent();
      PostMessageA(main->Handle(), kPopupBackgroundMsg, 0, reinterpret_cast<LPARAM>(item));
    }
  }
  Popup& popup = PopupFor(item, window, dc, dpi);
  if (popup.Picture.Empty()) {
    fw::DefaultDrawMenuItem(item, dc, rect, state);
    return;
  }
  POINT offset{BorderWidth, BorderWidth};
  if (window) {
    // The platform may draw a menu's frame inside its client area or outside it.
    RECT client = ClientRectInWindow(window);
    offset = {client.left, client.top};
  }
  if (window) CopyFrame(popup, window, item, offset, rect);
  int extraWidth = platform::ScaleToDpi(m->MenuSupport.ExtraLineWidth, dpi);
  int extra = popup.ExtraLine && rect.left + offset.x <= SkinBorderWidth(dpi) + BorderWidth
                  ? extraWidth
                  : 0;
  int w = rect.right - rect.left - extra, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  img::Bitmap32 picture(w, h);
  int bx = offset.x + rect.left + extra, by = offset.y + rect.top;
  CopyBlock(picture, 0, 0, w, h, popup.Picture, bx, by);
  bool rtl = window && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL);
  try {
    ComposeItem(item, picture, state, rtl, dpi);
  } catch (const std::exception&) {
    // A picture that cannot be drawn leaves the plate; the menu stays usable.
  }
  if (!item->Enabled() && !item->IsLine()) {
    img::Bitmap32 behind(w, h);
    CopyBlock(behind, 0, 0, w, h, popup.Picture, bx, by);
    BlendBitmapKeyed(picture, 0, 0, kKeyColor, 0.4, {0, 0, w - 1, h - 1}, behind);
  }
  BitBlt(dc, rect.left + extra, rect.top, w, h, picture.DC(), 0, 0, SRCCOPY);
}

void TsSkinableMenus::ResetMenus() {
  popups_.clear();
}

const img::Bitmap32* TsSkinableMenus::PopupPicture(HWND popup) const {
  for (const auto& p : popups_)
    if (p->Window == popup && !p->Picture.Empty()) return &p->Picture;
  return nullptr;
}

void TsSkinableMenus::PreparePopup(TMenuItem* item, HWND popup) {
  posted_ = nullptr;
  PopupFor(item, popup, platform::WindowDC(popup), platform::WindowDpi(popup));
  RedrawWindow(popup, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

void TsSkinableMenus::ForgetPopup(HWND popup) {
  std::erase_if(popups_, [popup](const auto& p) { return p->Window == popup; });
}

TsSkinableMenus& SkinableMenus() {
  static TsSkinableMenus painter;
  return painter;
}

void InstallMenuPainterHooks() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  ManagerHooks().ResetMenuBorderWidth = [] {
    SkinableMenus().ResetMenuBorderWidth();
    SkinableMenus().ResetMenus();
  };
  TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  hooks.FirstItemRect = [](TMenuItem* posted) -> std::optional<RECT> {
    // The item came through the message queue: it may be gone by now.
    TMenuItem* item = TMenuItem::FromItemData(reinterpret_cast<ULONG_PTR>(posted));
    if (!item) return std::nullopt;
    const TMenuItem* first = VisibleEnd(item->Parent(), true);
    HMENU menu = item->Parent() ? item->Parent()->Handle() : nullptr;
    if (!first || !menu) return std::nullopt;
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
      RECT r;
      if (GetMenuItemID(menu, i) == first->Command() && GetMenuItemRect(nullptr, menu, UINT(i), &r))
        return r;
    }
    return std::nullopt;
  };
  hooks.BuildPopupBackground = [](TMenuItem* posted, HWND popup) {
    if (TMenuItem* item = TMenuItem::FromItemData(reinterpret_cast<ULONG_PTR>(posted)))
      SkinableMenus().PreparePopup(item, popup);
  };
}
