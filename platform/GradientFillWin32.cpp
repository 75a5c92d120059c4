#include <windows.h>

#include <vector>

#include "platform/GradientFill.h"

namespace platform {
namespace {

// The layout of msimg32's vertex and triangle records.
struct TriVertex {
  LONG x, y;
  USHORT Red, Green, Blue, Alpha;
};
using GradientFillFn = BOOL(WINAPI*)(HDC, TriVertex*, ULONG, void*, ULONG, ULONG);
constexpr ULONG kGradientFillTriangle = 2;

GradientFillFn LookUpGradientFill() {
  // Kept loaded for the life of the process, like any other optional entry point.
  HMODULE module = LoadLibraryA("msimg32.dll");
  // Through void*: the export's real type is not FARPROC's.
  return module ? reinterpret_cast<GradientFillFn>(
                      reinterpret_cast<void*>(GetProcAddress(module, "GradientFill")))
                : nullptr;
}

class Win32GradientFill final : public GradientFill {
 public:
  bool Triangles(img::Bitmap32& target, std::span<const TGradientVertex> vertices,
                 std::span<const TGradientTriangle> triangles) override {
    static const GradientFillFn fill = LookUpGradientFill();
    if (!fill || !target.DC() || vertices.empty() || triangles.empty()) return false;
    std::vector<TriVertex> v;
    for (const TGradientVertex& p : vertices)
      v.push_back({p.X, p.Y, p.Red, p.Green, p.Blue, p.Alpha});
    std::vector<GRADIENT_TRIANGLE> t;
    for (const TGradientTriangle& p : triangles) t.push_back({p.V1, p.V2, p.V3});
    BOOL ok = fill(target.DC(), v.data(), ULONG(v.size()), t.data(), ULONG(t.size()),
                   kGradientFillTriangle);
    GdiFlush();
    return ok != FALSE;
  }
};

}  // namespace

GradientFill& GradientFill::Default() {
  static Win32GradientFill fill;
  return fill;
}

}  // namespace platform
