#include "skin/forms/sTitleBar.h"

#include "framework/Forms.h"
#include "platform/GdiScopes.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sSkinText.h"

using namespace fw;

HFONT CreateArrowFont(int height) {
  // The symbol font's own character set: under a mapper that takes the default set as text, the
  // arrow character would come from another font.
  return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                     "Marlett");
}

bool ArrowFontPresent() {
  static const bool present = [] {
    platform::Owned<HFONT> font(CreateArrowFont(-11));
    platform::MemoryDC dc(nullptr);
    platform::Selection selected(dc, font);
    char face[LF_FACESIZE] = {};
    GetTextFaceA(dc, LF_FACESIZE, face);
    return lstrcmpiA(face, "Marlett") == 0;
  }();
  return present;
}

void TveFontData::UpdateUsedFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  LOGFONTA caption{};
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
    caption = metrics.lfCaptionFont;
  unsigned style = (caption.lfWeight >= FW_BOLD ? fsBold : 0u) |
                   (caption.lfItalic ? fsItalic : 0u) | (caption.lfUnderline ? fsUnderline : 0u);
  usedFont_.SetName(UseSysFontName && caption.lfFaceName[0] ? std::string(caption.lfFaceName)
                                                            : Font.Name());
  usedFont_.SetHeight(UseSysSize && caption.lfHeight ? int(caption.lfHeight) : Font.Height());
  usedFont_.SetStyle(UseSysStyle ? style : Font.Style());
  usedFont_.SetCharset(DEFAULT_CHARSET);
}

TveTitleBarItem::TveTitleBarItem(TveTitleItems& owner, int index) : owner_(owner), index_(index) {}

void TveTitleBarItem::Changed(bool resize) {
  if (resize && autoSize_) CalcItemSize(false);
  owner_.TitleBar().RepaintFrame();
}

void TveTitleBarItem::SetAlign(TveItemAlign value) {
  Set(align_, value, true);
}

void TveTitleBarItem::SetAutoSize(bool value) {
  Set(autoSize_, value, true);
}

void TveTitleBarItem::SetCaption(const std::string& value) {
  Set(caption_, value, true);
}

void TveTitleBarItem::SetDropdownMenu(TPopupMenu* value) {
  Set(dropdownMenu_, value, true);
}

void TveTitleBarItem::SetDown(bool value) {
  Set(down_, value, false);
}

void TveTitleBarItem::SetEnabled(bool value) {
  Set(enabled_, value, false);
}

void TveTitleBarItem::SetHeight(int value) {
  Set(height_, value, true);
}

void TveTitleBarItem::SetImageIndex(int value) {
  Set(images_.Normal, value, true);
}

void TveTitleBarItem::SetHotImageIndex(int value) {
  Set(images_.Hot, value, false);
}

void TveTitleBarItem::SetPressedImageIndex(int value) {
  Set(images_.Pressed, value, false);
}

void TveTitleBarItem::SetDisabledImageIndex(int value) {
  Set(images_.Disabled, value, false);
}

void TveTitleBarItem::SetNumGlyphs(int value) {
  Set(numGlyphs_, value, true);
}

void TveTitleBarItem::SetSpacing(int value) {
  Set(spacing_, value, true);
}

void TveTitleBarItem::SetStyle(TveBtnStyle value) {
  Set(style_, value, true);
}

void TveTitleBarItem::SetVisible(bool value) {
  Set(visible_, value, true);
}

void TveTitleBarItem::SetWidth(int value) {
  Set(width_, value, true);
}

void TveTitleBarItem::SetGroup(int value) {
  Set(group_, value, false);
}

void TveTitleBarItem::SetGlyph(const img::Bitmap32& value) {
  glyph_ = value;
  Changed(true);
}

void TveTitleBarItem::SetSkinSection(const std::string& value) {
  if (skinSection_ == value) return;
  skinSection_ = value;
  // The provider chooses the item's section again at its next layout.
  SkinData = {};
  Changed(false);
}

void TveTitleBarItem::CalcItemSize(bool keepSize) {
  if (!visible_) return;
  sizeComputed_ = true;
  TsItemContent c;
  c.Style = style_;
  c.Spacing = spacing_;
  TImageList* list = owner_.TitleBar().Images();
  if (list && images_.Normal >= 0 && images_.Normal < list->Count()) {
    c.ImageWidth = list->Width();
    c.ImageHeight = list->Height();
  } else if (!glyph_.Empty()) {
    c.ImageWidth = glyph_.Width() / std::max(1, numGlyphs_);
    c.ImageHeight = glyph_.Height();
  }
  FontData.UpdateUsedFont();
  HFONT font = FontData.UsedFont().Handle();
  if (!caption_.empty()) {
    SIZE text = MeasureText(font, caption_, 0, 0, false);
    c.HasCaption = true;
    c.TextWidth = text.cx;
    c.TextHeight = text.cy;
  }
  c.HasDropdown = dropdownMenu_ != nullptr;
  if (c.HasDropdown) {
    c.ArrowWidth = kDrawnArrowWidth;
    if (ArrowFontPresent()) {
      HFONT arrow = CreateArrowFont(FontData.UsedFont().Height());
      c.ArrowWidth = MeasureText(arrow, kArrowChar, 0, 0, false).cx;
      DeleteObject(arrow);
    }
  }
  size_ = ::CalcItemSize(c, owner_.TitleBar().ItemsMargin, keepSize, width_, height_);
  width_ = size_.Width;
  height_ = size_.Height;
}

