// The about window: the application's title, icon, version and copyright, and the home page
// link. Its texts are filled from the templates of its design when it is created. It wears the
// program's skin like the main window.
#pragma once

#include <string>

#include "framework/ExtCtrls.h"
#include "framework/Forms.h"
#include "framework/StdCtrls.h"
#include "skin/forms/sSkinProvider.h"

class TFormAbout : public fw::TForm {
 public:
  explicit TFormAbout(fw::TComponent* owner);
  std::string ClassName() const override { return "TFormAbout"; }

  TsSkinProvider* sSkinProvider;
  fw::TImage* ImageIcon;
  fw::TLabel* LabelAppName;
  fw::TLabel* LabelVersion;
  fw::TLabel* LabelCopyRight;
  fw::TLabel* LabelWarning;
  fw::TLabel* LabelWeb;
  fw::TButton* ButtonOK;

  void FormCreate(fw::TObject* Sender);
  void ButtonOKClick(fw::TObject* Sender);
  void LabelWebClick(fw::TObject* Sender);

 protected:
  void ScaleLengths(int fromDpi, int toDpi) override;

 private:
  void InitializeComponent();
  // The application's icon at the size the system gives icons at the window's scale.
  void ShowIconAtScale();
  fw::TLabel* AddLabel(const std::string& name, int left, int top, const std::string& caption);
};
