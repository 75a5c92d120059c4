#include "skin/render/sCtrlUtils.h"

#include "framework/Application.h"
#include "skin/data/SkinSystem.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sPaintFlags.h"

namespace {

fw::TWinControl* AsWindowed(fw::TControl* control) {
  return control->IsWindowed() ? static_cast<fw::TWinControl*>(control) : nullptr;
}

constexpr int32_t kNoColor = 0xFF00FF;

}  // namespace

LRESULT SendToControl(fw::TControl* control, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (fw::TWinControl* windowed = AsWindowed(control))
    if (windowed->HandleAllocated()) return windowed->SendMessage(msg, wParam, lParam);
  return control->Perform(msg, wParam, lParam);
}

LRESULT SendSkinCommand(fw::TControl* control, uint16_t command, LPARAM value, uint16_t argument) {
  const WPARAM param = SkinCommandParam(command, argument);
  fw::TWinControl* windowed = AsWindowed(control);
  if (!windowed) return control->Perform(SkinCommandMsg, param, value);
  if (windowed->Destroying() || !windowed->HandleAllocated()) return 0;
  fw::TOwnSend own(value);
  return windowed->SendMessage(SkinCommandMsg, param, value);
}

LRESULT SendSkinCommand(HWND window, uint16_t command, LPARAM value, uint16_t argument) {
  fw::TOwnSend own(value);
  return SendMessageA(window, SkinCommandMsg, SkinCommandParam(command, argument), value);
}

bool IsSkinnedControl(fw::TControl* control) {
  return control && SendSkinCommand(control, CmdIsSkinned, 0) == 1;
}

bool IsSkinnedWindow(HWND window) {
  return window && SendSkinCommand(window, CmdIsSkinned, 0) == 1;
}

int32_t GetControlBgColor(fw::TControl* control) {
  if (!control) return kNoColor;
  if (!IsSkinnedControl(control)) return skin::ColorToRGB(control->Color());
  return skin::ColorToRGB(int32_t(SendSkinCommand(control, CmdGetBgColor, kNoColor)));
}

int32_t GetWindowBgColor(HWND window) {
  if (!window) return kNoColor;
  return skin::ColorToRGB(int32_t(SendSkinCommand(window, CmdGetBgColor, kNoColor)));
}

void NotifyFormAdopt(fw::TControl* control) {
  if (!control || control->ComponentState() & (fw::csDesigning | fw::csLoading)) return;
  if (fw::TForm* form = ParentForm(control))
    SendSkinCommand(form, CmdAdoptAgain, reinterpret_cast<LPARAM>(control));
}

// The new child's framework control learns its window only when the platform has made it,
// after this notice: the form walks its controls once that is over.
void NotifyAdoptNewChild(fw::TControl* control, HWND window) {
  if (control) {
    if (control->ComponentState() & (fw::csDesigning | fw::csLoading)) return;
    if (fw::TForm* form = ParentForm(control))
      SendSkinCommand(form, CmdAdoptAgain, 0, kAdoptWhenMade);
  } else {
    SendSkinCommand(GetAncestor(window, GA_ROOT), CmdAdoptAgain, 0);
  }
}

void EndUpdateChildren(fw::TWinControl& container) {
  if (container.ComponentState() & fw::csDesigning || AnimationInProgress) return;
  for (int i = 0; i < container.ControlCount(); ++i) {
    fw::TControl* child = container.Controls(i);
    if (child->Destroying()) continue;
    fw::TWinControl* windowed = AsWindowed(child);
    if (!windowed)
      child->Perform(SkinCommandMsg, SkinCommandParam(CmdEndUpdate), 0);
    else if (windowed->HandleAllocated() && windowed->Showing())
      SendSkinCommand(windowed, CmdEndUpdate, 0);
  }
}

void EndUpdateChildWindows(HWND window) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongA(child, GWL_STYLE) & WS_CHILD) SendSkinCommand(child, CmdEndUpdate, 0);
}

void BroadcastToChildren(fw::TWinControl& container, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    fw::TControl* child = container.Controls(i);
    if (child->Destroying()) continue;
    fw::TWinControl* windowed = AsWindowed(child);
    if (!windowed || !windowed->HandleAllocated())
      child->Perform(msg, wParam, lParam);
    else if (IsSkinnedWindow(windowed->Handle()))
      SendMessageA(windowed->Handle(), msg, wParam, lParam);
    else
      BroadcastToChildren(*windowed, msg, wParam, lParam);
  }
}

void SendToChildWindows(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    SendMessageA(child, msg, wParam, lParam);
}

bool IsControlReady(fw::TControl* control) {
  if (!control) return false;
  if (fw::TWinControl* windowed = AsWindowed(control); windowed && !windowed->HandleAllocated())
    return false;
  return !(control->ControlState() & (fw::csCreating | fw::csReadingState)) &&
         !(control->ComponentState() & (fw::csLoading | fw::csDestroying)) && control->Parent();
}

fw::TForm* OwnerForm(fw::TComponent* component) {
  for (; component; component = component->Owner())
    if (auto* form = dynamic_cast<fw::TForm*>(component)) return form;
  return nullptr;
}

fw::TForm* ParentForm(fw::TControl* control) {
  for (; control; control = control->Parent())
    if (auto* form = dynamic_cast<fw::TForm*>(control)) return form;
  return nullptr;
}

RECT ClientRectInWindow(HWND window) {
  RECT frame{}, client{};
  GetWindowRect(window, &frame);
  GetClientRect(window, &client);
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&client, origin.x - frame.left, origin.y - frame.top);
  return client;
}

int SumAlignedSizes(fw::TWinControl& container, fw::TAlign align, bool includeWindowless) {
  if (align != fw::TAlign::alTop && align != fw::TAlign::alBottom) return 0;
  int sum = 0;
  for (int i = 0; i < container.ControlCount(); ++i) {
    fw::TControl* child = container.Controls(i);
    if (child->Visible() && child->Align() == align && (includeWindowless || child->IsWindowed()))
      sum += child->Height();
  }
  return sum;
}

HWND RootWindow(HWND window) {
  HWND root = window ? GetAncestor(window, GA_ROOT) : nullptr;
  return root ? root : window;
}
