// Whole skin elements: a section's background, its corner images and its border, composed in
// that order into a bitmap.
//
// manager is the skin whose section is painted, null for the default manager's; without either,
// for an invalid section index, or for a rectangle that is empty or not inside the target nothing
// is painted. A state beyond the section's last one uses the last.
#pragma once

#include <string_view>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"
#include "skin/render/sBgSource.h"

// Paints the section into rect of target over what bg says lies behind it: the background of the
// state (PaintSectionBg, with the control's texture entries patternIndex and hotPatternIndex, -1
// none), then the section's four corner images at the rectangle's corners, then its border
// (BORDERSMASK) over all of it. origin is where target sits in the picture bg describes.
// The section's four corner images (top-left, top-right, bottom-left, bottom-right) at rect's
// corners in state, their key pixels showing what target already holds there.
void PaintSectionCorners(const TsSkinModel& manager, const TsGeneralData& section,
                         img::Bitmap32& target, TRect rect, int state);

void PaintSection(const TsSkinModel* manager, int sectionIndex, std::string_view sectionName,
                  const TsBgSource& bg, int patternIndex, int hotPatternIndex,
                  img::Bitmap32& target, TPoint origin, TRect rect, int state);

// Paints the section into a bitmap of the size of rect cut to surface and copies that to surface
// at rect; rect needs a left and top of at least 0 and a positive size.
void PaintSectionToDC(const TsSkinModel* manager, int sectionIndex, std::string_view sectionName,
                      const TsBgSource& bg, img::Bitmap32& surface, TPoint origin, TRect rect,
                      int state);

// Paints the section called name, or fallbackName when the skin has no section name, over the
// whole target. With a parent, target first takes the parent's pixels at rect's top-left corner
// and the section shows them through its transparent parts; without one there is nothing behind
// it. Returns the index of the section used (-1 none).
int PaintSectionByName(const TsSkinModel* manager, img::Bitmap32& target, std::string_view name,
                       std::string_view fallbackName, const img::Bitmap32* parent, TRect rect,
                       int state);

// Paints the section's own normal (state 0) or hot look (PaintSectionBgFlat, with the texture
// entry patternIndex or hotPatternIndex) and over it the border entry borderIndex (an ImageTable
// index, -1 none) into rect of target.
void PaintSectionAt(const TsSkinModel* manager, int sectionIndex, int borderIndex, int patternIndex,
                    int hotPatternIndex, img::Bitmap32& target, TPoint origin, TRect rect,
                    int state, const TsBgSource& bg);

// Paints the section into rect of a target whose alpha matters (layered windows): the background
// carries the section's opacity in its alpha (PaintSectionBgAlpha) and the border's see-through
// pixels keep what rect held before. A rect that covers the whole target leaves it premultiplied.
void PaintSectionAlpha(const TsSkinModel* manager, int sectionIndex, int state,
                       img::Bitmap32& target, TRect rect);
