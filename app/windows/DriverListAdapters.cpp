#include "app/windows/DriverListAdapters.h"

bool TDriverListView::HasCaption(const std::string& caption) const {
  for (int row = 0, n = list_.Count(); row < n; ++row)
    if (list_.Items(row).Caption() == caption) return true;
  return false;
}

void TDriverListView::AppendRow(const std::string& caption, const std::string& type,
                                const std::string& action, const std::string& keyPath) {
  fw::TListItem item = list_.Add(caption);
  item.SetSubItem(kTypeColumn, type);
  item.SetSubItem(kActionColumn, action);
  item.SetSubItem(kKeyPathColumn, keyPath);
}
