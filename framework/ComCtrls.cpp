#include "framework/ComCtrls.h"

#include <commctrl.h>

#include <limits>

namespace fw {

namespace {

constexpr UINT kStateChecked = INDEXTOSTATEIMAGEMASK(2);
constexpr UINT kStateUnchecked = INDEXTOSTATEIMAGEMASK(1);

}  // namespace

// ---- TListItem ----

std::string TListItem::Caption() const {
  return SubItem(-1);
}

void TListItem::SetCaption(const std::string& caption) {
  SetSubItem(-1, caption);
}

std::string TListItem::SubItem(int i) const {
  std::string text(1024, '\0');
  for (;;) {
    LVITEMA item = {};
    item.iSubItem = i + 1;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(text.size());
    auto n = static_cast<size_t>(
        owner_->SendMessage(LVM_GETITEMTEXTA, index_, reinterpret_cast<LPARAM>(&item)));
    if (n + 1 < text.size()) {
      text.resize(n);
      return text;
    }
    text.resize(text.size() * 2);
  }
}

void TListItem::SetSubItem(int i, const std::string& text) {
  LVITEMA item = {};
  item.iSubItem = i + 1;
  item.pszText = const_cast<char*>(text.c_str());
  owner_->SendMessage(LVM_SETITEMTEXTA, index_, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Checked() const {
  auto state =
      static_cast<UINT>(owner_->SendMessage(LVM_GETITEMSTATE, index_, LVIS_STATEIMAGEMASK));
  return (state & LVIS_STATEIMAGEMASK) == kStateChecked;
}

void TListItem::SetChecked(bool checked) {
  LVITEMA item = {};
  item.stateMask = LVIS_STATEIMAGEMASK;
  item.state = checked ? kStateChecked : kStateUnchecked;
  owner_->SendMessage(LVM_SETITEMSTATE, index_, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Selected() const {
  return owner_->SendMessage(LVM_GETITEMSTATE, index_, LVIS_SELECTED) & LVIS_SELECTED;
}

void TListItem::SetSelected(bool selected) {
  LVITEMA item = {};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = selected ? LVIS_SELECTED | LVIS_FOCUSED : 0;
  owner_->SendMessage(LVM_SETITEMSTATE, index_, reinterpret_cast<LPARAM>(&item));
}

// ---- TListView ----

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetControlStyle(ControlStyle() | csDoubleClicks);
}

void TListView::AddColumn(const std::string& caption, int width) {
  columns_.push_back({caption, width, {}});
  if (!HandleAllocated()) return;
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = const_cast<char*>(columns_.back().Caption.c_str());
  column.cx = width;
  SendMessage(LVM_INSERTCOLUMNA, columns_.size() - 1, reinterpret_cast<LPARAM>(&column));
}

void TListView::SetSmallImages(TImageList* images) {
  smallImages_ = images;
  if (HandleAllocated())
    SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL,
                reinterpret_cast<LPARAM>(images ? images->Handle() : nullptr));
}

void TListView::ScaleLengths(int fromDpi, int toDpi) {
  TWinControl::ScaleLengths(fromDpi, toDpi);
  for (size_t i = 0; i < columns_.size(); ++i) {
    TListColumn& column = columns_[i];
    column.Width = column.ScaledWidth.Rescale(column.Width, fromDpi, toDpi);
    if (HandleAllocated()) SendMessage(LVM_SETCOLUMNWIDTH, i, column.Width);
  }
  if (smallImages_) {
    smallImages_->ScaleTo(toDpi);
    SetSmallImages(smallImages_);
  }
}

void TListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = WC_LISTVIEWA;
  params.Style |= WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::CreateWnd() {
  TWinControl::CreateWnd();
  DWORD extended = 0;
  if (checkboxes_) extended |= LVS_EX_CHECKBOXES;
  if (rowSelect_) extended |= LVS_EX_FULLROWSELECT;
  SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
  for (size_t i = 0; i < columns_.size(); ++i) {
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = const_cast<char*>(columns_[i].Caption.c_str());
    column.cx = columns_[i].Width;
    SendMessage(LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
  }
  if (smallImages_) SetSmallImages(smallImages_);
}

int TListView::Count() {
  return static_cast<int>(SendMessage(LVM_GETITEMCOUNT));
}

TListItem TListView::Add(const std::string& caption) {
  LVITEMA item = {};
  item.mask = LVIF_TEXT | (smallImages_ ? LVIF_IMAGE : 0);
  // Past the last row appends, without asking the list for its count first.
  item.iItem = std::numeric_limits<int>::max();
  item.pszText = const_cast<char*>(caption.c_str());
  int index = static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  return TListItem(*this, index);
}

void TListView::Clear() {
  SendMessage(LVM_DELETEALLITEMS);
}

void TListView::BeginUpdate() {
  // Switching drawing on again shows a window: a list hidden itself is left as it is. A list in
  // a window that is not shown yet (the scan at start-up) is switched off like any other, or it
  // lays out its header and scroll bars again for every row it is given.
  if (updating_++ == 0)
    redrawOff_ = HandleAllocated() && (GetWindowLongA(Handle(), GWL_STYLE) & WS_VISIBLE);
  if (redrawOff_ && updating_ == 1) SendMessage(WM_SETREDRAW, FALSE);
}

void TListView::EndUpdate() {
  if (updating_ == 0 || --updating_ > 0 || !redrawOff_ || !HandleAllocated()) return;
  redrawOff_ = false;
  SendMessage(WM_SETREDRAW, TRUE);
  RedrawWindow(Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

std::optional<TListItem> TListView::Selected() {
  int index =
      static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
  if (index < 0) return std::nullopt;
  return TListItem(*this, index);
}

void TListView::WndProc(TMessage& message) {
  if (message.Msg == CN_NOTIFY) {
    switch (reinterpret_cast<NMHDR*>(message.LParam)->code) {
      case NM_CLICK:
        Click();
        break;
      case NM_DBLCLK:
        if (OnDblClick && Enabled()) OnDblClick(this);
        break;
      default:
        break;
    }
  }
  // Everything else, custom drawing included, takes the default path: a handler in front of
  // WindowProc answers it, or the parent's platform default does.
  TWinControl::WndProc(message);
}

// ---- TStatusBar ----

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 0, 20);
  SetAlign(TAlign::alBottom);
}

void TStatusBar::AddPanel(int width, TAlignment alignment) {
  panels_.push_back({width, alignment, "", {}});
  if (HandleAllocated()) CreateWnd();
}

void TStatusBar::SetPanelText(int index, const std::string& text) {
  panels_.at(index).Text = text;
  if (HandleAllocated()) ApplyPanel(index);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WinClassName = STATUSCLASSNAMEA;
  // The framework places the bar itself (bottom-aligned, its own height).
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
}

void TStatusBar::CreateWnd() {
  TWinControl::CreateWnd();
  ApplyParts();
  for (size_t i = 0; i < panels_.size(); ++i) ApplyPanel(static_cast<int>(i));
}

void TStatusBar::ScaleLengths(int fromDpi, int toDpi) {
  TWinControl::ScaleLengths(fromDpi, toDpi);
  for (TStatusPanel& panel : panels_)
    panel.Width = panel.ScaledWidth.Rescale(panel.Width, fromDpi, toDpi);
  if (HandleAllocated()) ApplyParts();
}

void TStatusBar::ApplyParts() {
  std::vector<int> edges;
  int right = 0;
  for (const TStatusPanel& panel : panels_) edges.push_back(right += panel.Width);
  SendMessage(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

void TStatusBar::ApplyPanel(int index) {
  // A tab before the text centres it; two tabs align it right.
  const TStatusPanel& panel = panels_[index];
  std::string text = panel.Alignment == TAlignment::taCenter         ? "\t" + panel.Text
                     : panel.Alignment == TAlignment::taRightJustify ? "\t\t" + panel.Text
                                                                     : panel.Text;
  SendMessage(SB_SETTEXTA, index, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace fw
