// System dialogs skinned from outside: a real dialog of the platform's dialog class, made from a
// template while the default manager's rules include system dialogs, gets its frame, title
// buttons, system menu and controls skinned; the number of skinned dialogs is limited, the
// application can veto one, and removing the skin gives everything back. Controls on a page
// nested in a dialog are adopted with it, and framework forms without a provider get one.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "imaging/PngWriter.h"
#include "skin/controls/veBtnWnd.h"
#include "skin/controls/veCheckBoxWnd.h"
#include "skin/controls/veComboBoxWnd.h"
#include "skin/controls/veEditWnd.h"
#include "skin/controls/veGroupBoxWnd.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/controls/veSpinWnd.h"
#include "skin/controls/veStaticWnd.h"
#include "skin/controls/veTrackWnd.h"
#include "skin/controls/veTreeViewWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/forms/veDialogSystemMenu.h"
#include "skin/forms/veDialogWnd.h"
#include "skin/forms/veProvider.h"
#include "skin/render/sCtrlUtils.h"
#include "skins/StoredSkins.h"
#include "tests/support/ScreenShot.h"
#include "tests/win/skin_forms/DialogTemplate.h"
#include "tests/win/skin_forms/FormTestScreen.h"

namespace {

enum : WORD {
  kStatic = 100,
  kEdit,
  kButton,
  kCheck,
  kRadio,
  kGroup,
  kList,
  kCombo,
  kTrack,
  kSpin,
  kTree
};

INT_PTR CALLBACK TestDialogProc(HWND wnd, UINT msg, WPARAM, LPARAM) {
  if (msg == WM_INITDIALOG) return TRUE;
  if (msg == WM_CLOSE) {
    DestroyWindow(wnd);
    return TRUE;
  }
  return FALSE;
}

// A dialog that puts a page (a nested dialog, as property sheets do) inside itself when it starts.
INT_PTR CALLBACK PageHostProc(HWND wnd, UINT msg, WPARAM, LPARAM param) {
  if (msg != WM_INITDIALOG) return FALSE;
  const auto* page = reinterpret_cast<const TDialogTemplate*>(param);
  HWND child = CreateDialogIndirectParamA(nullptr, page->Get(), wnd, TestDialogProc, 0);
  SetWindowLongPtrA(child, GWLP_ID, 300);
  return TRUE;
}

struct DialogWinTest : ::testing::Test {
  void SetUp() override {
    INITCOMMONCONTROLSEX init{sizeof init, ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);
    InstallDialogSkinning();
    manager = std::make_unique<TsSkinManager>(nullptr);
    manager->SkinningRules = srStdDialogs | srThirdParty;
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
  }
  void TearDown() override {
    for (HWND wnd : dialogs)
      if (IsWindow(wnd)) DestroyWindow(wnd);
    manager.reset();
    Pump();
  }

  // The test dialog with one control of each kind the dialog skinning adopts.
  HWND MakeFullDialog(DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME) {
    TDialogTemplate t(style, L"Skinned dialog", 220, 190);
    t.Item(L"STATIC", L"Name of the device:", SS_LEFT, 8, 8, 100, 10, kStatic);
    t.Item(L"EDIT", L"Sample text", ES_AUTOHSCROLL | WS_BORDER, 8, 20, 100, 14, kEdit);
    t.Item(L"BUTTON", L"Push", BS_PUSHBUTTON, 120, 20, 50, 14, kButton);
    t.Item(L"BUTTON", L"Check", BS_AUTOCHECKBOX, 8, 40, 60, 12, kCheck);
    t.Item(L"BUTTON", L"Radio", BS_AUTORADIOBUTTON, 80, 40, 60, 12, kRadio);
    t.Item(L"BUTTON", L"Group", BS_GROUPBOX, 4, 56, 100, 80, kGroup);
    t.Item(L"SysListView32", L"", LVS_REPORT | WS_BORDER, 110, 56, 100, 80, kList);
    t.Item(L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL, 120, 40, 90, 60, kCombo);
    t.Item(L"msctls_trackbar32", L"", TBS_HORZ, 8, 140, 90, 16, kTrack);
    t.Item(L"msctls_updown32", L"", 0, 100, 140, 10, 14, kSpin);
    t.Item(L"SysTreeView32", L"", WS_BORDER, 120, 140, 90, 40, kTree);
    return Show(t);
  }
  // A group box framing two statics, as the program's own dialogs lay out their facts.
  HWND MakeGroupDialog() {
    TDialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, L"Driver details", 170,
                      90);
    t.Item(L"BUTTON", L"Network adapter", BS_GROUPBOX, 6, 6, 158, 76, kGroup);
    t.Item(L"STATIC", L"Provider: Sample Networks", SS_LEFT, 14, 22, 140, 10, kStatic);
    t.Item(L"STATIC", L"Version 2.4.1", SS_RIGHT, 14, 40, 140, 10, kStatic + 20);
    return Show(t);
  }
  HWND Show(const TDialogTemplate& t) {
    HWND wnd = CreateDialogIndirectParamA(nullptr, t.Get(), nullptr, TestDialogProc, 0);
    ShowWindow(wnd, SW_SHOW);
    UpdateWindow(wnd);
    Pump();
    dialogs.push_back(wnd);
    return wnd;
  }
  static TveDialogWnd* DialogAdapter(HWND wnd) {
    return dynamic_cast<TveDialogWnd*>(TveMainWnd::AdapterFromHandle(wnd));
  }

