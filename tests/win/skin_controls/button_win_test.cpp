// The skinned button on a real form: what reaches the screen is its cached picture in every
// state, with the picture its state asks for; a press and a release fade; the disabled look; the
// split part opens its menu without a click while the rest of the button clicks, also by its access
// key; and the window shapes it makes while printing or losing its skin are never left behind. The
// alpha image list keeps icon items in the system list and draws them from there.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "framework/Menus.h"
#include "imaging/PngWriter.h"
#include "skin/controls/sButton.h"
#include "skin/controls/veAlphaImageList.h"
#include "skin/data/sSkinCommands.h"
#include "skin/data/sSkinManager.h"
#include "skins/StoredSkins.h"

namespace {

// Picture i: an opaque square of kColours[i] inside a transparent frame 8 pixels wide.
constexpr img::TRGBAPixel kColours[] = {
    {0, 0, 255, 255}, {0, 255, 0, 255}, {255, 0, 0, 255}, {0, 255, 255, 255}};

std::unique_ptr<TsAlphaImageList> Pictures() {
  auto list = std::make_unique<TsAlphaImageList>(32, 32);
  for (const img::TRGBAPixel& colour : kColours) {
    img::Bitmap32 b(32, 32);
    for (int y = 8; y < 24; ++y)
      for (int x = 8; x < 24; ++x) b.Pixel(x, y) = colour;
    std::string png = img::EncodePng(b);
    list->AddItem(TsImageFormat::ifPNG, {reinterpret_cast<const uint8_t*>(png.data()), png.size()});
  }
  list->BuildSystemList();
  return list;
}

COLORREF Ref(img::TRGBAPixel p) {
  return RGB(p.R, p.G, p.B);
}

// The regions the process holds. Wine's handle table answers for an index without its
// generation (the high word), so every slot can be looked at.
int LiveRegions() {
  int count = 0;
  for (uintptr_t index = 1; index < 0x10000; ++index)
    count += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) == OBJ_REGION;
  return count;
}

