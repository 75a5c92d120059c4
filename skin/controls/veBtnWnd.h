// The adapter of platform push buttons: the "BUTTON" section in the button's state (normal, hot,
// pressed; a default button and the focused one look hot), the caption centred in the section's
// colours with its access key, the dotted focus frame, and the disabled button faded into its
// parent.
#pragma once

#include "skin/controls/vePressWnd.h"

class TveBtnWnd : public TvePressWnd {
 public:
  TveBtnWnd(HWND handle, bool repaint, const std::string& skinSection, TsSkinManager* manager,
            TsCommonData* skinData);

  // 2 pressed, 0 disabled, 1 focused, hot or default, else 0.
  int State() const;
  bool RenderCache() override;
  // A button that shows a picture of its own keeps the platform's look: the adapter has no
  // place for the picture.
  bool Painting() const override { return !picture_ && TvePressWnd::Painting(); }
  void HandleMessage(fw::TMessage& message) override;

 protected:
  // Room for a picture beside the caption: none for a plain push button.
  virtual SIZE GlyphSize() const { return {0, 0}; }
  virtual void PaintGlyph() {}
  void PaintCaption(int state);

 private:
  bool ShowsPicture() const;
  bool picture_ = false;
};

// Where a caption of size text goes in a button of size window: centred, one pixel wider on the
// left and two on the right, moved down and right by one while pressed.
RECT ButtonCaptionRect(SIZE window, SIZE text, bool pressed);
