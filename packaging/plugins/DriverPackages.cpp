// Driver packages, a plug-in that ships with the program: exports the checked drivers as packages
// the system can install again, verifies exported packages and restores them, with a folder
// picker, a progress bar and a result list. The work runs on the window's thread between message
// checks, so Cancel is seen after the current file and every folder stays consistent. Every window
// it opens is closed before its entry point returns, because the host unloads the library then.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <set>
#include <string>
#include <vector>

#include "app/drivers/PackageExport.h"
#include "app/drivers/PackageRestore.h"
#include "app/drivers/PackageVerify.h"
#include "app/drivers/untSearchDriver.h"
#include "text/Paths.h"
#include "PluginWindow.h"
#include "platform/Host.h"
#include "platform/Library.h"

namespace {

const char kName[] = "Driver packages";
const char kClassName[] = "DkDriverPackages";
enum : int {
  kList = 100,
  kFolder,
  kBrowse,
  kExport,
  kVerify,
  kRestore,
  kCancel,
  kClose,
  kProgress,
  kStatus,
  kResults
};
enum class TJob { Export, Verify, Restore };

HINSTANCE instance = nullptr;

// The state of the one open window.
struct TWindowState {
  HWND wnd = nullptr;
  std::vector<TExportDriver> drivers;  // the list's rows, in order
  bool busy = false;
  bool cancel = false;
  bool closeWhenDone = false;
} state;

HWND Item(int id) {
  return GetDlgItem(state.wnd, id);
}

std::string ItemText(int id) {
  char text[MAX_PATH] = "";
  GetWindowTextA(Item(id), text, sizeof text);
  return text;
}

HWND AddControl(const char* kind, const char* text, DWORD style, DWORD exStyle, int x, int y, int w,
                int h, int id) {
  HWND control =
      CreateWindowExA(exStyle, kind, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, state.wnd,
                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
  SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)),
               TRUE);
  return control;
}

// Selects the folder of the edit box when the picker opens.
int CALLBACK PickerOpened(HWND picker, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED) SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, start);
  return 0;
}

using TBrowse = PIDLIST_ABSOLUTE(WINAPI*)(BROWSEINFOA*);
using TPathFromList = BOOL(WINAPI*)(PCIDLIST_ABSOLUTE, LPSTR);
using TFree = void(WINAPI*)(LPVOID);

// The folder picker, starting at the folder in the edit box; empty when the user cancels. The
// shell is loaded here rather than with the plug-in, which the program loads at start-up.
std::string PickFolder(const char* prompt) {
  std::string start = ItemText(kFolder);
  platform::LoadedLibrary shell("shell32.dll"), com("ole32.dll");
  auto browse = shell.Find<TBrowse>("SHBrowseForFolderA");
  auto pathFromList = shell.Find<TPathFromList>("SHGetPathFromIDListA");
  auto freeList = com.Find<TFree>("CoTaskMemFree");
  if (!browse || !pathFromList || !freeList) return {};
  char path[MAX_PATH] = "";
  BROWSEINFOA info = {};
  info.hwndOwner = state.wnd;
  info.pszDisplayName = path;
  info.lpszTitle = prompt;
  info.ulFlags = BIF_RETURNONLYFSDIRS;
  info.lpfn = PickerOpened;
  info.lParam = reinterpret_cast<LPARAM>(start.c_str());
  PIDLIST_ABSOLUTE chosen = browse(&info);
  if (!chosen) return {};
  bool ok = pathFromList(chosen, path);
  freeList(chosen);
  return ok ? path : std::string();
}

