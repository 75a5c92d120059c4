#include "skin/controls/veListViewWnd.h"

#include <windowsx.h>

#include <algorithm>

#include "skin/controls/veWindowTable.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlKinds.h"

namespace {

// A hooked header's list and the procedure the hook replaced. The hook stays in the header's
// chain as a pass-through (no list) when somebody subclassed the header after it; a list that
// hooks the header again then takes that entry over.
struct THeaderHook {
  TveListViewWnd* list = nullptr;
  WNDPROC previous = nullptr;
};

TveWindowTable<HWND, THeaderHook>& HeaderHooks() {
  static TveWindowTable<HWND, THeaderHook> table;
  return table;
}

TsCommonData* AsListView(TsCommonData* skinData) {
  if (skinData) skinData->ControlKind = kListViewKind;
  return skinData;
}

}  // namespace

TveListViewWnd::TveListViewWnd(HWND handle, bool repaint, const std::string& skinSection,
                               TsSkinManager* manager, TsCommonData* skinData)
    : TveEditWnd(handle, false, skinSection, manager, AsListView(skinData)), checkBoxes_(handle) {
  SkinData->ControlKind = kListViewKind;
  SaveControlColors();
  if (HWND header = FindWindowExA(handle, nullptr, WC_HEADERA, nullptr)) HookHeader(header);
  if (repaint && IsWindowVisible(handle))
    RedrawWindow(handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

TveListViewWnd::~TveListViewWnd() {
  if (!Destroyed && IsWindow(Handle)) LetGo();
}

int TveListViewWnd::ViewStyle() const {
  switch (GetWindowLongA(Handle, GWL_STYLE) & LVS_TYPEMASK) {
    case LVS_ICON:
      return 0;
    case LVS_REPORT:
      return 3;
    case LVS_SMALLICON:
      return 1;
    default:
      return 2;
  }
}

void TveListViewWnd::SaveControlColors() {
  TveEditWnd::SaveControlColors();
  savedBk_ = COLORREF(SendMessageA(Handle, LVM_GETBKCOLOR, 0, 0));
  savedTextBk_ = COLORREF(SendMessageA(Handle, LVM_GETTEXTBKCOLOR, 0, 0));
  savedText_ = COLORREF(SendMessageA(Handle, LVM_GETTEXTCOLOR, 0, 0));
}

void TveListViewWnd::RestoreControlColors() {
  SendMessageA(Handle, LVM_SETBKCOLOR, 0, LPARAM(savedBk_));
  SendMessageA(Handle, LVM_SETTEXTBKCOLOR, 0, LPARAM(savedTextBk_));
  SendMessageA(Handle, LVM_SETTEXTCOLOR, 0, LPARAM(savedText_));
  UnhookHeader();
  checkBoxes_.Restore();
  if (ownDoubleBuffer_) SendMessageA(Handle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, 0);
  ownDoubleBuffer_ = false;
  TveEditWnd::RestoreControlColors();
}

void TveListViewWnd::ApplySkinColors() {
  TveEditWnd::ApplySkinColors();
  const TsSkinModel* skin = SkinManager;
  if (!SectionSkinned()) return;
  COLORREF bk = DialogChild ? GetSysColor(COLOR_WINDOW) : COLORREF(SkinData->GetBgColor(0, Handle));
  COLORREF text =
      DialogChild
          ? GetSysColor(COLOR_WINDOWTEXT)
          : COLORREF(SkinData->Tone(skin->SectionTable[size_t(SkinData->SectionIndex)].FontColor));
  BgColor = bk;
  SendMessageA(Handle, LVM_SETBKCOLOR, 0, LPARAM(bk));
  SendMessageA(Handle, LVM_SETTEXTBKCOLOR, 0, LPARAM(bk));
  SendMessageA(Handle, LVM_SETTEXTCOLOR, 0, LPARAM(text));
  checkBoxes_.Apply(Skin(), BgColor);
  // Rows painted into the list's own picture, copied once: painted on the screen, each row's
  // check box and icon make a bitmap compatible with the screen, which under Wine asks the
  // window server about the displays several times (three quarters of a page's repaint).
  if (!(SendMessageA(Handle, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_DOUBLEBUFFER)) {
    SendMessageA(Handle, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER, LVS_EX_DOUBLEBUFFER);
    ownDoubleBuffer_ = true;
  }
}

void TveListViewWnd::ScaleChanged() {
  if (checkBoxes_.Applied()) checkBoxes_.Apply(Skin(), BgColor);
}

void TveListViewWnd::PaintRows(fw::TMessage& message) {
  if (!ColorsApplied) ApplySkinColors();
  checkBoxes_.Paint([this, &message] { TveEditWnd::HandleMessage(message); });
}

void TveListViewWnd::HookHeader(HWND header) {
  // Not the platform's subclassing: it looks its data up in a window property three times per
  // message, each a round trip to the window server under Wine, and the list's header gets
  // messages for every row given to the list.
  THeaderHook hook = HeaderHooks().Find(header);
  if (!hook.previous) {
    hook.previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HeaderProc)));
    if (!hook.previous) return;
  }
  hook.list = this;
  HeaderHooks().Set(header, hook);
  HeaderWnd = header;
}

