// The skin manager against real windows: the order of a broadcast over framework forms and their
// children, hover commands, the creation hook, and the main window's minimise and activation.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinWindowsWin32.h"

using namespace fw;

namespace {

using Log = std::vector<std::string>;

struct ManagerWinTest : ::testing::Test {
  // Records the skin commands a control receives under its name; a skinned one answers
  // CmdIsSkinned (and, as a form's provider would, CmdGetProvider).
  void Watch(TControl* control, const std::string& name, bool skinned = false) {
    TWndMethod previous = control->WindowProc;
    control->WindowProc = [this, previous, name, skinned](TMessage& m) {
      if (m.Msg != SkinCommandMsg) return previous(m);
      uint16_t command = HIWORD(m.WParam);
      if (command == CmdIsSkinned || command == CmdGetProvider) {
        m.Result = skinned ? 1 : 0;
        return;
      }
      log.push_back(name + ":" + std::to_string(command) + (m.LParam ? "" : "/0"));
    };
  }

  TForm* MakeForm(const std::string& name, bool skinned = false) {
    auto& form = forms.emplace_back(std::make_unique<TForm>(nullptr));
    form->SetClientSize(200, 100);
    Watch(form.get(), name, skinned);
    form->Show();
    return form.get();
  }

  void TearDown() override {
    manager.reset();
    ProviderForms().clear();
    Win32ManagerHooks() = {};
  }

  std::vector<std::unique_ptr<TForm>> forms;
  std::unique_ptr<TsSkinManager> manager;
  Log log;
};

TEST_F(ManagerWinTest, BroadcastReachesFormsLastFirstThenTheirChildrenThenProviderForms) {
  TForm* first = MakeForm("first");
  auto* box = new TGroupBox(first);  // not skinned: its children are walked
  box->SetBounds(0, 0, 100, 60);
  box->SetParent(first);
  auto* inner = new TLabel(first);
  inner->SetParent(box);
  Watch(inner, "inner");
  Watch(box, "box");
  auto* skinnedButton = new TButton(first);
  skinnedButton->SetParent(first);
  Watch(skinnedButton, "button", true);
  auto* label = new TLabel(first);
  label->SetParent(first);
  Watch(label, "label");
  MakeForm("provided", true);  // answers for itself: reached as a provider's form only
  MakeForm("last");
  ProviderForms().push_back(forms[1].get());
  box->HandleNeeded();
  skinnedButton->HandleNeeded();

  manager = std::make_unique<TsSkinManager>(nullptr);
  manager->ApplySkin(false);
  EXPECT_EQ(log, (Log{"last:1", "first:1", "inner:1", "button:1", "label:1", "provided:1"}));

  log.clear();
  manager->RefreshSkin(false);
  EXPECT_EQ(log, (Log{"last:16", "first:16", "inner:16", "button:16", "label:16", "last:3",
                      "first:3", "inner:3", "button:3", "label:3"}));
}

TEST_F(ManagerWinTest, HoverMovesTellTheOldWindowFirst) {
  TForm* a = MakeForm("a");
  TForm* b = MakeForm("b");
  manager = std::make_unique<TsSkinManager>(nullptr);
  manager->SetHotWindow(a->Handle());
  manager->SetHotWindow(a->Handle());
  manager->SetHotWindow(b->Handle());
  EXPECT_EQ(log, (Log{"a:29", "a:30", "b:29"}));
}

TEST_F(ManagerWinTest, CreationHookWatchesNewWindowsWhileASkinIsApplied) {
  int created = 0;
  Win32ManagerHooks().WindowCreating = [&](HWND, CBT_CREATEWNDA*) { ++created; };
  manager = std::make_unique<TsSkinManager>(nullptr);
  manager->SetSkinName("anything");  // nothing to load: the manager stops
  MakeForm("before");
  EXPECT_EQ(created, 0);
  manager->ApplySkin(false);
  MakeForm("during");
  EXPECT_EQ(created, 1);
  manager->RemoveSkin();
  MakeForm("after");
  EXPECT_EQ(created, 1);
}

TEST_F(ManagerWinTest, HotControlOnAnotherFormIsForgottenWhenThatFormIsDestroyed) {
  TForm* main = MakeForm("main");
  manager = std::make_unique<TsSkinManager>(main);
  // A windowless control owned by another form: the manager's owner never hears of it.
  auto other = std::make_unique<TForm>(nullptr);
  auto* label = new TLabel(other.get());
  label->SetParent(other.get());
  Watch(label, "label");
  manager->SetHotControl(label);
  ASSERT_EQ(manager->HotControl(), label);
  other.reset();
  EXPECT_EQ(manager->HotControl(), nullptr);
  // Neither move touches the destroyed control: it is no longer hot.
  manager->SetHotWindow(main->Handle());
  manager->SetHotControl(nullptr);
  EXPECT_EQ(manager->HotControl(), nullptr);
  EXPECT_EQ(manager->HotWindow(), main->Handle());
  EXPECT_EQ(log, Log{"main:29"});
}

TEST_F(ManagerWinTest, FormerDefaultNoLongerWatchesTheMainWindowOnceDestroyed) {
  TForm* main = MakeForm("main", true);
  int created = 0, animations = 0;
  Win32ManagerHooks().WindowCreating = [&](HWND, CBT_CREATEWNDA*) { ++created; };
  Win32ManagerHooks().DrawsNonClient = [](LRESULT provider) { return provider == 1; };
  Win32ManagerHooks().StartMinimizeAnimation = [&](LRESULT) { ++animations; };
  auto first = std::make_unique<TsSkinManager>(main);  // the default: it watches the form
  ASSERT_TRUE(first->IsDefault());
  first->ApplySkin(false);
  manager = std::make_unique<TsSkinManager>(nullptr);
  manager->SetIsDefault(true);
  EXPECT_FALSE(first->IsDefault());
  first.reset();
  EXPECT_TRUE(manager->IsDefault());

  // The minimise goes to the form's own handling alone: no manager notes it or animates it.
  main->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(main->Handle()));
  EXPECT_EQ(animations, 0);
  EXPECT_EQ(manager->AppSysCommand, 0);
  ShowWindow(main->Handle(), SW_RESTORE);
  // The creation hook is the new default's, and it stays until that one removes its skin.
  MakeForm("while the new default's skin is applied");
  EXPECT_EQ(created, 1);
  manager->RemoveSkin();
  MakeForm("after");
  EXPECT_EQ(created, 1);
}

