#include "skin/forms/veProvider.h"

#include <algorithm>

#include "framework/Application.h"
#include "skin/controls/veBtnWnd.h"
#include "skin/controls/veCheckBoxWnd.h"
#include "skin/controls/veComboBoxWnd.h"
#include "skin/controls/veEdgeWnd.h"
#include "skin/controls/veEditWnd.h"
#include "skin/controls/veGroupBoxWnd.h"
#include "skin/controls/veIconWnd.h"
#include "skin/controls/veLinkWnd.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/controls/vePanelWnd.h"
#include "skin/controls/veProgressWnd.h"
#include "skin/controls/veSizerWnd.h"
#include "skin/controls/veSpinWnd.h"
#include "skin/controls/veStaticWnd.h"
#include "skin/controls/veTabControlWnd.h"
#include "skin/controls/veToolBarWnd.h"
#include "skin/controls/veTrackWnd.h"
#include "skin/controls/veTreeViewWnd.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/veDialogWnd.h"
#include "skin/render/sCtrlUtils.h"

namespace {

constexpr ATOM kDialogAtom = 32770;
// The tag that keeps a form from being skinned, compared without the bits 0x61.
constexpr std::intptr_t kNoSkinTag = -98;

bool cleaningUp = false;

// A provider that let go of its window is freed once the message that was running when it let
// go has returned: a dialog is often destroyed from inside one of its controls' clicks.
void Retire(std::unique_ptr<TveProvider> provider, bool giveBack = true) {
  provider->Release(giveBack);
  fw::Application.FreeAfterMessage(std::move(provider));
}

// Retires the providers that match; giveBack as for Release.
template <class Pred>
void RetireWhere(Pred pred, bool giveBack) {
  auto& list = ProviderList();
  for (size_t i = 0; i < list.size();) {
    if (!pred(*list[i])) {
      ++i;
      continue;
    }
    std::unique_ptr<TveProvider> provider = std::move(list[i]);
    list.erase(list.begin() + std::ptrdiff_t(i));
    Retire(std::move(provider), giveBack);
  }
}

std::string ClassNameOf(HWND wnd) {
  char name[256] = "";
  GetClassNameA(wnd, name, sizeof name);
  return name;
}

int VisibleSkinnedDialogs() {
  int count = 0;
  for (const auto& p : ProviderList())
    if (p->DialogAdapter && IsWindowVisible(p->DialogHandle)) ++count;
  return count;
}

BOOL CALLBACK FindToolBar(HWND wnd, LPARAM found) {
  if (LowerClassName(ClassNameOf(wnd)) != "toolbarwindow32") return TRUE;
  *reinterpret_cast<bool*>(found) = true;
  return FALSE;
}

// Whether a tool bar window lies anywhere below wnd.
bool HasToolBar(HWND wnd) {
  bool found = false;
  EnumChildWindows(wnd, FindToolBar, reinterpret_cast<LPARAM>(&found));
  return found;
}

bool HasProvider(HWND wnd) {
  const auto& list = ProviderList();
  return std::any_of(list.begin(), list.end(), [wnd](const auto& p) { return p->Window() == wnd; });
}

// own: a window the program made itself, skinned whatever the rules and the count say.
bool AdoptSystemDialog(TsSkinManager& manager, HWND handle, bool own) {
  if (!own && !(manager.SkinningRules & srStdDialogs)) return false;
  if (!own && VisibleSkinnedDialogs() >= MaxSkinnedDialogs && !HasToolBar(handle)) return false;
  bool allow = true;
  if (manager.OnSysDlgInit) manager.OnSysDlgInit(&manager, handle, allow);
  if (!allow) return false;
  auto provider = std::make_unique<TveProvider>();
  if (!provider->AdoptDialog(handle, own)) {
    Retire(std::move(provider));
    return false;
  }
  ProviderList().push_back(std::move(provider));
  return true;
}

bool AdoptFrameworkForm(TsSkinManager& manager, fw::TForm* form) {
  if ((form->Tag() & ~std::intptr_t(0x61)) == kNoSkinTag || form->Loading()) return false;
  bool messageForm = form->ClassName() == "TMessageForm";
  if (!(manager.SkinningRules & (messageForm ? srStdDialogs : srStdForms))) return false;
  if (ProviderOf(form)) return false;
  auto provider = std::make_unique<TveProvider>();
  provider->AdoptForm(form);
  ProviderList().push_back(std::move(provider));
  return true;
}

void WindowCreated(HWND wnd, const CBT_CREATEWNDA* create) {
  if (!create || !create->lpcs) return;
  const CREATESTRUCTA& cs = *create->lpcs;
  if (IS_INTRESOURCE(cs.lpszClass)) {
    if (LOWORD(reinterpret_cast<ULONG_PTR>(cs.lpszClass)) == kDialogAtom) AdoptWindow(wnd, nullptr);
    return;
  }
  std::string_view name = cs.lpszClass ? cs.lpszClass : "";
  fw::TForm* main = fw::Application.MainForm();
  if (name == "#32770")
    AdoptWindow(wnd, nullptr);
  else if (name != "TPUtilWindow" && cs.style && cs.dwExStyle && !(cs.style & WS_CHILD) &&
           !(main && main->HandleAllocated() && main->Handle() == wnd))
    AdoptWindow(wnd, create);
}

void WindowDestroying(HWND wnd) {
  if (cleaningUp) return;
  // The window going lets go of its adapters itself, at its destruction messages; shown its own
  // frame again now, it would only flash before it disappears.
  RetireWhere([wnd](TveProvider& p) { return p.Window() == wnd || !IsWindow(p.Window()); }, false);
}

void HookRemoved() {
  cleaningUp = true;
  RetireWhere([](TveProvider&) { return true; }, true);
  cleaningUp = false;
}

}  // namespace

