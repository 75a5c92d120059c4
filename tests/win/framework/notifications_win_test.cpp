// The notifications a handler in front of WindowProc sees, reflected notifications, painting of
// whole trees, and errors raised while painting.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Application.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/Hints.h"
#include "framework/StdCtrls.h"
#include "tests/support/FakeHost.h"
#include "tests/win/framework/FormFixture.h"

using namespace fw;

namespace {

struct Seen {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  bool operator==(const Seen&) const = default;
};

// Records the framework's own messages reaching a control, in front of its WindowProc.
std::shared_ptr<std::vector<Seen>> Watch(TControl& control, bool visibleAtShowing = false) {
  auto seen = std::make_shared<std::vector<Seen>>();
  TWndMethod previous = control.WindowProc;
  control.WindowProc = [seen, previous, &control, visibleAtShowing](TMessage& m) {
    if (m.Msg >= CM_BASE && m.Msg < CN_BASE + 0x400) seen->push_back({m.Msg, m.WParam, m.LParam});
    previous(m);
    // Shows whether the window was already up when the handler passed the message on.
    if (visibleAtShowing && m.Msg == CM_SHOWINGCHANGED)
      seen->push_back(
          {WM_SHOWWINDOW,
           static_cast<WPARAM>(IsWindowVisible(static_cast<TWinControl&>(control).Handle())), 0});
  };
  return seen;
}

// Only the CM_ notifications, without the reflected ones that painting brings.
std::vector<Seen> Notifications(const std::vector<Seen>& seen) {
  std::vector<Seen> notifications;
  for (const Seen& s : seen)
    if (s.msg < CN_BASE) notifications.push_back(s);
  return notifications;
}

bool Has(const std::vector<Seen>& seen, UINT msg, WPARAM wParam, LPARAM lParam) {
  return std::find(seen.begin(), seen.end(), Seen{msg, wParam, lParam}) != seen.end();
}

struct NotifyTest : framework_test::FormTest {
  void SetUp() override {
    FormTest::SetUp();
    label = new TLabel(form.get());
    label->SetAutoSize(false);
    label->SetBounds(120, 10, 60, 13);
    label->SetParent(form.get());
  }
  TLabel* label = nullptr;
};

TEST_F(NotifyTest, StateChangesReachTheHandlerInFrontAndAFormShowsInsideItsShowingChange) {
  auto onForm = Watch(*form, true);
  auto onButton = Watch(*button);
  form->Show();
  // The form's window appears in the default handling, so a handler acts before and after it.
  ASSERT_TRUE(Has(*onForm, CM_SHOWINGCHANGED, 1, 0));
  EXPECT_TRUE(Has(*onForm, WM_SHOWWINDOW, TRUE, 0));
  EXPECT_TRUE(Has(*onButton, CM_SHOWINGCHANGED, 1, 0)) << "children show with their form";

  onButton->clear();
  button->SetEnabled(false);
  button->SetVisible(false);
  button->SetCaption("Other");
  button->Font().SetStyle(fsBold);
  // Disabling a window cancels its modes (the platform sends WM_CANCELMODE) before it reports.
  EXPECT_EQ(Notifications(*onButton), (std::vector<Seen>{{CM_CANCELMODE, 0, 0},
                                                         {CM_ENABLEDCHANGED, 0, 0},
                                                         {CM_VISIBLECHANGED, 0, 0},
                                                         {CM_SHOWINGCHANGED, 0, 0},
                                                         {CM_TEXTCHANGED, 0, 0},
                                                         {CM_FONTCHANGED, 0, 0}}));
  EXPECT_FALSE(IsWindowEnabled(button->Handle()));
  EXPECT_FALSE(IsWindowVisible(button->Handle()));

  onButton->clear();
  form->Hide();
  button->SetVisible(true);  // within a hidden form: visible, not showing
  EXPECT_EQ(Notifications(*onButton), (std::vector<Seen>{{CM_VISIBLECHANGED, 1, 0}}));
  form->Show();
  EXPECT_TRUE(IsWindowVisible(button->Handle()));
}

TEST_F(NotifyTest, HoverEntersAndLeavesWindowedAndWindowlessControlsAndShowsTheirHints) {
  auto onForm = Watch(*form);
  auto onLabel = Watch(*label);
  label->SetHint("Device count");
  label->SetShowHint(true);
  SetHintPause(0);
  form->Show();
  auto asL = [](TControl* c) { return reinterpret_cast<LPARAM>(c); };

  form->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(125, 12));
  EXPECT_TRUE(form->MouseInControl());
  EXPECT_TRUE(label->MouseInControl());
  EXPECT_TRUE(Has(*onLabel, CM_MOUSEENTER, 0, asL(label)));
  EXPECT_TRUE(Has(*onForm, CM_MOUSEENTER, 0, asL(form.get())));
  EXPECT_TRUE(Has(*onForm, CM_MOUSEENTER, 0, asL(label))) << "a parent hears of its children";
  EXPECT_TRUE(IsWindowVisible(HintWindow()));
  char text[64] = {};
  TOOLINFOA tool = {};
  tool.cbSize = sizeof tool;
  tool.hwnd = HintWindow();
  tool.uId = 1;
  tool.lpszText = text;
  SendMessageA(HintWindow(), TTM_GETTEXTA, sizeof text, reinterpret_cast<LPARAM>(&tool));
  EXPECT_STREQ(text, "Device count");