// The system's minimise animation switch, kept here: not every system stores it.
int systemAnimation = 0;
std::vector<int> animationChanges;

struct ScopedAnimationSetting {
  ScopedAnimationSetting() : saved(MinimizeAnimationSetting()) {
    MinimizeAnimationSetting() = {[] { return systemAnimation; },
                                  [](int value) {
                                    systemAnimation = value;
                                    animationChanges.push_back(value);
                                  }};
  }
  ~ScopedAnimationSetting() { MinimizeAnimationSetting() = saved; }
  TsMinimizeAnimationSetting saved;
};

TEST_F(ManagerWinTest, MinimiseSwitchesTheSystemAnimationOffAndBackOn) {
  if (CompositionEnabled()) GTEST_SKIP() << "the minimise goes on as usual under composition";
  TForm* main = MakeForm("main", true);
  std::vector<int> settingWhileMinimised;
  TWndMethod previous = main->WindowProc;
  main->WindowProc = [&, previous](TMessage& m) {
    if (m.Msg == WM_SIZE && m.WParam == SIZE_MINIMIZED)
      settingWhileMinimised.push_back(systemAnimation);
    if (m.Msg == WM_THEMECHANGED) log.push_back("theme");
    previous(m);
  };
  int animations = 0;
  Win32ManagerHooks().DrawsNonClient = [](LRESULT provider) { return provider == 1; };
  Win32ManagerHooks().StartMinimizeAnimation = [&](LRESULT) { ++animations; };
  manager = std::make_unique<TsSkinManager>(main);
  manager->ApplySkin(false);
  log.clear();

  ScopedAnimationSetting setting;
  systemAnimation = 3;
  main->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(main->Handle()));
  EXPECT_EQ(settingWhileMinimised, std::vector<int>{0});
  EXPECT_EQ(animationChanges, (std::vector<int>{0, 3}));
  EXPECT_EQ(animations, 1);
  EXPECT_EQ(manager->AppSysCommand, 2);

  // Theme changes never reach the form; an activated application tells every form.
  main->SendMessage(WM_THEMECHANGED);
  main->SendMessage(WM_ACTIVATEAPP, TRUE);
  EXPECT_EQ(log, Log{"main:18/0"});
  main->SendMessage(WM_SYSCOMMAND, SC_RESTORE, 0);
  EXPECT_EQ(manager->AppSysCommand, 1);
}

TEST_F(ManagerWinTest, CommandsAreLeftAloneWithoutASkinOrAProvider) {
  TForm* main = MakeForm("main");
  manager = std::make_unique<TsSkinManager>(main);
  main->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(manager->AppSysCommand, 0);  // no skin loaded: not even noted
  EXPECT_TRUE(IsIconic(main->Handle()));
  ShowWindow(main->Handle(), SW_RESTORE);
  manager->ApplySkin(false);
  main->SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_EQ(manager->AppSysCommand, 2);
  EXPECT_TRUE(IsIconic(main->Handle()));
}

}  // namespace
