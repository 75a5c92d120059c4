#include "skin/controls/veMainWnd.h"

#include <array>
#include <stdexcept>
#include <utility>

#include "framework/Application.h"
#include "platform/SystemEntry.h"
#include "skin/controls/veWindowTable.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlKinds.h"
#include "skin/render/sCtrlUtils.h"

bool DialogSkinning = false;

namespace {

// A foreign window's chain may hold several of our procedures: the pass-through of an adapter
// that let go under a later subclass, and above that subclass the procedure of an adapter attached
// since. Each attachment takes a slot of its own, a procedure with its own address whose
// predecessor the slot keeps, so a pass-through never reads the predecessor of another attachment.
// A slot stays taken until its procedure leaves the chain or the window goes.
constexpr int kForeignSlots = 16;

TveWindowTable<HWND, TveMainWnd*>& Adapters() {
  static TveWindowTable<HWND, TveMainWnd*> table;
  return table;
}

// The procedure each taken slot of a window replaced (a taken slot may keep null: the window had
// no procedure before it, and the pass-through ends in the default one).
TveWindowTable<std::pair<HWND, int>, WNDPROC>& SlotPredecessors() {
  static TveWindowTable<std::pair<HWND, int>, WNDPROC> table;
  return table;
}

template <int Slot>
LRESULT CALLBACK SlotProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  return TveMainWnd::ForeignProc(Slot, wnd, msg, wParam, lParam);
}

template <int... Slots>
constexpr std::array<WNDPROC, sizeof...(Slots)> MakeSlotProcs(
    std::integer_sequence<int, Slots...>) {
  return {&SlotProc<Slots>...};
}

constexpr std::array<WNDPROC, kForeignSlots> kSlotProcs =
    MakeSlotProcs(std::make_integer_sequence<int, kForeignSlots>());

// The first slot whose procedure is not in the window's chain, or -1.
int FreeSlot(HWND wnd) {
  for (int slot = 0; slot < kForeignSlots; ++slot)
    if (!SlotPredecessors().Contains({wnd, slot})) return slot;
  return -1;
}

// The platform's visual style of one window, switched off (" ") or given back (null).
void SetVisualStyle(HWND wnd, const wchar_t* style) {
  using TSetWindowTheme = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  static const auto setTheme =
      platform::SystemEntry<TSetWindowTheme>("uxtheme.dll", "SetWindowTheme");
  if (setTheme) setTheme(wnd, style, style);
}

std::string WindowText(HWND wnd) {
  std::string text(size_t(GetWindowTextLengthA(wnd)) + 1, '\0');
  text.resize(size_t(GetWindowTextA(wnd, text.data(), int(text.size()))));
  return text;
}

}  // namespace

TveMainWnd::TveMainWnd(HWND handle, bool repaint, const std::string& skinSection,
                       TsSkinManager* manager, TsCommonData* skinData)
    : Handle(handle), SkinManager(manager), SkinData(skinData) {
  // A list view keeps the platform's visual style where the platform has one (version 6 and
  // later): its selection and hot rows are drawn by it; frame, header, boxes and bars are ours.
  bool themedList = skinData && skinData->ControlKind == kListViewKind && LOBYTE(GetVersion()) >= 6;
  if (skinSection != "DIALOG" && !DialogSkinning && !themedList) {
    SetVisualStyle(handle, L" ");
    styleSwitchedOff_ = true;
  }
  if (!SkinData) {
    ownSkinData_ = std::make_unique<TsCommonData>(nullptr, true);
    ownSkinData_->SetSkinManager(manager);
    SkinData = ownSkinData_.get();
    OwnsSkinData = true;
  }
  if (!SkinManager)
    SkinManager =
        const_cast<TsSkinManager*>(static_cast<const TsSkinManager*>(SkinData->GetSkinManager()));
  if (SkinData->SkinSection.empty()) SkinData->SetSkinSection(skinSection);
  dpi_ = CurrentDpi();
  if (!SkinData->HostControl) SkinData->WindowDpi = dpi_;
  DialogChild = DialogSkinning;
  ReadCaption();
  if (auto* owner = dynamic_cast<fw::TWinControl*>(SkinData->HostControl);
      owner && owner->HandleAllocated() && owner->Handle() == handle)
    control_ = owner;
  AttachToWindow();
  if (repaint && IsWindowVisible(handle))
    SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

TveMainWnd::~TveMainWnd() {
  // A window gone without this adapter seeing it go leaves no entry to be found by a new window
  // of the same handle.
  if (Adapters().Find(Handle) == this) Adapters().Remove(Handle);
  if (!IsWindow(Handle)) return;
  if (!Destroyed) DetachFromWindow(false);
  if (styleSwitchedOff_) SetVisualStyle(Handle, nullptr);
}

TveMainWnd* TveMainWnd::AdapterFromHandle(HWND handle) {
  return Adapters().Find(handle);
}

fw::TWinControl* TveMainWnd::OwnerControl() const {
  return control_;
}

void TveMainWnd::AttachToWindow() {
  SelfScrolling = false;
  Adapters().Set(Handle, this);
  attached_ = true;
  if (control_) {
    front_.Install(control_->WindowProc, [this](fw::TMessage& message) { HandleMessage(message); });
    return;
  }
  slot_ = FreeSlot(Handle);
  if (slot_ < 0) {
    // Every slot is held by pass-throughs of earlier adapters: the window stays unskinned.
    Adapters().Remove(Handle);
    attached_ = false;
    return;
  }
  prevWndProc_ = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(Handle, GWLP_WNDPROC));
  SlotPredecessors().Set({Handle, slot_}, prevWndProc_);
  SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(kSlotProcs[size_t(slot_)]));
}

