#include "app/windows/untMain.h"

#include "app/core/Configuration.h"
#include "app/core/UtilFuncs.h"
#include "app/core/WorkFolder.h"
#include "app/core/globals.h"
#include "app/drivers/BackupState.h"
#include "app/drivers/untLoadInfo.h"
#include "app/drivers/untSearchDriver.h"
#include "app/plugins/untPlugin.h"
#include "app/windows/About.h"
#include "app/windows/ButtonPictures.h"
#include "app/windows/HelpLinks.h"
#include "app/windows/SkinChoice.h"
#include "app/windows/untPluginSet.h"
#include "framework/Application.h"
#include "platform/StartupTrace.h"
#include "skin/data/sSkinPaths.h"
#include "skins/StoredSkins.h"

using namespace fw;

namespace {

// The class names whose controls the form skinning adopts, one list per kind of control.
const std::pair<TveThirdKind, std::vector<const char*>> kThirdParty[] = {
    {TveThirdKind::Edits,
     {"TEdit",
      "TMemo",
      "TMaskEdit",
      "TSpinEdit",
      "TLabeledEdit",
      "THotKey",
      "TListBox",
      "TCheckListBox",
      "TRichEdit",
      "TDateTimePicker",
      "TCategoryButtons",
      "TFileListBox",
      "TRzEdit",
      "TRzHotKeyEdit",
      "TRzMaskEdit",
      "TRzNumericEdit",
      "TRzExpandEdit",
      "TRzMemo",
      "TRzListBox",
      "TRzRankListBox",
      "TRzTabbedListBox",
      "TRzCheckList",
      "TRzEditListBox",
      "TRzRichEdit"}},
    {TveThirdKind::Buttons, {"TButton"}},
    {TveThirdKind::BitBtns, {"TBitBtn"}},
    {TveThirdKind::CheckBoxes, {"TCheckBox", "TRadioButton", "TGroupButton"}},
    {TveThirdKind::GroupBoxes, {"TGroupBox", "TRadioGroup", "TRzGroupBox"}},
    {TveThirdKind::ListViews, {"TListView", "TRzListView", "TRzShellList"}},
    {TveThirdKind::Panels, {"TPanel", "TPage", "TGridPanel", "TRzPanel"}},
    {TveThirdKind::Grids, {"TStringGrid", "TDrawGrid", "TValueListEditor"}},
    {TveThirdKind::TreeViews, {"TTreeView", "TRzTreeView", "TRzCheckTree", "TRzShellTree"}},
    {TveThirdKind::ComboBoxes,
     {"TComboBox", "TComboBoxEx", "TColorBox", "TRzComboBox", "TRzImageComboBox", "TRzMRUComboBox",
      "TRzShellCombo"}},
    {TveThirdKind::WWEdits, {"TRzDateTimeEdit"}},
    {TveThirdKind::VirtualTrees, {" "}},
    {TveThirdKind::GridEh, {" "}},
    {TveThirdKind::PageControl, {"TPageControl"}},
    {TveThirdKind::TabControl, {"TTabControl"}},
    {TveThirdKind::ToolBar, {"TToolBar"}},
    {TveThirdKind::StatusBar, {"TStatusBar"}},
    {TveThirdKind::SpeedButton, {"TSpeedButton"}},
    {TveThirdKind::ScrollControl, {"TScrollBox"}},
    {TveThirdKind::UpDown, {"TUpDown"}},
    {TveThirdKind::ScrollBar, {"TScrollBar"}},
};

// The backup's view of the main window: progress in the status bar, the Backup button, message
// boxes owned by the window and captioned with the application title.
class TMainBackupWindow final : public TBackupWindow {
 public:
  explicit TMainBackupWindow(TfrmMain& form) : form_(form) {}
  void SetStatusText(const std::string& text) override { form_.Sbar->SetPanelText(0, text); }
  void SetBackupEnabled(bool enabled) override { form_.BtnBackUp->SetEnabled(enabled); }
  void ProcessMessages() override { Application.ProcessMessages(); }
  void* Owner() override { return form_.Handle(); }
  std::string Title() override { return Application.Title(); }

