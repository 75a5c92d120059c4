// Adoption on a real form: the listed controls get their adapters (list view with its header,
// status bar, group box) and are painted in the skin's colours, labels take the skin's text
// colour, a printed list paints its rows once and shows what the screen shows, the application
// can veto a control, adopting again changes nothing, removing the skin
// gives every control back to the platform, a list view hooks a header made after it, a header
// subclassed after the hook keeps its chain through a skin's going and coming, controls made
// later are adopted (in a group box, or at a tab change) except the engine's own, and an
// adoption abandoned with its form touches nothing of it when freed.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/controls/veGroupBoxWnd.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/controls/veStatusBarWnd.h"
#include "skin/forms/sControlTree.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sCtrlUtils.h"
#include "skins/StoredSkins.h"
#include "tests/support/ScreenShot.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

struct AdoptionWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetThirdParty(TveThirdKind::ListViews, "TListView\r\n");
    manager->SetThirdParty(TveThirdKind::StatusBar, "TStatusBar\r\n");
    manager->SetThirdParty(TveThirdKind::GroupBoxes, "TGroupBox\r\n");
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(420, 300);
    form->SetBounds(40, 40, form->Width(), form->Height());
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    provider->OnSkinItem = [this](TControl* item, bool& canBeAdded, std::string& section) {
      if (item == vetoed || item == plainPage) canBeAdded = false;
      if (item == unknownSection) section = "NOSUCHSECTION";
    };
    list = AddList(5, 5);
    vetoed = AddList(210, 5);
    unknownSection = AddList(210, 150);
    unknownSection->SetBounds(320, 205, 90, 60);
    for (int i = 0; i < 40; ++i) list->Add("Row " + std::to_string(i)).SetSubItem(0, "x");
    bar = new TStatusBar(form.get());
    bar->SetBounds(0, 280, 420, 20);
    bar->AddPanel(200);
    bar->AddPanel(100);
    bar->SetParent(form.get());
    box = new TGroupBox(form.get());
    box->SetBounds(5, 160, 300, 110);
    box->SetCaption("Details");
    box->SetParent(form.get());
    label = AddLabel(20, 0);
    ownColours = AddLabel(50, 98);
    button = new TButton(form.get());
    button->SetBounds(320, 170, 80, 25);
    button->SetParent(form.get());
    form->Show();
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TListView* AddList(int x, int y, TWinControl* parent = nullptr) {
    auto* view = new TListView(form.get());
    view->SetBounds(x, y, 200, 140);
    view->SetCheckboxes(true);
    view->AddColumn("Device", 120);
    view->AddColumn("Type", 60);
    view->SetParent(parent ? parent : form.get());
    return view;
  }
  TveMainWnd* AdapterOf(TWinControl* control) {
    return TveMainWnd::AdapterFromHandle(control->Handle());
  }
  TLabel* AddLabel(int top, int tag) {
    auto* l = new TLabel(form.get());
    l->SetBounds(16, top, 0, 13);
    l->SetCaption("label");
    l->SetTag(tag);
    l->SetParent(box);
    return l;
  }
  const TsGeneralData& Section(const char* name) {
    return manager->SectionTable[size_t(manager->FindSection(name))];
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
  TListView *list = nullptr, *vetoed = nullptr, *unknownSection = nullptr;
  TStatusBar* bar = nullptr;
  TGroupBox* box = nullptr;
  TGroupBox* plainPage = nullptr;  // kept in the platform's look by the application
  TLabel *label = nullptr, *ownColours = nullptr;
  TButton* button = nullptr;
};

// The times a list painted its rows: each paint tells the parent that it begins.
struct ListPaints {
  static inline HWND list = nullptr;
  static inline int count = 0;
  HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
  explicit ListPaints(HWND wnd) {
    list = wnd;
    count = 0;
  }
  ~ListPaints() { UnhookWindowsHookEx(hook); }
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    const auto* draw = reinterpret_cast<const NMCUSTOMDRAW*>(m->lParam);
    if (code == HC_ACTION && m->message == WM_NOTIFY && draw->hdr.hwndFrom == list &&
        draw->hdr.code == UINT(NM_CUSTOMDRAW) && draw->dwDrawStage == CDDS_PREPAINT)
      ++count;
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

// The pixels that differ from row top down.
size_t DifferentPixels(const img::Bitmap32& a, const img::Bitmap32& b, int top) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return a.PixelCount() + 1;
  size_t different = 0;
  for (int y = top; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) {
      const img::TRGBAPixel &p = a.Pixel(x, y), &q = b.Pixel(x, y);
      different += p.R != q.R || p.G != q.G || p.B != q.B;
    }
  return different;
}

}  // namespace

