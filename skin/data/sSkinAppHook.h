// The skin manager's watch over the application's main window: minimising and restoring with the
// skin's own animations, theme changes, activation of the application, and popup backgrounds.
//
// The framework's main form owns the taskbar button and carries the minimise and restore
// commands itself, so the watch sits in front of that form's message handling: the form that
// owns the manager, else the application's main form.
#pragma once

class TsSkinManager;

void HookApplicationWindow(TsSkinManager& manager);
// Only forgets the manager, and only when the watch names it (another manager's watch stays): the
// form may already be half destroyed when its manager goes.
void UnhookApplicationWindow(TsSkinManager& manager);
