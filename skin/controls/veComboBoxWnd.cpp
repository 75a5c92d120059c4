#include "skin/controls/veComboBoxWnd.h"

#include <algorithm>

#include "platform/GdiScopes.h"
#include "skin/data/MaskGeometry.h"
#include "skin/data/sSkinCommands.h"
#include "skin/render/sControlText.h"
#include "skin/render/sCtrlUtils.h"
#include "skin/render/sDcHelpers.h"
#include "skin/render/sMaskSlices.h"
#include "skin/render/sSection.h"

namespace {

COMBOBOXINFO ComboInfo(HWND combo) {
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo, &info);
  return info;
}

bool HasEditField(HWND combo) {
  return (GetWindowLongA(combo, GWL_STYLE) & 3) != CBS_DROPDOWNLIST;
}

}  // namespace

TveComboBoxWnd::TveComboBoxWnd(HWND handle, bool repaint, const std::string& skinSection,
                               TsSkinManager* manager, TsCommonData* skinData)
    : TveEditWnd(handle, false, skinSection.empty() ? "COMBOBOX" : skinSection, manager, skinData) {
  HookList(ComboInfo(handle).hwndList);
  if (repaint && IsWindowVisible(handle)) Repaint();
}

TveComboBoxWnd::~TveComboBoxWnd() {
  list_.reset();
  if (!Destroyed && IsWindow(Handle)) LetGo();
  if (brush_) DeleteObject(brush_);
}

void TveComboBoxWnd::HookList(HWND list) {
  if (list_ || !list || !IsWindow(list) || TveMainWnd::AdapterFromHandle(list)) return;
  list_ = std::make_unique<TveComboListWnd>(list, *this);
}

bool TveComboBoxWnd::Focused() const {
  HWND focus = GetFocus();
  return focus && (focus == Handle || IsChild(Handle, focus));
}

int TveComboBoxWnd::ButtonState() const {
  if (SendMessageA(Handle, CB_GETDROPPEDSTATE, 0, 0)) return 2;
  if (!IsWindowEnabled(Handle)) return 0;
  return Focused() || SkinData->IsMouseOver || (SkinManager && SkinManager->HotWindow() == Handle)
             ? 1
             : 0;
}