struct ButtonWinTest : ::testing::Test {
  void SetUp() override {
    manager = std::make_unique<TsSkinManager>(nullptr);
    AddStoredSkins(manager->InternalSkins);
    manager->SetSkinName(DefaultStoredSkinName());
    pictures = Pictures();
    form = std::make_unique<fw::TForm>(nullptr);
    form->SetBounds(100, 100, 300, 200);
    menu = new fw::TPopupMenu(form.get());
    auto* item = new fw::TMenuItem(form.get());
    item->SetCaption("Browse");
    item->OnClick = [this](fw::TObject*) { ++menuClicks; };
    menu->Items()->Add(item);
    button = MakeButton("&Backup", 10);
    other = MakeButton("&Exit", 60);
    form->Show();
    SetFocus(form->Handle());
    UpdateWindow(form->Handle());
  }
  TsButton* MakeButton(const char* caption, int top) {
    auto* b = new TsButton(form.get());
    b->SkinData().SetSkinManager(manager.get());
    b->SkinData().SetSkinSection("BUTTON");
    b->SetBounds(10, top, 113, 39);
    b->SetCaption(caption);
    b->SetImages(pictures.get(), 0);
    b->OnClick = [this, b](fw::TObject*) { ++clicks[b == button ? 0 : 1]; };
    b->SetParent(form.get());
    return b;
  }
  // A hover change fades in; the tests look at the picture it ends on.
  void FinishFade(TsButton* b) {
    for (int i = 0; i < 200 && FadeRunning(b->SkinData()); ++i) {
      MSG msg;
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(2);
    }
  }
  void Paint(TsButton* b) {
    FinishFade(b);
    RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  // Every pixel of the window equals the cache.
  void ExpectScreenIsCache(TsButton* b, const char* what) {
    const img::Bitmap32* cache = b->SkinData().CacheBitmap.get();
    ASSERT_TRUE(cache && cache->Width() == 113 && cache->Height() == 39) << what;
    HDC dc = GetDC(b->Handle());
    int differ = 0;
    for (int y = 0; y < 39; ++y)
      for (int x = 0; x < 113; ++x) differ += GetPixel(dc, x, y) != Ref(cache->Pixel(x, y));
    ReleaseDC(b->Handle(), dc);
    EXPECT_EQ(differ, 0) << what;
  }
  COLORREF ScreenAt(TsButton* b, int x, int y) {
    HDC dc = GetDC(b->Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(b->Handle(), dc);
    return c;
  }
  std::unique_ptr<TsSkinManager> manager;
  std::unique_ptr<TsAlphaImageList> pictures;
  std::unique_ptr<fw::TForm> form;
  fw::TPopupMenu* menu = nullptr;
  TsButton* button = nullptr;
  TsButton* other = nullptr;
  int clicks[2] = {0, 0};
  int menuClicks = 0;
};

}  // namespace

TEST_F(ButtonWinTest, ScreenShowsTheCacheWithThePictureOfEachState) {
  button->SetHotImageIndex(1);
  button->SetPressedImageIndex(2);
  EXPECT_EQ(button->CurrentState(), TsButtonState::Normal);
  EXPECT_EQ(button->CurrentImageIndex(), 0);
  Paint(button);
  ExpectScreenIsCache(button, "normal");
  EXPECT_EQ(ScreenAt(button, 6 + 16, 3 + 16), Ref(kColours[0]));
  const img::Bitmap32 normal = *button->SkinData().CacheBitmap;

  SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
  EXPECT_EQ(button->CurrentState(), TsButtonState::Hot);
  EXPECT_EQ(button->CurrentImageIndex(), 1);
  FinishFade(button);
  ExpectScreenIsCache(button, "hot");
  EXPECT_EQ(ScreenAt(button, 6 + 16, 3 + 16), Ref(kColours[1]));
  button->SetHotImageIndex(9);  // outside the list: the normal picture
  Paint(button);
  EXPECT_EQ(ScreenAt(button, 6 + 16, 3 + 16), Ref(kColours[0]));

  button->SetDown(true);
  Paint(button);
  EXPECT_EQ(button->CurrentState(), TsButtonState::Pressed);
  ExpectScreenIsCache(button, "pressed");
  // Pressed, the picture moves by (1, 1): its first opaque pixel is one further in.
  EXPECT_EQ(ScreenAt(button, 6 + 9, 3 + 9), Ref(kColours[2]));
  EXPECT_NE(ScreenAt(button, 6 + 8, 3 + 8), Ref(kColours[2]));
  button->SetDown(false);
  SendMessageA(button->Handle(), WM_MOUSELEAVE, 0, 0);
  SetFocus(form->Handle());
  Paint(button);
  EXPECT_EQ(button->CurrentState(), TsButtonState::Normal);
  ExpectScreenIsCache(button, "normal again");
  const img::Bitmap32& again = *button->SkinData().CacheBitmap;
  EXPECT_EQ(std::memcmp(again.Row(0), normal.Row(0), normal.PixelCount() * 4), 0);
}

TEST_F(ButtonWinTest, APressAndAReleaseFadeAndAQuickClickShowsThePressedLookFirst) {
  button->SetHotImageIndex(1);
  button->SetPressedImageIndex(2);
  button->SetSelectedImageIndex(3);  // the press gives it the focus
  const LPARAM over = MAKELPARAM(50, 20);
  SendMessageA(button->Handle(), WM_MOUSEMOVE, 0, over);
  FinishFade(button);
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, over);
  EXPECT_EQ(button->CurrentState(), TsButtonState::Pressed);
  EXPECT_TRUE(FadeRunning(button->SkinData()));
  FinishFade(button);
  ExpectScreenIsCache(button, "pressed by the mouse");
  EXPECT_EQ(ScreenAt(button, 22, 19), Ref(kColours[2]));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, over);
  EXPECT_TRUE(FadeRunning(button->SkinData()));
  FinishFade(button);
  EXPECT_EQ(ScreenAt(button, 22, 19), Ref(kColours[3]));
  EXPECT_EQ(clicks[0], 1);

  // Released while the press still fades: the pressed look is on the screen as the release's
  // fade starts from it.
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, over);
  ASSERT_TRUE(FadeRunning(button->SkinData()));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, over);
  EXPECT_EQ(ScreenAt(button, 22, 19), Ref(kColours[2]));
  FinishFade(button);
  EXPECT_EQ(ScreenAt(button, 22, 19), Ref(kColours[3]));
  EXPECT_EQ(clicks[0], 2);

  // Held down by its property, the button shows its press at once.
  button->SetDown(true);
  Paint(button);
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, over);
  EXPECT_FALSE(FadeRunning(button->SkinData()));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, over);
}

