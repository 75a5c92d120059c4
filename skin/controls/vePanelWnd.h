// Containers painted from the skin: a panel (its section chosen by its edges, its caption centred
// in the section's colours), a see-through panel that shows its parent, a scroll box with the
// skin's scroll bars and the MDI client area. The whole window is one cached picture: the section
// over what the parent shows; the frame is copied from it round the edges and the client part is
// the background the container's children are painted over.
#pragma once

#include "skin/controls/veBaseWnd.h"

// The section of a panel without one of its own: sunken edges "PANEL_LOW", raised edges or a
// border "PANEL", an etched frame "GROUPBOX", no edge at all "CHECKBOX" (its parent shows).
std::string PanelSectionFor(LONG style, LONG exStyle, bool staticClass);

class TvePanelWnd : public TveBaseWnd {
 public:
  TvePanelWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
              TsCommonData* skinData);
  ~TvePanelWnd() override;

  void HandleMessage(fw::TMessage& message) override;

  // Paints the window into the cache when it is dirty; false while the parent's background is
  // not ready.
  bool RenderCache();

 protected:
  virtual bool ShowsCaption() const { return true; }

 private:
  bool SectionSkinned() const;
  void PaintCaption();
  void PaintClient(HDC dc);
  void PaintFrame();
  void Repaint();

  bool clipAdded_ = false;  // the adapter made the window clip its children
};

// A container that shows its parent's background and nothing else.
class TveTransPanelWnd : public TvePanelWnd {
 public:
  TveTransPanelWnd(HWND handle, bool repaint, const std::string& skinSection,
                   TsSkinManager* manager, TsCommonData* skinData)
      : TvePanelWnd(handle, repaint, skinSection.empty() ? "CHECKBOX" : skinSection, manager,
                    skinData) {}

 protected:
  bool ShowsCaption() const override { return false; }
};

// A scrolling container: the panel's picture behind its children, the skin's scroll bars.
class TveScrollBoxWnd : public TvePanelWnd {
 public:
  TveScrollBoxWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
                  TsCommonData* skinData)
      : TvePanelWnd(handle, repaint, skinSection.empty() ? "PANEL_LOW" : skinSection, manager,
                    skinData) {}

 protected:
  bool ShowsCaption() const override { return false; }
};

// The MDI client area: "MDIAREA" behind the child windows, the skin's scroll bars, the bars
// measured again whenever the children are made, tiled or cascaded.
class TveMDIWnd : public TvePanelWnd {
 public:
  TveMDIWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
            TsCommonData* skinData)
      : TvePanelWnd(handle, repaint, skinSection.empty() ? "MDIAREA" : skinSection, manager,
                    skinData) {}

  void HandleMessage(fw::TMessage& message) override;

 protected:
  bool ShowsCaption() const override { return false; }
};