void TveComboBoxWnd::Repaint() {
  SkinData->SetBgDirty(true);
  RedrawWindow(Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

LRESULT TveComboBoxWnd::AnswerColors(HDC dc) {
  if (!ColorsApplied) ApplySkinColors();
  const TsGeneralData& section = Skin().SectionTable[size_t(SkinData->SectionIndex)];
  const COLORREF font = COLORREF(SkinData->Tone(section.States[0].FontColor));
  const COLORREF back = BgColor ? BgColor : COLORREF(SkinData->GetBgColor(0, Handle));
  if (!brush_ || brushColor_ != back) {
    if (brush_) DeleteObject(brush_);
    brush_ = CreateSolidBrush(back);
    brushColor_ = back;
  }
  SetTextColor(dc, font);
  SetBkColor(dc, back);
  return reinterpret_cast<LRESULT>(brush_);
}

void TveComboBoxWnd::PaintField(const COMBOBOXINFO& info, POINT offset) {
  if (HasEditField(Handle)) return;
  RECT item = info.rcItem;
  OffsetRect(&item, offset.x, offset.y);
  const int selected = int(SendMessageA(Handle, CB_GETCURSEL, 0, 0));
  const LONG style = GetWindowLongA(Handle, GWL_STYLE);
  if (style & (CBS_OWNERDRAWFIXED | CBS_OWNERDRAWVARIABLE)) {
    // The owner draws the field's item itself, into the picture; its items may hold no text.
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_COMBOBOX;
    draw.CtlID = UINT(GetDlgCtrlID(Handle));
    draw.itemID = UINT(selected);
    draw.itemAction = ODA_DRAWENTIRE;
    draw.itemState = ODS_COMBOBOXEDIT | (IsWindowEnabled(Handle) ? 0 : ODS_DISABLED) |
                     (Focused() ? ODS_FOCUS | ODS_SELECTED : 0);
    draw.hwndItem = Handle;
    draw.hDC = picture_.DC();
    draw.rcItem = item;
    draw.itemData =
        ULONG_PTR(selected >= 0 ? SendMessageA(Handle, CB_GETITEMDATA, selected, 0) : 0);
    // The owner may leave the context as it likes: all of it comes back.
    const int saved = SaveDC(draw.hDC);
    platform::Selection font(draw.hDC, ControlFont());
    SendMessageA(GetParent(Handle), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
    RestoreDC(draw.hDC, saved);
    GdiFlush();
    return;
  }
  std::string text;
  if (selected >= 0) {
    text.resize(size_t(std::max<LRESULT>(0, SendMessageA(Handle, CB_GETLBTEXTLEN, selected, 0))) +
                1);
    text.resize(size_t(std::max<LRESULT>(
        0, SendMessageA(Handle, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(text.data())))));
  }
  HDC dc = picture_.DC();
  platform::Selection font(dc, ControlFont());
  SetBkMode(dc, TRANSPARENT);
  const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
  RECT area{item.left + 2, item.top, item.right - 1, item.bottom};
  // The platform's convention: the focused field of a closed list shows its selection.
  if (Focused() && IsWindowEnabled(Handle) && !SendMessageA(Handle, CB_GETDROPPEDSTATE, 0, 0)) {
    GdiFlush();
    FillRectSolid(picture_, {item.left, item.top, item.right, item.bottom},
                  int32_t(GetSysColor(COLOR_HIGHLIGHT)));
    SetTextColor(dc, GetSysColor(COLOR_HIGHLIGHTTEXT));
    DrawTextA(dc, text.c_str(), int(text.size()), &area, format);
  } else {
    PaintControlText(dc, text, IsWindowEnabled(Handle), false, *SkinData, format, area, &picture_);
  }
  GdiFlush();
}

void TveComboBoxWnd::PaintButton(const COMBOBOXINFO& info, POINT offset) {
  RECT button = info.rcButton;
  OffsetRect(&button, offset.x, offset.y);
  if (IsRectEmpty(&button)) return;
  const TsPartIndexes& part = Skin().QuickIndexes.ComboBtn;
  const int state = ButtonState();
  const TRect rect{button.left, button.top, button.right, button.bottom};
  // The button lies over the field's own picture: its see-through parts show the field.
  const TsBgSource behind = MakeBgSource(SkinData->CacheBitmap.get(), 0, 0);
  PaintSection(&Skin(), part.Section, "COMBOBTN", behind, part.PatternIndex, part.HotPatternIndex,
               picture_, {0, 0}, rect, state);
  const int glyph = Skin().QuickIndexes.ComboBoxGlyph;
  if (!Skin().IsValidImageIndex(glyph)) return;
  const TsMaskData& entry = Skin().ImageTable[size_t(glyph)];
  const int w = ::FrameWidth(entry), h = ::FrameHeight(entry);
  const TPoint at{button.left + (button.right - button.left - w) / 2, (picture_.Height() - h) / 2};
  const int glyphState = std::min(state, std::max(0, int(entry.StateCount) - 1));
  PaintStateGlyph(picture_, at, glyphState, MakeBgSource(&picture_, 0, 0), entry,
                  IsWindowEnabled(Handle) ? 1 : 0);
}

void TveComboBoxWnd::PaintTo(HDC dc) {
  UpdateGeometry();
  if (!ColorsApplied) ApplySkinColors();
  SkinData->SetBgDirty(true);
  RenderFrameCache(*SkinData, Handle);
  if (SkinData->BgDirty || !SkinData->CacheBitmap) return;
  RepairCorners(*SkinData, 0, *this);
  GdiFlush();
  picture_ = *SkinData->CacheBitmap;
  const RECT client = ClientRectInWindow(Handle);
  const POINT offset{client.left, client.top};
  const COMBOBOXINFO info = ComboInfo(Handle);
  PaintField(info, offset);
  PaintButton(info, offset);
  GdiFlush();
  const int saved = SaveDC(dc);
  // The field's edit paints itself.
  if (HasEditField(Handle) && info.hwndItem) {
    RECT edit;
    GetWindowRect(info.hwndItem, &edit);
    MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&edit), 2);
    ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
  }
  BitBlt(dc, -offset.x, -offset.y, picture_.Width(), picture_.Height(), picture_.DC(), 0, 0,
         SRCCOPY);
  RestoreDC(dc, saved);
}

void TveComboBoxWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !SectionSkinned() || !IsWindowVisible(Handle)) {
    TveEditWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_PAINT: {
      if (SkinData->Deferred) break;
      AnswerPaint(message, [this](HDC dc) { PaintTo(dc); });
      return;
    }
    case WM_PRINTCLIENT:
      PaintTo(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
      if (message.Msg == WM_CTLCOLORLISTBOX) HookList(reinterpret_cast<HWND>(message.LParam));
      message.Result = AnswerColors(reinterpret_cast<HDC>(message.WParam));
      return;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
    case fw::CM_MOUSEENTER:
    case fw::CM_MOUSELEAVE:
      TveEditWnd::HandleMessage(message);
      Repaint();
      return;
    case WM_COMMAND:
    case fw::CN_COMMAND:
      // The field's edit gains or loses the focus, or the list opens or closes.
      TveEditWnd::HandleMessage(message);
      switch (HIWORD(message.WParam)) {
        case EN_SETFOCUS:
        case EN_KILLFOCUS:
        case CBN_DROPDOWN:
        case CBN_CLOSEUP:
        case CBN_SELCHANGE:
          Repaint();
          break;
        default:
          break;
      }
      return;
    case WM_MOUSELEAVE: {
      TveEditWnd::HandleMessage(message);
      POINT cursor;
      RECT window;
      GetCursorPos(&cursor);
      GetWindowRect(Handle, &window);
      if (!PtInRect(&window, cursor) && SkinManager->HotWindow() == Handle)
        SkinManager->SetHotWindow(nullptr);
      return;
    }
    default:
      break;
  }
  if (message.Msg == SkinCommandMsg &&
      reinterpret_cast<TsSkinManager*>(message.LParam) == SkinManager) {
    switch (HIWORD(message.WParam)) {
      case CmdBecameHot:
      case CmdLostHot: {
        SkinData->IsMouseOver = HIWORD(message.WParam) == CmdBecameHot;
        if (SkinData->IsMouseOver) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle, 0};
          TrackMouseEvent(&track);
        }
        Repaint();
        return;
      }
      default:
        break;
    }
  }
  TveEditWnd::HandleMessage(message);
}

