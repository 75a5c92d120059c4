// Standard controls: labels (windowless), push buttons and group boxes.
#pragma once

#include "framework/Controls.h"
#include "framework/Menus.h"

namespace fw {

class TImageList;

// Text painted by its parent. With AutoSize the label takes the size of its text (wrapped at
// its width when WordWrap is set).
class TLabel : public TGraphicControl {
 public:
  explicit TLabel(TComponent* owner);
  std::string ClassName() const override { return "TLabel"; }

  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool autoSize);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool wordWrap);
  // When set, "&" marks an access key and "&&" shows one "&"; data texts turn it off.
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool show);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

 protected:
  void Paint(TCanvas& canvas) override;
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override { AdjustBounds(); }

 private:
  UINT TextFormat() const;
  void AdjustBounds();
  bool autoSize_ = true;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  bool transparent_ = false;
};

enum class TButtonStyle { bsPushButton, bsSplitButton };

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  ~TButton() override;
  std::string ClassName() const override { return "TButton"; }

  // The button that Enter clicks on its form.
  bool Default() const { return default_; }
  void SetDefault(bool value) { default_ = value; }
  // A split button has a drop-down part on its right, which opens DropDownMenu.
  TButtonStyle Style() const { return style_; }
  void SetStyle(TButtonStyle style) { style_ = style; }
  TPopupMenu* DropDownMenu() const { return dropDownMenu_; }
  void SetDropDownMenu(TPopupMenu* menu) { dropDownMenu_ = menu; }
  // A picture shown beside the caption, taken from an image list.
  void SetImages(TImageList* images, int imageIndex);
  TImageList* Images() const { return images_; }
  int ImageIndex() const { return imageIndex_; }

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;

 private:
  void ApplyImage();
  bool default_ = false;
  TButtonStyle style_ = TButtonStyle::bsPushButton;
  TPopupMenu* dropDownMenu_ = nullptr;
  TImageList* images_ = nullptr;
  int imageIndex_ = -1;
  HICON icon_ = nullptr;
};

class TGroupBox : public TWinControl {
 public:
  explicit TGroupBox(TComponent* owner) : TWinControl(owner) {}
  std::string ClassName() const override { return "TGroupBox"; }

 protected:
  void CreateParams(TCreateParams& params) override;
  // The platform's group box draws only its frame and caption; the inside is its colour.
  void WndProc(TMessage& message) override;
};

}  // namespace fw
