// One form with one of each of the other platform controls (combo box, tree view, panel, scroll
// box), adopted through the manager's class-name lists: each gets its adapter and section, the
// screen shows the adapter's picture, a combo box shows its button pressed while its list is open,
// and the tree's own colours come back when the skin goes. DK_SHOTS=<folder> saves the form in a
// light and a dark skin as PNG files.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "framework/Forms.h"
#include "imaging/PngWriter.h"
#include "framework/Graphics.h"
#include "skin/controls/veBitBtnWnd.h"
#include "skin/controls/veComboBoxWnd.h"
#include "skin/controls/veEdgeWnd.h"
#include "skin/controls/veGridWnd.h"
#include "skin/controls/veIconWnd.h"
#include "skin/controls/veLinkWnd.h"
#include "skin/controls/vePanelWnd.h"
#include "skin/controls/veSizerWnd.h"
#include "skin/controls/veSpinWnd.h"
#include "skin/controls/veTabControlWnd.h"
#include "skin/controls/veToolBarWnd.h"
#include "skin/controls/veTrackWnd.h"
#include "skin/controls/veTreeViewWnd.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/support/ScreenShot.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;
using testing_support::ScreenShot;

namespace {

// A window of a platform class under a class name of the lists.
class TPlatformControl : public TWinControl {
 public:
  TPlatformControl(TComponent* owner, const char* className, const char* winClass, DWORD style,
                   DWORD exStyle = 0)
      : TWinControl(owner),
        className_(className),
        winClass_(winClass),
        style_(style),
        exStyle_(exStyle) {}
  std::string ClassName() const override { return className_; }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WinClassName = winClass_;
    params.Style |= style_;
    params.ExStyle |= exStyle_;
  }

 private:
  std::string className_, winClass_;
  DWORD style_, exStyle_;
};

// A grid of another library as far as the skin sees it: some of the named colour properties, one
// of them read-only, and a title font.
class TFakeGrid : public TPlatformControl {
 public:
  explicit TFakeGrid(TComponent* owner)
      : TPlatformControl(owner, "TStringGrid", "Static", WS_BORDER) {
    Publish("FixedColor", {[this] { return std::intptr_t(fixed); },
                           [this](std::intptr_t v) { fixed = TColor(v); }});
    Publish("SelectionColor", {[this] { return std::intptr_t(selection); },
                               [this](std::intptr_t v) { selection = TColor(v); }});
    Publish("GridLineColor", {[this] { return std::intptr_t(lines); }, nullptr});
    Publish("TitleFont", {[this] { return reinterpret_cast<std::intptr_t>(&title); }, nullptr});
  }
  TColor fixed = 0x123456, selection = 0x654321, lines = 0x111111;
  TFont title;
};

// How many pixels of rect (window coordinates) differ between the screen and the picture.
int Mismatches(HWND wnd, const img::Bitmap32& picture, RECT rect) {
  const img::Bitmap32 screen = WindowShot(wnd);
  int differing = 0;
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const img::TRGBAPixel &a = screen.Pixel(x, y), &b = picture.Pixel(x, y);
      differing += a.R != b.R || a.G != b.G || a.B != b.B;
    }
  return differing;
}

bool SameArea(const img::Bitmap32& a, const img::Bitmap32& b, RECT rect) {
  for (int y = rect.top; y < rect.bottom; ++y)
    for (int x = rect.left; x < rect.right; ++x) {
      const img::TRGBAPixel &p = a.Pixel(x, y), &q = b.Pixel(x, y);
      if (p.R != q.R || p.G != q.G || p.B != q.B) return false;
    }
  return true;
}