TEST_F(AdoptionWinTest, ListedControlsGetAdaptersAndTheSkinsColours) {
  ASSERT_TRUE(provider->Adapter());
  EXPECT_EQ(provider->Adapter()->Count(), 4);
  auto* lv = dynamic_cast<TveListViewWnd*>(TveMainWnd::AdapterFromHandle(list->Handle()));
  ASSERT_TRUE(lv);
  EXPECT_TRUE(lv->HeaderWnd);
  EXPECT_TRUE(dynamic_cast<TveStatusBarWnd*>(TveMainWnd::AdapterFromHandle(bar->Handle())));
  EXPECT_TRUE(dynamic_cast<TveGroupBoxWnd*>(TveMainWnd::AdapterFromHandle(box->Handle())));
  EXPECT_FALSE(TveMainWnd::AdapterFromHandle(vetoed->Handle()));
  EXPECT_FALSE(TveMainWnd::AdapterFromHandle(button->Handle()));

  // The list in the edit section's colours, on the screen too.
  COLORREF bk = COLORREF(lv->SkinData->GetBgColor(0, list->Handle()));
  EXPECT_EQ(COLORREF(SendMessageA(list->Handle(), LVM_GETBKCOLOR, 0, 0)), bk);
  EXPECT_EQ(COLORREF(SendMessageA(list->Handle(), LVM_GETTEXTCOLOR, 0, 0)),
            COLORREF(Section("EDIT").FontColor));
  RedrawWindow(form->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  // (Inside the rows: the square between the bars shows the form behind the list.)
  EXPECT_EQ(ScreenColor(list->Handle(), 178, 100), bk);
  // Printed (as a skin change's new look is), the list paints its rows once, and below its
  // header the picture is what the forced repaint put on the screen: rows, frame and bars.
  {
    img::Bitmap32 printed(list->Width(), list->Height());
    ListPaints paints(list->Handle());
    PaintControlTree(printed, list, 0, 0, nullptr);
    EXPECT_EQ(paints.count, 1);
    RECT header;
    GetWindowRect(lv->HeaderWnd, &header);
    RECT outer;
    GetWindowRect(list->Handle(), &outer);
    EXPECT_EQ(DifferentPixels(printed, WindowShot(list->Handle()), header.bottom - outer.top), 0u);
  }
  // The status bar and the group box show their adapters' pictures, not the platform's grey.
  for (HWND wnd : {bar->Handle(), box->Handle()}) {
    const img::Bitmap32* cache = TveMainWnd::AdapterFromHandle(wnd)->SkinData->CacheBitmap.get();
    ASSERT_TRUE(cache && !cache->Empty());
    for (POINT p : {POINT{150, 10}, POINT{60, 4}, POINT{150, cache->Height() - 4}}) {
      const img::TRGBAPixel& c = cache->Pixel(p.x, p.y);
      EXPECT_EQ(ScreenColor(wnd, p.x, p.y), RGB(c.R, c.G, c.B)) << p.x << "," << p.y;
    }
  }
  EXPECT_NE(ScreenColor(bar->Handle(), 150, 10), GetSysColor(COLOR_BTNFACE));

  // Labels see-through in the skin's text colour, except the one that keeps its own.
  int global = manager->QuickIndexes.GlobalInfo;
  EXPECT_EQ(label->Font().Color(), manager->SectionTable[size_t(global)].FontColor);
  EXPECT_TRUE(label->Transparent());
  EXPECT_EQ(ownColours->Font().Color(), clWindowText);

  // Adopting again keeps one item per control.
  provider->AdoptControls();
  EXPECT_EQ(provider->Adapter()->Count(), 4);
}

TEST_F(AdoptionWinTest, AControlWhoseSectionTheSkinLacksKeepsThePlatformsLook) {
  HWND wnd = unknownSection->Handle();
  auto* adapter = dynamic_cast<TveListViewWnd*>(TveMainWnd::AdapterFromHandle(wnd));
  ASSERT_TRUE(adapter);
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
  Pump();
  EXPECT_FALSE(adapter->SkinData->IsDeferred());
  EXPECT_EQ(COLORREF(SendMessageA(wnd, LVM_GETBKCOLOR, 0, 0)), GetSysColor(COLOR_WINDOW));
  RECT client = ClientRectInWindow(wnd);
  EXPECT_EQ(ScreenColor(wnd, client.right - 3, client.bottom - 3), GetSysColor(COLOR_WINDOW));
}

TEST_F(AdoptionWinTest, RemovingTheSkinGivesEveryControlBack) {
  COLORREF skinned = COLORREF(SendMessageA(list->Handle(), LVM_GETBKCOLOR, 0, 0));
  ASSERT_NE(skinned, GetSysColor(COLOR_WINDOW));
  // The skin goes while the mouse is over the list's bar: its hover timer goes with it.
  SendMessageA(list->Handle(), WM_NCMOUSEMOVE, HTVSCROLL, 0);
  manager->SetActive(false);
  EXPECT_FALSE(KillTimer(list->Handle(), 0xFFF2));
  Pump();
  EXPECT_FALSE(provider->Adapter());
  for (HWND wnd : {list->Handle(), bar->Handle(), box->Handle()})
    EXPECT_FALSE(TveMainWnd::AdapterFromHandle(wnd));
  EXPECT_EQ(COLORREF(SendMessageA(list->Handle(), LVM_GETBKCOLOR, 0, 0)),
            GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(label->Font().Color(), clWindowText);
  EXPECT_FALSE(label->Transparent());

  // A new skin adopts them again.
  manager->SetActive(true);
  Pump();
  ASSERT_TRUE(provider->Adapter());
  EXPECT_EQ(provider->Adapter()->Count(), 4);
}

TEST_F(AdoptionWinTest, ListViewHooksAHeaderMadeAfterItAndScrollsByWholeRows) {
  auto* lv = static_cast<TveListViewWnd*>(TveMainWnd::AdapterFromHandle(list->Handle()));
  HWND late = CreateWindowExA(0, WC_HEADERA, "", WS_CHILD, 0, 0, 10, 10, list->Handle(), nullptr,
                              nullptr, nullptr);
  EXPECT_EQ(lv->HeaderWnd, late);
  DestroyWindow(late);
  EXPECT_EQ(lv->HeaderWnd, nullptr);

  // Dragging the thumb: positions are rows; less than a row moves nothing.
  HWND wnd = list->Handle();
  SendMessageA(wnd, WM_VSCROLL, SB_THUMBTRACK, 7);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 7);
  SendMessageA(wnd, WM_VSCROLL, SB_THUMBTRACK, 7);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 7);
  SendMessageA(wnd, WM_VSCROLL, SB_THUMBTRACK, 2);
  EXPECT_EQ(SendMessageA(wnd, LVM_GETTOPINDEX, 0, 0), 2);
}