  std::unique_ptr<TsSkinManager> manager;
  std::vector<HWND> dialogs;
};

bool SameColor(COLORREF screen, const img::TRGBAPixel& p) {
  return screen == RGB(p.R, p.G, p.B);
}

TEST_F(DialogWinTest, DialogAndItsControlsAreSkinnedAndGivenBack) {
  HWND dialog = MakeFullDialog();
  TveDialogWnd* adapter = DialogAdapter(dialog);
  ASSERT_NE(adapter, nullptr);
  ASSERT_EQ(ProviderList().size(), 1u);
  EXPECT_EQ(adapter->SkinData->SkinSection, "DIALOG");
  EXPECT_FALSE(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU);

  struct Expected {
    WORD id;
    bool (*isKind)(TveMainWnd*);
    const char* section;
  };
  auto is = []<class T>(T*) {
    return +[](TveMainWnd* a) { return dynamic_cast<T*>(a) != nullptr; };
  };
  const Expected expected[] = {
      {kStatic, is((TveStaticWnd*)nullptr), "CHECKBOX"},
      {kEdit, is((TveEditWnd*)nullptr), "EDIT"},
      {kButton, is((TveBtnWnd*)nullptr), "BUTTON"},
      {kCheck, is((TveCheckBoxWnd*)nullptr), "CHECKBOX"},
      {kRadio, is((TveCheckBoxWnd*)nullptr), "CHECKBOX"},
      {kGroup, is((TveGroupBoxWnd*)nullptr), "GROUPBOX"},
      {kList, is((TveListViewWnd*)nullptr), "EDIT"},
      {kCombo, is((TveComboBoxWnd*)nullptr), "COMBOBOX"},
      {kTrack, is((TveTrackWnd*)nullptr), "TRACKBAR"},
      {kSpin, is((TveSpinWnd*)nullptr), "SPEEDBUTTON_SMALL"},
      {kTree, is((TveTreeViewWnd*)nullptr), "EDIT"},
  };
  for (const Expected& e : expected) {
    TveMainWnd* child = TveMainWnd::AdapterFromHandle(GetDlgItem(dialog, e.id));
    ASSERT_NE(child, nullptr) << e.id;
    EXPECT_TRUE(e.isKind(child)) << e.id;
    EXPECT_EQ(child->SkinData->SkinSection, e.section) << e.id;
    EXPECT_TRUE(child->DialogChild) << e.id;
  }

  // The screen shows the window image: title band, a border and the client background.
  const img::Bitmap32& image = adapter->WindowImage();
  RECT window;
  GetWindowRect(dialog, &window);
  ASSERT_EQ(image.Width(), window.right - window.left);
  TPoint client = adapter->ClientOffsetInImage();
  const TPoint probes[] = {{image.Width() / 2, client.Y / 2},
                           {client.X / 2, image.Height() / 2},
                           {image.Width() - 12, client.Y + 4}};
  for (const TPoint& p : probes)
    EXPECT_TRUE(SameColor(ScreenColor(dialog, p.X, p.Y), image.Pixel(p.X, p.Y)))
        << p.X << "," << p.Y;
  int title = manager->FindSection("DIALOGTITLE");
  ASSERT_GE(title, 0);
  EXPECT_EQ(adapter->Frame().Sections.Title, title);

  // Another skin reaches the open dialog: its frame is painted anew from that skin.
  COLORREF before = ScreenColor(dialog, probes[0].X, probes[0].Y);
  manager->SetSkinName("Night Azure (internal)");
  Pump();
  for (const TPoint& p : probes)
    EXPECT_TRUE(SameColor(ScreenColor(dialog, p.X, p.Y), adapter->WindowImage().Pixel(p.X, p.Y)))
        << p.X << "," << p.Y;
  EXPECT_NE(ScreenColor(dialog, probes[0].X, probes[0].Y), before);

  manager->RemoveSkin();
  Pump();
  EXPECT_TRUE(ProviderList().empty());
  EXPECT_EQ(TveMainWnd::AdapterFromHandle(dialog), nullptr);
  for (const Expected& e : expected)
    EXPECT_EQ(TveMainWnd::AdapterFromHandle(GetDlgItem(dialog, e.id)), nullptr) << e.id;
  EXPECT_TRUE(GetWindowLongA(dialog, GWL_STYLE) & WS_SYSMENU);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(dialog, region), ERROR);
  DeleteObject(region);
}

