// The standard controls a skinned form adopts: the form's provider walks its controls, picks those
// whose class names stand in the skin manager's class-name lists, and puts an adapter on each one
// so that it is painted from the skin. Labels are made see-through and take the skin's text
// colour. Removing the skin frees every adapter and gives the labels their colours back.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/StdCtrls.h"
#include "skin/controls/veMainWnd.h"

class TsSkinProvider;
class TveCtrlAdapter;

// One adopted control: its own skin state and its adapter.
class TveAdapterItem {
 public:
  TveAdapterItem(TveCtrlAdapter& adapter, fw::TWinControl* control);

  // Puts the adapter of the first list that names the control's class on it.
  void DoHook(fw::TWinControl* control);

  TveCtrlAdapter& Adapter;
  fw::TWinControl* Control;
  std::unique_ptr<TsCommonData> SkinData;
  // Declared after SkinData, so freed first: the adapter lets the control go while the skin
  // state it uses is still there.
  std::unique_ptr<TveMainWnd> Wnd;
};

class TveCtrlAdapter {
 public:
  explicit TveCtrlAdapter(TsSkinProvider& provider);
  ~TveCtrlAdapter();
  TveCtrlAdapter(const TveCtrlAdapter&) = delete;
  TveCtrlAdapter& operator=(const TveCtrlAdapter&) = delete;

  // The adoption rule for one component.
  bool CanBeAdded(fw::TComponent* component);
  void AddNewItem(fw::TControl* control) { AddNewItemWithSection(control, DefaultSection); }
  // Adopts one control, or puts a new adapter on one whose adapter is gone.
  void AddNewItemWithSection(fw::TControl* control, const std::string& section);
  // Adopts everything inside the container (the form when null), recursively.
  void AddAllItems(fw::TWinControl* container = nullptr);
  // Drops the items whose adapter is gone, keeping the order of the others.
  void CleanItems();
  void RemoveAllItems();
  int Count() const { return int(Items.size()); }
  // The form is going with its controls: nothing is given back to them.
  void Abandon() { labels_.clear(); }
  // A component is going away: its item and its label colours are forgotten.
  void Forget(fw::TComponent* component);

  TsSkinProvider& Provider;
  std::vector<std::unique_ptr<TveAdapterItem>> Items;
  std::string DefaultSection;

 private:
  // Which list names the control's class; -1 none.
  int ListOf(const fw::TComponent& component) const;
  bool AskApplication(fw::TControl* control, std::string& section);
  void RecolourLabel(fw::TLabel* label);
  void RestoreLabels();
  void AddChildren(fw::TWinControl* container);

  struct TLabelColours {
    fw::TLabel* Label;
    fw::TColor FontColor;
    bool Transparent;
    unsigned Style;
  };
  std::vector<TLabelColours> labels_;
};

// The list a class name stands in first, -1 for none; lists in their order, names in theirs.
int ThirdListOf(const TsSkinManager& manager, const std::string& className);
