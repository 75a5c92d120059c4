#include "skin/forms/sCtrlAdapter.h"

#include <algorithm>

#include "framework/Forms.h"
#include "skin/controls/veAdapterFactory.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/render/sControlKinds.h"

namespace {

// Adapters send messages while they attach and detach; these keep the walks from starting again
// inside themselves.
bool adding = false;
bool removing = false;

// Tag of the engine's own windows, which are never adopted.
constexpr std::intptr_t kEngineTag = -98;
// Tag of a label that keeps its own colours.
constexpr std::intptr_t kOwnColoursTag = 98;

}  // namespace

int ThirdListOf(const TsSkinManager& manager, const std::string& className) {
  for (size_t kind = 0; kind < kThirdListCount; ++kind)
    if (manager.ThirdLists(TveThirdKind(kind)).IndexOf(className) >= 0) return int(kind);
  return -1;
}

TveAdapterItem::TveAdapterItem(TveCtrlAdapter& adapter, fw::TWinControl* control)
    : Adapter(adapter), Control(control), SkinData(std::make_unique<TsCommonData>(nullptr, true)) {
  SkinData->ControlKind = kAdoptedKind;
}

void TveAdapterItem::DoHook(fw::TWinControl* control) {
  if (!control || control->Tag() == kEngineTag || !control->HandleAllocated() ||
      !control->Parent() || IsSkinnedControl(control))
    return;
  TsSkinManager* manager = Adapter.Provider.SkinManager();
  if (!manager) return;
  Control = control;
  SkinData->HostControl = control;
  SkinData->SetSkinManager(manager);
  int kind = ThirdListOf(*manager, control->ClassName());
  if (kind < 0) return;
  Wnd = CreateAdapter(TveThirdKind(kind), control->Handle(), SkinData->SkinSection, manager,
                      SkinData.get());
}

TveCtrlAdapter::TveCtrlAdapter(TsSkinProvider& provider) : Provider(provider) {}

TveCtrlAdapter::~TveCtrlAdapter() {
  RemoveAllItems();
  RestoreLabels();
}

int TveCtrlAdapter::ListOf(const fw::TComponent& component) const {
  TsSkinManager* manager = Provider.SkinManager();
  return manager ? ThirdListOf(*manager, component.ClassName()) : -1;
}

bool TveCtrlAdapter::AskApplication(fw::TControl* control, std::string& section) {
  bool canBeAdded = true;
  if (Provider.OnSkinItem) Provider.OnSkinItem(control, canBeAdded, section);
  return canBeAdded;
}

bool TveCtrlAdapter::CanBeAdded(fw::TComponent* component) {
  auto* control = dynamic_cast<fw::TControl*>(component);
  if (!control || control->Tag() == kEngineTag) return false;
  if (auto* windowed = dynamic_cast<fw::TWinControl*>(control)) {
    if (!windowed->HandleAllocated() || IsSkinnedControl(windowed)) return false;
    if (dynamic_cast<fw::TForm*>(control)) {
      std::string section = "FORM";
      return AskApplication(control, section);
    }
    return ListOf(*control) >= 0;
  }
  std::string section;
  return dynamic_cast<fw::TLabel*>(control) && AskApplication(control, section);
}

void TveCtrlAdapter::AddNewItemWithSection(fw::TControl* control, const std::string& section) {
  if (!control || control->Tag() == kEngineTag || !control->Parent() || IsSkinnedControl(control))
    return;
  std::string chosen = section;
  if (!AskApplication(control, chosen)) return;
  if (auto* form = dynamic_cast<fw::TForm*>(control)) {
    // A form placed inside the form gets a provider of its own.
    if (ProviderOf(form)) return;
    auto* provider = new TsSkinProvider(form);
    provider->SkinData().SetSkinSection(chosen.empty() ? "FORM" : chosen);
    provider->SetSkinManager(Provider.SkinManager());
    provider->InitSkin();
    return;
  }
  auto* windowed = dynamic_cast<fw::TWinControl*>(control);
  if (!windowed) return;
  auto found = std::find_if(Items.begin(), Items.end(),
                            [windowed](const auto& item) { return item->Control == windowed; });
  if (found != Items.end()) {
    TveAdapterItem& item = **found;
    if (!chosen.empty()) item.SkinData->SetSkinSection(chosen);
    if (item.Wnd && item.Wnd->Destroyed) {
      item.Wnd.reset();
      if (windowed->Parent()) item.DoHook(windowed);
    }
    return;
  }
  auto item = std::make_unique<TveAdapterItem>(*this, windowed);
  if (!chosen.empty()) item->SkinData->SetSkinSection(chosen);
  item->DoHook(windowed);
  if (item->Wnd) Items.push_back(std::move(item));
}

