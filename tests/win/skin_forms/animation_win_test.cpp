// Window animations on a real skinned form: the show fade and the hide fade as the layered
// updates record them, the hide timer's own rules, and a skin change in its layered window and
// in the output window used without layered windows; animations left by a throw leave the form
// visible and painting.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <stdexcept>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/forms/sAnimWindow.h"
#include "skin/forms/sBorderForm.h"
#include "skin/forms/sFormAnimations.h"
#include "skin/forms/sHideTimer.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sPaintFlags.h"
#include "skins/StoredSkins.h"
#include "tests/support/LayeredRecorder.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;
using testing_support::LayeredRecorder;

namespace {

// Sees every update before the recorder does: whether the form was held still meanwhile.
struct FreezeProbe final : platform::LayeredWindows {
  HWND form = nullptr;
  std::vector<bool> formShown;
  platform::LayeredWindows* next = Install(this);
  ~FreezeProbe() override { Install(next); }
  bool Available() override { return next->Available(); }
  bool Update(void* window, int x, int y, const img::Bitmap32& picture, uint8_t alpha) override {
    if (window != form) formShown.push_back(IsWindowVisible(form));
    return next->Update(window, x, y, picture, alpha);
  }
  bool UpdateAlpha(void* window, uint8_t alpha) override {
    if (window != form) formShown.push_back(IsWindowVisible(form));
    return next->UpdateAlpha(window, alpha);
  }
  bool SetAlpha(void* window, uint8_t alpha) override { return next->SetAlpha(window, alpha); }
};

// Fails the third frame of an animation window: the animation is left by a throw halfway. Made
// after a recorder, which it hands the other updates to.
struct FailingFrame final : platform::LayeredWindows {
  HWND form = nullptr;
  HWND anim = nullptr;
  int frames = 0;
  platform::LayeredWindows* next = Install(this);
  ~FailingFrame() override { Install(next); }
  bool Available() override { return next->Available(); }
  bool Update(void* window, int x, int y, const img::Bitmap32& picture, uint8_t alpha) override {
    if (window != form && !anim) anim = static_cast<HWND>(window);
    if (window == anim && ++frames == 3) throw std::runtime_error("frame lost");
    return next->Update(window, x, y, picture, alpha);
  }
  bool UpdateAlpha(void* window, uint8_t alpha) override {
    if (window == anim && ++frames == 3) throw std::runtime_error("frame lost");
    return next->UpdateAlpha(window, alpha);
  }
  bool SetAlpha(void* window, uint8_t alpha) override { return next->SetAlpha(window, alpha); }
};

struct AnimationWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsSingle);
    form->SetClientSize(360, 200);
    form->SetBounds(70, 50, form->Width(), form->Height());
    form->SetCaption("Animation test");
    auto* button = new TButton(form.get());
    button->SetBounds(20, 20, 90, 25);
    button->SetCaption("Button");
    button->SetParent(form.get());
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    provider->OnAfterAnimation = [this](TsSkinProvider&, TveAnimEvent event) {
      events.push_back(event);
    };
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  HWND Wnd() { return form->Handle(); }
  RECT WindowRect() {
    RECT r;
    GetWindowRect(Wnd(), &r);
    return r;
  }
  // The per-pixel updates of windows other than the form, in order.
  static std::vector<LayeredRecorder::Record> Frames(const LayeredRecorder& recorder, HWND form) {
    std::vector<LayeredRecorder::Record> frames;
    for (const auto& r : recorder.updates)
      if (r.PerPixel && r.Window != form) frames.push_back(r);
    return frames;
  }
  static std::vector<int> Alphas(const std::vector<LayeredRecorder::Record>& frames) {
    std::vector<int> alphas;
    for (const auto& f : frames) alphas.push_back(f.Alpha);
    return alphas;
  }
  void ExpectAtTheForm(const std::vector<LayeredRecorder::Record>& frames) {
    RECT r = WindowRect();
    for (const auto& f : frames) {
      EXPECT_EQ(f.X, r.left);
      EXPECT_EQ(f.Y, r.top);
      EXPECT_EQ(f.Width, r.right - r.left);
      EXPECT_EQ(f.Height, r.bottom - r.top);
    }
  }
  // Runs the hide timer's ticks until its window has gone (two seconds at most).
  static void WaitForHide() {
    for (int i = 0; i < 200 && HideTimer().AnimWindow(); ++i) {
      Application.ProcessMessages();
      Sleep(10);
    }
  }

  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
  std::vector<TveAnimEvent> events;
};