TEST_F(DialogWinTest, ADisabledEditPaintsIntoTheContextItsPaintMessageBrings) {
  HWND dialog = MakeFullDialog();
  HWND edit = GetDlgItem(dialog, kEdit);
  auto* adapter = dynamic_cast<TveEditWnd*>(TveMainWnd::AdapterFromHandle(edit));
  ASSERT_NE(adapter, nullptr);
  EnableWindow(edit, FALSE);
  Pump();
  ASSERT_TRUE(adapter->SkinData->CacheBitmap);
  RECT client;
  GetClientRect(edit, &client);
  img::Bitmap32 printed(client.right, client.bottom);
  printed.Fill({1, 2, 3, 255});
  SendMessageA(edit, WM_PAINT, reinterpret_cast<WPARAM>(printed.DC()), 0);
  GdiFlush();
  // The picture lands in the given context, where the client lies in the cached window picture.
  const RECT inWindow = ClientRectInWindow(edit);
  const img::Bitmap32& cache = *adapter->SkinData->CacheBitmap;
  const int x = client.right / 2, y = client.bottom / 2;
  const img::TRGBAPixel& shown = printed.Pixel(x, y);
  const img::TRGBAPixel& cached = cache.Pixel(x + inWindow.left, y + inWindow.top);
  EXPECT_EQ(RGB(shown.R, shown.G, shown.B), RGB(cached.R, cached.G, cached.B));
}

TEST_F(DialogWinTest, APrintedEditShowsItsTextInsideTheSkinsFrame) {
  HWND dialog = MakeFullDialog();
  HWND edit = GetDlgItem(dialog, kEdit);
  ASSERT_NE(dynamic_cast<TveEditWnd*>(TveMainWnd::AdapterFromHandle(edit)), nullptr);
  RECT window;
  GetWindowRect(edit, &window);
  const RECT inWindow = ClientRectInWindow(edit);
  // The client's pixels of a picture printed with the edit's text.
  auto print = [&](const char* text) {
    SetWindowTextA(edit, text);
    img::Bitmap32 picture(window.right - window.left, window.bottom - window.top);
    picture.Fill({1, 2, 3, 255});
    SendMessageA(edit, WM_PRINT, reinterpret_cast<WPARAM>(picture.DC()),
                 PRF_CLIENT | PRF_NONCLIENT | PRF_ERASEBKGND);
    GdiFlush();
    std::vector<COLORREF> client;
    for (int y = inWindow.top; y < inWindow.bottom; ++y)
      for (int x = inWindow.left; x < inWindow.right; ++x) {
        const img::TRGBAPixel& p = picture.Pixel(x, y);
        client.push_back(RGB(p.R, p.G, p.B));
      }
    return client;
  };
  std::vector<COLORREF> empty = print(""), written = print("WWWWWW");
  ASSERT_EQ(empty.size(), written.size());
  size_t changed = 0;
  for (size_t i = 0; i < empty.size(); ++i) changed += empty[i] != written[i];
  EXPECT_GT(changed, 20u);
  // Nothing of the filler stays: the background was painted under the text.
  EXPECT_EQ(std::count(empty.begin(), empty.end(), RGB(1, 2, 3)), 0);
}