TveComboListWnd::TveComboListWnd(HWND handle, TveComboBoxWnd& combo)
    : TveScrollWnd(handle, false, combo.SkinData->SkinSection, combo.SkinManager, nullptr),
      combo_(combo) {
  SkinData->UpdateIndexes();
}

TveComboListWnd::~TveComboListWnd() = default;

void TveComboListWnd::PaintFrame(HDC dc) {
  const RECT client = ClientRectInWindow(Handle);
  const int frame = client.top;
  if (frame <= 0 || !Skin().IsValidSectionIndex(SkinData->SectionIndex)) return;
  RECT window;
  GetWindowRect(Handle, &window);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w <= 0 || h <= 0) return;
  GdiFlush();
  if (frame_.Width() != w || frame_.Height() != h) frame_.Resize(w, h);
  TsBgSource behind = EmptyBgSource;
  behind.BgColor = int32_t(combo_.BgColor);
  FillRectSolid(frame_, {0, 0, w, h}, int32_t(combo_.BgColor));
  PaintSection(&Skin(), SkinData->SectionIndex, SkinData->SkinSection, behind, -1, -1, frame_,
               {0, 0}, {0, 0, w, h}, 0);
  GdiFlush();
  CopyFrameFromCache(dc, frame_, frame);
}

void TveComboListWnd::HandleMessage(fw::TMessage& message) {
  if (Destroyed || !Skinned()) {
    TveScrollWnd::HandleMessage(message);
    return;
  }
  switch (message.Msg) {
    case WM_NCPAINT: {
      TveScrollWnd::HandleMessage(message);
      PaintFrame(platform::WindowDC(Handle, true));
      return;
    }
    case WM_ERASEBKGND: {
      RECT client;
      GetClientRect(Handle, &client);
      HBRUSH brush = CreateSolidBrush(combo_.BgColor);
      FillRect(reinterpret_cast<HDC>(message.WParam), &client, brush);
      DeleteObject(brush);
      message.Result = 1;
      return;
    }
    case WM_WINDOWPOSCHANGED: {
      TveScrollWnd::HandleMessage(message);
      // The list opened or closed: the combo box's button shows it.
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(message.LParam);
      if (pos && (pos->flags & (SWP_SHOWWINDOW | SWP_HIDEWINDOW))) {
        combo_.SkinData->SetBgDirty(true);
        InvalidateRect(combo_.Handle, nullptr, FALSE);
      }
      return;
    }
    default:
      TveScrollWnd::HandleMessage(message);
      return;
  }
}