TEST_F(AnimationWinTest, ShowFadesTheFinalLookInAndLeavesTheFormPlain) {
  manager->AnimEffects.FormShow.Time = 70;
  manager->AnimEffects.FormShow.Mode = TveAnimType::atFading;
  LayeredRecorder recorder;
  form->Show();
  std::vector<LayeredRecorder::Record> frames = Frames(recorder, Wnd());
  // Shown at alpha 0, then six frames; the sixth and the final display would show the fifth's
  // picture at its alpha again, and are not pushed.
  EXPECT_EQ(Alphas(frames), (std::vector<int>{0, 51, 102, 153, 204, 255}));
  ASSERT_FALSE(frames.empty());
  ExpectAtTheForm(frames);
  HWND anim = static_cast<HWND>(frames.front().Window);
  for (const auto& f : frames) EXPECT_EQ(f.Window, anim);
  // The picture is handed over once, while the window is shown; the frames change only the
  // alpha it is shown at.
  std::vector<bool> alphaOnly;
  for (const auto& f : frames) alphaOnly.push_back(f.AlphaOnly);
  EXPECT_EQ(alphaOnly, (std::vector<bool>{false, true, true, true, true, true}));
  EXPECT_FALSE(IsWindow(anim));
  // The form was invisible by its own alpha meanwhile, and is a plain window again.
  ASSERT_FALSE(recorder.updates.empty());
  EXPECT_EQ(recorder.updates.front().Window, Wnd());
  EXPECT_EQ(recorder.updates.front().Alpha, 0);
  EXPECT_FALSE(GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(provider->InAnimation);
  EXPECT_FALSE(AnimationInProgress);
  EXPECT_EQ(events, (std::vector<TveAnimEvent>{TveAnimEvent::aeShowing}));
  // What faded in is what the form looks like, its button included. The button takes the focus
  // only once the form is shown and active; without it the form looks as the last frame did.
  SetFocus(Wnd());
  Pump();
  EXPECT_EQ(frames.back().Checksum, LayeredRecorder::Checksum(*PaintFinalLook(*provider)));
  // A zoom show starts from three quarters of the picture about its centre.
  form->Hide();
  manager->AnimEffects.FormShow.Mode = TveAnimType::atAero;
  recorder.updates.clear();
  form->Show();
  frames = Frames(recorder, Wnd());
  ASSERT_EQ(frames.size(), 8u);
  EXPECT_NE(frames[1].Checksum, frames[6].Checksum);
  EXPECT_EQ(frames[6].Checksum, frames[7].Checksum);
  // Each zoomed frame is a picture of its own.
  for (const auto& f : frames) EXPECT_FALSE(f.AlphaOnly);
}

TEST_F(AnimationWinTest, AFrameObserverSeesEachFrameWithItsTickAndNotBeforeIt) {
  manager->AnimEffects.FormShow.Time = 70;
  manager->AnimEffects.FormShow.Mode = TveAnimType::atFading;
  std::vector<TsFrameTiming> seen;
  SetFrameObserver([&seen](const TsFrameTiming& frame) { seen.push_back(frame); });
  form->Show();
  SetFrameObserver(nullptr);
  // Six frames, the repeated last one too: it is waited for though not pushed again.
  ASSERT_EQ(seen.size(), 6u);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(seen[i].Index, i);
    EXPECT_EQ(seen[i].DueMs, i * kFrameInterval);
    EXPECT_GE(seen[i].ShownMs, seen[i].DueMs);
    EXPECT_EQ(seen[i].ClockStart, seen[0].ClockStart);
  }
  // Once taken away, it hears of no more frames.
  form->Hide();
  form->Show();
  EXPECT_EQ(seen.size(), 6u);
}

