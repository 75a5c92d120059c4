// The link control's adapter: its text over the parent's background in the colours of its section
// ("CHECKBOX" when none is given), the parts between "<A>" and "</A>" underlined in the hot text
// colour, the words wrapped at the window's width.
#pragma once

#include <string>
#include <vector>

#include "skin/controls/veStaticWnd.h"

// One run of a link control's text: plain or a link.
struct TveLinkRun {
  std::string Text;
  bool Link = false;
};

// The text cut into plain runs and link runs; the tags themselves are left out. A tag not closed
// makes a link up to the end.
std::vector<TveLinkRun> SplitLinkText(const std::string& text);

class TveLinkWnd : public TveStaticWnd {
 public:
  using TveStaticWnd::TveStaticWnd;

  bool DrawCaption() override;

 protected:
  // Link controls take the focus; they are painted all the same.
  bool KeepsPlatformLook() const override { return false; }
};
