#include "skin/controls/veTreeViewWnd.h"

#include <commctrl.h>

namespace {

// Halfway between two colours: the lines stand back from the text.
COLORREF Mix(COLORREF a, COLORREF b) {
  return RGB((GetRValue(a) + GetRValue(b)) / 2, (GetGValue(a) + GetGValue(b)) / 2,
             (GetBValue(a) + GetBValue(b)) / 2);
}

}  // namespace

TveTreeViewWnd::TveTreeViewWnd(HWND handle, bool repaint, const std::string& skinSection,
                               TsSkinManager* manager, TsCommonData* skinData)
    : TveEditWnd(handle, false, skinSection, manager, skinData) {
  SaveControlColors();
  ApplySkinColors();
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

TveTreeViewWnd::~TveTreeViewWnd() {
  if (!Destroyed && IsWindow(Handle)) LetGo();
}

void TveTreeViewWnd::SaveControlColors() {
  TveEditWnd::SaveControlColors();
  savedBack_ = COLORREF(SendMessageA(Handle, TVM_GETBKCOLOR, 0, 0));
  savedText_ = COLORREF(SendMessageA(Handle, TVM_GETTEXTCOLOR, 0, 0));
  savedLines_ = COLORREF(SendMessageA(Handle, TVM_GETLINECOLOR, 0, 0));
}

void TveTreeViewWnd::RestoreControlColors() {
  TveEditWnd::RestoreControlColors();
  if (!IsWindow(Handle)) return;
  SendMessageA(Handle, TVM_SETBKCOLOR, 0, LPARAM(savedBack_));
  SendMessageA(Handle, TVM_SETTEXTCOLOR, 0, LPARAM(savedText_));
  SendMessageA(Handle, TVM_SETLINECOLOR, 0, LPARAM(savedLines_));
}

void TveTreeViewWnd::ApplySkinColors() {
  TveEditWnd::ApplySkinColors();
  if (!SectionSkinned()) return;
  const TsGeneralData& section = Skin().SectionTable[size_t(SkinData->SectionIndex)];
  const COLORREF back = COLORREF(SkinData->GetBgColor(0, Handle));
  const COLORREF text = COLORREF(SkinData->Tone(section.States[0].FontColor));
  if (COLORREF(SendMessageA(Handle, TVM_GETBKCOLOR, 0, 0)) != back)
    SendMessageA(Handle, TVM_SETBKCOLOR, 0, LPARAM(back));
  if (COLORREF(SendMessageA(Handle, TVM_GETTEXTCOLOR, 0, 0)) != text)
    SendMessageA(Handle, TVM_SETTEXTCOLOR, 0, LPARAM(text));
  if (COLORREF(SendMessageA(Handle, TVM_GETLINECOLOR, 0, 0)) != Mix(back, text))
    SendMessageA(Handle, TVM_SETLINECOLOR, 0, LPARAM(Mix(back, text)));
}