TEST_F(AnimationWinTest, HideFadesOutOnTimerTicksAndTellsTheFormOnce) {
  form->Show();
  Pump();
  manager->AnimEffects.FormHide.Time = 60;
  manager->AnimEffects.FormHide.Mode = TveAnimType::atFading;
  RECT shown = WindowRect();
  LayeredRecorder recorder;
  form->Hide();
  // The snapshot's cover stands in for the form; the first frame follows at once.
  std::vector<LayeredRecorder::Record> frames = Frames(recorder, Wnd());
  EXPECT_EQ(Alphas(frames), (std::vector<int>{255, 255, 204}));
  EXPECT_TRUE(events.empty());
  ASSERT_NE(HideTimer().AnimWindow(), nullptr);
  HWND anim = HideTimer().AnimWindow();
  WaitForHide();
  frames = Frames(recorder, Wnd());
  // The last frame repeats the alpha before it and is not pushed.
  EXPECT_EQ(Alphas(frames), (std::vector<int>{255, 255, 204, 153, 102, 51, 0}));
  for (const auto& f : frames) {
    EXPECT_EQ(f.Window, anim);
    EXPECT_EQ(f.X, shown.left);
    EXPECT_EQ(f.Y, shown.top);
    EXPECT_EQ(f.Width, shown.right - shown.left);
  }
  // The timer hands the picture over once, and its ticks change only the alpha it is shown at.
  std::vector<bool> alphaOnly;
  for (const auto& f : frames) alphaOnly.push_back(f.AlphaOnly);
  EXPECT_EQ(alphaOnly, (std::vector<bool>{false, false, true, true, true, true, true}));
  EXPECT_EQ(frames[1].Checksum, frames[0].Checksum);
  EXPECT_FALSE(IsWindow(anim));
  EXPECT_EQ(events, (std::vector<TveAnimEvent>{TveAnimEvent::aeHiding}));
  EXPECT_EQ(provider->HideCover, nullptr);

  // A new hide ends the running one at once, without telling its form; one without time for a
  // frame frees its window and picture and tells nobody.
  events.clear();
  form->Show();
  Pump();
  form->Hide();
  HWND running = HideTimer().AnimWindow();
  ASSERT_NE(running, nullptr);
  HWND quick =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  recorder.updates.clear();
  StartHideAnimation(quick, std::make_unique<img::Bitmap32>(50, 50), 11, Wnd(),
                     TveAnimType::atFading, 255);
  EXPECT_FALSE(IsWindow(running));
  EXPECT_FALSE(IsWindow(quick));
  EXPECT_EQ(HideTimer().AnimWindow(), nullptr);
  EXPECT_TRUE(recorder.updates.empty());
  // Nor does one given a window but no picture, however long its time.
  HWND blank =
      CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  StartHideAnimation(blank, nullptr, 12, Wnd(), TveAnimType::atFading, 255);
  EXPECT_FALSE(IsWindow(blank));
  EXPECT_EQ(HideTimer().AnimWindow(), nullptr);
  EXPECT_TRUE(recorder.updates.empty());
  WaitForHide();
  EXPECT_TRUE(events.empty());

  // A zoom hide shrinks the picture: each tick hands a frame of its own over.
  manager->AnimEffects.FormHide.Mode = TveAnimType::atAero;
  form->Show();
  Pump();
  recorder.updates.clear();
  form->Hide();
  WaitForHide();
  frames = Frames(recorder, Wnd());
  ASSERT_EQ(frames.size(), 8u);
  for (size_t i = 2; i < frames.size(); ++i) EXPECT_FALSE(frames[i].AlphaOnly) << i;
  for (size_t i = 3; i < frames.size(); ++i)
    EXPECT_NE(frames[i].Checksum, frames[i - 1].Checksum) << i;
}

TEST_F(AnimationWinTest, SkinChangeFadesTheNewLookInOverTheFrozenForm) {
  form->Show();
  Pump();
  LayeredRecorder recorder;
  // The probe sees each update first, then hands it to the recorder.
  FreezeProbe probe;
  probe.form = Wnd();
  std::vector<std::string> names;
  manager->GetSkinNames(names, TsSkinListKind::sklFolders);
  ASSERT_GE(names.size(), 2u);
  manager->SetSkinName(names.front());
  std::vector<LayeredRecorder::Record> frames = Frames(recorder, Wnd());
  // 100 ms: shown at alpha 0, then nine frames of an eighth each; the ninth repeats the eighth.
  EXPECT_EQ(Alphas(frames), (std::vector<int>{0, 32, 64, 96, 128, 159, 191, 223, 255}));
  ExpectAtTheForm(frames);
  ASSERT_FALSE(frames.empty());
  EXPECT_FALSE(IsWindow(static_cast<HWND>(frames.front().Window)));
  // The old look stayed on the screen: the form was held still through every frame.
  EXPECT_EQ(probe.formShown, std::vector<bool>(frames.size(), false));
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(provider->InAnimation);
  EXPECT_FALSE(provider->FormStateFlags & TsSkinProvider::kFrozenForChange);
  EXPECT_FALSE(AnimationInProgress);
  EXPECT_EQ(frames.back().Checksum, LayeredRecorder::Checksum(*PaintFinalLook(*provider)));
}

