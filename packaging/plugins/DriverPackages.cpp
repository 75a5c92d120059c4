// Driver packages, a plug-in that ships with the program: exports the checked drivers as packages
// the system can install again, verifies exported packages and restores them, with a folder
// picker, a progress bar and a result list.
//
// The work runs on a worker thread, so the window answers while a large or slow file is read.
// The worker never touches a window: it leaves what it has to tell (the file at hand, each
// package's line, the end) in the job and posts the window a note to take it. Cancel is seen
// after the current file, so every folder stays consistent; closing the window while a job runs
// cancels it, and the window goes when the worker has ended. The worker has ended, and every
// window is closed, before the entry point returns, because the host unloads the library then.
//
// While a job runs, only the worker uses this library's platform services (file system, driver
// setup, hashing): the window's own handlers that use them (the folder picker, the job's start)
// are disabled until it ends. The host's services are its own objects, not this library's.
#include <windows.h>
#include <commctrl.h>
#include <shlobj.h>

#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "app/core/WorkFolder.h"
#include "app/drivers/PackageExport.h"
#include "app/drivers/PackageRestore.h"
#include "app/drivers/PackageVerify.h"
#include "DriverPackagesControls.h"
#include "PluginWindow.h"
#include "platform/Library.h"
#include "skin/data/sSkinCommands.h"

namespace {

using namespace driver_packages;

const char kName[] = "Driver packages";
const char kClassName[] = "DkDriverPackages";
// Posted by the worker: the job has news for the window.
const UINT kJobNews = WM_APP + 1;
enum class TJobKind { Export, Verify, Restore };

HINSTANCE instance = nullptr;
// Lengths at 96 DPI.
constexpr int kDeviceColumnWidth = 510;
constexpr int kResultsWidth = 1600;

// What the worker has told and the window not yet shown.
struct TJobNews {
  std::string status;              // the file at hand, "package: file"
  std::vector<std::string> lines;  // a line for each package finished
  bool over = false;               // the worker has ended; summary closes the run
  std::string summary;
  bool posted = false;  // a kJobNews is on its way: one note carries any amount of news
};

// One export, verify or restore, and the worker thread running it.
struct TJob {
  TJobKind kind;
  std::vector<TExportDriver> drivers;
  std::string folder;
  HWND window;
  std::atomic<bool> cancel{false};
  std::mutex lock;
  TJobNews news;  // under lock
  std::thread worker;