 private:
  TfrmMain& form_;
};

}  // namespace

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
  BeginLoading();
  InitializeComponent();
  platform::TraceStartup("components built");
  EndLoading();
  platform::TraceStartup("skin applied to the window");
  Application.SetMainForm(this);
  SetPluginOwnerWindow(Handle());
  DoCreate();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::InitializeComponent() {
  InitializeSkinManager();
  platform::TraceStartup("skin loaded");
  InitializeSkinProvider();
  SetName("frmMain");
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(biSystemMenu | biMinimize);
  SetPosition(TPosition::poDesktopCenter);
  Font().SetName("Tahoma");
  Font().SetHeight(-11);
  Font().SetCharset(ANSI_CHARSET);
  InitializeMenus();
  SetClientSize(722, 454);
  OnCreate = [this](TObject* s) { FormCreate(s); };
  OnClose = [this](TObject* s, TCloseAction& a) { FormClose(s, a); };

  lv = new TListView(this);
  lv->SetName("lv");
  lv->SetBounds(5, 8, 708, 242);
  lv->SetCheckboxes(true);
  lv->SetRowSelect(true);
  lv->AddColumn("Device", 320);
  lv->AddColumn("Type", 220);
  lv->AddColumn("Action", 100);
  lv->AddColumn("", 0);  // the driver's key path, kept out of sight
  lv->OnClick = [this](TObject* s) { lvClick(s); };
  lv->SetParent(this);
  driverList_ = std::make_unique<TDriverListView>(*lv);
  backupWindow_ = std::make_unique<TMainBackupWindow>(*this);

  Sbar = new TStatusBar(this);
  Sbar->SetName("Sbar");
  Sbar->SetBounds(0, 434, 722, 20);
  Sbar->AddPanel(440);
  Sbar->AddPanel(50, TAlignment::taCenter);
  Sbar->SetShowHint(true);
  Sbar->SetParent(this);

  GroupBox1 = new TGroupBox(this);
  GroupBox1->SetName("GroupBox1");
  GroupBox1->SetBounds(5, 260, 588, 166);
  GroupBox1->SetCaption("More information about selected device");
  GroupBox1->SetParent(this);
  TLabel** labels[] = {&Label1, &Label2, &Label3, &Label4, &Label5, &Label6};
  const int tops[] = {24, 47, 71, 94, 118, 142};
  for (int i = 0; i < 6; ++i) {
    TLabel* label = *labels[i] = new TLabel(this);
    label->SetName("Label" + std::to_string(i + 1));
    label->SetShowAccelChar(false);  // device data may hold "&"
    label->SetBounds(16, tops[i], 0, 13);
    label->SetCaption("...");
    label->SetParent(GroupBox1);
  }

  sAlphaImageList32 = LoadButtonPictures();
  PopupMenu = new TPopupMenu(this);
  PopupMenu->SetName("PopupMenu");
  O1 = AddItem(PopupMenu->Items(), "O1", "Browse backup folder...", 0, &TfrmMain::O1Click);

  struct ButtonDesign {
    TsButton** button;
    const char* name;
    const char* caption;
    int top;
    void (TfrmMain::*handler)(TObject*);
  };
  const ButtonDesign buttons[] = {
      {&BtnBackUp, "BtnBackUp", "&Backup", 266, &TfrmMain::N6Click},
      {&BtnAllSel, "BtnAllSel", "&Select All", 306, &TfrmMain::BtnAllSelClick},
      {&BtnSelect, "BtnSelect", "&Select Invert", 346, &TfrmMain::BtnSelectClick},
      {&BtnClose, "BtnClose", "&Exit", 386, &TfrmMain::BtnCloseClick},
  };
  int image = 0;
  for (const ButtonDesign& design : buttons) {
    TsButton* button = *design.button = new TsButton(this);
    button->SetName(design.name);
    button->SkinData().SetSkinSection("BUTTON");
    button->SetBounds(600, design.top, 113, 39);
    button->SetCaption(design.caption);
    button->SetImages(sAlphaImageList32.get(), image++);
    auto handler = design.handler;
    button->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
    button->SetParent(this);
  }
  BtnBackUp->SetStyle(TButtonStyle::bsSplitButton);
  BtnBackUp->SetDropDownMenu(PopupMenu);
}

// The window's skin manager, the program's default one. Its skin is loaded here while the
// window is being built and applied when the build is finished.
void TfrmMain::InitializeSkinManager() {
  sSkinManager = new TsSkinManager(this);
  sSkinManager->SetName("sSkinManager");
  sSkinManager->Effects.SetAllowGlowing(false);
  sSkinManager->SetExtendedBorders(true);
  sSkinManager->AnimEffects.FormShow.Time = 70;
  AddStoredSkins(sSkinManager->InternalSkins);
  sSkinManager->MenuSupport.IcoLineSkin = "ICOLINE";
  sSkinManager->MenuSupport.ExtraLineFont.Name = "Tahoma";
  sSkinManager->MenuSupport.ExtraLineFont.Height = -11;
  sSkinManager->SetSkinDirectory("c:\\Skins");
  sSkinManager->SkinningRules = srThirdParty;
  for (const auto& [kind, names] : kThirdParty) {
    std::string text;
    for (const char* name : names) text += std::string(name) + "\r\n";
    sSkinManager->SetThirdParty(kind, text);
  }
  const TsStoredSkins& skins = sSkinManager->InternalSkins;
  std::vector<std::string> names;
  for (int i = 0; i < skins.Count(); ++i) names.push_back(skins.Items(i).Name);
  std::string skin = StartupSkin(SplitCommandLine(GetCommandLineA()), names, ReadRememberedSkin());
  if (!skin.empty()) sSkinManager->SetSkinName(skin);
}