// An edit that prints itself, under the adapter: it is asked once, and its "answered" (2) keeps
// its own picture. One that lets the platform's default print it too paints its client once: the
// adapter paints it over its own background, or, when the control answers 2, the control is
// asked again with its client paint.
int ownPrints = 0, clientPrints = 0;
LRESULT ownPrintAnswer = 0;
bool ownPrintCallsDefault = false;
WNDPROC editProc = nullptr;
constexpr COLORREF kOwnPrint = RGB(10, 200, 30);
LRESULT CALLBACK PrintsItself(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_PRINTCLIENT) ++clientPrints;
  if (msg != WM_PRINT) return CallWindowProcA(editProc, wnd, msg, wParam, lParam);
  ++ownPrints;
  HBRUSH brush = CreateSolidBrush(kOwnPrint);
  RECT all{0, 0, 1000, 1000};
  FillRect(reinterpret_cast<HDC>(wParam), &all, brush);
  DeleteObject(brush);
  if (ownPrintCallsDefault) CallWindowProcA(editProc, wnd, msg, wParam, lParam);
  return ownPrintAnswer;
}

TEST_F(DialogWinTest, APrintingControlIsAskedFirstAndItsAnswerHonoured) {
  HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "text", WS_POPUP | WS_VISIBLE, 60, 60, 120,
                              26, nullptr, nullptr, nullptr, nullptr);
  editProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PrintsItself)));
  auto adapter = std::make_unique<TveEditWnd>(edit, false, "", manager.get(), nullptr);
  struct Row {
    LRESULT answer;
    bool callsDefault;
    int asked, clientPaints;
    bool ownCornerStays, ownInsideStays;
  };
  for (Row row : {Row{2, false, 1, 0, true, true}, Row{0, false, 1, 1, false, false},
                  Row{0, true, 1, 1, false, false}, Row{2, true, 2, 1, false, false}}) {
    SCOPED_TRACE(testing::Message() << "answer " << row.answer << ", default " << row.callsDefault);
    ownPrints = clientPrints = 0;
    ownPrintAnswer = row.answer;
    ownPrintCallsDefault = row.callsDefault;
    img::Bitmap32 picture(120, 26);
    LRESULT result = SendMessageA(edit, WM_PRINT, reinterpret_cast<WPARAM>(picture.DC()),
                                  PRF_CLIENT | PRF_NONCLIENT);
    GdiFlush();
    EXPECT_EQ(ownPrints, row.asked);
    EXPECT_EQ(clientPrints, row.clientPaints);
    EXPECT_EQ(result, row.answer);
    // The frame's corner shows the control's own picture, or the skin's frame over it; inside,
    // the control's own picture or its client painted.
    const img::TRGBAPixel& corner = picture.Pixel(0, 0);
    EXPECT_EQ(RGB(corner.R, corner.G, corner.B) == kOwnPrint, row.ownCornerStays);
    const img::TRGBAPixel& inside = picture.Pixel(60, 13);
    EXPECT_EQ(RGB(inside.R, inside.G, inside.B) == kOwnPrint, row.ownInsideStays);
  }
  adapter.reset();
  DestroyWindow(edit);
}

