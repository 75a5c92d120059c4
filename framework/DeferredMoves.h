// Moves of child windows held back while a form takes a new scale, then made together without
// painting: each window goes once to its final place, the shown children draw nothing meanwhile,
// and the form repaints once, whole, at the end.
#pragma once

#include <windows.h>

#include <vector>

namespace fw {

class TControl;
class TWinControl;

class TDeferredMoves {
 public:
  // Holds back the moves of root's windowed descendants until it is destroyed.
  explicit TDeferredMoves(TWinControl& root);
  ~TDeferredMoves();
  TDeferredMoves(const TDeferredMoves&) = delete;
  TDeferredMoves& operator=(const TDeferredMoves&) = delete;

  // The pass that holds back this control's moves: one whose root is an ancestor of it.
  static TDeferredMoves* For(const TControl& control);
  // Records a move; a later move of the same window replaces it.
  void Place(HWND wnd, RECT bounds);

 private:
  struct Move {
    HWND Wnd;
    HWND Parent;
    RECT Bounds;
  };
  void MakeMoves();

  TWinControl& root_;
  TDeferredMoves* outer_;
  std::vector<Move> moves_;
  std::vector<HWND> silenced_;  // children told to stop drawing, told again at the end
};

}  // namespace fw
