// A skinned list view's check boxes, drawn from the skin's small check images. The list holds an
// image list of the two boxes for its layout, hit tests and check clicks. While it paints, an
// image list of the same size without pictures stands in for it, so the list draws no box itself,
// and the boxes are copied into the rows from pictures made once, at the end of the list's custom
// drawing: each box the list draws through an image list makes a bitmap compatible with the
// screen, which under Wine asks the window server about the displays twice a row.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>

#include "imaging/Bitmap32.h"
#include "skin/data/sSkinModel.h"

class TveListCheckBoxes {
 public:
  explicit TveListCheckBoxes(HWND list) : list_(list) {}
  ~TveListCheckBoxes();  // frees the blank list; the list frees what it holds
  TveListCheckBoxes(const TveListCheckBoxes&) = delete;
  TveListCheckBoxes& operator=(const TveListCheckBoxes&) = delete;

  // The boxes of skin over the list's background bk, for a list with check boxes whose skin has
  // both images; else the list's own boxes. A skin change replaces only ours.
  void Apply(const TsSkinModel& skin, COLORREF bk);
  // The list's own boxes back.
  void Restore();
  bool Applied() const { return images_ != nullptr; }

  // Runs the list's own painting; the boxes are left to the custom drawing once it reaches us.
  void Paint(const std::function<void()>& paint);
  // A custom draw notification of the list, answered with result so far: the end of the list's
  // painting is asked for, and the boxes of the rows in view are drawn then.
  void CustomDraw(const NMLVCUSTOMDRAW& draw, LRESULT& result);

 private:
  void DrawBoxes(HDC dc) const;

  HWND list_;
  HIMAGELIST images_ = nullptr;  // the two boxes, in the list outside its painting
  HIMAGELIST blank_ = nullptr;   // their size without pictures, in the list while it paints
  HIMAGELIST saved_ = nullptr;   // the list's own boxes, given back
  img::Bitmap32 glyphs_[2];      // unchecked and checked over the background
  bool customDrawSeen_ = false;  // the list's custom drawing reaches us
  bool drawing_ = false;         // the list paints with the blank list: we draw the boxes
};
