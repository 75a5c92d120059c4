// The skin commands a control's skin state answers for it.
#include "framework/Application.h"
#include "framework/StdCtrls.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sManagerLink.h"

namespace {

template <typename Each>
void ForEachChild(fw::TWinControl& parent, Each each) {
  for (int i = 0; i < parent.ControlCount(); ++i) each(parent.Controls(i));
}

}  // namespace

bool TsCommonData::CarriesOwnManager(LPARAM value) const {
  const TsSkinModel* own = GetSkinManager();
  return own && CommandManager(value) == own;
}

void TsCommonData::SkinRemoved() {
  const TsSkinModel* manager = GetSkinManager();
  if (manager && ManagerDestroying(*manager)) SkinManager = nullptr;
  BorderMaskIndex = SectionIndex = PatternIndex = HotPatternIndex = -1;
  Deferred = true;
  EmptyCache();
  if (fw::TWinControl* windowed = WindowedHost())
    ForEachChild(*windowed, [](fw::TControl* child) {
      if (auto* label = dynamic_cast<fw::TLabel*>(child)) label->Font().SetColor(fw::clWindowText);
    });
}

void TsCommonData::EndUpdateCommand() {
  fw::TWinControl* windowed = WindowedHost();
  if (!Deferred || !windowed || !windowed->HandleAllocated()) return;
  if (!ResetDeferred(true))
    RedrawWindow(windowed->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EndUpdateChildren(*windowed);
}

void TsCommonData::RepaintBg(bool now) {
  const bool fromParent = NeedsParentRepaint();
  if (fromParent) SetBgDirty(true);
  fw::TWinControl* windowed = WindowedHost();
  if (!windowed || !windowed->HandleAllocated()) return;
  if (now)
    RedrawWindow(windowed->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_NOERASE | RDW_NOINTERNALPAINT);
  if (!fromParent) return;
  ForEachChild(*windowed, [](fw::TControl* child) {
    if (!child->Destroying()) SendSkinCommand(child, CmdRepaintBg, 0);
  });
}

void TsCommonData::ClearCacheCommand() {
  if (fw::TWinControl* windowed = WindowedHost())
    ForEachChild(*windowed, [](fw::TControl* child) {
      if (child->IsWindowed()) SendSkinCommand(child, CmdClearCache, 0);
    });
  EmptyCache();
  SetBgDirty(true);
  Deferred = true;
}

bool TsCommonData::HandleSkinCommand(fw::TMessage& message) {
  const uint16_t command = HIWORD(message.WParam), argument = LOWORD(message.WParam);
  const LPARAM value = message.LParam;
  auto reply = [&message](LRESULT result) {
    message.Result = result;
    return true;
  };
  switch (command) {
    case CmdSkinLoaded:
      if (!CarriesOwnManager(value)) return false;
      UpdateIndexes();
      UpdateSkinState(false);
      if (ManagerLink().SkinLoaded) ManagerLink().SkinLoaded();
      return reply(0);
    case CmdSkinRemoved:
      if (!CarriesOwnManager(value)) return false;
      SkinRemoved();
      return reply(0);
    case CmdSkinRefresh:
      if (!CarriesOwnManager(value)) return false;
      SetBgDirty(true);
      Deferred = false;
      UpdateColors(true);
      UpdateSkinState(false);
      return reply(0);
    case CmdEndUpdate:
      EndUpdateCommand();
      return reply(0);
    case CmdIsSkinned:
      return reply(1);
    case CmdSetDeferred:
      Deferred = argument == 1;
      return reply(0);
    case CmdSetUrgent:
      PaintUrgently = argument == 1;
      return reply(0);
    case CmdIsDeferred:
      return reply(BgDirty || Deferred);
    case CmdIsPartlyVisible:
      return reply(PartlyVisible);
    case CmdSetSection:
      if (value) SetSkinSection(reinterpret_cast<const TveSectionInfo*>(value)->Name);
      return reply(0);
    case CmdBgChanged:
      SetBgDirty(true);
      return reply(0);
    case CmdIsBgComplex:
      return AnswerBgComplex(message);
    case CmdRepaintBg:
      RepaintBg(argument == 1);
      return reply(0);
    case CmdGetBgColor:
      if (!HostControl) return false;
      return reply(GetBgColor(0, HostWindow()));
    case CmdSetPartlyVisible:
      PartlyVisible = true;
      return reply(0);
    case CmdBgRepainted:
      SetBgDirty(false);
      return reply(0);
    case CmdGetSectionIndex:
      if (!value) return false;
      reinterpret_cast<TveSectionInfo*>(value)->Index = SectionIndex;
      return reply(1);
    case CmdClearCache:
      if (!CacheBitmap) return false;
      ClearCacheCommand();
      return reply(0);
    case CmdGetBg:
      if (!value) return false;
      GetBgQuery(*reinterpret_cast<TsBgQuery*>(value), IsHot() ? 1 : 0, HostWindow());
      return reply(1);
    case CmdGetSkinState:
      if (value == 1)
        UpdateSkinState(true);
      else if (SkinStateFlags == kStateUnknown)
        UpdateSkinState(false);
      return reply(SkinStateFlags);
    case CmdGetSkinData:
      return reply(reinterpret_cast<LRESULT>(this));
    case CmdSetPrintDC:
      PrintTarget = reinterpret_cast<HDC>(value);
      if (PrintTarget)
        SkinStateFlags |= kStatePrinting;
      else
        SkinStateFlags &= uint16_t(~kStatePrinting);
      return reply(1);
    case CmdGetApplication:
      return reply(reinterpret_cast<LRESULT>(&fw::Application));
    default:
      return false;
  }
}
