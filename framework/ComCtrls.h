// Common controls: the report-style list view and the status bar.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "framework/Controls.h"

namespace fw {

class TImageList;
class TListView;

struct TListColumn {
  std::string Caption;
  int Width;
  platform::ScaledLength ScaledWidth;
};

// One row of a list view, addressed by position; it reads and writes the list view itself.
class TListItem {
 public:
  TListItem(TListView& owner, int index) : owner_(&owner), index_(index) {}
  int Index() const { return index_; }
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  // Sub-item i is the text of column i + 1.
  std::string SubItem(int i) const;
  void SetSubItem(int i, const std::string& text);
  bool Checked() const;
  void SetChecked(bool checked);
  bool Selected() const;
  void SetSelected(bool selected);

 private:
  TListView* owner_;
  int index_;
};

class TListView : public TWinControl {
 public:
  explicit TListView(TComponent* owner);
  std::string ClassName() const override { return "TListView"; }

  void AddColumn(const std::string& caption, int width);
  const std::vector<TListColumn>& Columns() const { return columns_; }
  bool Checkboxes() const { return checkboxes_; }
  void SetCheckboxes(bool value) { checkboxes_ = value; }
  bool RowSelect() const { return rowSelect_; }
  void SetRowSelect(bool value) { rowSelect_ = value; }
  // Every row shows image 0 of SmallImages when there is one.
  void SetSmallImages(TImageList* images);

  int Count();
  TListItem Items(int index) { return TListItem(*this, index); }
  // Appends a row with a caption and returns it.
  TListItem Add(const std::string& caption);
  void Clear();
  // Rows added between these are painted once, at the end; calls nest.
  void BeginUpdate();
  void EndUpdate();
  // The first selected row, if any.
  std::optional<TListItem> Selected();

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  // Column widths and the small images follow the font, whose height sets the rows'.
  void ScaleLengths(int fromDpi, int toDpi) override;

 private:
  std::vector<TListColumn> columns_;
  bool checkboxes_ = false;
  bool rowSelect_ = false;
  TImageList* smallImages_ = nullptr;
  int updating_ = 0;
  bool redrawOff_ = false;
};

enum class TAlignment { taLeftJustify, taCenter, taRightJustify };

struct TStatusPanel {
  int Width;
  TAlignment Alignment;
  std::string Text;
  platform::ScaledLength ScaledWidth;
};

// A strip of text panels along the bottom of its parent.
class TStatusBar : public TWinControl {
 public:
  explicit TStatusBar(TComponent* owner);
  std::string ClassName() const override { return "TStatusBar"; }

  void AddPanel(int width, TAlignment alignment = TAlignment::taLeftJustify);
  int PanelCount() const { return static_cast<int>(panels_.size()); }
  const std::string& PanelText(int index) const { return panels_[index].Text; }
  TAlignment PanelAlignment(int index) const { return panels_[index].Alignment; }
  void SetPanelText(int index, const std::string& text);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void ScaleLengths(int fromDpi, int toDpi) override;

 private:
  void ApplyParts();
  void ApplyPanel(int index);
  std::vector<TStatusPanel> panels_;
};

}  // namespace fw