TEST_F(DialogWinTest, TitleButtonsHitTestAndCloseTheDialog) {
  HWND dialog = MakeFullDialog();
  TveDialogWnd* adapter = DialogAdapter(dialog);
  ASSERT_NE(adapter, nullptr);
  const TsTitleLayout& layout = adapter->Frame().Layout;
  // A dialog frame shows the close button alone, and no icon.
  EXPECT_GT(layout.Buttons[tbClose].Bounds.Width(), 0);
  EXPECT_EQ(layout.Buttons[tbMax].Bounds.Width(), 0);
  EXPECT_FALSE(layout.IconShown);
  int alone = manager->FindImageByName("GLOBALINFO", "BICLOSEALONE");
  if (alone >= 0) {
    EXPECT_EQ(layout.Buttons[tbClose].ImageIndex, alone);
  }

  RECT window;
  GetWindowRect(dialog, &window);
  const TRect& close = layout.Buttons[tbClose].Bounds;
  POINT onClose{window.left + (close.Left + close.Right) / 2,
                window.top + (close.Top + close.Bottom) / 2};
  POINT onCaption{window.left + 40, onClose.y};
  EXPECT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(onClose.x, onClose.y)), HTCLOSE);
  EXPECT_EQ(SendMessageA(dialog, WM_NCHITTEST, 0, MAKELPARAM(onCaption.x, onCaption.y)), HTCAPTION);

  // Pressed, moved off and released elsewhere: nothing happens.
  SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(onClose.x, onClose.y));
  EXPECT_EQ(adapter->ButtonStates().StateOf(kHitClose), 2);
  POINT off = onCaption;
  ScreenToClient(dialog, &off);
  SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(off.x, off.y));
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(adapter->ButtonStates().StateOf(kHitClose), 0);

  // Pressed and released on the button: the dialog closes and its provider goes.
  SendMessageA(dialog, WM_NCLBUTTONDOWN, HTCLOSE, MAKELPARAM(onClose.x, onClose.y));
  POINT on = onClose;
  ScreenToClient(dialog, &on);
  SendMessageA(dialog, WM_LBUTTONUP, 0, MAKELPARAM(on.x, on.y));
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(ProviderList().empty());
  Pump();
}

TEST_F(DialogWinTest, SystemMenuItemsFollowTheDialogsStyleAndState) {
  using Items = std::map<TsDialogMenuItem, std::pair<bool, bool>>;
  auto read = [](TveSystemMenu& menu) {
    menu.UpdateItems();
    Items items;
    for (int i = 0; i < kDialogMenuItems; ++i) {
      fw::TMenuItem* item = menu.Item(TsDialogMenuItem(i));
      items[TsDialogMenuItem(i)] = {item->Visible(), item->Enabled()};
    }
    return items;
  };
  HWND fixed = MakeFullDialog();
  ASSERT_NE(DialogAdapter(fixed), nullptr);
  TveSystemMenu& fixedMenu = DialogAdapter(fixed)->SystemMenu();
  EXPECT_EQ(fixedMenu.Item(dmClose)->Name(), "miClose");
  EXPECT_EQ(read(fixedMenu), (Items{{dmRestore, {false, false}},
                                    {dmMove, {true, true}},
                                    {dmSize, {false, false}},
                                    {dmMinimize, {false, true}},
                                    {dmMaximize, {false, true}},
                                    {dmClose, {true, true}}}));

  HWND sizeable = MakeFullDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME |
                                 WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  ASSERT_NE(DialogAdapter(sizeable), nullptr);
  TveSystemMenu& menu = DialogAdapter(sizeable)->SystemMenu();
  EXPECT_EQ(read(menu), (Items{{dmRestore, {true, false}},
                               {dmMove, {true, true}},
                               {dmSize, {true, true}},
                               {dmMinimize, {true, true}},
                               {dmMaximize, {true, true}},
                               {dmClose, {true, true}}}));
  // The maximise item maximises; then only restoring and minimising are left.
  menu.Item(dmMaximize)->Click();
  Pump();
  ASSERT_TRUE(IsZoomed(sizeable));
  EXPECT_EQ(read(menu), (Items{{dmRestore, {true, true}},
                               {dmMove, {true, false}},
                               {dmSize, {true, false}},
                               {dmMinimize, {true, true}},
                               {dmMaximize, {true, false}},
                               {dmClose, {true, true}}}));
  // The frame follows: maximise and minimise buttons shown, the region inset by the frame.
  EXPECT_GT(DialogAdapter(sizeable)->Frame().Layout.Buttons[tbMax].Bounds.Width(), 0);
}

bool menuSeen = false;
void CALLBACK CloseMenu(HWND, UINT, UINT_PTR id, DWORD) {
  if (HWND popup = FindWindowA("#32768", nullptr); popup && IsWindowVisible(popup)) {
    menuSeen = true;
    EndMenu();
    KillTimer(nullptr, id);
  }
}

