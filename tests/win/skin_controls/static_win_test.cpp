// A dialog's static text on a real window: drawn by the adapter in the skin's text colour, while a
// static with the sunken edge keeps the platform's look.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>

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
