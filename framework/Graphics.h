// Colours, fonts, a canvas over a device context, and image lists.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fw {

// 0x00BBGGRR, or a system colour: the high bit set and the COLOR_* index in the low byte, which
// makes system colours negative.
using TColor = std::int32_t;

constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0x80000000u | static_cast<unsigned>(index));
}
inline constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE);
inline constexpr TColor clWindow = SystemColor(COLOR_WINDOW);
inline constexpr TColor clWindowText = SystemColor(COLOR_WINDOWTEXT);
inline constexpr TColor clBtnText = SystemColor(COLOR_BTNTEXT);
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clBlack = 0x000000;

// A plain RGB value, with system colours looked up now.
COLORREF ColorToRGB(TColor color);

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4 };

class TFont {
 public:
  TFont();
  ~TFont();
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;
  // Copies the description (not the handle) and reports the change.
  void Assign(const TFont& source);

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  // In logical units; negative values give the character height, as the platform takes it.
  int Height() const { return height_; }
  void SetHeight(int height);
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  BYTE Charset() const { return charset_; }
  void SetCharset(BYTE charset);

  // Created on first use and kept until the description changes.
  HFONT Handle() const;
  std::function<void()> OnChange;

 private:
  void Changed();
  std::string name_ = "Tahoma";
  int height_ = -11;
  unsigned style_ = 0;
  TColor color_ = clWindowText;
  BYTE charset_ = DEFAULT_CHARSET;
  mutable HFONT handle_ = nullptr;
};

// Drawing on a device context with a font and a brush colour; restores the context on release.
class TCanvas {
 public:
  explicit TCanvas(HDC dc);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  HDC Handle() const { return dc_; }
  void SetFont(const TFont& font);
  void FillRect(const RECT& rect, TColor color);
  // DrawText with the current font and its colour, on a transparent background.
  void TextRect(RECT& rect, const std::string& text, UINT format);
  void DrawIcon(int x, int y, HICON icon);

 private:
  HDC dc_;
  int saved_;
};

// A list of equally sized pictures, drawn by index (small images of a list view, button images).
// Its size is given at 96 DPI; the list keeps what was added so that it can be made again at
// another display scale.
class TImageList {
 public:
  TImageList(int width, int height);
  virtual ~TImageList();
  TImageList(const TImageList&) = delete;
  TImageList& operator=(const TImageList&) = delete;

  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const;
  HIMAGELIST Handle() const { return handle_; }
  // Adds an icon, scaled to the list's size; returns its index.
  int AddIcon(HICON icon);
  // Adds a picture of Width x Height pixels, 8-bit RGBA rows top-down; returns its index.
  int AddRGBA(const std::uint8_t* rgba);
  // A new icon of one picture, owned by the caller.
  HICON GetIcon(int index) const;
  // Draws one picture with its top-left corner at (x, y); an index out of range draws nothing.
  virtual void Draw(HDC dc, int x, int y, int index) const;

  int Dpi() const { return dpi_; }
  // Makes the list again at the size designed for 96 DPI scaled to `dpi`, with the pictures in
  // their order: icons drawn at the new size, RGBA pictures resampled (nearest pixel). The
  // handle changes; a control showing the list is handed the new one by its owner.
  virtual void ScaleTo(int dpi);

 protected:
  // Makes the list again, empty, at the size designed for 96 DPI scaled to `dpi`; false when it
  // is at that scale already or the list cannot be made.
  bool ResizeTo(int dpi);
  // Removes every picture, with what was kept to make it again.
  void Clear();

 private:
  int AddRGBAOfSize(const std::uint8_t* rgba, int width, int height);
  struct Source {
    HICON icon = nullptr;  // a copy the list owns
    std::vector<std::uint8_t> rgba;
    int width = 0, height = 0;
  };
  int designWidth_, designHeight_;
  int width_, height_;
  int dpi_ = 96;
  HIMAGELIST handle_;
  std::vector<Source> sources_;
};

}  // namespace fw
