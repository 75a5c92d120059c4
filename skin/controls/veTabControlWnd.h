// Tab controls and page controls: the page frame from "PAGECONTROL" (or its LEFT, RIGHT, BOTTOM
// kin by where the tabs are), the tabs from "TABTOP", "TABBOTTOM", "TABLEFT" or "TABRIGHT" (the
// selected one pressed and reaching over the frame, the one under the mouse hot), button-style
// tabs from "TOOLBUTTON" or "BUTTON", side tabs' captions turned, and the tab scroller's arrows
// from "UPDOWNBTN". A page on the control continues the control's background.
#pragma once

#include <memory>
#include <vector>

#include "skin/controls/vePressWnd.h"
#include "skin/controls/veSpinWnd.h"

class TvePageWnd;

class TveTabControlWnd : public TvePressWnd {
 public:
  TveTabControlWnd(HWND handle, bool repaint, const std::string& skinSection,
                   TsSkinManager* manager, TsCommonData* skinData);
  ~TveTabControlWnd() override;

  bool RenderCache() override;
  void HandleMessage(fw::TMessage& message) override;

  // 0 top, 1 bottom, 2 left, 3 right.
  int TabSide() const;
  // The part of the window the page frame covers.
  RECT PageRect() const;
  // 2 selected, 1 under the mouse, else 0.
  int TabState(int tab) const;

 private:
  bool Buttons() const;
  void PaintTab(int tab, RECT rect, int state);
  void PaintTabText(int tab, RECT rect, int state, int section);
  void AdoptScroller();

  int hot_ = -1;
  std::unique_ptr<TveSpinWnd> scroller_;
  bool clipAdded_ = false;  // the adapter made the window clip its children
};

// A tab control whose child windows are its pages.
class TvePageControlWnd : public TveTabControlWnd {
 public:
  TvePageControlWnd(HWND handle, bool repaint, const std::string& skinSection,
                    TsSkinManager* manager, TsCommonData* skinData);
  ~TvePageControlWnd() override;

  void HandleMessage(fw::TMessage& message) override;

 private:
  void AdoptPages();

  std::vector<std::unique_ptr<TvePageWnd>> pages_;
};

// A page of a tab control: the control's picture continued under it.
class TvePageWnd : public TveMainWnd {
 public:
  TvePageWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
             TsCommonData* skinData);

  void HandleMessage(fw::TMessage& message) override;

 private:
  void PaintTo(HDC dc);
};
