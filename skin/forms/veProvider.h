// Skinning from outside: windows that the program does not make as skinned forms are caught by
// the thread's window hook when they are created or activated. A system dialog gets a
// TveProvider, which puts a TveDialogWnd on the dialog and an adapter on each of its controls;
// a framework form without a provider of its own gets a TsSkinProvider made for it. The skin
// manager's SkinningRules decide which of these happen.
#pragma once

#include <windows.h>

#include <memory>
#include <vector>

#include "framework/Forms.h"
#include "skin/controls/sDialogChildKinds.h"
#include "skin/controls/veMainWnd.h"

class TsSkinProvider;
class TveDialogWnd;

// Dialogs skinned at once at most, unless a dialog brings a tool bar.
inline constexpr int MaxSkinnedDialogs = 2;

class TveProvider {
 public:
  TveProvider();
  ~TveProvider();
  TveProvider(const TveProvider&) = delete;
  TveProvider& operator=(const TveProvider&) = delete;

  // own: a window the program made itself, whose controls are skinned as a form's are.
  bool AdoptDialog(HWND handle, bool own = false);
  void AdoptForm(fw::TForm* form);
  // Adopts one control of the dialog; true also when it is left as the platform draws it.
  bool AdoptChild(HWND handle);
  // The children of handle, each one's own children first.
  bool AdoptChildren(HWND handle);
  // Prints every visible child of handle into dc, at its place.
  void PrintChildren(HWND handle, HDC dc);
  // The window this provider skins (never read through a form that may be gone).
  HWND Window() const;
  // No longer a skinned system window; with giveBack every adapter lets go of its window now
  // (without, they let go at their windows' destruction). The provider itself is freed later.
  void Release(bool giveBack);

  fw::TForm* Form = nullptr;
  bool RightToLeft = false;
  bool OwnWindow = false;
  HWND DialogHandle = nullptr;
  TsSkinProvider* FormProvider = nullptr;
  std::unique_ptr<TveDialogWnd> DialogAdapter;
  std::vector<std::unique_ptr<TveMainWnd>> ChildAdapters;

 private:
  // The form's window when it was adopted: the form itself may be gone when the hook asks.
  HWND formWindow_ = nullptr;
};

// The live providers.
std::vector<std::unique_ptr<TveProvider>>& ProviderList();

// Skins a window from outside when the rules allow it; create is the creation record while the
// window is being made, else null. True when a provider took the window.
bool AdoptWindow(HWND handle, const CBT_CREATEWNDA* create);

// The dialog adapter for handle under the default manager: made anew while it is active, freed
// otherwise.
void CreateDialogAdapter(HWND handle, std::unique_ptr<TveDialogWnd>& adapter);

// Makes the adapter of one dialog control for its rule; null for kinds without an adapter.
std::unique_ptr<TveMainWnd> CreateDialogChildAdapter(const TveDialogChildRule& rule, HWND handle,
                                                     TsSkinManager* manager, bool repaint);

// Connects the window hook's creation, activation and destruction to the dialog skinning; once.
void InstallDialogSkinning();
