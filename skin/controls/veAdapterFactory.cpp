#include "skin/controls/veAdapterFactory.h"

#include "skin/controls/veGroupBoxWnd.h"
#include "skin/controls/veListViewWnd.h"
#include "skin/controls/veStatusBarWnd.h"

std::unique_ptr<TveMainWnd> CreateAdapter(TveThirdKind kind, HWND handle,
                                          const std::string& section, TsSkinManager* manager,
                                          TsCommonData* skinData) {
  switch (kind) {
    case TveThirdKind::Edits:
      return std::make_unique<TveEditWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::GroupBoxes:
      return std::make_unique<TveGroupBoxWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::ListViews:
      return std::make_unique<TveListViewWnd>(handle, true, section, manager, skinData);
    case TveThirdKind::StatusBar:
      return std::make_unique<TveStatusBarWnd>(handle, true, section, manager, skinData);
    default:
      return nullptr;
  }
}
