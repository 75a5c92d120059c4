// Asking a parent for the background: controls that answer with a picture or a colour, one that
// is made to paint itself into the asker's surface, bare windows nobody answers for; and the
// control-level corner fill and border painting over those answers.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <utility>

#include "WinWorld.h"
#include "skin/data/SkinSystem.h"
#include "skin/render/sControlBg.h"
#include "skin/render/sParentBg.h"

namespace {

using namespace parentbg_win_test;

struct ParentBgTest : ::testing::Test {
  ParentBgTest() : form(std::make_unique<fw::TForm>(nullptr)) {
    form->SetClientSize(200, 150);
    form->HandleNeeded();
  }
  // The form answers the get-background command with its picture.
  void AnswerWithPicture() {
    AnswerSkinCommands(*form, [this](uint16_t command, LPARAM value, LRESULT& result) {
      if (command != CmdGetBg) return false;
      auto* q = reinterpret_cast<TsBgQuery*>(value);
      asked = *q;
      q->Kind = bgkBitmap;
      q->Bitmap = &picture;
      q->OffsetX = q->OffsetY = 0;
      result = 1;
      return true;
    });
  }
  // A query with every field set to something the asking must replace.
  static TsBgQuery Stale() {
    TsBgQuery q;
    q.Kind = bgkNotReady;
    q.BorderRect = {9, 9, 9, 9};
    q.Bitmap = reinterpret_cast<img::Bitmap32*>(uintptr_t(1));
    return q;
  }
  std::unique_ptr<fw::TForm> form;
  img::Bitmap32 picture = Numbered(200, 150);
  TsBgQuery asked;
};

TEST_F(ParentBgTest, AParentThatAnswersGivesItsPictureThroughItsWindowOrItsHandler) {
  AnswerWithPicture();
  TsBgQuery q = Stale();
  EXPECT_TRUE(QueryParentBg(q, form.get(), false));
  EXPECT_EQ(q.Kind, bgkBitmap);
  EXPECT_EQ(q.Bitmap, &picture);
  // What the parent was handed: a fresh question.
  EXPECT_EQ(asked.Kind, bgkNone);
  EXPECT_EQ(asked.Bitmap, nullptr);
  EXPECT_EQ(asked.BorderRect, TRect{});
  EXPECT_FALSE(asked.PleaseDraw);

  // A windowless control has no window: the command goes to its handler.
  TBox box(nullptr);
  AnswerSkinCommands(box, [](uint16_t command, LPARAM value, LRESULT&) {
    if (command == CmdGetBg) reinterpret_cast<TsBgQuery*>(value)->Kind = bgkNotReady;
    return command == CmdGetBg;
  });
  EXPECT_TRUE(QueryParentBg(q, &box, false));
  EXPECT_EQ(q.Kind, bgkNotReady);
  EXPECT_FALSE(QueryParentBg(q, nullptr, false));
}

TEST_F(ParentBgTest, WithoutAPictureTheAnswerIsTheColourOrTheParentsOwnColour) {
  form->SetColor(0x123456);
  LRESULT reply = 0;
  AnswerSkinCommands(*form, [&reply](uint16_t command, LPARAM, LRESULT& result) {
    result = reply;
    return command == CmdGetBgColor;
  });
  TsBgQuery q = Stale();
  EXPECT_TRUE(QueryParentBg(q, form.get(), false));
  EXPECT_EQ(q.Kind, bgkColor);
  EXPECT_EQ(q.Color, 0x123456);  // the answer 0 means "my own colour"
  reply = 0x00FF00;
  QueryParentBg(q, form.get(), false);
  EXPECT_EQ(q.Color, 0x00FF00);

  TBox box(nullptr);  // answers nothing at all: its colour property, still a system colour
  QueryParentBg(q, &box, false);
  EXPECT_EQ(q.Color, fw::clBtnFace);
  EXPECT_EQ(BgQueryToSource(q).BgColor, skin::SysColor(skin::kColorBtnFace));
}

TEST_F(ParentBgTest, PleaseDrawMakesTheParentPaintIntoTheAskersRectangleOnly) {
  fw::TWndMethod previous = form->WindowProc;
  form->WindowProc = [previous](fw::TMessage& m) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    if (m.Msg == WM_ERASEBKGND) {
      const RECT all{0, 0, 200, 150};
      HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
      FillRect(dc, &all, red);
      DeleteObject(red);
      m.Result = 1;
    } else if (m.Msg == WM_PAINT && dc) {
      SetPixelV(dc, 4, 3, RGB(0, 255, 0));
    } else {
      previous(m);
    }
  };
  img::Bitmap32 asker = Filled(6, 5, {255, 255, 255, 255});
  TsBgQuery q;
  q.DrawDC = asker.DC();
  q.OffsetX = 3, q.OffsetY = 2;  // the asker sits at (3, 2) in the parent
  q.DrawRect = {1, 1, 4, 3};
  EXPECT_TRUE(QueryParentBg(q, form.get(), true));
  EXPECT_EQ(q.Kind, bgkNone);
  std::string shape;
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 6; ++x) {
      const img::TRGBAPixel p = asker.Pixel(x, y);
      shape += p.R == 255 && p.G == 255 ? '.' : p.R == 255 ? 'r' : p.G == 255 ? 'g' : '?';
    }
    shape += '\n';
  }
  EXPECT_EQ(shape,
            "......\n"
            ".grr..\n"
            ".rrr..\n"
            "......\n"
            "......\n");
}