  form->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(250, 150));
  EXPECT_FALSE(label->MouseInControl());
  EXPECT_TRUE(Has(*onLabel, CM_MOUSELEAVE, 0, asL(label)));
  EXPECT_FALSE(IsWindowVisible(HintWindow()));
  form->SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(form->MouseInControl());

  auto onButton = Watch(*button);
  button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  button->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  button->SendMessage(WM_MOUSELEAVE);
  EXPECT_EQ(*onButton,
            (std::vector<Seen>{{CM_MOUSEENTER, 0, asL(button)}, {CM_MOUSELEAVE, 0, asL(button)}}));

  // A control released under the mouse takes its hover and its hint with it.
  form->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(125, 12));
  delete label;
  form->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(126, 12));
  form->SendMessage(WM_MOUSELEAVE);
  EXPECT_FALSE(IsWindowVisible(HintWindow()));
  SetHintPause(500);
}

TEST_F(NotifyTest, ContainersHearOfTheirControlsAndRecreatedWindowsKeepTheirState) {
  auto onForm = Watch(*form);
  auto* other = new TButton(form.get());
  other->SetParent(form.get());
  auto asW = [](TControl* c) { return reinterpret_cast<WPARAM>(c); };
  EXPECT_TRUE(Has(*onForm, CM_CONTROLLISTCHANGE, asW(other), 1));
  delete other;
  EXPECT_TRUE(Has(*onForm, CM_CONTROLLISTCHANGE, asW(other), 0));

  auto* menu = new TMainMenu(form.get());
  auto* top = new TMenuItem(form.get());
  top->SetCaption("File");
  menu->Items()->Add(top);
  form->SetMenu(menu);
  form->Show();
  button->SetCaption("Keep");
  auto onButton = Watch(*button);
  HWND oldForm = form->Handle(), oldButton = button->Handle();
  form->RecreateWnd();
  EXPECT_TRUE(Has(*onForm, CM_RECREATEWND, 0, 0));
  EXPECT_FALSE(IsWindow(oldForm));
  EXPECT_FALSE(IsWindow(oldButton));
  ASSERT_TRUE(button->HandleAllocated());
  EXPECT_NE(button->Handle(), oldButton);
  EXPECT_EQ(button->SendMessage(WM_GETTEXTLENGTH), 4) << "through the same WindowProc chain";
  EXPECT_EQ(GetMenu(form->Handle()), menu->Handle()) << "the menu outlives the old window";
  EXPECT_TRUE(IsWindowVisible(form->Handle()));
  EXPECT_EQ(form->ClientWidth(), 300);
}

// An owner-drawn button: the platform asks its parent to draw it.
class TDrawnButton : public TButton {
 public:
  using TButton::TButton;

 protected:
  void CreateParams(TCreateParams& params) override {
    TButton::CreateParams(params);
    params.Style = (params.Style & ~0xFu) | BS_OWNERDRAW;
  }
};

TEST_F(NotifyTest, NotificationsToTheParentAreReflectedToTheirControlOrTakeTheDefault) {
  auto* drawn = new TDrawnButton(form.get());
  drawn->SetBounds(10, 50, 80, 25);
  drawn->SetParent(form.get());
  auto* list = new TListView(form.get());
  list->SetBounds(10, 90, 200, 100);
  list->AddColumn("Device", 100);
  list->SetParent(form.get());
  list->Add("One");
  auto onDrawn = Watch(*drawn);
  std::vector<DWORD> stages;
  TWndMethod previous = list->WindowProc;
  list->WindowProc = [&stages, previous](TMessage& m) {
    previous(m);
    auto* header = reinterpret_cast<NMHDR*>(m.LParam);
    if (m.Msg == CN_NOTIFY && header->code == static_cast<UINT>(NM_CUSTOMDRAW)) {
      DWORD stage = reinterpret_cast<NMCUSTOMDRAW*>(m.LParam)->dwDrawStage;
      stages.push_back(stage);
      if (stage == CDDS_PREPAINT) m.Result = CDRF_NOTIFYITEMDRAW;
    }
  };
  form->Show();
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_TRUE(std::any_of(onDrawn->begin(), onDrawn->end(),
                          [](const Seen& s) { return s.msg == CN_DRAWITEM; }));
  // The answer to the first stage went back to the list view, which then asked for each item.
  EXPECT_TRUE(std::count(stages.begin(), stages.end(), CDDS_ITEMPREPAINT) >= 1);
  // Unanswered, a control colour request gets the parent's platform answer (a brush).
  HDC dc = GetDC(drawn->Handle());
  EXPECT_NE(drawn->Perform(CN_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(drawn->Handle())),
            0);
  ReleaseDC(drawn->Handle(), dc);

  // Keys go to the focused control first; one it takes never reaches the menu.
  auto* menu = new TMainMenu(form.get());
  auto* top = new TMenuItem(form.get());
  auto* item = new TMenuItem(form.get());
  int clicks = 0;
  item->SetShortCut(ShortCut(VK_F9));
  item->OnClick = [&](TObject*) { ++clicks; };
  top->Add(item);
  menu->Items()->Add(top);
  form->SetMenu(menu);
  TWndMethod buttonPrevious = button->WindowProc;
  bool takeKeys = true;
  button->WindowProc = [&](TMessage& m) {
    if (m.Msg == CN_KEYDOWN && m.WParam == VK_F9 && takeKeys)
      m.Result = 1;
    else
      buttonPrevious(m);
  };
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_F9, 0);
  Application.ProcessMessages();
  EXPECT_EQ(clicks, 0);
  takeKeys = false;
  PostMessageA(button->Handle(), WM_KEYDOWN, VK_F9, 0);
  Application.ProcessMessages();
  EXPECT_EQ(clicks, 1);
  list->WindowProc = previous;
  button->WindowProc = buttonPrevious;
}

