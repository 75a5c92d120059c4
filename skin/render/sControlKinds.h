// The kind codes controls and adapters give their skin state, the groups of kinds that behave
// alike, and the section a kind is drawn with when the control names none.
#pragma once

#include <cstdint>
#include <string_view>

// Kinds the adapters give the skin state of the control they adopt.
inline constexpr int32_t kListViewKind = 10;
inline constexpr int32_t kAdoptedKind = 230;
inline constexpr int32_t kAdaptedEditKind = 231;

// Kinds whose background follows focus and hover (edits, combo boxes, spin edits...).
bool IsEditorKind(int32_t kind);
// Kinds that hold other controls; hovering them never gives them the hot state.
bool IsContainerKind(int32_t kind);
// Kinds that never glow: the glowless containers and the speed and push buttons.
bool IsNoGlowKind(int32_t kind);
// The section a kind is drawn with by default; empty for a kind that has none.
std::string_view DefaultSectionForKind(int32_t kind);
