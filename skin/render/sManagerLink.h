// What the skin state of controls needs from skin managers. The managers live in a library that
// builds on this one, so they are reached through these hooks, which the manager library fills
// when it is linked in; the default manager comes through the skin data's sDefaultModel. With
// empty hooks every model counts as an active skin that is not being destroyed, and hover and
// skin-change notices go nowhere.
#pragma once

#include <windows.h>

#include <functional>

#include "skin/data/sSkinModel.h"
#include "skin/data/sDefaultModel.h"

namespace fw {
class TControl;
}

struct TsManagerLink {
  // The manager a skin command carries in its second parameter, and back: what a command
  // carries for a manager.
  std::function<const TsSkinModel*(LPARAM)> CommandModel;
  std::function<LPARAM(const TsSkinModel&)> CommandValue;
  std::function<bool(const TsSkinModel&)> Active;
  std::function<bool(const TsSkinModel&)> Destroying;
  // The mouse came over a control skinned by the manager: its window, or the control itself
  // when it has none, becomes the manager's hot one.
  std::function<void(const TsSkinModel&, fw::TControl*)> Hovered;
  // A control took the new skin: the manager's skin change is over.
  std::function<void()> SkinLoaded;
  // The manager's effects let controls glow.
  std::function<bool(const TsSkinModel&)> AllowGlowing;
  // The control state changes the manager's button effects animate (aeMouseEnter... bits).
  std::function<unsigned(const TsSkinModel&)> ButtonEffects;
  // The manager's skin at a display scale (its copy for that scale); a model that is no manager
  // is itself at every scale.
  std::function<const TsSkinModel&(const TsSkinModel&, int)> AtDpi;
};

TsManagerLink& ManagerLink();

// The manager a skin command carries, and what a command carries for a manager (null: 0).
const TsSkinModel* CommandManager(LPARAM value);
LPARAM ManagerParam(const TsSkinModel* manager);
bool ManagerActive(const TsSkinModel& manager);
bool ManagerDestroying(const TsSkinModel& manager);
// False without a manager library: glowing is an effect the manager switches on.
bool ManagerAllowsGlowing(const TsSkinModel& manager);
// None without a manager library.
unsigned ManagerButtonEffects(const TsSkinModel& manager);
