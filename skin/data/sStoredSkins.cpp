#include "skin/data/sStoredSkins.h"

#include <stdexcept>

int TsStoredSkins::IndexOfSkin(const std::string& name) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].Name == name) return static_cast<int>(i);
  return -1;
}

TsStoredSkin& TsStoredSkins::Add(TsStoredSkin item) {
  items_.push_back(std::move(item));
  Changed();
  return items_.back();
}

void TsStoredSkins::SetItem(int index, TsStoredSkin item) {
  items_.at(static_cast<size_t>(index)) = std::move(item);
  Changed();
}

void TsStoredSkins::Delete(int index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("Stored skin index out of range");
  items_.erase(items_.begin() + index);
  Changed();
}

void TsStoredSkins::Clear() {
  items_.clear();
  Changed();
}