TEST_F(ButtonWinTest, DisabledIsGreyOrBlended) {
  const COLORREF red = Ref(kColours[0]);
  button->SetEnabled(false);
  button->SetDisabledKind(kDisabledGrey);
  Paint(button);
  ExpectScreenIsCache(button, "grey");
  COLORREF c = ScreenAt(button, 22, 19);
  EXPECT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c)) << std::hex << c;
  button->SetDisabledKind(kDisabledFade);
  Paint(button);
  c = ScreenAt(button, 22, 19);
  EXPECT_NE(c, red);
  EXPECT_GT(GetRValue(c), GetGValue(c));  // still reddish, faded toward the background
  EXPECT_GT(GetGValue(c), 0);
}

TEST_F(ButtonWinTest, SplitPartOpensTheMenuWithoutAClickAndTheRestClicks) {
  button->SetStyle(fw::TButtonStyle::bsSplitButton);
  button->SetDropDownMenu(menu);
  Paint(button);
  static TsButton* dropped;
  static bool sawDropped;
  dropped = button;
  sawDropped = false;
  SetTimer(nullptr, 0, 200, [](HWND, UINT, UINT_PTR id, DWORD) {
    sawDropped = dropped->MenuDropped();
    KillTimer(nullptr, id);
    EndMenu();
  });
  SetForegroundWindow(form->Handle());  // a menu of a window without the focus may close early
  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(113 - 5, 20));
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(113 - 5, 20));
  EXPECT_TRUE(sawDropped);
  EXPECT_FALSE(button->MenuDropped());
  EXPECT_EQ(clicks[0], 0);
  EXPECT_EQ(menuClicks, 0);

  SendMessageA(button->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 20));
  EXPECT_EQ(button->CurrentState(), TsButtonState::Pressed);
  FinishFade(button);
  ExpectScreenIsCache(button, "held down");
  SendMessageA(button->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 20));
  EXPECT_EQ(clicks[0], 1);

  // The access key of the other button clicks it, as the dialog keys find it.
  MSG key{form->Handle(), WM_SYSCHAR, 'e', 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(form->Handle(), &key));
  EXPECT_EQ(clicks[1], 1);
  EXPECT_EQ(clicks[0], 1);
  // Enter clicks the default button, wherever the focus is; it shows the default look.
  other->SetDefault(true);
  SetFocus(button->Handle());
  EXPECT_EQ(other->CurrentState(), TsButtonState::Default);
  MSG enter{button->Handle(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  EXPECT_TRUE(IsDialogMessageA(form->Handle(), &enter));
  EXPECT_EQ(clicks[1], 2);
  EXPECT_EQ(clicks[0], 1);
}

TEST_F(ButtonWinTest, WindowShapesAreNeverLeftBehind) {
  // A border that asks for a window shape without its transparent corners.
  const int mask = button->SkinData().BorderMaskIndex;
  ASSERT_TRUE(manager->IsValidImageIndex(mask));
  manager->ImageTable[size_t(mask)].CornerTransparency = 2;
  button->SetBounds(11, 10, 113, 39);  // moved: the shape is made again
  Paint(button);
  HRGN probe = CreateRectRgn(0, 0, 0, 0);
  EXPECT_NE(GetWindowRgn(button->Handle(), probe), ERROR);
  HDC print = CreateCompatibleDC(nullptr);
  const int before = LiveRegions();
  ASSERT_GE(before, 1);  // the probe at least: the count sees regions
  for (int i = 0; i < 20; ++i)
    SendMessageA(button->Handle(), WM_PRINT, WPARAM(print), PRF_CLIENT | PRF_NONCLIENT);
  EXPECT_EQ(LiveRegions(), before);
  // The skin goes: so does the shape, which only the window may delete as its owner.
  SendMessageA(button->Handle(), SkinCommandMsg, SkinCommandParam(CmdSkinRemoved),
               reinterpret_cast<LPARAM>(manager.get()));
  EXPECT_EQ(GetWindowRgn(button->Handle(), probe), ERROR);
  EXPECT_LE(LiveRegions(), before);
  DeleteDC(print);
  DeleteObject(probe);
}

namespace {

// A one-image 16 x 16 icon file, green on the right half and transparent on the left: with
// 32-bit pixels the alpha says so (the mask is left clear); with 24-bit pixels only the mask does.
std::vector<uint8_t> GreenIconFile(int bits) {
  const int size = 16, pixels = size * size * bits / 8, mask = size * 4;
  std::vector<uint8_t> file(6 + 16 + 40 + pixels + mask, 0);
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&file[at], &v, 2); };
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
  put16(2, 1);  // icon
  put16(4, 1);  // one image
  file[6] = file[7] = size;
  put16(6 + 4, 1);
  put16(6 + 6, uint16_t(bits));
  put32(6 + 8, uint32_t(40 + pixels + mask));
  put32(6 + 12, 22);
  put32(22, 40);
  put32(22 + 4, size);
  put32(22 + 8, 2 * size);  // colour and mask rows
  put16(22 + 12, 1);
  put16(22 + 14, uint16_t(bits));
  const size_t colours = 62, bytes = size_t(bits / 8);
  for (int i = 0; i < size * size; ++i)
    if (i % size >= size / 2) {
      file[colours + bytes * size_t(i) + 1] = 255;  // green
      if (bits == 32) file[colours + bytes * size_t(i) + 3] = 255;
    }
  if (bits == 24)
    for (int row = 0; row < size; ++row) file[colours + size_t(pixels) + size_t(row) * 4] = 0xFF;
  return file;
}

}  // namespace

