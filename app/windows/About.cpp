#include "app/windows/About.h"

#include <ctime>

#include "app/core/UtilFuncs.h"
#include "app/core/globals.h"
#include "app/windows/HelpLinks.h"
#include "app/windows/TextTemplate.h"
#include "framework/Application.h"
#include "platform/Dpi.h"

using namespace fw;

namespace {
const char kCopyrightTemplate[] = "Copyright (C) %d %s";
}

TFormAbout::TFormAbout(TComponent* owner) : TForm(owner) {
  BeginLoading();
  InitializeComponent();
  EndLoading();
  DoCreate();
}

TLabel* TFormAbout::AddLabel(const std::string& name, int left, int top,
                             const std::string& caption) {
  auto* label = new TLabel(this);
  label->SetName(name);
  label->SetShowAccelChar(false);  // the texts are product data
  label->SetBounds(left, top, 0, 13);
  label->SetCaption(caption);
  label->SetParent(this);
  return label;
}

void TFormAbout::InitializeComponent() {
  sSkinProvider = new TsSkinProvider(this);
  sSkinProvider->SetName("sSkinProvider");
  SetName("FormAbout");
  SetCaption("About %s");
  SetBorderStyle(TFormBorderStyle::bsDialog);
  SetPosition(TPosition::poOwnerFormCenter);
  Font().SetName("Tahoma");
  Font().SetHeight(-11);
  SetClientSize(428, 218);
  OnCreate = [this](TObject* s) { FormCreate(s); };

  ImageIcon = new TImage(this);
  ImageIcon->SetName("ImageIcon");
  ImageIcon->SetBounds(16, 8, 33, 33);
  ImageIcon->SetParent(this);

  LabelAppName = AddLabel("LabelAppName", 66, 8, "%s");
  LabelAppName->Font().SetHeight(-12);
  LabelAppName->Font().SetStyle(fsBold);
  LabelVersion = AddLabel("LabelVersion", 66, 26, "Version %s");
  LabelCopyRight = AddLabel("LabelCopyRight", 16, 72, "");
  LabelWarning = AddLabel("LabelWarning", 16, 104, "");
  LabelWarning->SetAutoSize(false);
  LabelWarning->SetWordWrap(true);
  LabelWarning->SetBounds(16, 104, 401, 52);
  LabelWeb = AddLabel("LabelWeb", 16, 192, "%s");
  LabelWeb->Font().SetColor(clBlue);
  LabelWeb->Font().SetStyle(fsUnderline);
  LabelWeb->SetCursor(TCursor::crHandPoint);
  LabelWeb->OnClick = [this](TObject* s) { LabelWebClick(s); };

  ButtonOK = new TButton(this);
  ButtonOK->SetName("ButtonOK");
  ButtonOK->SetBounds(336, 184, 81, 23);
  ButtonOK->SetCaption("OK");
  ButtonOK->SetDefault(true);
  ButtonOK->OnClick = [this](TObject* s) { ButtonOKClick(s); };
  ButtonOK->SetParent(this);
}

void TFormAbout::FormCreate(TObject*) {
  const std::string& title = Application.Title();
  SetCaption(FormatTemplate(Caption(), {title}));
  ShowIconAtScale();
  std::time_t now = std::time(nullptr);
  int year = std::localtime(&now)->tm_year + 1900;
  LabelAppName->SetCaption(title);
  LabelWeb->SetCaption(GlobalVars.HelpHomePageLink);
  LabelVersion->SetCaption(FormatTemplate(LabelVersion->Caption(), {GlobalVars.Version}));
  LabelCopyRight->SetCaption(
      FormatTemplate(kCopyrightTemplate, {std::to_string(year), GlobalVars.Copyright}));
}

void TFormAbout::ScaleLengths(int fromDpi, int toDpi) {
  TForm::ScaleLengths(fromDpi, toDpi);
  if (ImageIcon->Icon()) ShowIconAtScale();
}

void TFormAbout::ShowIconAtScale() {
  // At the system's scale the application's own icon is already of that size.
  const int size = platform::SystemMetricForDpi(SM_CXICON, Dpi());
  HICON icon = size == GetSystemMetrics(SM_CXICON) ? nullptr : Application.MakeIcon(size);
  ImageIcon->SetIcon(icon ? icon : Application.Icon());
  if (icon) DestroyIcon(icon);
}

void TFormAbout::ButtonOKClick(TObject*) {
  SetModalResult(mrOk);
}

void TFormAbout::LabelWebClick(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpHomePageLink));
}