struct OtherAdaptersWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetThirdParty(TveThirdKind::ComboBoxes, "TComboBox\r\n");
    manager->SetThirdParty(TveThirdKind::TreeViews, "TTreeView\r\n");
    manager->SetThirdParty(TveThirdKind::Panels, "TPanel\r\n");
    manager->SetThirdParty(TveThirdKind::ScrollControl, "TScrollBox\r\n");
    manager->SetThirdParty(TveThirdKind::TabControl, "TTabControl\r\n");
    manager->SetThirdParty(TveThirdKind::PageControl, "TPageControl\r\n");
    manager->SetThirdParty(TveThirdKind::UpDown, "TUpDown\r\n");
    manager->SetThirdParty(TveThirdKind::Grids, "TStringGrid\r\n");
    manager->SetThirdParty(TveThirdKind::BitBtns, "TBitBtn\r\n");
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(620, 420);
    form->SetBounds(40, 40, form->Width(), form->Height());
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    combo = Add("TComboBox", WC_COMBOBOXA, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                {10, 10, 160, 200});
    for (const char* text : {"Display adapters", "Network", "Sound", "Storage", "Universal serial"})
      SendMessageA(combo->Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
    SendMessageA(combo->Handle(), CB_SETCURSEL, 0, 0);
    tree = Add("TTreeView", WC_TREEVIEWA, TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT,
               WS_EX_CLIENTEDGE, {10, 50, 160, 250});
    for (const char* text : {"Drivers", "Backups"}) {
      TVINSERTSTRUCTA item{};
      item.hInsertAfter = TVI_LAST;
      item.item.mask = TVIF_TEXT;
      item.item.pszText = const_cast<char*>(text);
      auto root = reinterpret_cast<HTREEITEM>(
          SendMessageA(tree->Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
      item.hParent = root;
      item.item.pszText = const_cast<char*>("Item");
      SendMessageA(tree->Handle(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
      SendMessageA(tree->Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
    }
    panel = Add("TPanel", "Static", WS_BORDER, 0, {180, 10, 410, 80});
    panel->SetCaption("Panel caption");
    scrollBox = Add("TScrollBox", "Static", WS_VSCROLL, WS_EX_CLIENTEDGE, {180, 90, 410, 250});
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE, 0, 300, 100, 0, 0};
    SetScrollInfo(scrollBox->Handle(), SB_VERT, &info, TRUE);
    tabs = Add("TTabControl", WC_TABCONTROLA, 0, 0, {420, 10, 610, 120});
    AddTabs(tabs, {"General", "Driver", "Details"});
    pages = Add("TPageControl", WC_TABCONTROLA, 0, 0, {420, 130, 610, 250});
    AddTabs(pages, {"One", "Two"});
    RECT display{0, 0, pages->Width(), pages->Height()};
    SendMessageA(pages->Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    page = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, display.left, display.top,
                         display.right - display.left, display.bottom - display.top,
                         pages->Handle(), nullptr, nullptr, nullptr);
    upDown = Add("TUpDown", UPDOWN_CLASSA, 0, 0, {10, 260, 30, 300});
    grid = new TFakeGrid(form.get());
    grid->title.SetColor(0x222222);
    grid->SetBounds(420, 260, 190, 50);
    grid->SetParent(form.get());
    bitBtn = Add("TBitBtn", "Button", BS_ICON, 0, {10, 330, 60, 370});
    SendMessageA(bitBtn->Handle(), BM_SETIMAGE, IMAGE_ICON,
                 reinterpret_cast<LPARAM>(LoadIcon(nullptr, IDI_APPLICATION)));
    form->Show();
    track = CreateWindowA(TRACKBAR_CLASSA, "", WS_CHILD | WS_VISIBLE | TBS_AUTOTICKS, 40, 260, 210,
                          40, form->Handle(), nullptr, nullptr, nullptr);
    SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    trackWnd = std::make_unique<TveTrackWnd>(track, true, "", manager.get(), nullptr);
    Pump();
  }
  static void AddTabs(TWinControl* control, std::initializer_list<const char*> captions) {
    int index = 0;
    for (const char* caption : captions) {
      TCITEMA item{};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(caption);
      SendMessageA(control->Handle(), TCM_INSERTITEMA, WPARAM(index++),
                   reinterpret_cast<LPARAM>(&item));
    }
  }
  void TearDown() override {
    trackWnd.reset();
    form.reset();
    manager.reset();
  }
  TWinControl* Add(const char* className, const char* winClass, DWORD style, DWORD exStyle,
                   RECT bounds) {
    auto* control = new TPlatformControl(form.get(), className, winClass, style, exStyle);
    control->SetBounds(bounds.left, bounds.top, bounds.right - bounds.left,
                       bounds.bottom - bounds.top);
    control->SetParent(form.get());
    return control;
  }
  template <class T>
  T* AdapterOf(TWinControl* control) {
    return dynamic_cast<T*>(TveMainWnd::AdapterFromHandle(control->Handle()));
  }
  RECT WholeWindow(TWinControl* control) { return {0, 0, control->Width(), control->Height()}; }
  void SaveShot(const char* name) {
    if (const char* folder = std::getenv("DK_SHOTS"))
      img::SavePng(std::string(folder) + "\\" + name + ".png", ScreenShot(form->Handle()));
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
  TWinControl *combo = nullptr, *tree = nullptr, *panel = nullptr, *scrollBox = nullptr;
  TWinControl *tabs = nullptr, *pages = nullptr, *upDown = nullptr;
  TFakeGrid* grid = nullptr;
  TWinControl* bitBtn = nullptr;
  HWND page = nullptr, track = nullptr;
  std::unique_ptr<TveTrackWnd> trackWnd;
};

TEST_F(OtherAdaptersWinTest, EachControlShowsItsSkinAndTheOpenComboShowsItsButtonPressed) {
  auto* comboWnd = AdapterOf<TveComboBoxWnd>(combo);
  ASSERT_NE(comboWnd, nullptr);
  EXPECT_EQ(comboWnd->SkinData->SkinSection, "COMBOBOX");
  ASSERT_NE(AdapterOf<TveTreeViewWnd>(tree), nullptr);
  EXPECT_EQ(AdapterOf<TveTreeViewWnd>(tree)->SkinData->SkinSection, "EDIT");
  auto* panelWnd = AdapterOf<TvePanelWnd>(panel);
  ASSERT_NE(panelWnd, nullptr);
  EXPECT_EQ(panelWnd->SkinData->SkinSection, "PANEL");
  auto* boxWnd = AdapterOf<TveScrollBoxWnd>(scrollBox);
  ASSERT_NE(boxWnd, nullptr);
  EXPECT_EQ(boxWnd->SkinData->SkinSection, "PANEL_LOW");
  EXPECT_TRUE(boxWnd->VertBar.Visible);

  // The panel and the combo box show their pictures; the panel's caption is in its font colour.
  const img::Bitmap32& panelCache = *panelWnd->SkinData->CacheBitmap;
  EXPECT_EQ(Mismatches(panel->Handle(), panelCache, WholeWindow(panel)), 0);
  const TsGeneralData& panelSection = manager->SectionTable[size_t(manager->FindSection("PANEL"))];
  int captionPixels = 0;
  for (int y = 0; y < panelCache.Height(); ++y)
    for (int x = 0; x < panelCache.Width(); ++x) {
      const img::TRGBAPixel& p = panelCache.Pixel(x, y);
      captionPixels += RGB(p.R, p.G, p.B) == COLORREF(panelSection.States[0].FontColor);
    }
  EXPECT_GT(captionPixels, 10);
  EXPECT_EQ(Mismatches(combo->Handle(), comboWnd->Picture(), WholeWindow(combo)), 0);

  // The tree draws in the section's colours.
  const TsGeneralData& edit = manager->SectionTable[size_t(manager->FindSection("EDIT"))];
  EXPECT_EQ(COLORREF(SendMessageA(tree->Handle(), TVM_GETTEXTCOLOR, 0, 0)),
            COLORREF(edit.States[0].FontColor));
  SaveShot("other_adapters_light");

  // Open, the list has its own adapter and the button is pressed; closed, it is not.
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  GetComboBoxInfo(combo->Handle(), &info);
  SetFocus(form->Handle());
  Pump();
  const img::Bitmap32 closed = comboWnd->Picture();
  EXPECT_EQ(comboWnd->ButtonState(), 0);
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
  Pump();
  EXPECT_EQ(comboWnd->ButtonState(), 2);
  ASSERT_NE(comboWnd->ListAdapter(), nullptr);
  EXPECT_EQ(TveMainWnd::AdapterFromHandle(info.hwndList),
            static_cast<TveMainWnd*>(comboWnd->ListAdapter()));
  EXPECT_FALSE(SameArea(closed, comboWnd->Picture(), info.rcButton));
  EXPECT_EQ(Mismatches(combo->Handle(), comboWnd->Picture(), info.rcButton), 0);
  SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);
  Pump();
  EXPECT_NE(comboWnd->ButtonState(), 2);

  // A dark skin is taken by all of them.
  manager->SetSkinName("Night Azure (internal)");
  Pump();
  const TsGeneralData& darkEdit = manager->SectionTable[size_t(manager->FindSection("EDIT"))];
  EXPECT_EQ(COLORREF(SendMessageA(tree->Handle(), TVM_GETTEXTCOLOR, 0, 0)),
            COLORREF(darkEdit.States[0].FontColor));
  EXPECT_EQ(Mismatches(panel->Handle(), *panelWnd->SkinData->CacheBitmap, WholeWindow(panel)), 0);
  SaveShot("other_adapters_dark");

  // Without the skin the tree has its own colours again.
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(COLORREF(SendMessageA(tree->Handle(), TVM_GETTEXTCOLOR, 0, 0)), CLR_NONE);
  EXPECT_EQ(COLORREF(SendMessageA(tree->Handle(), TVM_GETBKCOLOR, 0, 0)), CLR_NONE);
}

TEST_F(OtherAdaptersWinTest, TabsPagesUpDownAndTrackBarShowTheSkinInTheirStates) {
  auto* tabsWnd = AdapterOf<TveTabControlWnd>(tabs);
  ASSERT_NE(tabsWnd, nullptr);
  EXPECT_EQ(tabsWnd->SkinData->SkinSection, "PAGECONTROL");
  auto* pagesWnd = AdapterOf<TvePageControlWnd>(pages);
  ASSERT_NE(pagesWnd, nullptr);
  auto* spinWnd = AdapterOf<TveSpinWnd>(upDown);
  ASSERT_NE(spinWnd, nullptr);
  EXPECT_EQ(spinWnd->SkinData->SkinSection, "BUTTON");
  EXPECT_EQ(trackWnd->SkinData->SkinSection, "TRACKBAR");

  // Every one shows its picture; the selected tab is pressed.
  EXPECT_EQ(Mismatches(tabs->Handle(), *tabsWnd->SkinData->CacheBitmap, WholeWindow(tabs)), 0);
  EXPECT_EQ(Mismatches(upDown->Handle(), *spinWnd->SkinData->CacheBitmap, WholeWindow(upDown)), 0);
  EXPECT_EQ(Mismatches(track, *trackWnd->SkinData->CacheBitmap, {0, 0, 210, 40}), 0);
  EXPECT_EQ(tabsWnd->TabState(0), 2);
  RECT second{};
  SendMessageA(tabs->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
  const img::Bitmap32 before = *tabsWnd->SkinData->CacheBitmap;
  SendMessageA(tabs->Handle(), TCM_SETCURSEL, 1, 0);
  Pump();
  EXPECT_EQ(tabsWnd->TabState(1), 2);
  EXPECT_NE(tabsWnd->TabState(0), 2);
  EXPECT_FALSE(SameArea(before, *tabsWnd->SkinData->CacheBitmap, second));
  EXPECT_EQ(Mismatches(tabs->Handle(), *tabsWnd->SkinData->CacheBitmap, WholeWindow(tabs)), 0);

  // The page continues its control's picture.
  ASSERT_NE(dynamic_cast<TvePageWnd*>(TveMainWnd::AdapterFromHandle(page)), nullptr);
  RECT pageRect;
  GetWindowRect(page, &pageRect);
  MapWindowPoints(nullptr, pages->Handle(), reinterpret_cast<POINT*>(&pageRect), 2);
  const img::Bitmap32& control = *pagesWnd->SkinData->CacheBitmap;
  const img::Bitmap32 shown = WindowShot(page);
  int differing = 0;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) {
      const img::TRGBAPixel &a = shown.Pixel(x, y),
                            &b = control.Pixel(pageRect.left + x, pageRect.top + y);
      differing += a.R != b.R || a.G != b.G || a.B != b.B;
    }
  EXPECT_EQ(differing, 0);

  // A held up-down button and a dragged thumb look pressed, and no longer once let go.
  SendMessageA(upDown->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(spinWnd->ButtonState(0), 2);
  SendMessageA(upDown->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_LT(spinWnd->ButtonState(0), 2);
  RECT thumb{};
  SendMessageA(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  const LPARAM onThumb = MAKELPARAM((thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2);
  SendMessageA(track, WM_LBUTTONDOWN, MK_LBUTTON, onThumb);
  EXPECT_EQ(trackWnd->ThumbState(), 2);
  EXPECT_EQ(Mismatches(track, *trackWnd->SkinData->CacheBitmap, {0, 0, 210, 40}), 0);
  SendMessageA(track, WM_LBUTTONUP, 0, onThumb);
  EXPECT_LT(trackWnd->ThumbState(), 2);
  SaveShot("tabs_light");
  manager->SetSkinName("Night Azure (internal)");
  Pump();
  SaveShot("tabs_dark");
}

// A see-through container shows the form's picture where it stands, not the form's corner.
TEST_F(OtherAdaptersWinTest, ASeeThroughPanelShowsTheFormWhereItStands) {
  RECT inForm{260, 262, 410, 312};
  MapWindowPoints(form->Handle(), nullptr, reinterpret_cast<POINT*>(&inForm), 2);
  RECT window;
  GetWindowRect(form->Handle(), &window);
  OffsetRect(&inForm, -window.left, -window.top);
  const img::Bitmap32 bare = WindowShot(form->Handle());
  HWND glass = CreateWindowA("Static", "", WS_CHILD | WS_VISIBLE, 260, 262, 150, 50, form->Handle(),
                             nullptr, nullptr, nullptr);
  TveTransPanelWnd glassWnd(glass, true, "", manager.get(), nullptr);
  Pump();
  EXPECT_EQ(glassWnd.SkinData->SkinSection, "CHECKBOX");
  EXPECT_TRUE(SameArea(bare, WindowShot(form->Handle()), inForm));
}

// The skin's colours go into the grid's named properties it has and can set, and come back out.
TEST_F(OtherAdaptersWinTest, AGridTakesTheSkinsColoursThroughThePropertiesItHas) {
  ASSERT_NE(AdapterOf<TveGridWnd>(grid), nullptr);
  const auto& header = manager->SectionTable[size_t(manager->FindSection("COLHEADER"))].States[0];
  const auto& selection =
      manager->SectionTable[size_t(manager->FindSection("SELECTION"))].States[0];
  EXPECT_EQ(grid->fixed, TColor(header.Color));
  EXPECT_EQ(grid->selection, TColor(selection.Color));
  EXPECT_EQ(grid->title.Color(), TColor(header.FontColor));
  EXPECT_EQ(grid->lines, TColor(0x111111));  // read-only: left alone
  manager->SetActive(false);
  Pump();
  EXPECT_EQ(grid->fixed, TColor(0x123456));
  EXPECT_EQ(grid->selection, TColor(0x654321));
  EXPECT_EQ(grid->title.Color(), TColor(0x222222));
}

TEST(LinkTextTest, CutsTheTextIntoPlainAndLinkRuns) {
  struct Case {
    const char* text;
    std::vector<std::pair<std::string, bool>> runs;
  };
  const Case cases[] = {
      {"plain", {{"plain", false}}},
      {"Go <a href=\"x\">there</a> now", {{"Go ", false}, {"there", true}, {" now", false}}},
      {"<A>all</A>", {{"all", true}}},
      {"open <a>to the end", {{"open ", false}, {"to the end", true}}},
      {"a <abbr> is no link", {{"a <abbr> is no link", false}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::pair<std::string, bool>> got;
    for (const TveLinkRun& run : SplitLinkText(c.text)) got.push_back({run.Text, run.Link});
    EXPECT_EQ(got, c.runs);
  }
}

// Picture buttons, size grips, picture statics, edged statics, links and the MDI area each show
// their skinned picture.
TEST_F(OtherAdaptersWinTest, PicturesGripsEdgesLinksAndTheMdiAreaShowTheSkin) {
  auto* bitWnd = AdapterOf<TveBitBtnWnd>(bitBtn);
  ASSERT_NE(bitWnd, nullptr);
  EXPECT_TRUE(bitWnd->Painting());
  const HWND formWnd = form->Handle();
  auto make = [formWnd](DWORD exStyle, const char* cls, const char* text, DWORD style, RECT r) {
    return CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                           r.right - r.left, r.bottom - r.top, formWnd, nullptr, nullptr, nullptr);
  };
  HWND grip = make(0, "ScrollBar", "", SBS_SIZEGRIP, {600, 400, 620, 420});
  HWND icon = make(0, "Static", "", SS_ICON | SS_REALSIZEIMAGE, {70, 330, 110, 370});
  SendMessageA(icon, STM_SETICON, reinterpret_cast<WPARAM>(LoadIcon(nullptr, IDI_APPLICATION)), 0);
  HWND edge = make(WS_EX_STATICEDGE, "Static", "Edged text", 0, {120, 330, 240, 360});
  HWND link = make(0, "SysLink", "Go <a href=\"x\">there</a> now", 0, {250, 330, 400, 360});
  CLIENTCREATESTRUCT mdi{nullptr, 1};
  HWND area = CreateWindowExA(0, "MDICLIENT", "", WS_CHILD | WS_VISIBLE, 410, 330, 180, 60, formWnd,
                              nullptr, nullptr, &mdi);
  HWND bar =
      make(0, TOOLBARCLASSNAMEA, "",
           TBSTYLE_FLAT | CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER, {120, 370, 400, 400});
  SendMessageA(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  ImageList_AddIcon(images, LoadIcon(nullptr, IDI_APPLICATION));
  SendMessageA(bar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  TBBUTTON buttons[] = {{0, 1, TBSTATE_ENABLED, BTNS_BUTTON, {}, 0, 0},
                        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
                        {0, 2, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK, {}, 0, 0}};
  SendMessageA(bar, TB_ADDBUTTONSA, 3, reinterpret_cast<LPARAM>(buttons));
  TveToolBarWnd barWnd(bar, true, "", manager.get(), nullptr);
  TveSizerWnd gripWnd(grip, true, "", manager.get(), nullptr);
  TveIconWnd iconWnd(icon, true, "", manager.get(), nullptr);
  TveEdgeWnd edgeWnd(edge, true, "", manager.get(), nullptr);
  TveLinkWnd linkWnd(link, true, "", manager.get(), nullptr);
  TveMDIWnd areaWnd(area, true, "", manager.get(), nullptr);
  Pump();
  EXPECT_EQ(edgeWnd.SkinData->SkinSection, "EDIT");
  EXPECT_EQ(areaWnd.SkinData->SkinSection, "MDIAREA");
  EXPECT_EQ(barWnd.SkinData->SkinSection, "BAR");
  EXPECT_EQ(barWnd.ButtonState(2), 2);  // checked
  for (auto [wnd, adapter] : {std::pair<HWND, TveMainWnd*>{bitBtn->Handle(), bitWnd},
                              {grip, &gripWnd},
                              {icon, &iconWnd},
                              {edge, &edgeWnd},
                              {link, &linkWnd},
                              {area, &areaWnd},
                              {bar, &barWnd}}) {
    const img::Bitmap32* cache = adapter->SkinData->CacheBitmap.get();
    ASSERT_TRUE(cache && !cache->Empty());
    RECT r;
    GetWindowRect(wnd, &r);
    EXPECT_EQ(Mismatches(wnd, *cache, {0, 0, r.right - r.left, r.bottom - r.top}), 0);
  }
  // The link's words are in the section's colours, the link in the hot one.
  const TsGeneralData& checkBox = manager->SectionTable[size_t(manager->FindSection("CHECKBOX"))];
  int plain = 0, linked = 0;
  const img::Bitmap32& words = *linkWnd.SkinData->CacheBitmap;
  for (int y = 0; y < words.Height(); ++y)
    for (int x = 0; x < words.Width(); ++x) {
      const img::TRGBAPixel& p = words.Pixel(x, y);
      plain += RGB(p.R, p.G, p.B) == COLORREF(checkBox.States[0].FontColor);
      linked += RGB(p.R, p.G, p.B) == COLORREF(checkBox.States[1].FontColor);
    }
  EXPECT_GT(plain, 10);
  EXPECT_GT(linked, 10);
  SaveShot("statics_light");
  DestroyWindow(bar);
  ImageList_Destroy(images);
}

}  // namespace