TEST(AlphaImageListWinTest, IconItemsComeFromTheSystemList) {
  // An icon with alpha, and one of colours and a mask only, whose pixels the system draws with
  // alpha 0: both show their green and let their clear half through.
  for (int bits : {32, 24}) {
    SCOPED_TRACE(bits);
    TsAlphaImageList list(16, 16);
    std::vector<uint8_t> icon = GreenIconFile(bits);
    list.AddItem(TsImageFormat::ifICO, icon);
    list.BuildSystemList();
    ASSERT_EQ(list.Count(), 1);
    std::unique_ptr<img::Bitmap32> picture = list.GetItemBitmap(0, 16, 16);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Pixel(12, 8), (img::TRGBAPixel{0, 255, 0, 255}));
    EXPECT_EQ(picture->Pixel(3, 8).A, 0);
    EXPECT_EQ(picture->Pixel(7, 0).A, 0);
    EXPECT_EQ(picture->Pixel(8, 15).A, 255);
    // Drawn over white: green on the right, white where the icon is transparent.
    img::Bitmap32 target(16, 16);
    target.Fill({255, 255, 255, 255});
    list.Draw(target.DC(), 0, 0, 0);
    GdiFlush();
    EXPECT_EQ(target.Pixel(12, 8).R, 0);
    EXPECT_EQ(target.Pixel(12, 8).G, 255);
    EXPECT_EQ(target.Pixel(3, 8).R, 255);
  }
}

