#include "framework/Graphics.h"

#include "imaging/Dib.h"
#include "platform/Dpi.h"

namespace fw {

COLORREF ColorToRGB(TColor color) {
  if (color < 0) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color) & 0xFFFFFF;
}

TFont::TFont() = default;

TFont::~TFont() {
  if (handle_) DeleteObject(handle_);
}

void TFont::Assign(const TFont& source) {
  name_ = source.name_;
  height_ = source.height_;
  style_ = source.style_;
  color_ = source.color_;
  charset_ = source.charset_;
  Changed();
}

void TFont::SetName(const std::string& name) {
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  height_ = height;
  Changed();
}

void TFont::SetStyle(unsigned style) {
  style_ = style;
  Changed();
}

void TFont::SetColor(TColor color) {
  color_ = color;
  Changed();
}

void TFont::SetCharset(BYTE charset) {
  charset_ = charset;
  Changed();
}

void TFont::Changed() {
  if (handle_) DeleteObject(handle_);
  handle_ = nullptr;
  if (OnChange) OnChange();
}

HFONT TFont::Handle() const {
  if (!handle_) {
    LOGFONTA lf = {};
    lf.lfHeight = height_;
    lf.lfWeight = (style_ & fsBold) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (style_ & fsItalic) ? TRUE : FALSE;
    lf.lfUnderline = (style_ & fsUnderline) ? TRUE : FALSE;
    lf.lfCharSet = charset_;
    lf.lfQuality = DEFAULT_QUALITY;
    lstrcpynA(lf.lfFaceName, name_.c_str(), LF_FACESIZE);
    handle_ = CreateFontIndirectA(&lf);
  }
  return handle_;
}

TCanvas::TCanvas(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}

TCanvas::~TCanvas() {
  RestoreDC(dc_, saved_);
}

void TCanvas::SetFont(const TFont& font) {
  SelectObject(dc_, font.Handle());
  SetTextColor(dc_, ColorToRGB(font.Color()));
}

void TCanvas::FillRect(const RECT& rect, TColor color) {
  HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
  ::FillRect(dc_, &rect, brush);
  DeleteObject(brush);
}

void TCanvas::TextRect(RECT& rect, const std::string& text, UINT format) {
  SetBkMode(dc_, TRANSPARENT);
  DrawTextA(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
}

void TCanvas::DrawIcon(int x, int y, HICON icon) {
  DrawIconEx(dc_, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL);
}

TImageList::TImageList(int width, int height)
    : designWidth_(width),
      designHeight_(height),
      width_(width),
      height_(height),
      handle_(ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4)) {}

TImageList::~TImageList() {
  if (handle_) ImageList_Destroy(handle_);
  for (const Source& source : sources_)
    if (source.icon) DestroyIcon(source.icon);
}

int TImageList::Count() const {
  return ImageList_GetImageCount(handle_);
}

int TImageList::AddIcon(HICON icon) {
  const int index = ImageList_AddIcon(handle_, icon);
  if (index >= 0) sources_.push_back({CopyIcon(icon), {}, 0, 0});
  return index;
}

int TImageList::AddRGBA(const std::uint8_t* rgba) {
  const int index = AddRGBAOfSize(rgba, width_, height_);
  if (index >= 0)
    sources_.push_back({nullptr, {rgba, rgba + size_t(width_) * height_ * 4}, width_, height_});
  return index;
}

int TImageList::AddRGBAOfSize(const std::uint8_t* rgba, int width, int height) {
  void* bits;
  HBITMAP bitmap = img::CreateTopDownDib32(width_, height_, &bits);
  if (!bitmap) return -1;
  // Image lists of 32-bit pictures take premultiplied blue-green-red-alpha pixels.
  auto* out = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < height_; ++y) {
    for (int x = 0; x < width_; ++x) {
      const std::uint8_t* p =
          rgba + (size_t(y * height / height_) * width + x * width / width_) * 4;
      std::uint8_t* q = out + (size_t(y) * width_ + x) * 4;
      unsigned a = p[3];
      q[0] = static_cast<std::uint8_t>(p[2] * a / 255);
      q[1] = static_cast<std::uint8_t>(p[1] * a / 255);
      q[2] = static_cast<std::uint8_t>(p[0] * a / 255);
      q[3] = static_cast<std::uint8_t>(a);
    }
  }
  int index = ImageList_Add(handle_, bitmap, nullptr);
  DeleteObject(bitmap);
  return index;
}

bool TImageList::ResizeTo(int dpi) {
  if (dpi <= 0 || dpi == dpi_) return false;
  const int width = platform::ScaleToDpi(designWidth_, dpi);
  const int height = platform::ScaleToDpi(designHeight_, dpi);
  HIMAGELIST scaled = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 4, 4);
  if (!scaled) return false;
  ImageList_Destroy(handle_);
  handle_ = scaled;
  dpi_ = dpi;
  width_ = width;
  height_ = height;
  return true;
}

void TImageList::Clear() {
  ImageList_RemoveAll(handle_);
  for (const Source& source : sources_)
    if (source.icon) DestroyIcon(source.icon);
  sources_.clear();
}

void TImageList::ScaleTo(int dpi) {
  if (!ResizeTo(dpi)) return;
  for (const Source& source : sources_) {
    if (source.icon)
      ImageList_AddIcon(handle_, source.icon);
    else
      AddRGBAOfSize(source.rgba.data(), source.width, source.height);
  }
}

HICON TImageList::GetIcon(int index) const {
  return ImageList_GetIcon(handle_, index, ILD_NORMAL);
}

void TImageList::Draw(HDC dc, int x, int y, int index) const {
  if (index >= 0 && index < Count()) ImageList_Draw(handle_, index, dc, x, y, ILD_TRANSPARENT);
}

}  // namespace fw