// Lets the window answer while a job runs; a quit request ends the job and goes on to the host.
void ProcessMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      state.cancel = state.closeWhenDone = true;
      return;
    }
    if (!IsDialogMessageA(state.wnd, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
}

void SetBusy(bool busy) {
  state.busy = busy;
  for (int id : {kList, kFolder, kBrowse, kExport, kVerify, kRestore})
    EnableWindow(Item(id), !busy);
  EnableWindow(Item(kCancel), busy);
}

std::vector<TExportDriver> CheckedDrivers() {
  std::vector<TExportDriver> checked;
  for (size_t i = 0; i < state.drivers.size(); ++i)
    if (ListView_GetCheckState(Item(kList), static_cast<int>(i)))
      checked.push_back(state.drivers[i]);
  return checked;
}

void Warn(const std::string& text) {
  MessageBoxA(state.wnd, text.c_str(), kName, MB_OK | MB_ICONWARNING);
}

void RunJob(TJob job) {
  static const char* const kPrompts[] = {"Choose the folder to export the packages into.",
                                         "Choose the folder of the packages to verify.",
                                         "Choose the folder of the packages to restore."};
  std::vector<TExportDriver> drivers = CheckedDrivers();
  if (job == TJob::Export && drivers.empty()) return Warn("No driver is checked.");
  if (std::string refused = job == TJob::Restore ? RestoreRefusal() : ""; !refused.empty())
    return Warn(refused);
  // The folder field says where the work goes; the picker opens when it is empty.
  std::string folder = ItemText(kFolder);
  if (folder.empty()) folder = PickFolder(kPrompts[static_cast<int>(job)]);
  if (folder.empty()) return;
  SetWindowTextA(Item(kFolder), folder.c_str());
  if (std::string unsuitable = job == TJob::Export ? UnsuitableDestination(folder) : "";
      !unsuitable.empty())
    return Warn(unsuitable);
  size_t total = job == TJob::Export ? drivers.size() : FindPackageFolders(folder).size();
  if (total == 0) return Warn("There are no packages in " + folder + ".");

  SetBusy(true);
  state.cancel = false;
  SendMessageA(Item(kResults), LB_RESETCONTENT, 0, 0);
  SendMessageA(Item(kProgress), PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
  SendMessageA(Item(kProgress), PBM_SETPOS, 0, 0);
  std::set<std::string> started;
  TPackageProgress progress;
  progress.onFile = [&](const std::string& package, const std::string& file) {
    if (started.insert(package).second)
      SendMessageA(Item(kProgress), PBM_SETPOS, started.size() - 1, 0);
    SetWindowTextA(Item(kStatus), (package + ": " + file).c_str());
    ProcessMessages();
  };
  progress.cancelled = [] { return state.cancel; };
  std::vector<TPackageReport> reports =
      job == TJob::Export   ? ExportPackages(drivers, folder, progress)
      : job == TJob::Verify ? VerifyPackages(folder, progress)
                            : RestorePackages(folder, false, progress);
  for (const TPackageReport& report : reports)
    SendMessageA(Item(kResults), LB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(FormatReportLine(report).c_str()));
  SendMessageA(Item(kProgress), PBM_SETPOS, reports.size(), 0);
  std::string summary = PackageSummary(reports) + (state.cancel ? ", then cancelled." : ".");
  SetWindowTextA(Item(kStatus), summary.c_str());
  SetBusy(false);
  if (state.closeWhenDone) ClosePluginWindow(state.wnd);
}

// The recommended drivers, checked, then the other drivers. A description that both scans list
// may stand for a Microsoft instance in the full scan and another vendor's in the recommended
// one; the recommended instance is the one listed.
void FillDrivers() {
  state.drivers = ScanExportDrivers(smRecommended);
  size_t recommended = state.drivers.size();
  std::set<std::string> listed;
  for (const TExportDriver& driver : state.drivers) listed.insert(driver.device);
  for (const TExportDriver& driver : ScanExportDrivers(smAll))
    if (!listed.count(driver.device)) state.drivers.push_back(driver);
  HWND list = Item(kList);
  for (size_t i = 0; i < state.drivers.size(); ++i) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(state.drivers[i].device.c_str());
    ListView_InsertItem(list, &item);
    ListView_SetCheckState(list, static_cast<int>(i), i < recommended);
  }
}

void CreateControls() {
  AddControl("STATIC", "Installed drivers (the recommended ones are checked):", SS_LEFT, 0, 12, 10,
             536, 16, -1);
  HWND list = AddControl(WC_LISTVIEWA, "", LVS_REPORT | LVS_NOSORTHEADER | WS_TABSTOP,
                         WS_EX_CLIENTEDGE, 12, 28, 536, 170, kList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = 510;
  column.pszText = const_cast<char*>("Device");
  ListView_InsertColumn(list, 0, &column);
  AddControl("STATIC", "Folder:", SS_LEFT, 0, 12, 210, 44, 16, -1);
  std::string folder = fw::ExtractFileDir(platform::CurrentHost().ExecutablePath()) + "\\Packages";
  AddControl("EDIT", folder.c_str(), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 58, 206, 400,
             22, kFolder);
  AddControl("BUTTON", "&Browse...", BS_PUSHBUTTON | WS_TABSTOP, 0, 466, 205, 82, 24, kBrowse);
  AddControl("BUTTON", "&Export", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, 12, 238, 82, 26, kExport);
  AddControl("BUTTON", "&Verify", BS_PUSHBUTTON | WS_TABSTOP, 0, 100, 238, 82, 26, kVerify);
  AddControl("BUTTON", "&Restore", BS_PUSHBUTTON | WS_TABSTOP, 0, 188, 238, 82, 26, kRestore);
  AddControl("BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0, 276, 238, 82, 26,
             kCancel);
  AddControl("BUTTON", "&Close", BS_PUSHBUTTON | WS_TABSTOP, 0, 466, 238, 82, 26, kClose);
  AddControl(PROGRESS_CLASSA, "", 0, 0, 12, 274, 536, 16, kProgress);
  AddControl("STATIC",
             "Check drivers and export them, or verify or restore the packages of the folder.",
             SS_LEFT | SS_ENDELLIPSIS, 0, 12, 296, 536, 16, kStatus);
  AddControl("LISTBOX", "", LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
             WS_EX_CLIENTEDGE, 12, 316, 536, 112, kResults);
  SendMessageA(Item(kResults), LB_SETHORIZONTALEXTENT, 1600, 0);
  FillDrivers();
}

// Closing while a job runs asks it to stop; the window goes when the job has ended.
void RequestClose() {
  if (!state.busy) {
    ClosePluginWindow(state.wnd);
    return;
  }
  state.cancel = state.closeWhenDone = true;
}

void BrowseFolder() {
  std::string folder = PickFolder("Choose a folder for driver packages.");
  if (!folder.empty()) SetWindowTextA(Item(kFolder), folder.c_str());
}

LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      state.wnd = wnd;
      CreateControls();
      return 0;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case kBrowse:
          BrowseFolder();
          break;
        case kExport:
          RunJob(TJob::Export);
          break;
        case kVerify:
          RunJob(TJob::Verify);
          break;
        case kRestore:
          RunJob(TJob::Restore);
          break;
        case kCancel:
          state.cancel = true;
          break;
        case kClose:
        case IDCANCEL:
          RequestClose();
          break;
      }
      return 0;
    case WM_CLOSE:
      RequestClose();
      return 0;
    case WM_DESTROY:
      state.wnd = nullptr;
      return 0;
  }
  return DefWindowProcA(wnd, msg, wParam, lParam);
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE dll, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) instance = dll;
  return TRUE;
}

__declspec(dllexport) void WINAPI PluginName(unsigned char* buffer) {
  WritePluginName(buffer, kName);
}

__declspec(dllexport) void WINAPI PluginAbout(HWND owner) {
  MessageBoxA(owner,
              "Driver packages 1.0\r\n\r\nExports the drivers you check as packages that Windows "
              "can install again (INF, catalog and files, with a manifest of their SHA-256 "
              "hashes), verifies exported packages and restores them.",
              "About Driver packages", MB_OK | MB_ICONINFORMATION);
}

__declspec(dllexport) void WINAPI PluginFormShow() {
  INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_LISTVIEW_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&controls);
  state = {};
  RunPluginWindow({instance, kClassName, kName, WindowProc, 560, 440}, GetActiveWindow());
}
}