  // Changes the news under the lock and makes sure a note is on its way to the window.
  template <class Change>
  void Tell(const Change& change) {
    std::lock_guard<std::mutex> guard(lock);
    change(news);
    if (!news.posted) news.posted = PostMessageA(window, kJobNews, 0, 0) != FALSE;
  }
  TJobNews TakeNews() {
    std::lock_guard<std::mutex> guard(lock);
    TJobNews taken = std::move(news);
    news = {};
    return taken;
  }
};

// The state of the one open window.
struct TWindowState {
  HWND wnd = nullptr;
  std::vector<TExportDriver> drivers;  // the list's rows, in order
  std::unique_ptr<TJob> job;           // the job running, if any
  bool closeWhenDone = false;
  // The list's check images: the platform's, and those made here for another scale.
  HIMAGELIST platformChecks = nullptr, ownChecks = nullptr;
} state;

HWND Item(int id) {
  return GetDlgItem(state.wnd, id);
}

std::string ItemText(int id) {
  char text[MAX_PATH] = "";
  GetWindowTextA(Item(id), text, sizeof text);
  return text;
}

// Selects the folder of the edit box when the picker opens, and marks the picker as the
// program's own window, so that it wears the program's skin like the window that opens it.
int CALLBACK PickerOpened(HWND picker, UINT msg, LPARAM, LPARAM start) {
  if (msg != BFFM_INITIALIZED) return 0;
  SetPropA(picker, kOwnWindowProp, reinterpret_cast<HANDLE>(1));
  SendMessageA(picker, BFFM_SETSELECTIONA, TRUE, start);
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

void SetBusy(bool busy) {
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
  TOwnDialogs own;
  MessageBoxA(state.wnd, text.c_str(), kName, MB_OK | MB_ICONWARNING);
}

// The worker: runs the job and tells the window as it goes. An error that ends the run early
// becomes its closing line, as an uncaught one would end the program.
void RunJob(TJob& job) {
  bool stopped = false;  // the cancel was seen: the run ended early
  TPackageProgress progress;
  progress.onFile = [&](const std::string& package, const std::string& file) {
    job.Tell([&](TJobNews& news) { news.status = package + ": " + file; });
  };
  progress.cancelled = [&] {
    if (job.cancel) stopped = true;
    return stopped;
  };
  progress.onReport = [&](const TPackageReport& report) {
    job.Tell([&](TJobNews& news) { news.lines.push_back(FormatReportLine(report)); });
  };
  std::string summary;
  try {
    std::vector<TPackageReport> reports =
        job.kind == TJobKind::Export   ? ExportPackages(job.drivers, job.folder, progress)
        : job.kind == TJobKind::Verify ? VerifyPackages(job.folder, progress)
                                       : RestorePackages(job.folder, false, progress);
    summary = PackageSummaryLine(reports, stopped);
  } catch (const std::exception& error) {
    summary = error.what();
  }
  job.Tell([&](TJobNews& news) {
    news.over = true;
    news.summary = summary;
  });
}

// Asks the job to stop and waits for its worker to end: at its last note it is ending anyway,
// and when the program quits the window cannot wait for that note.
void EndJob() {
  if (!state.job) return;
  state.job->cancel = true;
  state.job->worker.join();
  state.job.reset();
}

void StartJob(TJobKind kind) {
  static const char* const kPrompts[] = {"Choose the folder to export the packages into.",
                                         "Choose the folder of the packages to verify.",
                                         "Choose the folder of the packages to restore."};
  if (state.job) return;  // one at a time: the buttons are disabled, a key may still come
  std::vector<TExportDriver> drivers = CheckedDrivers();
  if (kind == TJobKind::Export && drivers.empty()) return Warn("No driver is checked.");
  if (std::string refused = kind == TJobKind::Restore ? RestoreRefusal() : ""; !refused.empty())
    return Warn(refused);
  // The folder field says where the work goes; the picker opens when it is empty.
  std::string folder = ItemText(kFolder);
  if (folder.empty()) folder = PickFolder(kPrompts[static_cast<int>(kind)]);
  if (folder.empty()) return;
  SetWindowTextA(Item(kFolder), folder.c_str());
  if (std::string unsuitable = kind == TJobKind::Export ? UnsuitableDestination(folder) : "";
      !unsuitable.empty())
    return Warn(unsuitable);
  size_t total = kind == TJobKind::Export ? drivers.size() : FindPackageFolders(folder).size();
  if (total == 0) return Warn("There are no packages in " + folder + ".");

  auto job = std::make_unique<TJob>();
  job->kind = kind;
  job->drivers = std::move(drivers);
  job->folder = folder;
  job->window = state.wnd;
  try {
    job->worker = std::thread(RunJob, std::ref(*job));
  } catch (const std::exception& error) {
    return Warn(std::string("The work could not be started: ") + error.what());
  }
  state.job = std::move(job);
  SetBusy(true);
  SendMessageA(Item(kResults), LB_RESETCONTENT, 0, 0);
  SendMessageA(Item(kProgress), PBM_SETRANGE32, 0, static_cast<LPARAM>(total));
  SendMessageA(Item(kProgress), PBM_SETPOS, 0, 0);
}

// Shows what the worker told since the last note; at the end, its summary.
void ShowJobNews() {
  if (!state.job) return;
  TJobNews news = state.job->TakeNews();
  if (!news.status.empty()) SetWindowTextA(Item(kStatus), news.status.c_str());
  for (const std::string& line : news.lines)
    SendMessageA(Item(kResults), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
  LRESULT done = SendMessageA(Item(kResults), LB_GETCOUNT, 0, 0);
  SendMessageA(Item(kProgress), PBM_SETPOS, static_cast<WPARAM>(done), 0);
  if (!news.over) return;
  EndJob();
  SetWindowTextA(Item(kStatus), news.summary.c_str());
  SetBusy(false);
  if (state.closeWhenDone) ClosePluginWindow(state.wnd);
}

// One row per driver package: the recommended ones, checked, then the others.
void FillDrivers() {
  std::vector<TOfferedDriver> offered = OfferedDrivers();
  HWND list = Item(kList);
  for (size_t i = 0; i < offered.size(); ++i) {
    state.drivers.push_back(offered[i].driver);
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = const_cast<char*>(offered[i].label.c_str());
    ListView_InsertItem(list, &item);
    ListView_SetCheckState(list, static_cast<int>(i), offered[i].recommended);
  }
}

// A check box drawn by the platform, unchecked and checked, on a transparent square of side
// pixels.
HIMAGELIST MakeCheckImages(int side) {
  constexpr COLORREF kKey = RGB(255, 0, 255);
  HIMAGELIST images = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 2, 0);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  for (UINT checked : {0u, UINT(DFCS_CHECKED)}) {
    HBITMAP picture = CreateCompatibleBitmap(screen, side, side);
    HGDIOBJ previous = SelectObject(dc, picture);
    RECT square = {0, 0, side, side};
    HBRUSH key = CreateSolidBrush(kKey);
    FillRect(dc, &square, key);
    DeleteObject(key);
    // The platform's own list leaves a margin of an eighth around its box.
    InflateRect(&square, -side / 8, -side / 8);
    DrawFrameControl(dc, &square, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | checked);
    SelectObject(dc, previous);
    ImageList_AddMasked(images, picture, kKey);
    DeleteObject(picture);
  }
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return images;
}

// The platform's list draws its check boxes at 16 pixels whatever the scale: at another scale
// the list gets check images of its own, which it frees with itself. Images someone else put
// there (a skin drawing the list's check boxes) are left to them.
void ScaleCheckImages() {
  HWND list = Item(kList);
  HIMAGELIST current = ListView_GetImageList(list, LVSIL_STATE);
  if (!current || (current != state.platformChecks && current != state.ownChecks)) return;
  const int side = PluginLength(16);
  int width = 0, height = 0;
  ImageList_GetIconSize(current, &width, &height);
  if (width == side) return;
  state.ownChecks = MakeCheckImages(side);
  ListView_SetImageList(list, state.ownChecks, LVSIL_STATE);
  ImageList_Destroy(current);
}

// What the window's own scaling leaves to it: the list's column and check boxes, and the width
// the result lines scroll across.
void FollowScale() {
  ListView_SetColumnWidth(Item(kList), 0, PluginLength(kDeviceColumnWidth));
  ScaleCheckImages();
  SendMessageA(Item(kResults), LB_SETHORIZONTALEXTENT, PluginLength(kResultsWidth), 0);
}

void CreateControls() {
  AddPluginControl(state.wnd, "STATIC",
                   "Installed drivers (the recommended ones are checked):", SS_LEFT, 0,
                   {12, 10, 536, 16}, -1);
  HWND list =
      AddPluginControl(state.wnd, WC_LISTVIEWA, "", LVS_REPORT | LVS_NOSORTHEADER | WS_TABSTOP,
                       WS_EX_CLIENTEDGE, {12, 28, 536, 170}, kList);
  ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  state.platformChecks = ListView_GetImageList(list, LVSIL_STATE);
  LVCOLUMNA column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = PluginLength(kDeviceColumnWidth);
  column.pszText = const_cast<char*>("Device");
  ListView_InsertColumn(list, 0, &column);
  AddPluginControl(state.wnd, "STATIC", "Folder:", SS_LEFT, 0, {12, 210, 44, 16}, -1);
  // Beside the backup tree, in the folder the program writes into.
  std::string folder = InWorkFolder("Packages");
  AddPluginControl(state.wnd, "EDIT", folder.c_str(), ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                   {58, 206, 400, 22}, kFolder);
  AddPluginControl(state.wnd, "BUTTON", "&Browse...", BS_PUSHBUTTON | WS_TABSTOP, 0,
                   {466, 205, 82, 24}, kBrowse);
  AddPluginControl(state.wnd, "BUTTON", "&Export", BS_DEFPUSHBUTTON | WS_TABSTOP, 0,
                   {12, 238, 82, 26}, kExport);
  AddPluginControl(state.wnd, "BUTTON", "&Verify", BS_PUSHBUTTON | WS_TABSTOP, 0,
                   {100, 238, 82, 26}, kVerify);
  AddPluginControl(state.wnd, "BUTTON", "&Restore", BS_PUSHBUTTON | WS_TABSTOP, 0,
                   {188, 238, 82, 26}, kRestore);
  AddPluginControl(state.wnd, "BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 0,
                   {276, 238, 82, 26}, kCancel);
  AddPluginControl(state.wnd, "BUTTON", "&Close", BS_PUSHBUTTON | WS_TABSTOP, 0, {466, 238, 82, 26},
                   kClose);
  AddPluginControl(state.wnd, PROGRESS_CLASSA, "", 0, 0, {12, 274, 536, 16}, kProgress);
  AddPluginControl(
      state.wnd, "STATIC",
      "Check drivers and export them, or verify or restore the packages of the folder.",
      SS_LEFT | SS_ENDELLIPSIS, 0, {12, 296, 536, 16}, kStatus);
  AddPluginControl(state.wnd, "LISTBOX", "",
                   LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
                   {12, 316, 536, 112}, kResults);
  FillDrivers();
  FollowScale();
}

// Closing while a job runs asks it to stop; the window goes when the job has ended.
void RequestClose() {
  if (!state.job) {
    ClosePluginWindow(state.wnd);
    return;
  }
  state.job->cancel = state.closeWhenDone = true;
}

void Cancel() {
  if (state.job) state.job->cancel = true;
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
          StartJob(TJobKind::Export);
          break;
        case kVerify:
          StartJob(TJobKind::Verify);
          break;
        case kRestore:
          StartJob(TJobKind::Restore);
          break;
        case kCancel:
          Cancel();
          break;
        case kClose:
        case IDCANCEL:
          RequestClose();
          break;
      }
      return 0;
    case kJobNews:
      ShowJobNews();
      return 0;
    case WM_DPICHANGED:
      FollowScale();
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
  TOwnDialogs own;
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
  RunPluginWindow({instance, kClassName, kName, WindowProc, 560, 440, EndJob}, GetActiveWindow());
}
}
