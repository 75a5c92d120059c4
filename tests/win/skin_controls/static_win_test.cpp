// A dialog's static text on a real window: drawn by the adapter in the skin's text colour, while a
// static with the sunken edge keeps the platform's look; the static's alignment and access-key
// styles are kept.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "skin/controls/veStaticWnd.h"
#include "skins/StoredSkins.h"

TEST(StaticWinTest, TextInTheSkinsColoursUnlessSunken) {
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  AddStoredSkins(manager->InternalSkins);
  manager->SetSkinName(DefaultStoredSkinName());
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 300, 100, nullptr,
                              nullptr, nullptr, nullptr);
  HWND plain = CreateWindowA("STATIC", "Skinned words", WS_CHILD | WS_VISIBLE, 10, 10, 200, 20,
                             parent, nullptr, nullptr, nullptr);
  HWND sunken = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", "Platform", WS_CHILD | WS_VISIBLE, 10,
                                50, 200, 20, parent, nullptr, nullptr, nullptr);
  TveStaticWnd skinned(plain, false, "", manager.get(), nullptr);
  TveStaticWnd kept(sunken, false, "", manager.get(), nullptr);
  EXPECT_EQ(skinned.SkinData->SkinSection, "CHECKBOX");
  RedrawWindow(parent, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);

  const img::Bitmap32* cache = skinned.SkinData->CacheBitmap.get();
  ASSERT_TRUE(cache && !cache->Empty());
  const TsGeneralData& section = manager->SectionTable[size_t(manager->FindSection("CHECKBOX"))];
  int textPixels = 0, same = 0;
  HDC dc = GetWindowDC(plain);
  for (int y = 0; y < cache->Height(); ++y)
    for (int x = 0; x < cache->Width(); ++x) {
      const img::TRGBAPixel& p = cache->Pixel(x, y);
      COLORREF c = RGB(p.R, p.G, p.B);
      textPixels += c == COLORREF(section.FontColor);
      same += GetPixel(dc, x, y) == c;
    }
  ReleaseDC(plain, dc);
  EXPECT_GT(textPixels, 10);
  EXPECT_EQ(same, cache->Width() * cache->Height());
  EXPECT_TRUE(!kept.SkinData->CacheBitmap || kept.SkinData->CacheBitmap->Empty());
  DestroyWindow(parent);
}

namespace {

// The columns of a 200-pixel static's picture where its text differs from an empty static.
std::pair<int, int> TextColumns(TsSkinManager* manager, HWND parent, const char* text,
                                DWORD style) {
  auto picture = [&](const char* caption) {
    HWND wnd = CreateWindowA("STATIC", caption, WS_CHILD | WS_VISIBLE | style, 10, 10, 200, 20,
                             parent, nullptr, nullptr, nullptr);
    TveStaticWnd adapter(wnd, false, "", manager, nullptr);
    RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    img::Bitmap32 copy = *adapter.SkinData->CacheBitmap;
    DestroyWindow(wnd);
    return copy;
  };
  const img::Bitmap32 blank = picture(""), drawn = picture(text);
  int first = -1, last = -1;
  for (int x = 0; x < drawn.Width(); ++x)
    for (int y = 0; y < drawn.Height(); ++y) {
      const img::TRGBAPixel &a = drawn.Pixel(x, y), &b = blank.Pixel(x, y);
      if (a.R == b.R && a.G == b.G && a.B == b.B) continue;
      if (first < 0) first = x;
      last = x;
    }
  return {first, last};
}

}  // namespace

TEST(StaticWinTest, AlignmentAndAccessKeyStylesShapeTheText) {
  auto manager = std::make_unique<TsSkinManager>(nullptr);
  AddStoredSkins(manager->InternalSkins);
  manager->SetSkinName(DefaultStoredSkinName());
  HWND parent = CreateWindowA("STATIC", "", WS_POPUP | WS_VISIBLE, 50, 50, 300, 100, nullptr,
                              nullptr, nullptr, nullptr);
  const auto [left, leftEnd] = TextColumns(manager.get(), parent, "Words", SS_LEFT);
  ASSERT_GE(left, 0);
  ASSERT_LT(left, 5);
  const int width = leftEnd - left;
  const auto [center, centerEnd] = TextColumns(manager.get(), parent, "Words", SS_CENTER);
  EXPECT_EQ(centerEnd - center, width);
  EXPECT_LE(std::abs(center + centerEnd - 199), 2);
  const auto [right, rightEnd] = TextColumns(manager.get(), parent, "Words", SS_RIGHT);
  EXPECT_EQ(rightEnd - right, width);
  EXPECT_GT(rightEnd, 194);
  // The ampersand marks the access key and is not drawn; a doubled one is drawn once; with
  // SS_NOPREFIX it is text like any other.
  const auto [plain, plainEnd] = TextColumns(manager.get(), parent, "Wor&ds", SS_LEFT);
  EXPECT_EQ(plainEnd - plain, width);
  const auto [doubled, doubledEnd] = TextColumns(manager.get(), parent, "A&&B", SS_LEFT);
  const auto [once, onceEnd] = TextColumns(manager.get(), parent, "A&B", SS_NOPREFIX);
  EXPECT_EQ(doubledEnd - doubled, onceEnd - once);
  const auto [kept, keptEnd] = TextColumns(manager.get(), parent, "Wor&ds", SS_NOPREFIX);
  EXPECT_GT(keptEnd - kept, width);
  DestroyWindow(parent);
}