void TveTitleBarItem::Click() {
  Pressed = false;
  if (OnClick) OnClick(*this);
}

bool TveTitleBarItem::DropsMenu() const {
  bool style = style_ == TveBtnStyle::bsButton || style_ == TveBtnStyle::bsMenu;
  return style && dropdownMenu_ && dropdownMenu_->Items()->Count() > 0;
}

TveTitleBarItem& TveTitleItems::Add() {
  items_.push_back(std::make_unique<TveTitleBarItem>(*this, Count()));
  bar_.RepaintFrame();
  return *items_.back();
}

TsTitleBar::TsTitleBar(TComponent* owner) : TComponent(owner), form_(dynamic_cast<TForm*>(owner)) {
  if (!form_) throw EAbort("TsTitleBar component may be used with forms only!");
}

TsTitleBar::~TsTitleBar() {
  life_.End();
  if (OnDestroy) OnDestroy();
}

void TsTitleBar::SetImages(TImageList* images) {
  images_ = images;
  for (int i = 0; i < Items.Count(); ++i)
    if (TveTitleBarItem& item = Items.Items(i); item.AutoSize()) item.CalcItemSize(false);
  RepaintFrame();
}

void TsTitleBar::SetShowCaption(bool value) {
  if (showCaption_ == value) return;
  showCaption_ = value;
  RepaintFrame();
}

void TsTitleBar::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation != TOperation::opRemove) return;
  for (int i = 0; i < Items.Count(); ++i)
    if (TveTitleBarItem& item = Items.Items(i); item.DropdownMenu() == component)
      item.SetDropdownMenu(nullptr);
}

void TsTitleBar::Arrange() {
  std::vector<TsArrangeItem> list;
  for (int i = 0; i < Items.Count(); ++i) {
    TveTitleBarItem& item = Items.Items(i);
    if (item.Visible() && !item.SizeComputed()) item.CalcItemSize(!item.AutoSize());
    list.push_back({item.Visible(), item.Align(), item.Style(), item.Width(), item.Height()});
  }
  TsArrangement placed = ArrangeItems(Geometry, list);
  for (int i = 0; i < Items.Count(); ++i) Items.Items(i).Rect = placed.Rects[size_t(i)];
  CaptionRect = placed.CaptionRect;
}

void TsTitleBar::RepaintFrame() {
  if (form_->Loading() || form_->Destroying() || !form_->HandleAllocated()) return;
  form_->Perform(SkinCommandMsg, SkinCommandParam(CmdRepaintFrame), 1);
}

void TsTitleBar::MouseDown(TveTitleBarItem& item, TMouseButton button, unsigned shift, int x, int y,
                           HWND form, TPoint imageOnScreen) {
  if (!item.Enabled() || item.Pressed) return;
  item.Pressed = true;
  // The item's events may free the form and its title bar with the item.
  TLifeToken alive = life_.Token();
  if (item.OnMouseDown) item.OnMouseDown(item, button, shift, x, y);
  if (!alive) return;
  switch (item.Style()) {
    case TveBtnStyle::bsTab:
      if (item.Down()) return;
      item.Click();
      if (!alive) return;
      for (int i = 0; i < Items.Count(); ++i) {
        TveTitleBarItem& other = Items.Items(i);
        if (&other != &item && other.Visible() && other.Down() && other.Group() == item.Group())
          other.SetDown(false);
      }
      item.SetDown(true);
      return;
    case TveBtnStyle::bsSpacing:
    case TveBtnStyle::bsInfo:
      return;
    default:
      break;
  }
  if (!item.DropsMenu()) return;
  item.menuDropped_ = true;
  RepaintFrame();
  item.DropdownMenu()->Popup(imageOnScreen.X + item.Rect.Left, imageOnScreen.Y + item.Rect.Bottom,
                             form);
  if (!alive) return;
  item.menuDropped_ = false;
  item.HoverState = 0;
  RepaintFrame();
  item.Click();
}

void TsTitleBar::MouseUp(TveTitleBarItem& item, TMouseButton button, unsigned shift, int x, int y) {
  if (!item.Enabled()) return;
  TLifeToken alive = life_.Token();
  if (item.OnMouseUp) item.OnMouseUp(item, button, shift, x, y);
  if (!alive) return;
  if (item.Pressed && item.Style() != TveBtnStyle::bsTab) item.Click();
  if (!alive) return;
  item.Pressed = false;
  item.HoverState = 1;
}

void TsTitleBar::SetHover(TveTitleBarItem& item, bool hot) {
  if ((item.HoverState != 0) == hot) return;
  item.HoverState = hot ? 1 : 0;
  const TveTitleBarItem::TItemEvent& event = hot ? item.OnMouseEnter : item.OnMouseLeave;
  if (event) event(item);
}
