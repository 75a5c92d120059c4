// Device contexts and the objects selected into them, held for a scope: what a scope took it
// gives back when it ends, also when an error leaves it early.
#pragma once

#include <windows.h>

namespace platform {

// The device context of a paint message: the one the sender handed over (wParam of WM_PAINT or
// of WM_PRINTCLIENT), else the window's between BeginPaint and EndPaint.
class PaintScope {
 public:
  PaintScope(HWND wnd, WPARAM given)
      : wnd_(wnd),
        dc_(given ? reinterpret_cast<HDC>(given) : BeginPaint(wnd, &ps_)),
        began_(!given) {}
  ~PaintScope() {
    if (began_) EndPaint(wnd_, &ps_);
  }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }
  operator HDC() const { return dc_; }
  // What the paint asks for (empty for a handed-over context).
  const RECT& Asked() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_ = {};
  HDC dc_;
  bool began_;
};

// A device context of a window (null: the screen): its client area, or with whole the whole
// window with its frame. A given context is used instead and stays the giver's.
class WindowDC {
 public:
  explicit WindowDC(HWND wnd, bool whole = false, HDC given = nullptr)
      : wnd_(wnd),
        dc_(given   ? given
            : whole ? GetWindowDC(wnd)
                    : GetDC(wnd)),
        own_(!given) {}
  // A context by GetDCEx's flags (the screen over windows whose painting is locked, say).
  WindowDC(HWND wnd, DWORD flags) : wnd_(wnd), dc_(GetDCEx(wnd, nullptr, flags)), own_(true) {}
  ~WindowDC() {
    if (own_ && dc_) ReleaseDC(wnd_, dc_);
  }
  WindowDC(const WindowDC&) = delete;
  WindowDC& operator=(const WindowDC&) = delete;
  HDC dc() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
  bool own_;
};

// A memory device context compatible with another (null: with the screen), deleted at the end.
class MemoryDC {
 public:
  explicit MemoryDC(HDC compatible) : dc_(CreateCompatibleDC(compatible)) {}
  ~MemoryDC() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDC(const MemoryDC&) = delete;
  MemoryDC& operator=(const MemoryDC&) = delete;
  operator HDC() const { return dc_; }

 private:
  HDC dc_;
};

// An object (font, pen, brush, bitmap) selected into a device context for the scope; the one it
// replaced is selected again at the end. Select puts another object in for the rest of the
// scope.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~Selection() {
    if (old_) SelectObject(dc_, old_);
  }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;
  void Select(HGDIOBJ object) { SelectObject(dc_, object); }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// A GDI object (pen, brush, font, bitmap) made for a scope and deleted at its end. Declared
// before the Selection that puts it into a context, it goes after that selection has ended.
template <class Handle>
class Owned {
 public:
  explicit Owned(Handle object) : object_(object) {}
  ~Owned() {
    if (object_) DeleteObject(object_);
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  operator Handle() const { return object_; }

 private:
  Handle object_;
};

}  // namespace platform
