#include "skin/controls/veAdapterFactory.h"

#include "skin/controls/veBitBtnWnd.h"
#include "skin/controls/veBtnWnd.h"
#include "skin/controls/veCheckBoxWnd.h"
#include "skin/controls/veComboBoxWnd.h"
#include "skin/controls/veGridWnd.h"
#include "skin/controls/veGroupBoxWnd.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/controls/vePanelWnd.h"
#include "skin/controls/veSpinWnd.h"
#include "skin/controls/veStatusBarWnd.h"
#include "skin/controls/veTabControlWnd.h"
#include "skin/controls/veToolBarWnd.h"
#include "skin/controls/veTreeViewWnd.h"

namespace {

// A window of the platform's button class is skinned by what its style makes it; a control of
// another class by the list that names it. Split and owner-drawn push buttons keep their own look.
std::unique_ptr<TveMainWnd> CreateButtonAdapter(bool checkList, HWND handle,
                                                const std::string& section, TsSkinManager* manager,
                                                TsCommonData* skinData) {
  char className[16] = "";
  GetClassNameA(handle, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0) {
    switch (GetWindowLongA(handle, GWL_STYLE) & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON:
        checkList = false;
        break;
      case BS_CHECKBOX:
      case BS_AUTOCHECKBOX:
      case BS_RADIOBUTTON:
      case BS_3STATE:
      case BS_AUTO3STATE:
      case BS_AUTORADIOBUTTON:
        checkList = true;
        break;
      default:
        return nullptr;
    }
  }
  if (checkList) return std::make_unique<TveCheckBoxWnd>(handle, true, section, manager, skinData);
  return std::make_unique<TveBtnWnd>(handle, true, section, manager, skinData);
}

}  // namespace

std::unique_ptr<TveMainWnd> CreateAdapter(TveThirdKind kind, HWND handle,
                                          const std::string& section, TsSkinManager* manager,
                                          TsCommonData* skinData) {
  switch (kind) {
    case TveThirdKind::Buttons:
    case TveThirdKind::CheckBoxes:
      return CreateButtonAdapter(kind == TveThirdKind::CheckBoxes, handle, section, manager,
                                 skinData);
    case TveThirdKind::BitBtns:
      return std::make_unique<TveBitBtnWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::Edits:
      return std::make_unique<TveEditWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::GroupBoxes:
      return std::make_unique<TveGroupBoxWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::ListViews:
      return std::make_unique<TveListViewWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::StatusBar:
      return std::make_unique<TveStatusBarWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::ComboBoxes:
      return std::make_unique<TveComboBoxWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::Grids:
      return std::make_unique<TveGridWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::TreeViews:
      return std::make_unique<TveTreeViewWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::Panels:
      return std::make_unique<TvePanelWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::TabControl:
      return std::make_unique<TveTabControlWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::PageControl:
      return std::make_unique<TvePageControlWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::ToolBar:
      return std::make_unique<TveToolBarWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::UpDown:
      return std::make_unique<TveSpinWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::ScrollControl:
      return std::make_unique<TveScrollBoxWnd>(handle, true, section, manager, skinData);
    default:
      return nullptr;
  }
}
