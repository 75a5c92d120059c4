// A control's skin state on real framework controls: naming its section, the default manager,
// deferral, the background it answers its children with, hover, and what it reads from a
// skinned parent's state, and the text it paints.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>

#include "SkinStateWorld.h"
#include "framework/Forms.h"
#include "skin/data/sSkinManager.h"
#include "skin/data/sSkinWindowsWin32.h"
#include "skin/render/sBlend.h"
#include "skin/render/sColorTransforms.h"
#include "skin/render/sControlText.h"

namespace {

using namespace skin_state_test;

constexpr int32_t kPanel = 0x203040, kTint = 0x0000C0, kParent = 0x00A000;

struct SkinStateTest : ::testing::Test {
  SkinStateTest() : form(std::make_unique<fw::TForm>(nullptr)) {
    form->SetClientSize(200, 150);
    form->HandleNeeded();
    manager.SectionTable = {Section("PANEL", kPanel), Section("EDIT", 0xFFFFFF),
                            Section("GLASS", 0, 100), Section("TINT", kTint, 40),
                            Section("BUTTON", 0x808080)};
    box = new TSkinnedBox(form.get());
    box->data.SetSkinManager(&manager);
    box->SetParent(form.get());
    box->SetBounds(7, 5, 40, 30);
  }
  // The form answers as a skinned parent: its colour, its state flags and its picture.
  void SkinTheForm() {
    AnswerSkinCommands(*form, [this](uint16_t command, LPARAM value, LRESULT& result) {
      switch (command) {
        case CmdIsSkinned:
          result = parentSkinned;
          return true;
        case CmdGetBgColor:
          result = kParent;
          return parentSkinned;
        case CmdGetSkinState:
          result = parentFlags;
          return true;
        case CmdGetBg: {
          auto* q = reinterpret_cast<TsBgQuery*>(value);
          q->Kind = bgkBitmap;
          q->Bitmap = &picture;
          q->OffsetX = q->OffsetY = 0;
          result = 1;
          return true;
        }
        default:
          return false;
      }
    });
  }
  TsBgQuery AskBox() {
    TsBgQuery q;
    EXPECT_EQ(SendSkinCommand(box, CmdGetBg, reinterpret_cast<LPARAM>(&q)), 1);
    return q;
  }
  TsSkinModel manager;
  std::unique_ptr<fw::TForm> form;
  TSkinnedBox* box;
  bool parentSkinned = true;
  LRESULT parentFlags = 0;
  img::Bitmap32 picture = Numbered(200, 150);
};

TEST_F(SkinStateTest, SectionNamesAreStoredUpperCasedAndTellTheHostOnlyOfAChange) {
  TsCtrlSkinData& data = box->data;
  data.SetSkinSection("panel");
  EXPECT_EQ(data.SkinSection, "PANEL");
  EXPECT_EQ(data.SectionIndex, 0);
  EXPECT_EQ(box->told, std::vector<int>{CmdSkinLoaded});
  data.SetSkinSection("PANEL");
  data.SetSkinSection("panel");
  EXPECT_EQ(box->told.size(), 1u);

  data.SetSkinSection("");
  EXPECT_EQ(data.SkinSection, "UNKNOWN");
  EXPECT_EQ(data.SectionIndex, -1);
  EXPECT_EQ(box->told.back(), CmdSkinRemoved);
  EXPECT_FALSE(data.IsSkinned());

  // Deferred painting keeps the host uninformed.
  data.Deferred = true;
  data.SetSkinSection("edit");
  EXPECT_EQ(box->told.size(), 2u);
  EXPECT_TRUE(data.IsSkinned());
}

TEST_F(SkinStateTest, AnEmptySectionComesFromTheKindOrTheHostsClassName) {
  TsCtrlSkinData& data = box->data;
  data.ControlKind = 93;
  data.UpdateDefaultSection();
  EXPECT_EQ(data.SkinSection, "BUTTON");
  EXPECT_EQ(data.SectionIndex, 4);

  TSkinnedBox other(nullptr);
  other.data.ControlKind = 1000;
  other.data.UpdateDefaultSection();
  EXPECT_EQ(other.data.SkinSection, "TGRAPHICCONTROL");
}

TEST_F(SkinStateTest, WithoutAManagerOfItsOwnTheDefaultManagerSkinsTheControl) {
  TsSkinManager defaults(nullptr);
  defaults.SectionTable = {Section("PANEL", 0x112233)};
  TsCommonData data(box, false);
  data.SetSkinSection("panel");
  EXPECT_EQ(data.GetSkinManager(), &defaults);
  EXPECT_EQ(data.GetBgColor(0, nullptr), 0x112233);
  // Naming the default manager stores none; another one is kept.
  data.SetSkinManager(&defaults);
  EXPECT_EQ(data.SkinManager, nullptr);
  data.SetSkinManager(&manager);
  EXPECT_EQ(data.SkinManager, &manager);
  EXPECT_EQ(data.GetBgColor(0, nullptr), kPanel);
}

TEST_F(SkinStateTest, PaintingWaitsUntilThePictureIsRepaintedAndNoUpdateRuns) {
  box->data.SetSkinSection("PANEL");
  EXPECT_EQ(SendSkinCommand(box, CmdIsDeferred, 0), 1);  // the picture starts out of date
  SendSkinCommand(box, CmdBgRepainted, 0);
  EXPECT_EQ(SendSkinCommand(box, CmdIsDeferred, 0), 0);
  SendSkinCommand(box, CmdSetDeferred, 0, 1);
  EXPECT_EQ(SendSkinCommand(box, CmdIsDeferred, 0), 1);
  SendSkinCommand(box, CmdSetDeferred, 0, 0);

  box->told.clear();
  box->data.BeginUpdate();
  box->data.BeginUpdate();
  EXPECT_TRUE(box->data.SkinStateFlags & kStateLocked);
  box->data.EndUpdate(false);
  box->data.EndUpdate(false);
  EXPECT_EQ(box->told, (std::vector<int>{CmdBeginLock, CmdBeginLock, CmdEndLock}));
  EXPECT_FALSE(box->data.Deferred);
}

TEST_F(SkinStateTest, APlainSectionAnswersItsColourWithItsPictureAndBorderWidths) {
  TsMaskData border;
  border.Owner = &manager;
  border.MarginLeft = 1;
  border.MarginTop = 2;
  border.MarginRight = 3;
  border.MarginBottom = 4;
  manager.ImageTable = {border};
  manager.SectionTable[0].BorderIndex = 0;
  box->data.SetSkinSection("PANEL");
  TsBgQuery q = AskBox();
  EXPECT_EQ(q.Kind, bgkColor);
  EXPECT_EQ(q.Color, kPanel);
  EXPECT_EQ(q.BorderRect, (TRect{1, 2, 3, 4}));
  EXPECT_EQ(q.Bitmap, box->data.CacheBitmap.get());

  // A border that is not drawn in the normal state leaves the answer a plain colour.
  manager.ImageTable[0].PaintFlags = 2;
  q = AskBox();
  EXPECT_EQ(q.Bitmap, nullptr);
}

TEST_F(SkinStateTest, ASeeThroughControlPassesTheQuestionOnAndAddsWhereItSits) {
  SkinTheForm();
  box->data.SetSkinSection("GLASS");
  box->data.SkinStateFlags = kStateUniformBg;
  TsBgQuery q = AskBox();
  EXPECT_EQ(q.Kind, bgkBitmap);
  EXPECT_EQ(q.Bitmap, &picture);
  EXPECT_EQ(q.OffsetX, 7);
  EXPECT_EQ(q.OffsetY, 5);

  // With a background of its own it answers with its picture, brought up to date first.
  box->data.SkinStateFlags = 0;
  box->data.PrepareCache();
  box->told.clear();
  q = AskBox();
  EXPECT_EQ(q.Bitmap, box->data.CacheBitmap.get());
  EXPECT_EQ(q.OffsetX, 0);
  EXPECT_EQ(box->told, (std::vector<int>{CmdGetBg, CmdBgRepainted}));

  // An emptied picture is no answer: the child waits until there is one.
  SendSkinCommand(box, CmdClearCache, 0);
  box->data.Deferred = false;
  q = AskBox();
  EXPECT_EQ(q.Kind, bgkNotReady);
  EXPECT_EQ(q.Bitmap, nullptr);
  EXPECT_TRUE(box->data.Deferred);
}

TEST_F(SkinStateTest, TheBackgroundColourMixesTheParentsByTransparency) {
  SkinTheForm();
  struct Case {
    const char* section;
    int32_t expected;
  };
  const Case cases[] = {
      {"PANEL", kPanel}, {"GLASS", kParent}, {"TINT", MixColors(kParent, kTint, 0.4)}};
  for (const Case& c : cases) {
    box->data.SetSkinSection(c.section);
    EXPECT_EQ(SendSkinCommand(box, CmdGetBgColor, 0), c.expected) << c.section;
  }
  // An unskinned parent gives its own colour, not its silence.
  parentSkinned = false;
  form->SetColor(0x445566);
  EXPECT_EQ(SendSkinCommand(box, CmdGetBgColor, 0), MixColors(0x445566, kTint, 0.4));
}

TEST_F(SkinStateTest, HoverMarksEditorsHotButNeverContainers) {
  TsSkinManager hotTracker(nullptr);
  hotTracker.SectionTable = manager.SectionTable;
  box->data.SetSkinManager(&hotTracker);
  box->data.SetSkinSection("EDIT");
  box->data.ControlKind = 2;
  box->Perform(WM_MOUSEMOVE, 0, 0);
  EXPECT_TRUE(box->data.IsMouseOver);
  EXPECT_TRUE(box->data.IsHot());
  EXPECT_EQ(box->Color(), 0x000000);  // the editor's hot colour
  EXPECT_EQ(hotTracker.HotControl(), box);
  // The manager asks the control's state whether the mouse is still there.
  const auto& hasMouse = Win32ManagerHooks().SkinDataHasMouse;
  ASSERT_TRUE(hasMouse);
  EXPECT_TRUE(hasMouse(SendSkinCommand(box, CmdGetSkinData, 0)));
  box->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(box->data.IsMouseOver);
  EXPECT_EQ(box->Color(), 0xFFFFFF);

  box->data.ControlKind = 51;  // a panel
  box->Perform(WM_MOUSEMOVE, 0, 0);
  EXPECT_FALSE(box->data.IsMouseOver);
  EXPECT_FALSE(box->data.IsHot());

  // Leaving clears the mark even while the control is not skinned.
  box->data.ControlKind = 2;
  box->data.SetSkinSection("NONE");
  box->Perform(WM_MOUSEMOVE, 0, 0);
  box->Perform(WM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(box->data.IsMouseOver);
}

TEST_F(SkinStateTest, ASeeThroughControlReadsTheParentsStateFlagsAsAnAnswer) {
  SkinTheForm();
  box->data.SetSkinSection("GLASS");
  struct Case {
    LRESULT flags;
    int uniform;
  };
  const Case cases[] = {{kStateUnknown, 2},   {kStateUnknown | kStateUniformBg, 2},
                        {kStateUniformBg, 1}, {kStateLocked | kStateUniformBg, 1},
                        {kStateLocked, 0},    {kStatePrinting, 0}};
  for (const Case& c : cases) {
    parentFlags = c.flags;
    EXPECT_EQ(box->data.IsUniformBg(), c.uniform) << c.flags;
  }
}

// The colours a text painted into a fresh dark grey picture left there.
std::set<uint32_t> TextColours(TsCommonData& data, bool enabled, bool hot) {
  img::Bitmap32 picture(120, 40);
  picture.Fill({64, 64, 64, 255});
  HDC dc = picture.DC();
  HFONT font =
      CreateFontA(-28, 0, 0, 0, FW_BOLD, 0, 0, 0, 0, 0, 0, NONANTIALIASED_QUALITY, 0, "Tahoma");
  HGDIOBJ old = SelectObject(dc, font);
  PaintControlText(dc, "MW", enabled, hot, data, DT_SINGLELINE | DT_VCENTER, RECT{10, 0, 110, 40});
  SelectObject(dc, old);
  DeleteObject(font);
  GdiFlush();
  std::set<uint32_t> colours;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 120; ++x) {
      const img::TRGBAPixel& p = picture.Pixel(x, y);
      colours.insert(uint32_t(p.B) << 16 | uint32_t(p.G) << 8 | p.R);  // as COLORREF
    }
  colours.erase(0x404040);
  return colours;
}

TEST_F(SkinStateTest, ControlTextTakesTheStatesColoursContoursAndTone) {
  TsGeneralData& panel = manager.SectionTable[0];
  panel.States[0].FontColor = 0x000080;
  panel.States[1].FontColor = 0x008000;
  panel.States[1].TCLeft = 0x800000;
  box->data.SetSkinSection("PANEL");
  EXPECT_EQ(TextColours(box->data, true, false), (std::set<uint32_t>{0x000080}));
  EXPECT_EQ(TextColours(box->data, true, true), (std::set<uint32_t>{0x008000, 0x800000}));
  box->data.HUEOffset = 120;
  EXPECT_EQ(TextColours(box->data, true, false),
            (std::set<uint32_t>{uint32_t(ChangeHueColor(120, 0x000080))}));
  box->data.HUEOffset = 0;
  // Unskinned disabled text is the platform's embossed look.
  box->data.SetCustomFont(true);
  EXPECT_EQ(TextColours(box->data, false, false),
            (std::set<uint32_t>{GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW)}));
}

}  // namespace