// The pictures the list's box image list holds when the list starts painting, seen from the
// notice it sends its form then.
WNDPROC paintSpyPrevious = nullptr;
HWND paintSpyList = nullptr;
std::vector<int> boxPicturesWhilePainting;
LRESULT CALLBACK PaintSpyProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* draw = reinterpret_cast<NMCUSTOMDRAW*>(lParam);
  if (msg == WM_NOTIFY && draw->hdr.hwndFrom == paintSpyList && draw->hdr.code == NM_CUSTOMDRAW &&
      draw->dwDrawStage == CDDS_PREPAINT)
    boxPicturesWhilePainting.push_back(ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(
        SendMessageA(paintSpyList, LVM_GETIMAGELIST, LVSIL_STATE, 0))));
  return CallWindowProcA(paintSpyPrevious, wnd, msg, wParam, lParam);
}

// The skin's check boxes are copied into the rows by the adapter: while the list paints it holds
// no box picture of its own to draw (each would make a bitmap compatible with the screen), the
// rows look as they do when the list draws its boxes itself, nothing is left to paint, and a
// click on a box and the space bar still check and uncheck rows.
TEST_F(AdoptionWinTest, ListCheckBoxesAreCopiedIntoTheRowsAndStillCheck) {
  HWND wnd = list->Handle();
  list->Items(1).SetChecked(true);
  list->Items(3).SetChecked(true);
  list->Items(3).SetSelected(true);
  LVITEMA focus{};
  focus.stateMask = focus.state = LVIS_FOCUSED;
  SendMessageA(wnd, LVM_SETITEMSTATE, 2, reinterpret_cast<LPARAM>(&focus));
  SetFocus(wnd);
  Pump();
  // In a light and a dark skin, the list's colours and boxes each.
  int side = 0, height = 0;
  for (const char* skin : {"Soft Dawn (internal)", "Night Azure (internal)"}) {
    SCOPED_TRACE(skin);
    manager->SetSkinName(skin);
    Pump();
    auto boxes = reinterpret_cast<HIMAGELIST>(SendMessageA(wnd, LVM_GETIMAGELIST, LVSIL_STATE, 0));
    ASSERT_EQ(ImageList_GetImageCount(boxes), 2);
    ImageList_GetIconSize(boxes, &side, &height);

    // The list drawing its boxes itself, into a print of its rows.
    RECT client;
    GetClientRect(wnd, &client);
    img::Bitmap32 own(client.right, client.bottom);
    const COLORREF bk = COLORREF(SendMessageA(wnd, LVM_GETBKCOLOR, 0, 0));
    own.Fill({GetBValue(bk), GetGValue(bk), GetRValue(bk), 255});
    SendMessageA(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(own.DC()),
                 PRF_CLIENT | PRF_ERASEBKGND);
    GdiFlush();

    paintSpyList = wnd;
    boxPicturesWhilePainting.clear();
    paintSpyPrevious = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(form->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintSpyProc)));
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    SetWindowLongPtrA(form->Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(paintSpyPrevious));
    EXPECT_EQ(boxPicturesWhilePainting, std::vector<int>{0});
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(SendMessageA(wnd, LVM_GETIMAGELIST, LVSIL_STATE, 0)),
              boxes);
    EXPECT_FALSE(GetUpdateRect(wnd, nullptr, FALSE)) << "the exchange left a paint pending";

    // Unchecked, checked, focused and selected rows, pixel for pixel.
    const img::Bitmap32 shot = testing_support::ScreenShot(wnd);
    const RECT inWindow = ClientRectInWindow(wnd);
    for (int row = 0; row < 5; ++row) {
      RECT bounds{};
      bounds.left = LVIR_BOUNDS;
      SendMessageA(wnd, LVM_GETITEMRECT, WPARAM(row), reinterpret_cast<LPARAM>(&bounds));
      int differing = 0;
      for (int y = bounds.top; y < bounds.bottom; ++y)
        for (int x = std::max(0, int(bounds.left)); x < std::min(bounds.right, client.right); ++x) {
          const img::TRGBAPixel a = own.Pixel(x, y),
                                b = shot.Pixel(inWindow.left + x, inWindow.top + y);
          differing += a.R != b.R || a.G != b.G || a.B != b.B;
        }
      EXPECT_EQ(differing, 0) << "row " << row;
    }
  }
  RECT icon{};
  icon.left = LVIR_ICON;
  SendMessageA(wnd, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
  // Two clicks on row 0's box check and uncheck it; the space bar turns the focused row over.
  const LPARAM at = MAKELPARAM(icon.left - side / 2, icon.top + height / 2);
  for (bool checked : {true, false}) {
    SendMessageA(wnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(wnd, WM_LBUTTONUP, 0, at);
    EXPECT_EQ(list->Items(0).Checked(), checked);
  }
  const int focused = int(SendMessageA(wnd, LVM_GETNEXTITEM, WPARAM(-1), LVNI_FOCUSED));
  ASSERT_GE(focused, 0);
  const bool before = list->Items(focused).Checked();
  SendMessageA(wnd, WM_KEYDOWN, VK_SPACE, 0);
  SendMessageA(wnd, WM_KEYUP, VK_SPACE, 0);
  EXPECT_NE(list->Items(focused).Checked(), before);
}

// A procedure put on the list's header after the skin's hook, counting what reaches it.
WNDPROC laterHeaderPrevious = nullptr;
int laterHeaderMessages = 0;
LRESULT CALLBACK LaterHeaderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  ++laterHeaderMessages;
  return CallWindowProcW(laterHeaderPrevious, wnd, msg, wParam, lParam);
}

