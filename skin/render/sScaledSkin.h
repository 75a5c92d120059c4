// The skin at a display scale. Its pictures are drawn for 96 DPI; at another scale the manager
// keeps a scaled copy of the skin for each scale in use, made once, so that a window moved between
// monitors repaints from a ready copy. The copy has the same sections, indexes and image entries
// as the skin; only lengths and pictures differ, so every painter paints from it unchanged.
//
// Each state frame of an image entry is scaled slice by slice: the nine slices its margins cut
// are resampled apart (Mitchell), so that no slice bleeds into its neighbour and every margin is
// exactly its scaled length. Key pixels stay key pixels where the pixel under them was one, and
// never tint their neighbours; a mask is resampled as its picture is, into the same place below
// it. Entries of the master picture keep to a master picture of their own.
#pragma once

#include <memory>

#include "skin/data/sBorderShadows.h"
#include "skin/data/sSkinModel.h"

class TsSkinManager;

// A copy of skin with its pictures and lengths at dpi (above 0). Large JPEG textures stay as
// they are. An entry that does not lie inside its picture gets no picture.
std::unique_ptr<TsSkinModel> BuildScaledSkin(const TsSkinModel& skin, int dpi);

// The manager's skin at dpi: the manager itself at 96 DPI (or for a scale not above 0), else its
// copy for dpi, made on first use and kept until the skin changes.
const TsSkinModel& SkinAtDpi(TsSkinManager& manager, int dpi);
// What border windows show around the manager's forms at dpi: its shadows at 96 DPI, else those
// of its copy for dpi (a skin's own EXBORDER frames as the copy has them, the built-in shadow
// resampled as the skin's pictures are, margins scaled).
const TsBorderShadows& BorderShadowsAtDpi(TsSkinManager& manager, int dpi);
