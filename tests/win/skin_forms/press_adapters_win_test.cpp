// Push buttons, check boxes and radio buttons adopted through the manager's class-name lists on a
// real form: the screen shows the adapter's picture in every state (normal, hot, pressed, focused,
// disabled), clicks and the space key still click and toggle, and removing the skin gives the
// platform's look back.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/controls/veBtnWnd.h"
#include "skin/controls/veCheckBoxWnd.h"
#include "skin/forms/sCtrlAdapter.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sFadeTimer.h"
#include "skins/StoredSkins.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

// A platform button of the given style under a class name of the lists.
class TPlatformButton : public TWinControl {
 public:
  TPlatformButton(TComponent* owner, const char* className, DWORD style)
      : TWinControl(owner), className_(className), style_(style) {}
  std::string ClassName() const override { return className_; }

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WinClassName = "Button";
    params.Style |= WS_TABSTOP | style_;
  }

 private:
  std::string className_;
  DWORD style_;
};

// How many pixels of the window on the screen differ from the picture.
int ScreenMismatches(HWND wnd, const img::Bitmap32& picture) {
  img::Bitmap32 screen(picture.Width(), picture.Height());
  HDC dc = GetWindowDC(wnd);
  BitBlt(screen.DC(), 0, 0, picture.Width(), picture.Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  int differing = 0;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) {
      const img::TRGBAPixel &a = screen.Pixel(x, y), &b = picture.Pixel(x, y);
      differing += a.R != b.R || a.G != b.G || a.B != b.B;
    }
  return differing;
}

struct PressAdaptersWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetThirdParty(TveThirdKind::Buttons, "TButton\r\n");
    manager->SetThirdParty(TveThirdKind::CheckBoxes, "TCheckBox\r\nTRadioButton\r\n");
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(300, 160);
    form->SetBounds(40, 40, form->Width(), form->Height());
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    button = new TButton(form.get());
    button->SetBounds(20, 20, 90, 26);
    button->SetCaption("&Apply");
    button->OnClick = [this](TObject*) { ++clicks; };
    button->SetParent(form.get());
    pictured = new TPlatformButton(form.get(), "TButton", BS_ICON);
    pictured->SetBounds(150, 20, 90, 26);
    pictured->SetParent(form.get());
    check = Add(new TPlatformButton(form.get(), "TCheckBox", BS_AUTO3STATE), 60, "&Options");
    radio = Add(new TPlatformButton(form.get(), "TRadioButton", BS_AUTORADIOBUTTON), 90, "&Fast");
    form->Show();
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TWinControl* Add(TWinControl* control, int top, const char* caption) {
    control->SetBounds(20, top, 150, 20);
    control->SetCaption(caption);
    control->SetParent(form.get());
    return control;
  }
  template <class T>
  T* AdapterOf(TWinControl* control) {
    return dynamic_cast<T*>(TveMainWnd::AdapterFromHandle(control->Handle()));
  }
  // The adapter's picture is what the screen shows; a copy of it.
  img::Bitmap32 Shown(TWinControl* control) {
    Pump();
    // A hover change fades in; the picture it ends on is the one to compare.
    const TsCommonData& data = *TveMainWnd::AdapterFromHandle(control->Handle())->SkinData;
    for (int i = 0; i < 20 && FadeRunning(data); ++i) Pump();
    const img::Bitmap32* cache = data.CacheBitmap.get();
    EXPECT_TRUE(cache && !cache->Empty());
    if (!cache) return {};
    EXPECT_EQ(ScreenMismatches(control->Handle(), *cache), 0);
    return *cache;
  }
  static bool Same(const img::Bitmap32& a, const img::Bitmap32& b) {
    return a.Width() == b.Width() && a.Height() == b.Height() &&
           std::equal(a.Row(0), a.Row(0) + a.PixelCount(), b.Row(0));
  }
  void HoverOver(TWinControl* control) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    PutCursor({r.right - 4, (r.top + r.bottom) / 2});
    SendMessageA(control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(r.right - r.left - 4, 5));
  }
  // The cursor leaves for an empty place of the form, and the controls hear that it left them.
  void MoveAway() {
    POINT empty{280, 150};
    ClientToScreen(form->Handle(), &empty);
    PutCursor(empty);
    for (TWinControl* control : {static_cast<TWinControl*>(button), check, radio})
      SendMessageA(control->Handle(), WM_MOUSELEAVE, 0, 0);
  }
  void Click(TWinControl* control) {
    SendMessageA(control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(control->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  }
  void Space(TWinControl* control) {
    SetFocus(control->Handle());
    SendMessageA(control->Handle(), WM_KEYDOWN, VK_SPACE, 0);
    SendMessageA(control->Handle(), WM_KEYUP, VK_SPACE, 0);
  }
  int GlyphEntry(int slot) { return manager->QuickIndexes.GlobalImages[size_t(slot)]; }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
  TButton* button = nullptr;
  TWinControl *pictured = nullptr, *check = nullptr, *radio = nullptr;
  int clicks = 0;
};

}  // namespace