namespace {

// Black on the left half, white on the right, opaque.
img::Bitmap32 Halves(int size) {
  img::Bitmap32 picture(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      picture.Pixel(x, y) =
          x < size / 2 ? img::TRGBAPixel{0, 0, 0, 255} : img::TRGBAPixel{255, 255, 255, 255};
  return picture;
}

std::vector<uint8_t> Bytes(const std::string& text) {
  return {text.begin(), text.end()};
}

// An icon file of PNG images, one per picture.
std::vector<uint8_t> IconFileOf(const std::vector<const img::Bitmap32*>& pictures) {
  std::vector<uint8_t> file(6 + 16 * pictures.size(), 0);
  auto put16 = [&](size_t at, uint16_t v) { std::memcpy(&file[at], &v, 2); };
  auto put32 = [&](size_t at, uint32_t v) { std::memcpy(&file[at], &v, 4); };
  put16(2, 1);
  put16(4, uint16_t(pictures.size()));
  for (size_t i = 0; i < pictures.size(); ++i) {
    const std::vector<uint8_t> png = Bytes(img::EncodePng(*pictures[i]));
    const size_t entry = 6 + 16 * i;
    file[entry] = uint8_t(pictures[i]->Width());
    file[entry + 1] = uint8_t(pictures[i]->Height());
    put16(entry + 4, 1);
    put16(entry + 6, 32);
    put32(entry + 8, uint32_t(png.size()));
    put32(entry + 12, uint32_t(file.size()));
    file.insert(file.end(), png.begin(), png.end());
  }
  return file;
}

// Pixels of a row that are neither near black nor near white: a picture that was resampled
// smoothly has some where its halves meet, one stretched pixel by pixel has none.
int Greys(const img::Bitmap32& picture, int y) {
  int greys = 0;
  for (int x = 0; x < picture.Width(); ++x)
    greys += picture.Pixel(x, y).R > 32 && picture.Pixel(x, y).R < 223;
  return greys;
}

}  // namespace

// At a display scale the list is made again from its items' files: an icon from its image of the
// list's size when it has one, else from the next larger (else the largest) resampled smoothly;
// a PNG picture resampled smoothly from the file. Back at 96 DPI it is as it was.
TEST(AlphaImageListWinTest, AtAScaleThePicturesComeFromTheFilesResampledSmoothly) {
  img::Bitmap32 red(16, 16);
  red.Fill({0, 0, 255, 255});
  const img::Bitmap32 halves32 = Halves(32);
  const std::vector<uint8_t> icon = IconFileOf({&red, &halves32});
  const std::vector<uint8_t> png = Bytes(img::EncodePng(Halves(16)));
  struct Row {
    int dpi, size;
    bool fromRed;   // the icon's 16-pixel image, else its 32-pixel one
    bool smoothed;  // the icon's picture
  };
  const Row rows[] = {{144, 24, false, true},
                      {120, 20, false, true},
                      {192, 32, false, false},
                      {240, 40, false, true},
                      {96, 16, true, false}};
  TsAlphaImageList list(16, 16);
  list.AddItem(TsImageFormat::ifICO, icon);
  list.AddItem(TsImageFormat::ifPNG, png);
  list.BuildSystemList();
  list.BuildSystemList();  // made again, it holds each picture once
  for (const Row& row : rows) {
    SCOPED_TRACE(row.dpi);
    list.ScaleTo(row.dpi);
    ASSERT_EQ(list.Width(), row.size);
    ASSERT_EQ(list.Count(), 2);
    std::unique_ptr<img::Bitmap32> fromIcon = list.GetItemBitmap(0, row.size, row.size);
    ASSERT_TRUE(fromIcon);
    const int middle = row.size / 2;
    // Resampled pictures may come out a few steps darker and less opaque: the resampler's
    // weights round down.
    auto about = [](img::TRGBAPixel got, img::TRGBAPixel want) {
      return std::abs(got.R - want.R) <= 4 && std::abs(got.G - want.G) <= 4 &&
             std::abs(got.B - want.B) <= 4 && got.A >= 250;
    };
    const img::TRGBAPixel left =
        row.fromRed ? img::TRGBAPixel{0, 0, 255, 255} : img::TRGBAPixel{0, 0, 0, 255};
    const img::TRGBAPixel right = row.fromRed ? left : img::TRGBAPixel{255, 255, 255, 255};
    EXPECT_TRUE(about(fromIcon->Pixel(0, middle), left));
    EXPECT_TRUE(about(fromIcon->Pixel(row.size - 1, middle), right));
    EXPECT_EQ(Greys(*fromIcon, middle) > 0, row.smoothed);
    // The PNG item as the system list holds it.
    img::Bitmap32 shown(row.size, row.size);
    list.fw::TImageList::Draw(shown.DC(), 0, 0, 1);
    GdiFlush();
    EXPECT_LE(shown.Pixel(0, middle).R, 4);
    EXPECT_GE(shown.Pixel(row.size - 1, middle).R, 250);
    EXPECT_EQ(Greys(shown, middle) > 0, row.size != 16);
  }
  // The framework's own way of making the list again finds each picture once too.
  list.fw::TImageList::ScaleTo(120);
  EXPECT_EQ(list.Count(), 2);
}
