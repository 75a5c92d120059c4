#include "skin/render/sManagerLink.h"

TsManagerLink& ManagerLink() {
  static TsManagerLink link;
  return link;
}

const TsSkinModel* CommandManager(LPARAM value) {
  const auto& model = ManagerLink().CommandModel;
  return model ? model(value) : reinterpret_cast<const TsSkinModel*>(value);
}

LPARAM ManagerParam(const TsSkinModel* manager) {
  const auto& value = ManagerLink().CommandValue;
  if (!manager) return 0;
  return value ? value(*manager) : reinterpret_cast<LPARAM>(manager);
}

bool ManagerActive(const TsSkinModel& manager) {
  const auto& active = ManagerLink().Active;
  return !active || active(manager);
}

bool ManagerDestroying(const TsSkinModel& manager) {
  const auto& destroying = ManagerLink().Destroying;
  return destroying && destroying(manager);
}

bool ManagerAllowsGlowing(const TsSkinModel& manager) {
  const auto& allow = ManagerLink().AllowGlowing;
  return allow && allow(manager);
}

unsigned ManagerButtonEffects(const TsSkinModel& manager) {
  const auto& effects = ManagerLink().ButtonEffects;
  return effects ? effects(manager) : 0;
}
