// What a skinned form tells the controls on it about its background: whether it is one plain
// colour, whether it varies (so that a see-through control that moves paints again what now lies
// behind it), and whether painting must wait.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "skin/data/sSkinCommands.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sCommonData.h"
#include "skin/render/sCtrlUtils.h"
#include "skins/StoredSkins.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

// A windowed control that hands its messages to its skin state first, and records the skin
// commands that reach it.
class TSeeThrough : public TWinControl {
 public:
  explicit TSeeThrough(TComponent* owner) : TWinControl(owner), data(this, true) {
    TWndMethod own = WindowProc;
    WindowProc = [this, own](TMessage& m) {
      if (m.Msg == SkinCommandMsg) told.push_back(HIWORD(m.WParam));
      if (!data.HandleMessage(m)) own(m);
    };
  }
  TsCtrlSkinData data;
  std::vector<int> told;

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.WinClassName = "Static";
  }
};

struct FormStateWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    form = std::make_unique<TForm>(nullptr);
    form->SetClientSize(300, 200);
    form->SetBounds(50, 50, form->Width(), form->Height());
    provider = new TsSkinProvider(form.get());
    provider->SetSkinManager(manager.get());
    child = new TSeeThrough(form.get());
    child->SetBounds(20, 20, 80, 40);
    child->SetParent(form.get());
    form->Show();
    Pump();
  }
  void TearDown() override {
    form.reset();
    manager.reset();
  }
  TsGeneralData& Section(const char* name) {
    const int index = manager->FindSection(name);
    EXPECT_GE(index, 0) << name;
    return manager->SectionTable[size_t(index)];
  }
  LRESULT AskForm(uint16_t command) {
    return form->Perform(SkinCommandMsg, SkinCommandParam(command), 0);
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TForm> form;
  TsSkinProvider* provider = nullptr;
  TSeeThrough* child = nullptr;
};

TEST_F(FormStateWinTest, AFormWithAVaryingBackgroundHasSeeThroughControlsPaintAgainAfterAMove) {
  // The child is half see-through; the form's look is set row by row.
  TsGeneralData& glass = Section("CHECKBOX");
  glass.States[0].Transparency = 50;
  child->data.SetSkinManager(manager.get());
  child->data.SetSkinSection("CHECKBOX");
  TsGeneralData& face = Section("FORM");
  face.BorderIndex = -1;
  face.CornerIndex.fill(-1);
  face.States[0].Transparency = 0;
  struct Row {
    int gradient, image;
    LRESULT flags;  // what the form answers CmdGetSkinState with
    bool varies;
  } rows[] = {{0, 0, kStateUniformBg, false}, {40, 0, 0, true}, {0, 60, 0, true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(testing::Message() << row.gradient << " " << row.image);
    face.States[0].GradientPercent = row.gradient;
    face.States[0].Gradient = row.gradient ? TsGradArray(1) : TsGradArray{};
    face.States[0].ImagePercent = row.image;
    form->Perform(SkinCommandMsg, SkinCommandParam(CmdSkinRefresh),
                  reinterpret_cast<LPARAM>(manager.get()));
    EXPECT_EQ(AskForm(CmdGetSkinState), row.flags);
    EXPECT_EQ(AskForm(CmdIsBgComplex), row.varies ? 1 : 0);
    EXPECT_EQ(child->data.NeedsParentRepaint(), row.varies);
    child->told.clear();
    child->SetBounds(child->Left() + 5, 20, 80, 40);
    const std::vector<int> repaint{CmdRepaintBg};
    EXPECT_EQ(child->told, row.varies ? repaint : std::vector<int>{});
  }
  // A control made opaque paints nothing of the form's, wherever it moves.
  glass.States[0].Transparency = 0;
  EXPECT_FALSE(child->data.NeedsParentRepaint());
}

TEST_F(FormStateWinTest, ControlsWaitOnlyWhileTheFormsPaintingWaits) {
  child->data.SetSkinManager(manager.get());
  child->data.SetSkinSection("CHECKBOX");
  // An out-of-date window image is painted when a child asks for it: no reason to wait.
  provider->SkinData().SetBgDirty(true);
  EXPECT_EQ(AskForm(CmdIsDeferred), 0);
  EXPECT_FALSE(child->data.IsDeferred());
  provider->SkinData().SetDeferred(true);
  EXPECT_EQ(AskForm(CmdIsDeferred), 1);
  EXPECT_TRUE(child->data.IsDeferred());
  provider->SkinData().SetDeferred(false);
  EXPECT_FALSE(child->data.IsDeferred());
}

}  // namespace
