#include "app/windows/DriverListAdapters.h"

void TDriverListView::AppendRow(const std::string& caption, const std::string& type,
                                const std::string& action, const std::string& keyPath) {
  fw::TListItem item = list_.Add(caption);
  item.SetSubItem(kTypeColumn, type);
  item.SetSubItem(kActionColumn, action);
  item.SetSubItem(kKeyPathColumn, keyPath);
}