TEST_F(PressAdaptersWinTest, PushButtonShowsItsPictureInEveryStateAndStillClicks) {
  auto* adapter = AdapterOf<TveBtnWnd>(button);
  ASSERT_TRUE(adapter);
  // The adapter has no place for a picture: a button given one after its adoption keeps the
  // platform's look until the picture goes.
  auto* withPicture = AdapterOf<TveBtnWnd>(pictured);
  ASSERT_TRUE(withPicture);
  EXPECT_TRUE(withPicture->Painting());
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  SendMessageA(pictured->Handle(), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(icon));
  EXPECT_FALSE(withPicture->Painting());
  SendMessageA(pictured->Handle(), BM_SETIMAGE, IMAGE_ICON, 0);
  EXPECT_TRUE(withPicture->Painting());
  Shown(pictured);
  SetFocus(check->Handle());
  MoveAway();
  EXPECT_EQ(adapter->State(), 0);
  const img::Bitmap32 normal = Shown(button);

  HoverOver(button);
  EXPECT_EQ(adapter->State(), 1);
  const img::Bitmap32 hot = Shown(button);
  EXPECT_FALSE(Same(normal, hot));

  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_EQ(adapter->State(), 2);
  const img::Bitmap32 pressed = Shown(button);
  EXPECT_FALSE(Same(pressed, hot));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(clicks, 1);
  // The click left the focus on the button: hot look with the focus frame.
  EXPECT_EQ(adapter->State(), 1);
  EXPECT_FALSE(Same(Shown(button), hot));

  MoveAway();
  Space(button);
  EXPECT_EQ(clicks, 2);

  SetFocus(check->Handle());
  MoveAway();
  button->SetCaption("Apply &all");
  EXPECT_EQ(adapter->Caption, "Apply &all");
  const img::Bitmap32 renamed = Shown(button);
  EXPECT_FALSE(Same(renamed, normal));

  EnableWindow(button->Handle(), FALSE);
  EXPECT_EQ(adapter->State(), 0);
  const img::Bitmap32 disabled = Shown(button);
  EXPECT_FALSE(Same(disabled, renamed));
  EnableWindow(button->Handle(), TRUE);
  EXPECT_TRUE(Same(Shown(button), renamed));
}