void TfrmMain::InitializeSkinProvider() {
  sSkinProvider = new TsSkinProvider(this);
  sSkinProvider->SetName("sSkinProvider");
  sSkinProvider->CaptionAlignment = TsCaptionAlign::Center;
  sSkinProvider->ScreenSnap = true;
  sSkinProvider->ShowAppIcon = false;
  sSkinProvider->AddedTitle.Font.SetName("Tahoma");
  sSkinProvider->AddedTitle.Font.SetHeight(-11);
  sSkinProvider->SetSkinManager(sSkinManager);
  // Beyond the design: the skins are offered in the system menu, and the choice is kept.
  sSkinProvider->MakeSkinMenu = true;
  sSkinProvider->OnSkinSelected = [](const std::string& name) { RememberSkin(name); };
}

TMenuItem* TfrmMain::AddItem(TMenuItem* parent, const std::string& name, const std::string& caption,
                             TShortCut shortCut, void (TfrmMain::*handler)(TObject*)) {
  auto* item = new TMenuItem(this);
  item->SetName(name);
  item->SetCaption(caption);
  item->SetShortCut(shortCut);
  if (handler) item->OnClick = [this, handler](TObject* s) { (this->*handler)(s); };
  parent->Add(item);
  return item;
}

void TfrmMain::InitializeMenus() {
  MainMenu = new TMainMenu(this);
  MainMenu->SetName("MainMenu");
  TMenuItem* root = MainMenu->Items();

  N1 = AddItem(root, "N1", "Scan Driver");
  menuSearchDriver = AddItem(N1, "menuSearchDriver", "Scan recommended drivers", 0,
                             &TfrmMain::menuSearchDriverClick);
  menuSearchAllDriver = AddItem(N1, "menuSearchAllDriver", "Scan all drivers", 0,
                                &TfrmMain::menuSearchAllDriverClick);
  N4 = AddItem(N1, "N4", "-");
  C1 = AddItem(N1, "C1", "Exit", ShortCut(VK_F4, scCtrl), &TfrmMain::C1Click);

  N5 = AddItem(root, "N5", "Backup");
  N6 = AddItem(N5, "N6", "Backup selected drivers", ShortCut(VK_F9), &TfrmMain::N6Click);
  N7 = AddItem(N5, "N7", "-");
  N15 = AddItem(N5, "N15", "Backup recommended drivers", ShortCut(VK_F10), &TfrmMain::N15Click);
  N8 = AddItem(N5, "N8", "Back all drivers", ShortCut(VK_F11), &TfrmMain::N8Click);
  N14 = AddItem(N5, "N14", "-");
  Browsebackupfolder1 =
      AddItem(N5, "Browsebackupfolder1", "Browse backup folder...", 0, &TfrmMain::O1Click);

  N3 = AddItem(root, "N3", "Plugin");
  N3->SetVisible(false);  // shown once there is a plug-in
  N11 = AddItem(N3, "N11", "Manage plugins...", ShortCut(VK_F12), &TfrmMain::N11Click);
  N13 = AddItem(N3, "N13", "-");

  N9 = AddItem(root, "N9", "Help");
  H1 = AddItem(N9, "H1", "Help Content", ShortCut(VK_F1), &TfrmMain::H1Click);
  H2 = AddItem(N9, "H2", "How Tos && Tutorial Videos...", 0, &TfrmMain::H2Click);
  N16 = AddItem(N9, "N16", "-");
  HomePage1 = AddItem(N9, "HomePage1", "Home Page...", 0, &TfrmMain::HomePage1Click);
  MoreFreeTools1 =
      AddItem(N9, "MoreFreeTools1", "More Free Tools...", 0, &TfrmMain::MoreFreeTools1Click);
  N17 = AddItem(N9, "N17", "-");
  CheckforUpdates1 =
      AddItem(N9, "CheckforUpdates1", "Check for Updates...", 0, &TfrmMain::CheckforUpdates1Click);
  ContactTechnicalSupport1 = AddItem(N9, "ContactTechnicalSupport1", "Contact Technical Support...",
                                     0, &TfrmMain::ContactTechnicalSupport1Click);
  N18 = AddItem(N9, "N18", "-");
  N12 = AddItem(N9, "N12", "About...", 0, &TfrmMain::N12Click);
  SetMenu(MainMenu);
}

void TfrmMain::LoadConfiguration() {
  SetCaption(Application.Title());
  GlobalVars = ReadGlobalVars(ReadConfiguration());
}

