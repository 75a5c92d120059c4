// Buttons the application adds to the title bar, left of the caption buttons: a glyph on the
// skin's TITLEBUTTON image (or the glyph alone), a hint, and mouse events.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "imaging/Bitmap32.h"

enum class TMouseButton { mbLeft, mbRight, mbMiddle };
// Shift-state bits of a mouse event.
enum : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };

class TsTitleButtons;

class TsTitleButton {
 public:
  using TMouseEvent =
      std::function<void(TsTitleButton& sender, TMouseButton button, unsigned shift, int x, int y)>;
  explicit TsTitleButton(TsTitleButtons& owner) : owner_(owner) {}

  bool Enabled = true;
  std::string Hint;
  bool UseSkinData = true;  // painted on the skin's TITLEBUTTON image
  TMouseEvent OnMouseDown, OnMouseUp;

  // A glyph whose pixels are all opaque is drawn with its bottom-left colour transparent;
  // otherwise it is blended by its alpha.
  const img::Bitmap32& Glyph() const { return glyph_; }
  void SetGlyph(const img::Bitmap32& glyph);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);

 private:
  TsTitleButtons& owner_;
  img::Bitmap32 glyph_;
  bool visible_ = true;
  std::string name_;
};

class TsTitleButtons {
 public:
  TsTitleButton& Add();
  int Count() const { return static_cast<int>(items_.size()); }
  TsTitleButton& Items(int index) const { return *items_.at(size_t(index)); }
  // Told when a change shows in the title bar (the provider repaints it).
  std::function<void()> OnChange;
  void Changed() const {
    if (OnChange) OnChange();
  }

 private:
  std::vector<std::unique_ptr<TsTitleButton>> items_;
};
