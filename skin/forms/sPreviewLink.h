// Preview mode: an outside skin editor shows its skin on the running program. The main form
// tells the editor's window which window takes the skins; the editor then hands each skin over
// as a data copy that the form's provider gives to its manager.
#pragma once

#include <windows.h>

// The editor's message: registration (3), closing the form (1) and a liveness probe (4).
inline constexpr UINT kPreviewEditorMsg = 0xA400;
inline constexpr WPARAM kPreviewClose = 1;
inline constexpr WPARAM kPreviewRegister = 3;
inline constexpr WPARAM kPreviewProbe = 4;
// The first parameter of the data copy that carries a skin.
inline constexpr WPARAM kPreviewDataKind = 7;

// True when the program was started with "/vepreview" as its first parameter.
bool PreviewRequested();
// The window that registered with the editor; null before.
HWND PreviewWindow();
// Registers form with the editor's window, asking up to 101 times until it answers 1. False
// when no editor runs or it never accepted.
bool RegisterWithEditor(HWND form);
