#include "skin/forms/sUserTitleButtons.h"

void TsTitleButton::SetGlyph(const img::Bitmap32& glyph) {
  glyph_ = glyph;
  owner_.Changed();
}

void TsTitleButton::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  owner_.Changed();
}

void TsTitleButton::SetName(const std::string& name) {
  name_ = name;
  owner_.Changed();
}

TsTitleButton& TsTitleButtons::Add() {
  items_.push_back(std::make_unique<TsTitleButton>(*this));
  Changed();
  return *items_.back();
}
