// The main window's controls as the driver routines see them: the list view as the scan's row
// sink and the backup's rows, and labels as the targets of the driver details.
#pragma once

#include <string>

#include "app/drivers/DriverList.h"
#include "framework/ComCtrls.h"
#include "framework/StdCtrls.h"

class TDriverListView final : public TDriverRowSink, public TDriverRows {
 public:
  explicit TDriverListView(fw::TListView& list) : list_(list) {}

  void Clear() override { list_.Clear(); }
  int Count() const override { return list_.Count(); }
  void AppendRow(const std::string& caption, const std::string& type, const std::string& action,
                 const std::string& keyPath) override;

  std::string Caption(int row) const override { return list_.Items(row).Caption(); }
  bool Checked(int row) const override { return list_.Items(row).Checked(); }
  std::string SubItem(int row, int index) const override { return list_.Items(row).SubItem(index); }

 private:
  fw::TListView& list_;
};

class TLabelCaption final : public TCaptionTarget {
 public:
  explicit TLabelCaption(fw::TLabel& label) : label_(label) {}
  void SetCaption(const std::string& caption) override { label_.SetCaption(caption); }

 private:
  fw::TLabel& label_;
};
