#include "framework/Classes.h"

#include <algorithm>

#include <strings.h>

namespace fw {

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_) owner_->Insert(this);
}

TComponent::~TComponent() {
  state_ |= csDestroying;
  DestroyComponents();
  if (owner_) owner_->Remove(this);
}

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    TComponent* last = components_.back();
    // Marked before its destructors run, so that its own clean-up already sees it going.
    last->state_ |= csDestroying;
    delete last;  // removes itself from components_
  }
}

void TComponent::Insert(TComponent* component) {
  components_.push_back(component);
  // Whatever is added while the owner is being built from its design is part of that build.
  if (Loading()) component->state_ |= csLoading;
  NotifyTree(component, TOperation::opInsert);
}

void TComponent::Remove(TComponent* component) {
  auto it = std::find(components_.begin(), components_.end(), component);
  if (it == components_.end()) return;
  components_.erase(it);
  component->owner_ = nullptr;
  if (!Destroying()) NotifyTree(component, TOperation::opRemove);
}

void TComponent::NotifyTree(TComponent* component, TOperation operation) {
  Notification(component, operation);
  for (TComponent* sibling : std::vector<TComponent*>(components_))
    if (sibling != component) sibling->Notification(component, operation);
}

void TComponent::BeginLoading() {
  state_ |= csLoading;
}

void TComponent::EndLoading() {
  state_ &= ~unsigned(csLoading);
  Loaded();
  for (TComponent* component : std::vector<TComponent*>(components_)) component->EndLoading();
}

void TComponent::Publish(const std::string& name, TPropInfo info) {
  for (auto& [known, existing] : properties_)
    if (strcasecmp(known.c_str(), name.c_str()) == 0) {
      existing = std::move(info);
      return;
    }
  properties_.emplace_back(name, std::move(info));
}

const TPropInfo* TComponent::FindProperty(const std::string& name) const {
  for (const auto& [known, info] : properties_)
    if (strcasecmp(known.c_str(), name.c_str()) == 0) return &info;
  return nullptr;
}

bool GetOrdProp(const TComponent* component, const std::string& name, std::intptr_t& value) {
  const TPropInfo* info = component ? component->FindProperty(name) : nullptr;
  if (!info || !info->Get) return false;
  value = info->Get();
  return true;
}

bool SetOrdProp(TComponent* component, const std::string& name, std::intptr_t value) {
  const TPropInfo* info = component ? component->FindProperty(name) : nullptr;
  if (!info || !info->Set) return false;
  info->Set(value);
  return true;
}

namespace {

std::vector<std::pair<const void*, TControlDestroyedHandler>>& ControlDestroyedHandlers() {
  static std::vector<std::pair<const void*, TControlDestroyedHandler>> handlers;
  return handlers;
}

}  // namespace

void AddControlDestroyedHandler(const void* key, TControlDestroyedHandler handler) {
  RemoveControlDestroyedHandler(key);
  ControlDestroyedHandlers().emplace_back(key, std::move(handler));
}

void RemoveControlDestroyedHandler(const void* key) {
  std::erase_if(ControlDestroyedHandlers(),
                [key](const auto& entry) { return entry.first == key; });
}

void NotifyControlDestroyed(TControl* control) {
  // A copy: a handler may register or remove handlers while it runs.
  auto handlers = ControlDestroyedHandlers();
  for (const auto& entry : handlers) entry.second(control);
}

}  // namespace fw