TEST_F(AnimationWinTest, SkinChangeWithoutLayeredWindowsCrossFadesInTheOutputWindow) {
  form->Show();
  Pump();
  std::vector<std::string> names;
  manager->GetSkinNames(names, TsSkinListKind::sklFolders);
  ASSERT_GE(names.size(), 3u);
  LayeredRecorder recorder;
  recorder.available = false;
  // No time for a fade: the new look at once, never a division by no steps.
  for (int time : {100, 0}) {
    SCOPED_TRACE(time);
    manager->AnimEffects.SkinChanging.Time = uint16_t(time);
    manager->SetSkinName(names[time ? 1 : 2]);
    EXPECT_EQ(FindWindowA("TOutputWindow", "veOutputWindow"), nullptr);
    EXPECT_TRUE(IsWindowVisible(Wnd()));
    EXPECT_FALSE(AnimationInProgress);
    EXPECT_FALSE(provider->InAnimation);
  }
  EXPECT_TRUE(Frames(recorder, Wnd()).empty());
}

}  // namespace

namespace {

TEST_F(AnimationWinTest, WithABorderWindowTheFramesCoverItAndTheOldFrameFadesOutLast) {
  manager->SetExtendedBorders(true);
  manager->AnimEffects.FormShow.Time = 36;
  manager->AnimEffects.FormShow.Mode = TveAnimType::atFading;
  LayeredRecorder recorder;
  form->Show();
  Pump();
  TveBorderForm* border = provider->BorderForm();
  ASSERT_NE(border, nullptr);
  HWND borderWnd = border->WindowIfAny();
  ASSERT_NE(borderWnd, nullptr);
  RECT around;
  GetWindowRect(borderWnd, &around);
  // The show's frames stand where the border window stands, at its size.
  std::vector<LayeredRecorder::Record> shown;
  for (const auto& r : Frames(recorder, Wnd()))
    if (r.Window != borderWnd) shown.push_back(r);
  EXPECT_EQ(Alphas(shown), (std::vector<int>{0, 85, 170, 255}));
  for (const auto& f : shown) {
    EXPECT_EQ(f.X, around.left);
    EXPECT_EQ(f.Y, around.top);
    EXPECT_EQ(f.Width, around.right - around.left);
    EXPECT_EQ(f.Height, around.bottom - around.top);
  }
  EXPECT_EQ(events, (std::vector<TveAnimEvent>{TveAnimEvent::aeShowing}));

  // A skin change: the border window keeps the old frame fully visible until the new look is
  // past two thirds, then fades it out; afterwards it shows the new frame.
  manager->AnimEffects.SkinChanging.Time = 120;
  std::vector<std::string> names;
  manager->GetSkinNames(names, TsSkinListKind::sklFolders);
  ASSERT_GE(names.size(), 2u);
  recorder.updates.clear();
  manager->SetSkinName(names.front());
  std::vector<int> newLook, oldLook;
  std::vector<bool> oldAlphaOnly;
  for (const auto& r : Frames(recorder, Wnd())) {
    (r.Window == borderWnd ? oldLook : newLook).push_back(r.Alpha);
    if (r.Window == borderWnd) oldAlphaOnly.push_back(r.AlphaOnly);
  }
  EXPECT_EQ(newLook, (std::vector<int>{0, 26, 51, 76, 102, 128, 153, 178, 204, 230, 255}));
  // Its alpha set again only when it changes, its picture never handed over again.
  ASSERT_GE(oldLook.size(), 5u);
  EXPECT_EQ(std::vector<int>(oldLook.begin(), oldLook.begin() + 5),
            (std::vector<int>{255, 231, 153, 75, 0}));
  EXPECT_EQ(std::vector<bool>(oldAlphaOnly.begin(), oldAlphaOnly.begin() + 5),
            std::vector<bool>(5, true));
  // Then the border window shows the new frame at full alpha.
  EXPECT_EQ(oldLook.back(), 255);
  EXPECT_EQ(provider->BorderForm()->WindowIfAny(), borderWnd);
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(AnimationInProgress);
}

}  // namespace