void TveListViewWnd::UnhookHeader() {
  if (!HeaderWnd) return;
  THeaderHook hook = HeaderHooks().Find(HeaderWnd);
  if (GetWindowLongPtrW(HeaderWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&HeaderProc)) {
    SetWindowLongPtrW(HeaderWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(hook.previous));
    HeaderHooks().Remove(HeaderWnd);
  } else {
    HeaderHooks().Set(HeaderWnd, {nullptr, hook.previous});
  }
  InvalidateRect(HeaderWnd, nullptr, TRUE);
  HeaderWnd = nullptr;
  HotColumn = PressedColumn = -1;
}

void TveListViewWnd::InvalidateColumn(int column) {
  if (column == -1) return;
  RECT rect{};
  if (column >= 0) {
    SendMessageA(HeaderWnd, HDM_GETITEMRECT, WPARAM(column), reinterpret_cast<LPARAM>(&rect));
  } else {
    // The room right of the last column, which has no item of its own.
    GetClientRect(HeaderWnd, &rect);
    int count = int(SendMessageA(HeaderWnd, HDM_GETITEMCOUNT, 0, 0));
    for (int position = 0; position < count; ++position)
      rect.left = std::max(rect.left, HeaderItemRect(position).right);
  }
  InvalidateRect(HeaderWnd, &rect, FALSE);
}

