// The provider's side of the title bar: each layout gives the items their sections and places in
// the band the title leaves free, the window image gets them after the title buttons, and the
// mouse over the title reaches them through the title elements' states (codes 2000 + index).
#include "skin/forms/sSkinProvider.h"

using namespace fw;

void TsSkinProvider::SetTitleBar(TsTitleBar* bar) {
  if (bar == titleBar_) return;
  if (titleBar_) titleBar_->OnDestroy = nullptr;
  titleBar_ = bar;
  if (bar) bar->OnDestroy = [this] { titleBar_ = nullptr; };
  if (Skinned()) InvalidateFrame(true);
}

void TsSkinProvider::ArrangeTitleItems() {
  paint_.Inputs.Items.clear();
  if (!titleBar_ || CaptionHeight(paint_.Form, paint_.Metrics) <= 0) return;
  const TsSkinModel& skin = Skin();
  TveTitleItems& items = titleBar_->Items;
  for (int i = 0; i < items.Count(); ++i) {
    TveItemSkinData& data = items.Items(i).SkinData;
    data.SectionIndex =
        ItemSection(skin, items.Items(i).SkinSection(), items.Items(i).Style(), data.SectionName);
    data.BorderIndex =
        data.SectionIndex >= 0 ? skin.SectionTable[size_t(data.SectionIndex)].BorderIndex : -1;
  }
  titleBar_->Geometry = TitleBarGeometry(skin, paint_.Form, paint_.Metrics, paint_.Layout);
  titleBar_->Arrange();
  for (int i = 0; i < items.Count(); ++i) {
    const TveTitleBarItem& item = items.Items(i);
    TveBtnStyle style = item.Style();
    paint_.Inputs.Items.push_back(
        {item.Visible() ? item.Rect : TRect{},
         style == TveBtnStyle::bsSpacing || style == TveBtnStyle::bsInfo,
         item.Enabled() && !(style == TveBtnStyle::bsTab && item.Down())});
  }
}

void TsSkinProvider::PaintTitleItems(img::Bitmap32& image) {
  if (!titleBar_) return;
  TsItemPaintContext context;
  context.Skin = &Skin();
  context.TitleSection = paint_.Sections.Title;
  context.FormState = paint_.Active ? 1 : 0;
  context.Images = titleBar_->Images();
  context.ItemsMargin = titleBar_->ItemsMargin;
  context.Bar = titleBar_->Geometry.Bar;
  TveTitleItems& items = titleBar_->Items;
  std::vector<bool> downTabs;
  for (int i = 0; i < items.Count(); ++i)
    downTabs.push_back(items.Items(i).Style() == TveBtnStyle::bsTab && items.Items(i).Down());
  for (int i : ItemPaintOrder(downTabs)) {
    TveTitleBarItem& item = items.Items(i);
    // Only what lies wholly inside the window.
    if (!item.Visible() || item.Rect.Left <= 0 || item.Rect.Right >= image.Width()) continue;
    // A fading item keeps its normal look under the fade's popup; the popup's picture is
    // painted in the look it fades to.
    const int code = kHitTitleItem + i, hover = item.HoverState;
    if (composingItem_.Code == code)
      item.HoverState = composingItem_.State;
    else if (titleAnimations_.count(code))
      item.HoverState = 0;
    PaintTitleItem(item, item.Rect, image, context);
    item.HoverState = hover;
  }
}

TveTitleBarItem* TsSkinProvider::TitleItem(int code) const {
  if (!titleBar_ || code < kHitTitleItem || code - kHitTitleItem >= titleBar_->Items.Count())
    return nullptr;
  TveTitleBarItem& item = titleBar_->Items.Items(code - kHitTitleItem);
  return item.Visible() ? &item : nullptr;
}

bool TsSkinProvider::SyncTitleItem(TveTitleBarItem& item, int code) {
  // A press that ended anywhere but on the item leaves it ready for the next one.
  if (item.Pressed && frame_.Buttons().Pressed() != code && !item.MenuDropped())
    item.Pressed = false;
  const int hover = item.HoverState;
  TLifeToken alive = life_.Token();
  titleBar_->SetHover(item, frame_.Buttons().StateOf(code) > 0);
  return alive && item.HoverState != hover;
}

void TsSkinProvider::TitleItemMouse(int code, bool down) {
  TveTitleBarItem* item = TitleItem(code);
  if (!item) return;
  unsigned shift = 0;
  TPoint at = MouseEventArgs(shift);
  if (down)
    titleBar_->MouseDown(*item, TMouseButton::mbLeft, shift, at.X, at.Y, form_->Handle(),
                         ImageOnScreen());
  else
    titleBar_->MouseUp(*item, TMouseButton::mbLeft, shift, at.X, at.Y);
}

void TsSkinProvider::TitleItemDown(int code) {
  TveTitleBarItem* item = TitleItem(code);
  if (!item) return;
  UpdateUserHint(0);
  // A press shows at once: the fade's popup would cover the pressed look or the open menu's.
  titleAnimations_.erase(code);
  // The item's events, and the commands of the menu it drops, may free the form and this
  // provider.
  TLifeToken alive = life_.Token();
  if (item->DropsMenu()) {
    // The menu runs its own loop; when it is closed the item is clicked and nothing stays hot.
    TitleItemMouse(code, true);
    if (!alive) return;
    RepaintElements(frame_.Buttons().Reset());
    return;
  }
  std::vector<int> changed = frame_.Buttons().Press(code, item->Enabled());
  if (frame_.Buttons().ButtonPressed()) SetCapture(form_->Handle());
  TitleItemMouse(code, true);
  if (!alive) return;
  changed.push_back(code);
  RepaintElements(changed);
}