TEST_F(AdoptionWinTest, AHeaderSubclassedAfterTheHookKeepsItsChainWhenTheSkinGoesAndComesBack) {
  auto* lv = static_cast<TveListViewWnd*>(TveMainWnd::AdapterFromHandle(list->Handle()));
  HWND header = lv->HeaderWnd;
  ASSERT_TRUE(header);
  laterHeaderPrevious = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterHeaderProc)));
  RECT first{};
  SendMessageW(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  POINT inFirst{first.left + 5, first.top + 3};
  ClientToScreen(header, &inFirst);
  auto hit = [&] {
    return SendMessageW(header, WM_NCHITTEST, 0, MAKELPARAM(inFirst.x, inFirst.y));
  };

  EXPECT_EQ(hit(), HTCLIENT);
  EXPECT_EQ(lv->HotColumn, 0) << "the hook answers behind the later procedure";

  manager->SetActive(false);
  Pump();
  EXPECT_EQ(GetWindowLongPtrW(header, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LaterHeaderProc));
  laterHeaderMessages = 0;
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2) << "the header's own handling";
  EXPECT_EQ(hit(), HTCLIENT);
  EXPECT_EQ(laterHeaderMessages, 2);

  // The new adapter takes the hook that stayed in the chain over instead of adding another.
  manager->SetActive(true);
  Pump();
  auto* again = static_cast<TveListViewWnd*>(TveMainWnd::AdapterFromHandle(list->Handle()));
  ASSERT_TRUE(again);
  EXPECT_EQ(again->HeaderWnd, header);
  EXPECT_EQ(GetWindowLongPtrW(header, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&LaterHeaderProc));
  EXPECT_EQ(hit(), HTCLIENT);
  EXPECT_EQ(again->HotColumn, 0);
  EXPECT_EQ(SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(AdoptionWinTest, AnAbandonedAdoptionFreedAfterItsFormTouchesNothingOfIt) {
  // The test program poisons what is freed: a walk of the gone form's controls stops it.
  auto adoption = std::make_unique<TveCtrlAdapter>(*provider);
  adoption->Abandon();
  form.reset();
  adoption.reset();
  SUCCEED();
}

// A child window tells only its own parent that it was made, and its framework control learns
// its window after that notice.
TEST_F(AdoptionWinTest, AListMadeInsideTheGroupBoxLaterIsAdoptedOnceItsWindowIsMade) {
  TListView* late = AddList(10, 20, box);
  late->SetBounds(10, 20, 150, 60);
  ASSERT_TRUE(late->HandleAllocated());
  Pump();
  auto* adapter = dynamic_cast<TveListViewWnd*>(AdapterOf(late));
  ASSERT_TRUE(adapter);
  EXPECT_EQ(COLORREF(SendMessageA(late->Handle(), LVM_GETBKCOLOR, 0, 0)),
            COLORREF(adapter->SkinData->GetBgColor(0, late->Handle())));
  EXPECT_EQ(provider->Adapter()->Count(), 5);
}

// Controls made on a container nobody adopts go unnoticed until the user changes tabs; the
// engine's own windows (tag -98) are never adopted.
TEST_F(AdoptionWinTest, ATabChangeAdoptsWhatWasMadeUnnoticedButNotTheEnginesOwnWindows) {
  plainPage = new TGroupBox(form.get());
  plainPage->SetBounds(215, 150, 200, 125);
  plainPage->SetParent(form.get());
  Pump();
  TListView* late = AddList(5, 15, plainPage);
  auto* own = new TListView(form.get());
  own->SetTag(-98);
  own->SetBounds(5, 70, 100, 40);
  own->SetParent(plainPage);
  Pump();
  ASSERT_TRUE(late->HandleAllocated() && own->HandleAllocated());
  ASSERT_FALSE(AdapterOf(late));

  HWND tabs = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE, 215, 120, 200, 28,
                              form->Handle(), nullptr, nullptr, nullptr);
  TCITEMA tab{};
  tab.mask = TCIF_TEXT;
  for (const char* text : {"One", "Two"}) {
    tab.pszText = const_cast<char*>(text);
    SendMessageA(tabs, TCM_INSERTITEMA, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), LPARAM(&tab));
  }
  RECT second{};
  SendMessageA(tabs, TCM_GETITEMRECT, 1, LPARAM(&second));
  LPARAM at = MAKELPARAM((second.left + second.right) / 2, (second.top + second.bottom) / 2);
  SendMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(tabs, WM_LBUTTONUP, 0, at);
  Pump();
  ASSERT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
  EXPECT_TRUE(dynamic_cast<TveListViewWnd*>(AdapterOf(late)));
  EXPECT_FALSE(AdapterOf(own));
  EXPECT_FALSE(AdapterOf(plainPage));
  EXPECT_EQ(provider->Adapter()->Count(), 5);
  DestroyWindow(tabs);
}

TEST(GroupCaptionRectTest, PlacesTheCaptionByTheRules) {
  struct Row {
    int width;
    SIZE text;
    bool rtl;
    RECT expected;
  } rows[] = {
      {200, {60, 13}, false, {6, 0, 74, 15}},
      {200, {0, 0}, false, {6, 0, 14, 6}},       // no caption
      {50, {60, 13}, false, {6, 0, 49, 15}},     // would end beyond the box
      {200, {60, 13}, true, {126, 0, 194, 15}},  // right to left
  };
  for (const Row& row : rows) {
    RECT r = GroupCaptionRect(row.width, row.text, row.rtl);
    EXPECT_TRUE(EqualRect(&r, &row.expected)) << row.width << " " << row.rtl;
  }
}