LRESULT TveMainWnd::ForeignProc(int slot, HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  TveMainWnd* adapter = AdapterFromHandle(wnd);
  LRESULT result = 0;
  if (adapter && adapter->attached_ && !adapter->control_ && adapter->slot_ == slot) {
    if (fw::RefusedFromElsewhere(msg, wParam, lParam)) return 0;
    fw::TMessage message{msg, wParam, lParam, 0};
    adapter->HandleMessage(message);
    result = message.Result;
  } else {
    // An adapter that let go while somebody else was in front: only a pass-through is left.
    WNDPROC previous = SlotPredecessors().Find({wnd, slot});
    result = previous ? CallWindowProcA(previous, wnd, msg, wParam, lParam)
                      : DefWindowProcA(wnd, msg, wParam, lParam);
  }
  // The table outlives the window, unlike a window property: a handle used again for another
  // window must find its slots free.
  if (msg == WM_NCDESTROY) SlotPredecessors().Remove({wnd, slot});
  return result;
}

LRESULT TveMainWnd::CallPrevProc(UINT msg, WPARAM wParam, LPARAM& lParam) {
  if (control_) {
    fw::TMessage message{msg, wParam, lParam, 0};
    front_.CallSaved(message);
    lParam = message.LParam;
    return message.Result;
  }
  if (prevWndProc_) return CallWindowProcA(prevWndProc_, Handle, msg, wParam, lParam);
  return 0;
}

void TveMainWnd::PassOn(fw::TMessage& message) {
  message.Result = CallPrevProc(message.Msg, message.WParam, message.LParam);
}

void TveMainWnd::DetachFromWindow(bool repaint) {
  if (Destroyed) return;
  attached_ = false;
  if (control_) {
    // Given back only while ours is the handler in front; under a later one it stays a
    // pass-through.
    front_.Release(control_->WindowProc);
  } else if (slot_ >= 0 && GetWindowLongPtrA(Handle, GWLP_WNDPROC) ==
                               reinterpret_cast<LONG_PTR>(kSlotProcs[size_t(slot_)])) {
    SetWindowLongPtrA(Handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prevWndProc_));
    SlotPredecessors().Remove({Handle, slot_});
  }
  Adapters().Remove(Handle);
  RestoreControlColors();
  if (IsWindowVisible(Handle)) {
    if (repaint)
      SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    else
      SendMessageA(Handle, WM_NCPAINT, 1, 0);
  }
  Destroyed = true;
}

void TveMainWnd::UpdateGeometry() {
  GetWindowRect(Handle, &WindowRect);
  ParentWnd = GetParent(Handle);
  GetWindowRect(ParentWnd, &ParentWindowRect);
  WindowSize = {WindowRect.right - WindowRect.left, WindowRect.bottom - WindowRect.top};
  PosInParent = {WindowRect.left, WindowRect.top};
  ScreenToClient(ParentWnd, &PosInParent);
}

void TveMainWnd::PassToChildren(fw::TMessage& message) {
  if (control_)
    BroadcastToChildren(*control_, message.Msg, message.WParam, message.LParam);
  else
    SendToChildWindows(Handle, message.Msg, message.WParam, message.LParam);
}

void TveMainWnd::ReadCaption() {
  Caption = WindowText(Handle);
}