std::vector<std::unique_ptr<TveProvider>>& ProviderList() {
  static std::vector<std::unique_ptr<TveProvider>> list;
  return list;
}

TveProvider::TveProvider() = default;

TveProvider::~TveProvider() {
  Release(true);
}

HWND TveProvider::Window() const {
  return Form ? formWindow_ : DialogHandle;
}

void TveProvider::Release(bool giveBack) {
  if (!DialogHandle) return;
  auto& windows = SkinnedSystemWindows();
  windows.erase(std::remove(windows.begin(), windows.end(), DialogHandle), windows.end());
  if (!giveBack) return;
  for (auto& child : ChildAdapters)
    if (!child->Destroyed && IsWindow(child->Handle)) child->DetachFromWindow(true);
  if (DialogAdapter) DialogAdapter->LetGoOfDialog();
  DialogHandle = nullptr;
}

void CreateDialogAdapter(HWND handle, std::unique_ptr<TveDialogWnd>& adapter) {
  TsSkinManager* manager = DefaultManager;
  if (adapter && (adapter->Destroyed || !manager || !manager->Active())) adapter.reset();
  if (manager && manager->Active() && !adapter)
    adapter = std::make_unique<TveDialogWnd>(handle, manager);
}

bool TveProvider::AdoptDialog(HWND handle, bool own) {
  DialogHandle = handle;
  OwnWindow = own;
  ChildAdapters.clear();
  TsSkinManager* manager = DefaultManager;
  if (!manager || !manager->Active()) return true;
  RightToLeft = GetWindowLongA(handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
  CreateDialogAdapter(handle, DialogAdapter);
  DialogAdapter->Provider = this;
  DialogAdapter->OwnWindow = own;
  if (!AdoptChildren(handle)) return false;
  SkinnedSystemWindows().push_back(handle);
  // A dialog caught while it is being made takes its frame when it first shows.
  if (IsWindowVisible(handle))
    SendMessageA(handle, SkinCommandMsg, SkinCommandParam(CmdSkinLoaded),
                 reinterpret_cast<LPARAM>(manager));
  return true;
}

void TveProvider::AdoptForm(fw::TForm* form) {
  Form = form;
  FormProvider = new TsSkinProvider(form);
  FormProvider->UseGlobalColor = false;
  FormProvider->MakeSkinMenu = false;
  HWND wnd = form->Handle();
  formWindow_ = wnd;
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

bool TveProvider::AdoptChildren(HWND handle) {
  // Direct children in z-order; each one's own children are adopted before it.
  for (HWND child = GetWindow(handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!AdoptChildren(child)) return false;
    if ((GetWindowLongA(child, GWL_STYLE) & WS_CHILD) && !AdoptChild(child)) return false;
  }
  return true;
}

template <typename Adapter>
std::unique_ptr<TveMainWnd> Make(HWND handle, bool repaint, const std::string& section,
                                 TsSkinManager* manager) {
  return std::make_unique<Adapter>(handle, repaint, section, manager, nullptr);
}

std::unique_ptr<TveMainWnd> CreateDialogChildAdapter(const TveDialogChildRule& rule, HWND handle,
                                                     TsSkinManager* manager, bool repaint) {
  using K = TveDialogChildKind;
  const std::string& section = rule.Section;
  switch (rule.Kind) {
    case K::Static:
      return Make<TveStaticWnd>(handle, repaint, section, manager);
    case K::Edge:
      return Make<TveEdgeWnd>(handle, repaint, section, manager);
    case K::Icon:
      return Make<TveIconWnd>(handle, repaint, section, manager);
    case K::TransPanel:
      return Make<TveTransPanelWnd>(handle, repaint, section, manager);
    case K::Panel:
    case K::SilentPanel:
      return Make<TvePanelWnd>(handle, repaint, section, manager);
    case K::Edit:
      return Make<TveEditWnd>(handle, repaint, section, manager);
    case K::GroupBox:
      return Make<TveGroupBoxWnd>(handle, repaint, section, manager);
    case K::CheckBox:
      return Make<TveCheckBoxWnd>(handle, repaint, section, manager);
    case K::Button:
      return Make<TveBtnWnd>(handle, repaint, section, manager);
    case K::ComboBox:
      return Make<TveComboBoxWnd>(handle, repaint, section, manager);
    case K::Sizer:
      return Make<TveSizerWnd>(handle, repaint, section, manager);
    case K::TabControl:
      return Make<TveTabControlWnd>(handle, repaint, section, manager);
    case K::ListView:
      return Make<TveListViewWnd>(handle, repaint, section, manager);
    case K::Spin:
      return Make<TveSpinWnd>(handle, repaint, section, manager);
    case K::Track:
      return Make<TveTrackWnd>(handle, repaint, section, manager);
    case K::Link:
      return Make<TveLinkWnd>(handle, repaint, section, manager);
    case K::ToolBar:
      return Make<TveToolBarWnd>(handle, repaint, section, manager);
    case K::TreeView:
      return Make<TveTreeViewWnd>(handle, repaint, section, manager);
    case K::Progress:
      return Make<TveProgressWnd>(handle, repaint, section, manager);
    case K::None:
      break;
  }
  return nullptr;
}

bool TveProvider::AdoptChild(HWND handle) {
  if (TveMainWnd::AdapterFromHandle(handle) || IsSkinnedWindow(handle)) return true;
  TveDialogChildRule rule = DialogChildRule(LowerClassName(ClassNameOf(handle)),
                                            uint32_t(GetWindowLongA(handle, GWL_STYLE)),
                                            uint32_t(GetWindowLongA(handle, GWL_EXSTYLE)));
  if (rule.Kind == TveDialogChildKind::None ||
      (rule.VisibleOnly && !(GetWindowLongA(handle, GWL_STYLE) & WS_VISIBLE)))
    return true;
  bool repaint =
      !rule.RepaintWithDialog || (DialogAdapter && DialogAdapter->SkinData->CacheBitmap &&
                                  !DialogAdapter->SkinData->CacheBitmap->Empty());
  // The controls of the program's own windows are skinned as a form's, in the skin's colours.
  struct Flag {
    explicit Flag(bool on) { DialogSkinning = on; }
    ~Flag() { DialogSkinning = false; }
  } flag(!OwnWindow);
  std::unique_ptr<TveMainWnd> adapter =
      CreateDialogChildAdapter(rule, handle, DefaultManager, repaint);
  if (!adapter) return true;
  adapter->UpdateGeometry();
  ChildAdapters.push_back(std::move(adapter));
  return true;
}

void TveProvider::PrintChildren(HWND handle, HDC dc) {
  for (HWND child = GetWindow(handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, handle, reinterpret_cast<POINT*>(&r), 2);
    int saved = SaveDC(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    SendSkinCommand(child, CmdSetPrintDC, LPARAM(dc));
    SendMessageA(child, WM_PRINT, WPARAM(dc), PRF_NONCLIENT | PRF_CLIENT | PRF_ERASEBKGND);
    SendMessageA(child, SkinCommandMsg, SkinCommandParam(CmdSetPrintDC), 0);
    PrintChildren(child, dc);
    RestoreDC(dc, saved);
  }
}

bool AdoptWindow(HWND handle, const CBT_CREATEWNDA* create) {
  TsSkinManager* manager = DefaultManager;
  if (!manager || manager->Destroying() || !manager->Active()) return false;
  if (TveMainWnd::AdapterFromHandle(handle) || HasProvider(handle)) return false;
  // A window still being made answers nothing yet.
  if (!create && IsSkinnedWindow(handle)) return false;
  const CREATESTRUCTA* cs = create ? create->lpcs : nullptr;
  LONG style = cs ? cs->style : GetWindowLongA(handle, GWL_STYLE);
  if ((style & WS_POPUP) && !(style & WS_BORDER)) return false;
  if (auto* form = dynamic_cast<fw::TForm*>(fw::TWinControl::FromHandle(handle)))
    return AdoptFrameworkForm(*manager, form);
  std::string className = cs && !IS_INTRESOURCE(cs->lpszClass) && cs->lpszClass && *cs->lpszClass
                              ? cs->lpszClass
                              : ClassNameOf(handle);
  if (style & WS_CHILD) return false;
  const bool own = GetPropA(handle, kOwnWindowProp) != nullptr;
  if (className != "#32770" && !own) return false;
  return AdoptSystemDialog(*manager, handle, own);
}

void InstallDialogSkinning() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  TsWin32ManagerHooks& hooks = Win32ManagerHooks();
  auto creating = hooks.WindowCreating;
  hooks.WindowCreating = [creating](HWND wnd, CBT_CREATEWNDA* create) {
    if (creating) creating(wnd, create);
    WindowCreated(wnd, create);
  };
  hooks.WindowActivating = [](HWND wnd) { AdoptWindow(wnd, nullptr); };
  hooks.WindowDestroying = WindowDestroying;
  hooks.CreationHookRemoved = HookRemoved;
}
