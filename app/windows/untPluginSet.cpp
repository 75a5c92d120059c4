#include "app/windows/untPluginSet.h"

#include <commctrl.h>

#include "app/plugins/untPlugin.h"
#include "framework/Application.h"
#include "text/Paths.h"

using namespace fw;

namespace {

// The form owns the list's picture; the list view only shows it, and must not destroy it
// together with its window.
class TPluginListView final : public TListView {
 public:
  using TListView::TListView;

 protected:
  void CreateParams(TCreateParams& params) override {
    TListView::CreateParams(params);
    params.Style |= LVS_SHAREIMAGELISTS;
  }
};

}  // namespace

TfrmPlugin::TfrmPlugin(TComponent* owner) : TForm(owner) {
  BeginLoading();
  InitializeComponent();
  EndLoading();
  DoCreate();
}

void TfrmPlugin::InitializeComponent() {
  sSkinProvider = new TsSkinProvider(this);
  sSkinProvider->SetName("sSkinProvider");
  SetName("frmPlugin");
  SetCaption("Plugin");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poOwnerFormCenter);
  Font().SetName("Tahoma");
  Font().SetHeight(-11);
  SetClientSize(427, 208);
  OnCreate = [this](TObject* s) { FormCreate(s); };

  ImageList1 = std::make_unique<TImageList>(16, 16);
  if (Application.SmallIcon()) ImageList1->AddIcon(Application.SmallIcon());

  lv = new TPluginListView(this);
  lv->SetName("lv");
  lv->SetBounds(8, 16, 409, 137);
  lv->SetRowSelect(true);
  lv->SetSmallImages(ImageList1.get());
  lv->AddColumn("Plugin", 140);
  lv->AddColumn("Name", 90);
  lv->AddColumn("Path", 170);
  lv->OnClick = [this](TObject* s) { lvClick(s); };
  lv->OnDblClick = [this](TObject* s) { btnPluginInfoClick(s); };
  lv->SetParent(this);

  btnPluginInfo = new TButton(this);
  btnPluginInfo->SetName("btnPluginInfo");
  btnPluginInfo->SetBounds(117, 168, 100, 25);
  btnPluginInfo->SetCaption("About");
  btnPluginInfo->SetHint("About");
  btnPluginInfo->SetShowHint(true);
  btnPluginInfo->SetEnabled(false);
  btnPluginInfo->OnClick = [this](TObject* s) { btnPluginInfoClick(s); };
  btnPluginInfo->SetParent(this);

  Button3 = new TButton(this);
  Button3->SetName("Button3");
  Button3->SetBounds(235, 168, 100, 25);
  Button3->SetCaption("Close");
  Button3->OnClick = [this](TObject* s) { Button3Click(s); };
  Button3->SetParent(this);
}

void TfrmPlugin::FormCreate(TObject*) {
  for (const std::string& path : GetPluginList()) {
    TListItem row = lv->Add(ExtractFileName(path));
    row.SetSubItem(0, GetPluginName(path));
    row.SetSubItem(1, path);
  }
}

void TfrmPlugin::lvClick(TObject*) {
  btnPluginInfo->SetEnabled(lv->Selected().has_value());
}

void TfrmPlugin::btnPluginInfoClick(TObject*) {
  if (std::optional<TListItem> row = lv->Selected()) ShowPluginAbout(row->SubItem(1));
}

void TfrmPlugin::Button3Click(TObject*) {
  Close();
}
