// The picture of a skinned form with its controls, as its animations show it: every visible
// windowed control where the screen shows it, a hidden one not at all.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "imaging/PngWriter.h"
#include "skin/forms/sControlTree.h"
#include "skin/forms/sSkinProvider.h"
#include "skins/StoredSkins.h"
#include "tests/support/ScreenShot.h"
#include "tests/win/skin_forms/FormTestScreen.h"

using namespace fw;

namespace {

TButton* AddButton(TWinControl* parent, TForm* owner, int x, int y, const char* caption) {
  auto* button = new TButton(owner);
  button->SetBounds(x, y, 90, 25);
  button->SetCaption(caption);
  button->SetParent(parent);
  return button;
}

// How many pixels of the rectangle (window coordinates) differ between two pictures.
int Unlike(const img::Bitmap32& a, const img::Bitmap32& b, RECT r) {
  int unlike = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const img::TRGBAPixel &p = a.Pixel(x, y), &q = b.Pixel(x, y);
      unlike += p.R != q.R || p.G != q.G || p.B != q.B;
    }
  return unlike;
}

}  // namespace

TEST(ControlTreeWinTest, VisibleControlsShowAtTheirPlacesAndHiddenOnesNot) {
  TsSkinManager manager(nullptr);
  AddStoredSkins(manager.InternalSkins);
  manager.SetSkinName(DefaultStoredSkinName());
  TForm form(nullptr);
  form.SetBorderStyle(TFormBorderStyle::bsSingle);
  form.SetClientSize(360, 220);
  form.SetBounds(60, 50, form.Width(), form.Height());
  form.SetCaption("Picture test");
  TButton* onForm = AddButton(&form, &form, 20, 20, "On the form");
  auto* box = new TGroupBox(&form);
  box->SetBounds(20, 70, 200, 110);
  box->SetCaption("Group");
  box->SetParent(&form);
  TButton* inBox = AddButton(box, &form, 20, 30, "In the box");
  TButton* hidden = AddButton(&form, &form, 240, 20, "Hidden");
  hidden->SetVisible(false);
  auto* provider = new TsSkinProvider(&form);
  provider->SetSkinManager(&manager);
  form.Show();
  SetForegroundWindow(form.Handle());
  Pump();

  RECT window;
  GetWindowRect(form.Handle(), &window);
  img::Bitmap32 screen = testing_support::ScreenShot(form.Handle());
  img::Bitmap32 picture(window.right - window.left, window.bottom - window.top);
  PaintControlTree(picture, &form, 0, 0, provider);
  if (const char* folder = std::getenv("DK_SHOTS")) {
    img::Bitmap32 opaque = picture;  // printed text leaves the alpha at 0
    for (int y = 0; y < opaque.Height(); ++y)
      for (int x = 0; x < opaque.Width(); ++x) opaque.Pixel(x, y).A = 255;
    img::SavePng(std::string(folder) + "/control-tree-picture.png", opaque);
    img::SavePng(std::string(folder) + "/control-tree-screen.png", screen);
  }

  // Where a control lies in the window.
  auto place = [&](TWinControl* control) {
    RECT r;
    GetWindowRect(control->Handle(), &r);
    OffsetRect(&r, -window.left, -window.top);
    return r;
  };
  // The whole client (the window's corners outside its shape show the desktop on the screen).
  RECT client;
  GetClientRect(form.Handle(), &client);
  POINT corner{0, 0};
  ClientToScreen(form.Handle(), &corner);
  OffsetRect(&client, corner.x - window.left, corner.y - window.top);
  RECT hiddenArea = {240, 20, 330, 45};
  OffsetRect(&hiddenArea, client.left, client.top);
  for (RECT r : {place(onForm), place(box), place(inBox), hiddenArea, client})
    EXPECT_EQ(Unlike(picture, screen, r), 0)
        << "at " << r.left << "," << r.top << "-" << r.right << "," << r.bottom;
  // The screen shows each control as something else than the form's background.
  const img::TRGBAPixel& background = screen.Pixel(hiddenArea.left + 5, hiddenArea.top + 5);
  for (TWinControl* control :
       {static_cast<TWinControl*>(onForm), static_cast<TWinControl*>(inBox)}) {
    RECT r = place(control);
    const img::TRGBAPixel& middle = screen.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_NE(middle.R * 65536 + middle.G * 256 + middle.B,
              background.R * 65536 + background.G * 256 + background.B);
  }
}