TEST_F(ParentBgTest, ABareWindowNobodyAnswersForGivesTheSkinsGlobalColour) {
  HWND plain = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  ASSERT_NE(plain, nullptr);
  TsSkinModel model;
  model.Palette[0] = 0x445566;
  TsBgQuery q = Stale();
  EXPECT_FALSE(QueryParentWindowBg(q, plain, false, &model));
  EXPECT_EQ(q.Kind, bgkColor);
  EXPECT_EQ(q.Color, 0x445566);
  EXPECT_EQ(q.Bitmap, nullptr);
  EXPECT_FALSE(QueryParentWindowBg(q, plain, false, nullptr));
  EXPECT_EQ(q.Color, skin::SysColor(skin::kColorBtnFace));
  DestroyWindow(plain);

  AnswerWithPicture();
  EXPECT_TRUE(QueryParentWindowBg(q, form->Handle(), false, &model));
  EXPECT_EQ(q.Kind, bgkBitmap);
}

// A skinned windowless control at (10, 20), 6 x 5, on the form, with a one-colour border entry
// (margins 1) whose top-left pixel is transparent.
struct ControlTest : ParentBgTest {
  ControlTest() : box(new TBox(form.get())), data(box, true) {
    box->SetBounds(10, 20, 6, 5);
    box->SetParent(form.get());
    img::Bitmap32 master = Filled(3, 3, {10, 20, 30, 0});
    master.Pixel(0, 0) = kKey;
    SkinPanel(model, data, std::move(master), 0x0000FF);
  }
  TBox* box;
  TsSkinModel model;
  TsCommonData data;
};

TEST_F(ControlTest, CornersTakeThePictureBehindTheControl) {
  AnswerWithPicture();
  data.PrepareCache();
  data.CacheBitmap->Fill({1, 2, 3, 4});
  FillCornersFromParent(data, 0, kAllCorners);
  EXPECT_EQ(data.CacheBitmap->Pixel(0, 0), (img::TRGBAPixel{10, 20, 7, 0}));
  EXPECT_EQ(data.CacheBitmap->Pixel(1, 0), (img::TRGBAPixel{1, 2, 3, 4}));
}

TEST_F(ControlTest, TheBorderShowsTheParentAndTheExtraFrameTakesTheControlsColour) {
  AnswerWithPicture();
  TRect client;
  PaintControlBorder(*data.CacheBitmap, {0, 0, 6, 5}, 2, client, 0, data);
  const img::Bitmap32& cache = *data.CacheBitmap;
  ASSERT_EQ(cache.Width(), 6);
  EXPECT_EQ(cache.Pixel(0, 0), picture.Pixel(10, 20));
  EXPECT_EQ(cache.Pixel(1, 0), (img::TRGBAPixel{10, 20, 30, 0}));
  EXPECT_EQ(cache.Pixel(1, 1), (img::TRGBAPixel{0, 0, 255, 255}));  // 0x0000FF, opaque
  EXPECT_EQ(client, (TRect{2, 2, 4, 3}));
}

TEST_F(ControlTest, ATransparentSectionWithoutBorderFramesInTheParentsColour) {
  model.SectionTable[0].States[0].Transparency = 100;
  data.BorderMaskIndex = -1;
  form->SetColor(0x00FF00);  // the form is not skinned: its colour property counts
  img::Bitmap32 target = Filled(6, 5, {1, 2, 3, 4});
  TRect client{7, 7, 7, 7};
  PaintControlBorder(target, {0, 0, 6, 5}, 1, client, 0, data);
  EXPECT_EQ(target.Pixel(0, 0), (img::TRGBAPixel{0, 255, 0, 255}));
  EXPECT_EQ(target.Pixel(2, 2), (img::TRGBAPixel{1, 2, 3, 4}));
  EXPECT_EQ(client, (TRect{7, 7, 7, 7}));
  // A skinned parent is asked for its colour instead.
  AnswerSkinCommands(*form, [](uint16_t command, LPARAM, LRESULT& result) {
    result = command == CmdIsSkinned ? 1 : 0x808080;
    return command == CmdIsSkinned || command == CmdGetBgColor;
  });
  EXPECT_EQ(data.GetBgColor(0, nullptr), 0x808080);
  model.SectionTable[0].States[0].Transparency = 50;
  EXPECT_EQ(data.GetBgColor(0, nullptr), 0x4040C0);  // half parent, half 0x0000FF
  // Without a host the window's parent answers; with neither, nothing is mixed.
  data.HostControl = nullptr;
  HWND child = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 5, 5, form->Handle(), nullptr,
                               GetModuleHandleA(nullptr), nullptr);
  EXPECT_EQ(data.GetBgColor(0, child), 0x4040C0);
  EXPECT_EQ(data.GetBgColor(0, nullptr), skin::SysColor(skin::kColorBtnFace));
  DestroyWindow(child);
}

}  // namespace