TEST_F(NotifyTest, PaintToDrawsTheWholeTreeThroughEachControlsMessages) {
  form->SetColor(RGB(200, 0, 0));
  label->SetColor(RGB(0, 0, 200));
  auto* box = new TGroupBox(form.get());
  box->SetBounds(150, 100, 100, 60);
  box->SetParent(form.get());
  box->SetColor(RGB(0, 200, 0));
  form->Show();
  int w = form->Width(), h = form->Height();
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, w + 20, h + 20);
  ReleaseDC(nullptr, screen);
  HGDIOBJ old = SelectObject(dc, bitmap);
  form->PaintTo(dc, 20, 20);
  RECT window;
  GetWindowRect(form->Handle(), &window);
  POINT client{0, 0};
  ClientToScreen(form->Handle(), &client);
  int ox = 20 + client.x - window.left, oy = 20 + client.y - window.top;
  EXPECT_EQ(GetPixel(dc, ox + 250, oy + 50), RGB(200, 0, 0)) << "the form's background";
  EXPECT_EQ(GetPixel(dc, ox + 121, oy + 11), RGB(0, 0, 200)) << "a windowless child";
  EXPECT_EQ(GetPixel(dc, ox + 200, oy + 140), RGB(0, 200, 0)) << "a windowed child";
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
}

// A windowless control whose painting fails.
class TBrokenPainter : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;

 protected:
  void Paint(TCanvas&) override { throw std::runtime_error("cannot paint"); }
};

// Notes whether a box was asked for while the form was painting.
struct PaintWatchHost : testing_support::FakeHost {
  int ShowMessage(void* owner, const std::string& text, const std::string& caption,
                  unsigned flags) override {
    shownWhilePainting = shownWhilePainting || painting;
    return FakeHost::ShowMessage(owner, text, caption, flags);
  }
  bool painting = false, shownWhilePainting = false;
};

TEST_F(NotifyTest, AnErrorWhilePaintingIsReportedOnceAfterThePaint) {
  PaintWatchHost host;
  auto* broken = new TBrokenPainter(form.get());
  broken->SetBounds(0, 100, 50, 50);
  broken->SetParent(form.get());
  TWndMethod previous = form->WindowProc;
  form->WindowProc = [&, previous](TMessage& m) {
    struct Restore {
      bool& flag;
      bool value;
      ~Restore() { flag = value; }
    } restore{host.painting, host.painting};
    host.painting = host.painting || m.Msg == WM_PAINT;
    previous(m);
  };
  form->Show();
  for (int i = 0; i < 3; ++i) {
    InvalidateRect(form->Handle(), nullptr, TRUE);
    UpdateWindow(form->Handle());
  }
  EXPECT_TRUE(host.messages.empty()) << "nothing is shown inside the paint";
  Application.ProcessMessages();
  ASSERT_EQ(host.messages.size(), 1u);
  EXPECT_EQ(host.messages[0].text, "cannot paint");
  EXPECT_FALSE(host.shownWhilePainting);
  EXPECT_FALSE(GetUpdateRect(form->Handle(), nullptr, FALSE)) << "the failed paint is not retried";
  form->WindowProc = previous;
}

// A handler that counts how often it is copied.
struct CountingHandler {
  TWndMethod previous;
  int* copies;
  CountingHandler(TWndMethod p, int* c) : previous(std::move(p)), copies(c) {}
  CountingHandler(const CountingHandler& other) : previous(other.previous), copies(other.copies) {
    ++*copies;
  }
  void operator()(TMessage& m) const { previous(m); }
};

TEST_F(NotifyTest, MessagesDoNotCopyTheHandlerChain) {
  int copies = 0;
  for (int layer = 0; layer < 3; ++layer)
    button->WindowProc = CountingHandler(button->WindowProc, &copies);
  int before = copies;
  for (int i = 0; i < 20; ++i) button->SendMessage(WM_GETTEXTLENGTH);
  button->Perform(WM_GETTEXTLENGTH);
  EXPECT_EQ(copies, before);
}

}  // namespace
