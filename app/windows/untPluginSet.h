// The plug-in manager window: lists the plug-ins found now and shows a plug-in's about box.
#pragma once

#include <memory>
#include <string>

#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/StdCtrls.h"
#include "skin/forms/sSkinProvider.h"

class TfrmPlugin : public fw::TForm {
 public:
  explicit TfrmPlugin(fw::TComponent* owner);
  std::string ClassName() const override { return "TfrmPlugin"; }

  fw::TListView* lv;
  fw::TButton* btnPluginInfo;
  fw::TButton* Button3;
  // Beyond the design: the manager window wears the main window's skin.
  TsSkinProvider* sSkinProvider;

  void FormCreate(fw::TObject* Sender);
  void lvClick(fw::TObject* Sender);
  void btnPluginInfoClick(fw::TObject* Sender);
  void Button3Click(fw::TObject* Sender);

 private:
  void InitializeComponent();
  std::unique_ptr<fw::TImageList> ImageList1;
};