HFONT TveMainWnd::ControlFont() const {
  if (control_) return control_->Font().Handle();
  if (auto font = reinterpret_cast<HFONT>(SendMessageA(Handle, WM_GETFONT, 0, 0))) return font;
  static const HFONT message = CreateSystemFont(5);
  return message ? message : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT TveMainWnd::CreateSystemFont(int kind) {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return nullptr;
  const LOGFONTA* fonts[] = {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                             &metrics.lfStatusFont, &metrics.lfMessageFont};
  return kind >= 1 && kind <= 5 ? CreateFontIndirectA(fonts[kind - 1]) : nullptr;
}

bool TveMainWnd::Skinned() const {
  return SkinData && SkinManager && SkinManager->Active();
}

void TveMainWnd::HandleMessage(fw::TMessage& message) {
  if (HandleCommon(message)) return;
  HandleSkinCommands(message);
}

int TveMainWnd::CurrentDpi() const {
  // A framework control knows its scale without asking the system, and follows its form's.
  if (SkinData->HostControl) return SkinData->HostControl->Dpi();
  if (const fw::TWinControl* control = fw::TWinControl::FromHandle(Handle)) return control->Dpi();
  return platform::WindowDpi(Handle);
}

void TveMainWnd::FollowScale(bool repaint) {
  const int dpi = CurrentDpi();
  if (dpi == dpi_) return;
  dpi_ = dpi;
  if (!SkinData->HostControl) SkinData->WindowDpi = dpi;
  SkinData->SetBgDirty(true);
  ScaleChanged();
  if (repaint)
    RedrawWindow(Handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool TveMainWnd::HandleCommon(fw::TMessage& message) {
  switch (message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
      PassOn(message);
      // The window goes: the adapter lets go of it. The message went on exactly once.
      if (message.Result == 0) {
        try {
          DetachFromWindow(false);
        } catch (const std::exception&) {
          message.Result = 1;
        }
      }
      return true;
    case WM_UPDATEUISTATE:
      return true;
    case WM_SIZE:
      // A form rescaled by its own scale change resizes its controls.
      FollowScale(false);
      SkinData->SetBgDirty(true);
      return false;
    case platform::kDpiChangedAfterParent:
      FollowScale(true);
      return false;
    case WM_SETTEXT: {
      PassOn(message);
      ReadCaption();
      return true;
    }
    case WM_MOUSEMOVE:
      if (DefaultManager && !(DefaultManager->ComponentState() & fw::csDesigning) &&
          IsWindowEnabled(Handle) && DefaultManager->HotWindow() != Handle)
        DefaultManager->SetHotWindow(Handle);
      return false;
    case WM_PRINT:
      message.Result = SendMessageA(Handle, WM_PAINT, message.WParam, message.LParam);
      return true;
    default:
      return false;
  }
}

void TveMainWnd::HandleSkinCommands(fw::TMessage& message) {
  if (message.Msg != SkinCommandMsg || !Skinned()) {
    PassOn(message);
    return;
  }
  bool ours = reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager;
  switch (HIWORD(message.WParam)) {
    case CmdSkinLoaded:
      if (ours) {
        SkinData->UpdateIndexes();
        PassToChildren(message);
      }
      break;
    case CmdSkinRemoved:
      if (ours) RestoreControlColors();
      break;
    case CmdSkinRefresh:
      if (!ours) break;
      SkinData->UpdateIndexes();
      SkinData->Deferred = false;
      if (IsWindowVisible(Handle)) {
        SendMessageA(Handle, WM_PAINT, 0, 0);
        PassToChildren(message);
      }
      return;
    case CmdEndUpdate:
      if (!SkinData->Deferred) break;
      if (!SkinData->ResetDeferred(true)) {
        SendMessageA(Handle, WM_NCPAINT, 0, 0);
        RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
      }
      if (control_) EndUpdateChildren(*control_);
      return;
    case CmdIsSkinned:
    case CmdGetSkinData:
    case CmdGetApplication:
      SkinData->HandleSkinCommand(message);
      return;
    case CmdIsDeferred:
      message.Result = SkinData->IsDeferred() ? 1 : 0;
      return;
    case CmdSetSection:
      if (message.LParam)
        SkinData->SetSkinSection(reinterpret_cast<TveSectionInfo*>(message.LParam)->Name);
      break;
    case CmdIsBgComplex:
      if (control_ && SkinData->HandleSkinCommand(message)) return;
      break;
    case CmdGetBgColor:
      PassOn(message);
      if (!message.Result) message.Result = SkinData->GetBgColor(0, Handle);
      return;
    case CmdGetBg:
      if (message.LParam)
        SkinData->GetBgQuery(*reinterpret_cast<TsBgQuery*>(message.LParam), 0, Handle);
      message.Result = 1;
      return;
    case CmdSetPrintDC:
      SkinData->HandleSkinCommand(message);
      break;
    default:
      break;
  }
  PassOn(message);
}
