// The main window: the driver list, the details of the clicked driver, the backup buttons and
// the menus, with every command wired to the routines that do the work.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/drivers/BackupCommand.h"
#include "app/drivers/untSearchDriver.h"
#include "app/windows/DriverListAdapters.h"
#include "framework/ComCtrls.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/Menus.h"
#include "framework/StdCtrls.h"
#include "skin/controls/sButton.h"
#include "skin/controls/veAlphaImageList.h"
#include "skin/data/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

class TfrmMain : public fw::TForm {
 public:
  // Builds the window from its design and runs its creation handler; the window is shown by
  // the caller.
  explicit TfrmMain(fw::TComponent* owner);
  ~TfrmMain() override;
  std::string ClassName() const override { return "TfrmMain"; }

  // Sets the caption to the application title and fills GlobalVars from the configuration.
  void LoadConfiguration();
  // Shows the plug-in menu and appends one item per plug-in, tagged with its index.
  void BuildPluginMenu(const std::vector<std::string>& list);

  fw::TListView* lv;
  fw::TStatusBar* Sbar;
  fw::TGroupBox* GroupBox1;
  fw::TLabel* Label1;
  fw::TLabel* Label2;
  fw::TLabel* Label3;
  fw::TLabel* Label4;
  fw::TLabel* Label5;
  fw::TLabel* Label6;
  TsButton* BtnBackUp;
  TsButton* BtnAllSel;
  TsButton* BtnSelect;
  TsButton* BtnClose;
  fw::TPopupMenu* PopupMenu;
  fw::TMenuItem* O1;
  fw::TMainMenu* MainMenu;
  TsSkinManager* sSkinManager;
  TsSkinProvider* sSkinProvider;
  fw::TMenuItem *N1, *menuSearchDriver, *menuSearchAllDriver, *N4, *C1;
  fw::TMenuItem *N5, *N6, *N7, *N15, *N8, *N14, *Browsebackupfolder1;
  fw::TMenuItem *N3, *N11, *N13;
  fw::TMenuItem *N9, *H1, *H2, *N16, *HomePage1, *MoreFreeTools1, *N17, *CheckforUpdates1,
      *ContactTechnicalSupport1, *N18, *N12;

  std::vector<std::string> PluginList;

  void FormCreate(fw::TObject* Sender);
  void FormClose(fw::TObject* Sender, fw::TCloseAction& Action);
  void menuSearchDriverClick(fw::TObject* Sender);
  void menuSearchAllDriverClick(fw::TObject* Sender);
  void lvClick(fw::TObject* Sender);
  void N6Click(fw::TObject* Sender);
  void N15Click(fw::TObject* Sender);
  void N8Click(fw::TObject* Sender);
  void BtnAllSelClick(fw::TObject* Sender);
  void BtnSelectClick(fw::TObject* Sender);
  void O1Click(fw::TObject* Sender);
  void C1Click(fw::TObject* Sender);
  void BtnCloseClick(fw::TObject* Sender);
  void N11Click(fw::TObject* Sender);
  void PluginMenuClick(fw::TObject* Sender);
  void N12Click(fw::TObject* Sender);
  void H1Click(fw::TObject* Sender);
  void H2Click(fw::TObject* Sender);
  void HomePage1Click(fw::TObject* Sender);
  void MoreFreeTools1Click(fw::TObject* Sender);
  void CheckforUpdates1Click(fw::TObject* Sender);
  void ContactTechnicalSupport1Click(fw::TObject* Sender);

 private:
  void InitializeComponent();
  void InitializeMenus();
  void InitializeSkinManager();
  void InitializeSkinProvider();
  fw::TMenuItem* AddItem(fw::TMenuItem* parent, const std::string& name, const std::string& caption,
                         fw::TShortCut shortCut = 0,
                         void (TfrmMain::*handler)(fw::TObject*) = nullptr);
  void Scan(std::uint8_t mode);
  void Backup(TBackupPick pick);

  std::unique_ptr<TsAlphaImageList> sAlphaImageList32;
  std::unique_ptr<TDriverListView> driverList_;
  TDriverInventory driverInventory_;
  std::unique_ptr<TBackupWindow> backupWindow_;
};
