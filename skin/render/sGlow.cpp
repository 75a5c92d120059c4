#include "skin/render/sGlow.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/LayeredWindows.h"
#include "skin/data/sDefaultModel.h"
#include "skin/render/sGlowGeometry.h"
#include "skin/render/sLayeredPopup.h"
#include "skin/render/sMaskSlices.h"

namespace {

// A handle holds the glow's slot in its low bits and the slot's generation above them. Slots are
// used again once free, and every freeing (HideGlow, HideAllGlows) moves the slot to its next
// generation: a handle kept from before frees nothing, whoever holds the slot now.
constexpr int kSlotBits = 12;
constexpr int kMaxSlots = 1 << kSlotBits;
constexpr int kGenerationMask = (1 << (30 - kSlotBits)) - 1;

struct TveGlowEffect {
  HWND Window = nullptr;
  ~TveGlowEffect() {
    if (Window) DestroyWindow(Window);
  }
};

struct TsGlowSlot {
  std::unique_ptr<TveGlowEffect> Glow;
  int Generation = 0;
  void Free() {
    Glow.reset();
    Generation = (Generation + 1) & kGenerationMask;
  }
};

std::vector<TsGlowSlot>& Glows() {
  // Never destroyed: at exit the windows go with the process.
  static auto* glows = new std::vector<TsGlowSlot>;
  return *glows;
}

TsGlowSlot* Find(int handle) {
  if (handle < 0) return nullptr;
  std::vector<TsGlowSlot>& glows = Glows();
  const size_t slot = size_t(handle & (kMaxSlots - 1));
  if (slot >= glows.size() || !glows[slot].Glow || glows[slot].Generation != handle >> kSlotBits)
    return nullptr;
  return &glows[slot];
}

// A free slot, a new one when none is free; null when the table is full.
TsGlowSlot* FreeSlot() {
  std::vector<TsGlowSlot>& glows = Glows();
  for (TsGlowSlot& slot : glows)
    if (!slot.Glow) return &slot;
  if (glows.size() >= size_t(kMaxSlots)) return nullptr;
  return &glows.emplace_back();
}

// The part of the whole glow picture that the window shows.
img::Bitmap32 GlowPicture(const TsMaskData& entry, const TsGlowPlacement& p) {
  img::Bitmap32 full(p.FullWidth, p.FullHeight);
  PaintMaskSlicesAlpha(full, {0, 0, p.FullWidth, p.FullHeight}, entry, 0, TsBgSource{});
  const int w = p.Window.Width(), h = p.Window.Height();
  if (w == p.FullWidth && h == p.FullHeight) return full;
  img::Bitmap32 part(w, h);
  for (int y = 0; y < h; ++y) std::copy_n(full.Row(p.CropTop + y) + p.CropLeft, w, part.Row(y));
  return part;
}

// Directly above the top-level window: after the window above it, or at the top of its band
// when there is none.
void PlaceAbove(HWND glow, HWND topLevel, const TRect& place) {
  const UINT flags = SWP_NOACTIVATE | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_SHOWWINDOW;
  const bool topmost = topLevel && (GetWindowLongA(topLevel, GWL_EXSTYLE) & WS_EX_TOPMOST);
  HWND above = topLevel ? GetWindow(topLevel, GW_HWNDPREV) : nullptr;
  if (above == glow) above = GetWindow(glow, GW_HWNDPREV);
  if (topmost) SetWindowPos(glow, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | flags);
  HWND after = above ? above : topmost ? HWND_TOPMOST : HWND_TOP;
  SetWindowPos(glow, after, place.Left, place.Top, place.Width(), place.Height(), flags);
}

}  // namespace

int ShowGlow(const RECT& rect, const RECT& visible, const std::string& section,
             const TsSkinModel* manager, HWND topLevel, int inset, const std::string& property) {
  if (!platform::LayeredWindows::Current().Available()) return -1;
  const TsSkinModel* model = ResolveManager(manager);
  if (!model) return -1;
  const int index = model->FindImageByName(section, property + "0");
  if (index < 0 || size_t(index) >= model->ImageTable.size()) return -1;
  const TsMaskData& entry = model->ImageTable[size_t(index)];
  const TRect margins{entry.MarginLeft, entry.MarginTop, entry.MarginRight, entry.MarginBottom};
  const TsGlowPlacement p =
      GlowPlacement({rect.left, rect.top, rect.right, rect.bottom},
                    {visible.left, visible.top, visible.right, visible.bottom}, margins, inset);
  if (p.Window.Width() <= 0 || p.Window.Height() <= 0) return -1;
  TsGlowSlot* slot = FreeSlot();
  if (!slot) return -1;

  auto glow = std::make_unique<TveGlowEffect>();
  glow->Window = CreateLayeredPopup(false);
  if (!glow->Window) return -1;
  const img::Bitmap32 picture = GlowPicture(entry, p);
  platform::LayeredWindows::Current().Update(glow->Window, p.Window.Left, p.Window.Top, picture,
                                             255);
  PlaceAbove(glow->Window, topLevel, p.Window);
  slot->Glow = std::move(glow);
  return (slot->Generation << kSlotBits) | int(slot - Glows().data());
}

void HideGlow(int& handle) {
  if (TsGlowSlot* slot = Find(handle)) slot->Free();
  handle = -1;
}

void HideAllGlows() {
  for (TsGlowSlot& slot : Glows())
    if (slot.Glow) slot.Free();
}

HWND GlowWindow(int handle) {
  TsGlowSlot* slot = Find(handle);
  return slot ? slot->Glow->Window : nullptr;
}