void TveListViewWnd::RepaintHeader() {
  if (HeaderWnd) RedrawWindow(HeaderWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

LRESULT CALLBACK TveListViewWnd::HeaderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  THeaderHook hook = HeaderHooks().Find(wnd);
  LRESULT result = 0;
  try {
    if (hook.list && hook.list->HeaderMessage(msg, wParam, lParam, result)) return result;
  } catch (...) {
    // A fault while painting the header must not take the program down; the platform paints.
  }
  result = hook.previous ? CallWindowProcW(hook.previous, wnd, msg, wParam, lParam)
                         : DefWindowProcW(wnd, msg, wParam, lParam);
  // The table outlives the window: a handle used again must not find this hook.
  if (msg == WM_NCDESTROY) HeaderHooks().Remove(wnd);
  return result;
}

LRESULT TveListViewWnd::HeaderDefault(UINT msg, WPARAM wParam, LPARAM lParam) {
  WNDPROC previous = HeaderHooks().Find(HeaderWnd).previous;
  return previous ? CallWindowProcW(previous, HeaderWnd, msg, wParam, lParam)
                  : DefWindowProcW(HeaderWnd, msg, wParam, lParam);
}

bool TveListViewWnd::HeaderMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (msg == WM_NCDESTROY) {
    HeaderWnd = nullptr;
    return false;
  }
  if (ViewStyle() != 3 || !SectionSkinned()) return false;
  switch (msg) {
    case WM_PAINT:
      // Into the context the message brings (a picture being taken), else on the screen.
      PaintHeader(reinterpret_cast<HDC>(wParam));
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_WINDOWPOSCHANGING:
      if (IsWindowVisible(Handle)) SendMessageA(Handle, WM_NCPAINT, 0, 0);
      return false;
    case WM_NCHITTEST: {
      result = HeaderDefault(msg, wParam, lParam);
      int position = ColumnAtPoint({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      int column = position >= 0 ? HeaderItem(position) : position;
      if (column != HotColumn) {
        InvalidateColumn(HotColumn);
        HotColumn = column;
        InvalidateColumn(HotColumn);
        UpdateWindow(HeaderWnd);
      }
      return true;
    }
    case WM_LBUTTONUP:
      PressedColumn = -1;
      return false;
    case WM_LBUTTONDOWN: {
      result = HeaderDefault(msg, wParam, lParam);
      HDHITTESTINFO hit{};
      hit.pt = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      int item = int(SendMessageA(HeaderWnd, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
      PressedColumn = hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN) ? -1 : item;
      RedrawWindow(HeaderWnd, nullptr, nullptr, RDW_INVALIDATE);
      return true;
    }
    default:
      return false;
  }
}

void TveListViewWnd::ThumbTrack(fw::TMessage& message) {
  bool vertical = message.Msg == WM_VSCROLL;
  if (LOWORD(message.WParam) != SB_THUMBTRACK) {
    message.LParam = 0;
    PassOn(message);
    return;
  }
  int position = message.LParam ? int(message.LParam) : HIWORD(message.WParam);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_POS;
  GetScrollInfo(Handle, vertical ? SB_VERT : SB_HORZ, &info);
  int delta = position - info.nPos;
  if (delta == 0) return;
  RECT item{};
  item.left = LVIR_BOUNDS;
  SendMessageA(Handle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
  int style = ViewStyle();
  // Positions count rows in report view and columns in list view; the list scrolls by pixels.
  if (vertical && style == 3) delta *= item.bottom - item.top;
  if (!vertical && style == 2) delta *= item.right - item.left;
  SendMessageA(Handle, LVM_SCROLL, vertical ? 0 : delta, vertical ? delta : 0);
}

void TveListViewWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !SectionSkinned()) {
    TveEditWnd::HandleMessage(message);
    return;
  }
  if (message.Msg == SkinCommandMsg) {
    switch (HIWORD(message.WParam)) {
      case CmdSkinRefresh:
        TveEditWnd::HandleMessage(message);
        RepaintHeader();
        return;
      case CmdBeforeScroll:
        // The list moves itself while the thumb is dragged: no position is preset for it.
        message.Result = 1;
        return;
      default:
        break;
    }
  }
  switch (message.Msg) {
    case WM_PAINT:
      PaintRows(message);
      return;
    case WM_NCHITTEST:
      if (HotColumn != -1 || PressedColumn != -1) {
        HotColumn = PressedColumn = -1;
        RepaintHeader();
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      ThumbTrack(message);
      if (!SelfScrolling) UpdateScrollInfo(true);
      return;
    default:
      break;
  }
  TveEditWnd::HandleMessage(message);
  switch (message.Msg) {
    case WM_LBUTTONUP:
      if (GetCapture() == Handle) ReleaseCapture();
      break;
    case WM_PRINT:
      PrintHeader(reinterpret_cast<HDC>(message.WParam));
      break;
    case fw::CN_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(message.LParam)->code == NM_CUSTOMDRAW)
        checkBoxes_.CustomDraw(*reinterpret_cast<const NMLVCUSTOMDRAW*>(message.LParam),
                               message.Result);
      break;
    case WM_PARENTNOTIFY: {
      // A header made after the adoption is hooked then; a newer one replaces the one hooked.
      auto child = reinterpret_cast<HWND>(message.LParam);
      char name[32] = {};
      if (LOWORD(message.WParam) != WM_CREATE || !GetClassNameA(child, name, sizeof name) ||
          lstrcmpiA(name, WC_HEADERA) != 0 || child == HeaderWnd)
        break;
      UnhookHeader();
      HookHeader(child);
      break;
    }
    default:
      break;
  }
}