void TveCtrlAdapter::CleanItems() {
  std::erase_if(Items, [](const auto& item) { return !item->Wnd || item->Wnd->Destroyed; });
}

void TveCtrlAdapter::RemoveAllItems() {
  if (removing) return;
  removing = true;
  while (!Items.empty()) Items.pop_back();
  removing = false;
}

void TveCtrlAdapter::Forget(fw::TComponent* component) {
  std::erase_if(Items, [component](const auto& item) { return item->Control == component; });
  std::erase_if(labels_, [component](const TLabelColours& l) { return l.Label == component; });
}

void TveCtrlAdapter::RecolourLabel(fw::TLabel* label) {
  TsSkinManager* manager = Provider.SkinManager();
  int global = manager->QuickIndexes.GlobalInfo;
  if (!manager->IsValidSectionIndex(global)) return;
  if (std::none_of(labels_.begin(), labels_.end(),
                   [label](const TLabelColours& l) { return l.Label == label; }))
    labels_.push_back({label, label->Font().Color(), label->Transparent(), label->ControlStyle()});
  // Every adoption walk comes here again: only a change is made (and repainted).
  label->SetControlStyle(label->ControlStyle() & ~unsigned(fw::csOpaque));
  if (!label->Transparent()) label->SetTransparent(true);
  fw::TColor color = manager->SectionTable[size_t(global)].FontColor;
  if (label->Font().Color() != color) label->Font().SetColor(color);
}

// A label the form does not own may have gone without a word to us: only the labels still in
// the form's control tree are given their colours back.
void TveCtrlAdapter::RestoreLabels() {
  // Nothing to give back, nothing to walk: an abandoned adoption's form is already without its
  // controls.
  if (labels_.empty()) return;
  std::vector<fw::TControl*> present;
  std::vector<fw::TWinControl*> containers{Provider.Form()};
  while (!containers.empty()) {
    fw::TWinControl* container = containers.back();
    containers.pop_back();
    for (int i = 0; i < container->ControlCount(); ++i) {
      fw::TControl* child = container->Controls(i);
      present.push_back(child);
      if (child->IsWindowed()) containers.push_back(static_cast<fw::TWinControl*>(child));
    }
  }
  std::erase_if(labels_, [&present](const TLabelColours& l) {
    return std::find(present.begin(), present.end(), l.Label) == present.end();
  });
  for (const TLabelColours& saved : labels_) {
    saved.Label->SetControlStyle(saved.Style);
    saved.Label->SetTransparent(saved.Transparent);
    saved.Label->Font().SetColor(saved.FontColor);
  }
  labels_.clear();
}

void TveCtrlAdapter::AddChildren(fw::TWinControl* container) {
  for (int i = 0; i < container->ControlCount(); ++i) {
    fw::TControl* child = container->Controls(i);
    if (!CanBeAdded(child)) continue;
    if (child->IsWindowed())
      AddNewItemWithSection(child, "");
    else if (auto* label = dynamic_cast<fw::TLabel*>(child);
             label && label->Tag() != kOwnColoursTag)
      RecolourLabel(label);
  }
}

void TveCtrlAdapter::AddAllItems(fw::TWinControl* container) {
  TsSkinManager* manager = Provider.SkinManager();
  if (adding || !manager || !(manager->SkinningRules & srThirdParty)) return;
  fw::TWinControl* root = container ? container : Provider.Form();
  adding = true;
  CleanItems();
  std::vector<fw::TWinControl*> nested;
  for (int i = 0; i < root->ComponentCount(); ++i) {
    fw::TComponent* component = root->Components(i);
    if (CanBeAdded(component)) {
      if (auto* windowed = dynamic_cast<fw::TWinControl*>(component))
        AddNewItemWithSection(windowed, "");
      else if (auto* label = dynamic_cast<fw::TLabel*>(component);
               label && label->Tag() != kOwnColoursTag)
        RecolourLabel(label);
    }
    if (auto* windowed = dynamic_cast<fw::TWinControl*>(component);
        windowed && windowed->HandleAllocated() && windowed->Parent())
      nested.push_back(windowed);
  }
  AddChildren(root);
  for (int i = 0; i < root->ControlCount(); ++i)
    if (auto* windowed = dynamic_cast<fw::TWinControl*>(root->Controls(i));
        windowed && windowed->HandleAllocated() &&
        std::find(nested.begin(), nested.end(), windowed) == nested.end())
      nested.push_back(windowed);
  for (fw::TWinControl* windowed : nested) {
    adding = false;
    AddAllItems(windowed);
    adding = true;
  }
  adding = false;
}
