// The adapter of list views: the edit family's frame and scroll bars, the list's colours and
// check boxes from the skin, thumb tracking that moves the list by whole rows, and its column
// header painted from the skin with hot and pressed columns and sort arrows.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "skin/controls/veEditWnd.h"
#include "skin/controls/veListCheckBoxes.h"

class TveListViewWnd : public TveEditWnd {
 public:
  TveListViewWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                 TsCommonData* skinData);
  ~TveListViewWnd() override;

  void HandleMessage(fw::TMessage& message) override;
  void SaveControlColors() override;
  void RestoreControlColors() override;
  void ApplySkinColors() override;

  // 0 icons, 1 small icons, 2 list, 3 report.
  int ViewStyle() const;
  // The header item at a display position, and its rectangle.
  int HeaderItem(int position) const;
  RECT HeaderItemRect(int position) const;
  // The display position under a screen point, -2 for none.
  int ColumnAtPoint(POINT screen) const;
  void PaintHeader(HDC dc);
  void PaintHeaderItem(RECT rect, int index, HDC dc);

  HWND HeaderWnd = nullptr;
  int PressedColumn = -1;
  int HotColumn = -1;
  int LineHeight = 0;

 protected:
  // The check boxes are drawn again at the new scale.
  void ScaleChanged() override;

 private:
  void HookHeader(HWND header);
  void UnhookHeader();
  void RepaintHeader();
  void InvalidateColumn(int column);
  bool HeaderMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
  static LRESULT CALLBACK HeaderProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
  // The header's own handling of a message, behind the hook.
  LRESULT HeaderDefault(UINT msg, WPARAM wParam, LPARAM lParam);
  void ThumbTrack(fw::TMessage& message);
  // The header's columns into a printed picture of the list view, at the header's place.
  void PrintHeader(HDC dc);
  // A column's picture, text and sort arrow inside area of the header's picture.
  void PaintColumnContent(int index, int state, int section, RECT area, int height);
  // The list's own painting, with the check boxes drawn by checkBoxes_.
  void PaintRows(fw::TMessage& message);

  COLORREF savedBk_ = CLR_DEFAULT, savedTextBk_ = CLR_DEFAULT, savedText_ = CLR_DEFAULT;
  bool ownDoubleBuffer_ = false;  // the list paints into a picture of its own because of us
  TveListCheckBoxes checkBoxes_;  // from the skin's small check images, when it has them
  img::Bitmap32 headerImage_;     // the header's picture, kept between paints
};
