// Pictures: a windowless control that shows an icon.
#pragma once

#include "framework/Controls.h"

namespace fw {

class TImage : public TGraphicControl {
 public:
  explicit TImage(TComponent* owner) : TGraphicControl(owner) {}
  ~TImage() override;
  std::string ClassName() const override { return "TImage"; }

  // Shows a copy of the icon (the caller keeps its own); null clears the picture.
  void SetIcon(HICON icon);
  HICON Icon() const { return icon_; }

 protected:
  void Paint(TCanvas& canvas) override;

 private:
  HICON icon_ = nullptr;
};

}  // namespace fw