namespace {

// What a window shows, its children included, in window coordinates.
std::unique_ptr<img::Bitmap32> WindowPixels(HWND wnd) {
  RECT r;
  GetWindowRect(wnd, &r);
  auto pixels = std::make_unique<img::Bitmap32>(r.right - r.left, r.bottom - r.top);
  HDC dc = GetWindowDC(wnd);
  BitBlt(pixels->DC(), 0, 0, pixels->Width(), pixels->Height(), dc, 0, 0, SRCCOPY);
  ReleaseDC(wnd, dc);
  GdiFlush();
  for (int y = 0; y < pixels->Height(); ++y)
    for (int x = 0; x < pixels->Width(); ++x) pixels->Pixel(x, y).A = 0;
  return pixels;
}

// Counts the paints a window is sent; one window at a time.
struct PaintCounter {
  static inline int paints = 0;
  static inline WNDPROC original = nullptr;
  HWND wnd;
  explicit PaintCounter(HWND w) : wnd(w) {
    paints = 0;
    original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Proc)));
  }
  ~PaintCounter() { SetWindowLongPtrA(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original)); }
  static LRESULT CALLBACK Proc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_PAINT) ++paints;
    return CallWindowProcA(original, w, msg, wParam, lParam);
  }
};

TEST_F(AnimationWinTest, AfterTheShowTheFormShowsTheFadedPictureWithoutPaintingAgain) {
  manager->AnimEffects.FormShow.Time = 36;
  manager->AnimEffects.FormShow.Mode = TveAnimType::atFading;
  for (bool borderWindow : {false, true}) {
    SCOPED_TRACE(borderWindow);
    manager->SetExtendedBorders(borderWindow);
    HWND button = GetWindow(Wnd(), GW_CHILD);
    ASSERT_NE(button, nullptr);
    std::unique_ptr<img::Bitmap32> shown;
    {
      PaintCounter counter(button);
      form->Show();
      EXPECT_EQ(provider->BorderForm() != nullptr, borderWindow);
      // The picture the frames showed is on the form; nothing is left for it to paint.
      EXPECT_EQ(PaintCounter::paints, 0);
      EXPECT_FALSE(GetUpdateRect(Wnd(), nullptr, FALSE));
      EXPECT_FALSE(GetUpdateRect(button, nullptr, FALSE));
      shown = WindowPixels(Wnd());
      // Painting everything again gives the same pixels, the client's edges around the button
      // included.
      RedrawWindow(Wnd(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
      EXPECT_EQ(PaintCounter::paints, 1);
    }
    EXPECT_EQ(LayeredRecorder::Checksum(*shown), LayeredRecorder::Checksum(*WindowPixels(Wnd())));
    form->Hide();
    WaitForHide();
  }
}

// The paint messages the form and its children get, sent or dispatched; one form at a time.
struct FormPaints {
  static inline HWND form = nullptr;
  static inline int count = 0;
  HHOOK sent = SetWindowsHookExA(WH_CALLWNDPROC, Sent, nullptr, GetCurrentThreadId());
  HHOOK dispatched = SetWindowsHookExA(WH_GETMESSAGE, Dispatched, nullptr, GetCurrentThreadId());
  explicit FormPaints(HWND wnd) {
    form = wnd;
    count = 0;
  }
  ~FormPaints() {
    UnhookWindowsHookEx(sent);
    UnhookWindowsHookEx(dispatched);
  }
  static void See(HWND wnd, UINT msg) {
    if ((msg == WM_PAINT || msg == WM_NCPAINT) && (wnd == form || IsChild(form, wnd))) ++count;
  }
  static LRESULT CALLBACK Sent(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION) See(m->hwnd, m->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
  static LRESULT CALLBACK Dispatched(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE) See(m->hwnd, m->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
  }
};

// Moves the form a little at the third update of another window (a fade's frame), when asked.
// Made after a recorder, which it hands the updates to.
struct MovingFrame final : platform::LayeredWindows {
  HWND form = nullptr;
  bool move = false;
  int updates = 0;
  platform::LayeredWindows* next = Install(this);
  ~MovingFrame() override { Install(next); }
  void Step(void* window) {
    RECT r;
    if (move && window != form && ++updates == 3 && GetWindowRect(form, &r))
      SetWindowPos(form, nullptr, r.left + 7, r.top + 5, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  bool Available() override { return next->Available(); }
  bool Update(void* window, int x, int y, const img::Bitmap32& picture, uint8_t alpha) override {
    Step(window);
    return next->Update(window, x, y, picture, alpha);
  }
  bool UpdateAlpha(void* window, uint8_t alpha) override {
    Step(window);
    return next->UpdateAlpha(window, alpha);
  }
  bool SetAlpha(void* window, uint8_t alpha) override { return next->SetAlpha(window, alpha); }
};

// The window's region as its data; empty without one.
std::vector<char> RegionBytes(HWND wnd) {
  std::vector<char> bytes;
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  if (GetWindowRgn(wnd, region) != ERROR) {
    bytes.resize(GetRegionData(region, 0, nullptr));
    GetRegionData(region, DWORD(bytes.size()), reinterpret_cast<RGNDATA*>(bytes.data()));
  }
  DeleteObject(region);
  return bytes;
}

// After the fade the form takes its last frame as its look, with the new skin's shape; a form
// moved meanwhile paints itself instead. Either way a forced full repaint changes nothing.
TEST_F(AnimationWinTest, AfterASkinChangeTheFormShowsTheFadedPictureWithoutPaintingAgain) {
  manager->AnimEffects.FormShow.Time = 36;
  std::vector<std::string> names;
  manager->GetSkinNames(names, TsSkinListKind::sklFolders);
  const struct {
    bool borderWindow, moved;
  } rows[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  ASSERT_GE(names.size(), std::size(rows));
  for (size_t i = 0; i < std::size(rows); ++i) {
    SCOPED_TRACE(testing::Message()
                 << "border window " << rows[i].borderWindow << ", moved " << rows[i].moved);
    manager->SetExtendedBorders(rows[i].borderWindow);
    form->Show();
    Pump();
    ASSERT_EQ(provider->BorderForm() != nullptr, rows[i].borderWindow);
    std::unique_ptr<img::Bitmap32> shown;
    std::vector<char> shape;
    TveBorderForm* border = provider->BorderForm();
    const unsigned composed = border ? border->Composed() : 0;
    {
      LayeredRecorder recorder;
      MovingFrame moving;
      moving.form = Wnd();
      moving.move = rows[i].moved;
      FormPaints paints(Wnd());
      manager->SetSkinName(names[i]);
      EXPECT_EQ(paints.count > 0, rows[i].moved);
      // The border window shows the picture the fade began from, composed once.
      if (border && !rows[i].moved) {
        EXPECT_EQ(border->Composed() - composed, 1u);
      }
      if (border) {
        img::Bitmap32 again;
        border->ComposeInto(again);
        EXPECT_EQ(LayeredRecorder::Checksum(again), LayeredRecorder::Checksum(border->Picture()));
      }
      EXPECT_FALSE(GetUpdateRect(Wnd(), nullptr, FALSE));
      EXPECT_FALSE(GetUpdateRect(GetWindow(Wnd(), GW_CHILD), nullptr, FALSE));
      shown = WindowPixels(Wnd());
      shape = RegionBytes(Wnd());
    }
    RedrawWindow(Wnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    EXPECT_EQ(LayeredRecorder::Checksum(*shown), LayeredRecorder::Checksum(*WindowPixels(Wnd())));
    EXPECT_EQ(shape, RegionBytes(Wnd()));
    form->Hide();
    WaitForHide();
  }
}

TEST_F(AnimationWinTest, AnAnimationLeftByAThrowLeavesTheFormShownAndPainting) {
  // The show fade: the form was made transparent for it.
  manager->AnimEffects.FormShow.Time = 70;
  {
    form->HandleNeeded();
    LayeredRecorder recorder;
    FailingFrame failing;
    failing.form = Wnd();
    EXPECT_THROW(form->Show(), std::runtime_error);
    EXPECT_TRUE(IsWindowVisible(Wnd()));
    EXPECT_FALSE(GetWindowLongA(Wnd(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_FALSE(provider->InAnimation);
    EXPECT_FALSE(AnimationInProgress);
    ASSERT_NE(failing.anim, nullptr);
    EXPECT_FALSE(IsWindow(failing.anim));
  }
  Pump();
  // The skin change: the form was held still for it.
  std::vector<std::string> names;
  manager->GetSkinNames(names, TsSkinListKind::sklFolders);
  ASSERT_GE(names.size(), 2u);
  LayeredRecorder recorder;
  FailingFrame failing;
  failing.form = Wnd();
  EXPECT_THROW(manager->SetSkinName(names.front()), std::runtime_error);
  EXPECT_TRUE(IsWindowVisible(Wnd()));
  EXPECT_FALSE(provider->InAnimation);
  EXPECT_FALSE(provider->FormStateFlags & TsSkinProvider::kFrozenForChange);
  EXPECT_FALSE(AnimationInProgress);
  ASSERT_NE(failing.anim, nullptr);
  EXPECT_FALSE(IsWindow(failing.anim));
}

}  // namespace