void TfrmMain::BuildPluginMenu(const std::vector<std::string>& list) {
  for (size_t i = 0; i < list.size(); ++i) {
    N3->SetVisible(true);
    TMenuItem* item = AddItem(N3, "", GetPluginName(list[i]), 0, &TfrmMain::PluginMenuClick);
    item->SetTag(static_cast<std::intptr_t>(i));
  }
}

void TfrmMain::FormCreate(TObject* Sender) {
  LoadConfiguration();
  PluginList = GetPluginList();
  BuildPluginMenu(PluginList);
  platform::TraceStartup("plug-ins loaded");
  menuSearchDriverClick(Sender);
  platform::TraceStartup("drivers scanned");
}

void TfrmMain::FormClose(TObject*, TCloseAction&) {
  // A backup that is running ends after the file it is copying.
  RequestBackupStop();
  PluginList.clear();
}

void TfrmMain::Scan(std::uint8_t mode) {
  // The backup walks the rows while it runs; a scan must not replace them under it.
  if (BackupRunning()) return;
  BeginBusyCursor();
  {
    // Painted once at the end: a list redrawn for every row takes a minute for 5,000 drivers.
    struct Update {
      TListView& list;
      ~Update() { list.EndUpdate(); }
    } update{*lv};
    lv->BeginUpdate();
    try {
      SearchDriver(*driverList_, mode, driverInventory_);
    } catch (...) {
      EndBusyCursor();
      throw;
    }
  }
  EndBusyCursor();
  Sbar->SetPanelText(0, std::to_string(lv->Count()) + " drivers found.");
}

void TfrmMain::menuSearchDriverClick(TObject*) {
  Scan(smRecommended);
}

void TfrmMain::menuSearchAllDriverClick(TObject*) {
  Scan(smAll);
}

void TfrmMain::lvClick(TObject*) {
  try {
    std::optional<TListItem> row = lv->Selected();
    if (!row) return;
    TLabelCaption l1(*Label1), l2(*Label2), l3(*Label3), l4(*Label4), l5(*Label5), l6(*Label6);
    std::string inf = LoadDriverInfo(row->SubItem(kKeyPathColumn), l1, l2, l3, l4);
    LoadInfInfo(inf, l5, l6);
  } catch (...) {
    // Details are a convenience: whatever could not be read keeps its previous line.
  }
}

void TfrmMain::Backup(TBackupPick pick) {
  RunBackupCommand(*driverList_, *backupWindow_, pick);
}

void TfrmMain::N6Click(TObject*) {
  Backup(TBackupPick::Checked);
}

void TfrmMain::N15Click(TObject*) {
  Backup(TBackupPick::Recommended);
}

void TfrmMain::N8Click(TObject*) {
  Backup(TBackupPick::All);
}

void TfrmMain::BtnAllSelClick(TObject*) {
  try {
    for (int i = 0, n = lv->Count(); i < n; ++i) lv->Items(i).SetChecked(true);
  } catch (...) {
  }
}

void TfrmMain::BtnSelectClick(TObject*) {
  try {
    for (int i = 0, n = lv->Count(); i < n; ++i) {
      TListItem item = lv->Items(i);
      item.SetChecked(!item.Checked());
    }
  } catch (...) {
  }
}

// The folder the backup writes into, which lies in the current folder. The program's own folder
// is another one as soon as the program was started elsewhere.
void TfrmMain::O1Click(TObject*) {
  ShellOpen(InWorkFolder("BackUp\\"));
}

void TfrmMain::C1Click(TObject*) {
  Close();
}

void TfrmMain::BtnCloseClick(TObject*) {
  Close();
}

void TfrmMain::N11Click(TObject*) {
  TfrmPlugin manager(nullptr);
  manager.ShowModal();
}

void TfrmMain::PluginMenuClick(TObject* Sender) {
  auto* item = static_cast<TMenuItem*>(Sender);
  for (size_t i = 0; i < PluginList.size(); ++i)
    if (static_cast<std::intptr_t>(i) == item->Tag()) ShowPluginForm(PluginList[i]);
}

void TfrmMain::N12Click(TObject*) {
  std::unique_ptr<TFormAbout> about = std::make_unique<TFormAbout>(this);
  about->ShowModal();
}

void TfrmMain::H1Click(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpContectLink));
}

void TfrmMain::H2Click(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpHowTosTutorialVideosLink));
}

void TfrmMain::HomePage1Click(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpHomePageLink));
}

void TfrmMain::MoreFreeTools1Click(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpMoreFreeToolsLink));
}

void TfrmMain::CheckforUpdates1Click(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpCheckForUpdatesLink));
}

void TfrmMain::ContactTechnicalSupport1Click(TObject*) {
  ShellOpen(ResolveHelpLinkBesideExe(GlobalVars.HelpSupportLink));
}