TEST_F(DialogWinTest, TheCaptionsRightButtonAndDoubleClickActLikeAForms) {
  HWND dialog = MakeFullDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX);
  ASSERT_NE(DialogAdapter(dialog), nullptr);
  RECT window;
  GetWindowRect(dialog, &window);
  LPARAM onCaption = MAKELPARAM(window.left + 60, window.top + 10);
  // The right button's press on the caption is the dialog's: the platform would track it and
  // open its own menu. Its release opens the skin's system menu.
  EXPECT_EQ(SendMessageA(dialog, WM_NCRBUTTONDOWN, HTCAPTION, onCaption), 0);
  menuSeen = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, CloseMenu);
  SendMessageA(dialog, WM_NCRBUTTONUP, HTCAPTION, onCaption);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(menuSeen);
  // A double-click on the caption maximises, and restores the maximised or minimised dialog.
  SendMessageA(dialog, WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_TRUE(IsZoomed(dialog));
  SendMessageA(dialog, WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_FALSE(IsZoomed(dialog));
  ShowWindow(dialog, SW_MINIMIZE);
  Pump();
  ASSERT_TRUE(IsIconic(dialog));
  SendMessageA(dialog, WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  EXPECT_FALSE(IsIconic(dialog));
}

TEST_F(DialogWinTest, SkinnedDialogsAreLimitedUnlessTheyBringAToolBarAndCanBeVetoed) {
  HWND first = MakeFullDialog();
  HWND second = MakeFullDialog();
  HWND third = MakeFullDialog();
  EXPECT_NE(DialogAdapter(first), nullptr);
  EXPECT_NE(DialogAdapter(second), nullptr);
  EXPECT_EQ(DialogAdapter(third), nullptr);
  EXPECT_TRUE(GetWindowLongA(third, GWL_STYLE) & WS_SYSMENU);

  TDialogTemplate withBar(WS_POPUP | WS_CAPTION | WS_SYSMENU, L"With a tool bar", 150, 80);
  withBar.Item(L"ToolbarWindow32", L"", 0, 0, 0, 150, 20, 200);
  HWND barDialog = Show(withBar);
  EXPECT_NE(DialogAdapter(barDialog), nullptr);

  DestroyWindow(first);
  DestroyWindow(second);
  DestroyWindow(barDialog);
  Pump();
  std::vector<HWND> asked;
  manager->OnSysDlgInit = [&](fw::TObject*, void* dialog, bool& allow) {
    asked.push_back(static_cast<HWND>(dialog));
    allow = false;
  };
  HWND vetoed = MakeFullDialog();
  EXPECT_EQ(DialogAdapter(vetoed), nullptr);
  EXPECT_FALSE(asked.empty());
  EXPECT_EQ(asked.back(), vetoed);

  // Without the dialog rule nothing is asked and nothing skinned.
  manager->OnSysDlgInit = nullptr;
  manager->SkinningRules = srThirdParty;
  HWND plain = MakeFullDialog();
  EXPECT_EQ(DialogAdapter(plain), nullptr);
}

TEST_F(DialogWinTest, ControlsOnANestedPageAreAdoptedWithTheDialog) {
  TDialogTemplate page(WS_CHILD | WS_VISIBLE | DS_CONTROL, L"", 150, 60);
  page.Item(L"EDIT", L"On the page", WS_BORDER, 4, 4, 80, 14, kEdit);
  page.Item(L"BUTTON", L"Page button", BS_PUSHBUTTON, 4, 24, 60, 14, kButton);
  TDialogTemplate host(WS_POPUP | WS_CAPTION | WS_SYSMENU, L"Sheet", 160, 80);
  HWND dialog =
      CreateDialogIndirectParamA(nullptr, host.Get(), nullptr, PageHostProc, LPARAM(&page));
  dialogs.push_back(dialog);
  ShowWindow(dialog, SW_SHOW);
  Pump();
  ASSERT_NE(DialogAdapter(dialog), nullptr);
  HWND inner = GetDlgItem(dialog, 300);
  ASSERT_NE(inner, nullptr);
  EXPECT_EQ(ProviderList().size(), 1u);  // the page is part of its dialog, not one of its own
  EXPECT_TRUE(dynamic_cast<TveEditWnd*>(TveMainWnd::AdapterFromHandle(GetDlgItem(inner, kEdit))));
  EXPECT_TRUE(dynamic_cast<TveBtnWnd*>(TveMainWnd::AdapterFromHandle(GetDlgItem(inner, kButton))));
}

TEST_F(DialogWinTest, FormsWithoutAProviderGetOneUnlessTaggedOut) {
  manager->SkinningRules = srStdForms | srThirdParty;
  auto form = std::make_unique<fw::TForm>(nullptr);
  form->SetBounds(60, 60, 300, 200);
  auto tagged = std::make_unique<fw::TForm>(nullptr);
  tagged->SetTag(-98 | 0x40);  // the bits 0x61 do not count
  form->Show();
  tagged->Show();
  Pump();
  TsSkinProvider* provider = ProviderOf(form.get());
  ASSERT_NE(provider, nullptr);
  EXPECT_TRUE(provider->Skinned());
  EXPECT_FALSE(provider->UseGlobalColor);
  EXPECT_EQ(ProviderOf(tagged.get()), nullptr);
  EXPECT_EQ(ProviderList().size(), 1u);
  form.reset();
  Pump();
  EXPECT_TRUE(ProviderList().empty());
}

// Pictures of the test dialog in a light and a dark skin, for a person to look at; written only
// when DK_DIALOG_SHOTS names a folder.
// How many pixels of a window on the screen differ from its adapter's picture.
int UnlikeItsPicture(HWND wnd) {
  const img::Bitmap32* cache = TveMainWnd::AdapterFromHandle(wnd)->SkinData->CacheBitmap.get();
  if (!cache || cache->Empty()) return -1;
  int unlike = 0;
  HDC dc = GetWindowDC(wnd);
  for (int y = 0; y < cache->Height(); ++y)
    for (int x = 0; x < cache->Width(); ++x)
      unlike += !SameColor(GetPixel(dc, x, y), cache->Pixel(x, y));
  ReleaseDC(wnd, dc);
  return unlike;
}

TEST_F(DialogWinTest, AGroupBoxPaintsAroundTheControlsItFrames) {
  HWND dialog = MakeGroupDialog();
  HWND box = GetDlgItem(dialog, kGroup), label = GetDlgItem(dialog, kStatic);
  auto* group = dynamic_cast<TveGroupBoxWnd*>(TveMainWnd::AdapterFromHandle(box));
  ASSERT_NE(group, nullptr);
  ASSERT_NE(TveMainWnd::AdapterFromHandle(label), nullptr);
  // The box alone paints again: the label it frames still shows its own picture.
  RedrawWindow(label, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(UnlikeItsPicture(label), 0);
}

// What the screen shows of a window, as a picture file.
void SaveShot(HWND wnd, const std::string& path) {
  img::SavePng(path, testing_support::ScreenShot(wnd));
}

TEST_F(DialogWinTest, ScreenshotsInALightAndADarkSkin) {
  const char* folder = std::getenv("DK_DIALOG_SHOTS");
  if (!folder) GTEST_SKIP() << "DK_DIALOG_SHOTS not set";
  // One dialog, shown in the light skin and then, still open, in the dark one.
  manager->SetSkinName("Soft Dawn (internal)");
  HWND dialog = MakeFullDialog(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX |
                               WS_MAXIMIZEBOX | WS_THICKFRAME);
  HWND list = GetDlgItem(dialog, kList);
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 120;
  column.pszText = const_cast<char*>("Device");
  SendMessageA(list, LVM_INSERTCOLUMNA, 0, LPARAM(&column));
  for (const char* row : {"Network adapter", "Sound card", "Printer"}) {
    LVITEMA item{};
    item.mask = LVIF_TEXT;
    item.iItem = 0x7FFF;
    item.pszText = const_cast<char*>(row);
    SendMessageA(list, LVM_INSERTITEMA, 0, LPARAM(&item));
  }
  // The group box with its statics beside it, on the right.
  HWND group = MakeGroupDialog();
  RECT full;
  GetWindowRect(dialog, &full);
  SetWindowPos(group, nullptr, full.right + 10, full.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetForegroundWindow(dialog);
  for (const char* skin :
       {"Soft Dawn (internal)", "Night Azure (internal)", "Night Ember (internal)"}) {
    manager->SetSkinName(skin);
    Pump();
    std::string name = std::string(skin).substr(0, std::string(skin).find(" ("));
    for (char& c : name)
      if (c == ' ') c = '_';
    SaveShot(dialog, std::string(folder) + "/dialog_" + name + ".png");
    SaveShot(group, std::string(folder) + "/group_" + name + ".png");
  }
}

}  // namespace
