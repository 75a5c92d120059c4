// What the driver routines need of the main window's driver list (a report-style list view with
// check boxes), so that they run against the real list view and against tests alike. Each row
// has a caption (the device) and three sub-items: type, action and the driver's key path.
#pragma once

#include <string>

// Sub-item indexes of a driver row.
inline constexpr int kTypeColumn = 0;
inline constexpr int kActionColumn = 1;
inline constexpr int kKeyPathColumn = 2;

// The scan fills the list through this, one row per distinct caption (the scan keeps track).
class TDriverRowSink {
 public:
  virtual ~TDriverRowSink() = default;
  virtual void Clear() = 0;
  virtual int Count() const = 0;
  virtual void AppendRow(const std::string& caption, const std::string& type,
                         const std::string& action, const std::string& keyPath) = 0;
};

// The backup commands read the rows through this.
class TDriverRows {
 public:
  virtual ~TDriverRows() = default;
  virtual int Count() const = 0;
  virtual std::string Caption(int row) const = 0;
  virtual bool Checked(int row) const = 0;
  virtual std::string SubItem(int row, int index) const = 0;
};

// A label whose caption the details fill.
class TCaptionTarget {
 public:
  virtual ~TCaptionTarget() = default;
  virtual void SetCaption(const std::string& caption) = 0;
};