TEST_F(PressAdaptersWinTest, CheckBoxAndRadioButtonToggleAndShowTheSkinsGlyphs) {
  auto* box = AdapterOf<TveCheckBoxWnd>(check);
  auto* round = AdapterOf<TveCheckBoxWnd>(radio);
  ASSERT_TRUE(box && round);
  MoveAway();
  SetFocus(button->Handle());
  EXPECT_EQ(box->GlyphIndex(), GlyphEntry(1));    // BOXUNCHECKED
  EXPECT_EQ(round->GlyphIndex(), GlyphEntry(4));  // RADIOUNCHECKED
  ASSERT_GE(box->GlyphIndex(), 0);
  const img::Bitmap32 unchecked = Shown(check);
  Shown(radio);

  // Clicks go round the three states of a three-state box.
  Click(check);
  EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(box->GlyphIndex(), GlyphEntry(0));  // BOXCHECKED
  EXPECT_FALSE(Same(Shown(check), unchecked));
  Click(check);
  EXPECT_EQ(box->GlyphIndex(), GlyphEntry(2));  // BOXGRAYED
  Shown(check);
  Space(check);
  EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

  Click(radio);
  EXPECT_EQ(SendMessageA(radio->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_EQ(round->GlyphIndex(), GlyphEntry(3));  // RADIOCHECKED
  Shown(radio);

  SetFocus(button->Handle());
  HoverOver(check);
  EXPECT_TRUE(box->Hot());
  Shown(check);
  MoveAway();
  EXPECT_FALSE(box->Hot());
  EnableWindow(check->Handle(), FALSE);
  EXPECT_FALSE(Same(Shown(check), unchecked));
}

TEST_F(PressAdaptersWinTest, RemovingTheSkinGivesThePlatformsLookBack) {
  ASSERT_TRUE(AdapterOf<TveBtnWnd>(button));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  SetFocus(check->Handle());
  MoveAway();
  Pump();
  const int x = button->Width() - 8, y = button->Height() / 2;
  EXPECT_NE(ScreenColor(button->Handle(), x, y), face);

  manager->SetActive(false);
  Pump();
  for (TWinControl* control : {static_cast<TWinControl*>(button), check, radio})
    EXPECT_FALSE(TveMainWnd::AdapterFromHandle(control->Handle()));
  RedrawWindow(form->Handle(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump();
  EXPECT_EQ(ScreenColor(button->Handle(), x, y), face);
  EXPECT_EQ(ScreenColor(check->Handle(), check->Width() - 3, 3), face);
  Click(check);
  EXPECT_EQ(SendMessageA(check->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST(PressLayoutTest, PlacesGlyphsAndCaptionsByTheButtonsStyle) {
  struct Row {
    SIZE window, glyph, text;
    LONG style, exStyle;
    RECT glyphAt, captionAt;
    UINT format;
  } rows[] = {
      {{100, 20}, {13, 13}, {40, 13}, 0, 0, {0, 3, 13, 16}, {17, 2, 57, 16}, DT_SINGLELINE},
      // Two lines taller than the window: the caption starts at the top, one pixel up and left.
      {{100, 20},
       {13, 13},
       {40, 26},
       BS_MULTILINE,
       0,
       {0, 3, 13, 16},
       {16, -1, 56, 19},
       DT_WORDBREAK},
      {{100, 20},
       {13, 13},
       {40, 13},
       BS_LEFTTEXT,
       0,
       {87, 3, 100, 16},
       {2, 3, 42, 17},
       DT_SINGLELINE},
      {{100, 20},
       {13, 13},
       {40, 13},
       BS_LEFTTEXT,
       WS_EX_RTLREADING,
       {87, 3, 100, 16},
       {41, 3, 81, 17},
       DT_SINGLELINE | DT_RIGHT | DT_RTLREADING},
      // A glyph taller than the window overhangs it evenly (the half rounds toward zero).
      {{100, 10}, {13, 13}, {40, 8}, 0, 0, {0, -1, 13, 12}, {17, 0, 57, 8}, DT_SINGLELINE},
  };
  for (const Row& row : rows) {
    TveCheckLayout layout = CheckBoxLayout(row.window, row.glyph, row.text, row.style, row.exStyle);
    EXPECT_TRUE(EqualRect(&layout.Glyph, &row.glyphAt)) << row.style << " " << row.window.cy;
    EXPECT_TRUE(EqualRect(&layout.Caption, &row.captionAt)) << row.style << " " << row.window.cy;
    EXPECT_EQ(layout.Format, row.format) << row.style;
  }
  struct Caption {
    SIZE window, text;
    bool pressed;
    RECT expected;
  } captions[] = {
      {{90, 26}, {30, 13}, false, {29, 6, 62, 20}},
      {{90, 26}, {30, 13}, true, {30, 7, 63, 21}},
      {{90, 26}, {100, 13}, false, {-6, 6, 97, 20}},  // wider than the button
  };
  for (const Caption& c : captions) {
    RECT r = ButtonCaptionRect(c.window, c.text, c.pressed);
    EXPECT_TRUE(EqualRect(&r, &c.expected)) << c.text.cx << " " << c.pressed;
  }
}
