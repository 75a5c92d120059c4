#include "skin/controls/veBaseWnd.h"

#include "skin/data/sSkinCommands.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sControlSection.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sParentBg.h"

bool HasHotState(const TsCommonData& skinData) {
  const TsSkinModel* skin = skinData.PaintSkin();
  if (!skin || !skin->IsValidSectionIndex(skinData.SectionIndex)) return false;
  if (skin->SectionTable[size_t(skinData.SectionIndex)].StateCount > 1) return true;
  return skin->IsValidImageIndex(skinData.BorderMaskIndex) &&
         skin->ImageTable[size_t(skinData.BorderMaskIndex)].StateCount > 1;
}

void RenderFrameCache(TsCommonData& skinData, HWND handle) {
  if (!skinData.BgDirty) return;
  GdiFlush();  // the last copy to the screen may still read the cache
  RECT window;
  GetWindowRect(handle, &window);
  HWND parent = GetParent(handle);
  TsBgSource bg = EmptyBgSource;
  TsBgQuery query;
  if (QueryBgBehind(query, skinData, handle, {window.left, window.top})) {
    if (query.Kind == bgkNotReady) {
      skinData.Deferred = true;
      return;
    }
    bg = BgQueryToSource(query);
  }
  if (!skinData.CacheBitmap) skinData.CacheBitmap = std::make_unique<img::Bitmap32>();
  img::Bitmap32& cache = *skinData.CacheBitmap;
  int w = window.right - window.left, h = window.bottom - window.top;
  if (cache.Width() != w || cache.Height() != h) cache.Resize(w, h);
  if (!parent) return;
  const TsSkinModel* manager = skinData.PaintSkin();
  if (manager && manager->IsValidSectionIndex(skinData.SectionIndex)) {
    bool hot = skinData.IsHot() && HasHotState(skinData);
    PaintControlSection(skinData, bg, true, cache, {0, 0}, {0, 0, w, h}, hot ? 1 : 0);
  }
  if (!IsWindowEnabled(handle)) {
    // The window may ask for its own disabled look; silence means faded.
    int flags = kDisabledFade;
    SendSkinCommand(handle, CmdGetDisabledKind, reinterpret_cast<LPARAM>(&flags));
    TsBgSource behind;
    skinData.GetBgSource(behind);
    POINT at{window.left, window.top};
    ScreenToClient(parent, &at);
    PaintDisabled(cache, flags, {at.x, at.y}, behind, GetWindowBgColor(parent));
  }
  skinData.SetBgDirty(false);
}

void RepairCorners(TsCommonData& skinData, int state, const TveMainWnd& adapter) {
  if (adapter.DialogChild || !skinData.CacheBitmap || skinData.CacheBitmap->Width() <= 1 ||
      skinData.CacheBitmap->Height() <= 1)
    return;
  FillCornersFromParent(skinData, state, kAllCorners);
}

void CopyFrameFromCache(HDC dc, const img::Bitmap32& cache, int frame) {
  int w = cache.Width(), h = cache.Height();
  if (frame <= 0 || w <= 0 || h <= 0) return;
  HDC src = cache.DC();
  BitBlt(dc, 0, 0, w, frame, src, 0, 0, SRCCOPY);
  BitBlt(dc, 0, frame, frame, h - 2 * frame, src, 0, frame, SRCCOPY);
  BitBlt(dc, w - frame, frame, frame, h - 2 * frame, src, w - frame, frame, SRCCOPY);
  BitBlt(dc, 0, h - frame, w, frame, src, 0, h - frame, SRCCOPY);
}

void TveBaseWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !Skinned()) {
    TveScrollWnd::HandleMessage(message);
    return;
  }
  if (message.Msg == SkinCommandMsg) {
    bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager;
    TveScrollWnd::HandleMessage(message);
    if (HIWORD(message.WParam) == CmdSkinRefresh && ours && IsWindowVisible(Handle))
      SendMessageA(Handle, WM_NCPAINT, 0, 0);
    return;
  }
  switch (message.Msg) {
    case WM_SIZE:
    case WM_EXITSIZEMOVE:
      SkinData->SetBgDirty(true);
      break;
    case WM_SETCURSOR:
      PassOn(message);
      return;
    case 0x2100:
      return;
    default:
      break;
  }
  TveScrollWnd::HandleMessage(message);
  switch (message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (!SelfScrolling) UpdateScrollInfo(true);
      break;
    case WM_ENABLE:
    case fw::CM_ENABLEDCHANGED:
      if (IsWindowVisible(Handle)) SendMessageA(Handle, WM_NCPAINT, 0, 0);
      break;
    default:
      break;
  }
}
