// Talking to controls and windows through the skin command message, and walking the
// framework's control tree: sends, broadcasts, the end of deferred painting, background colours,
// readiness and a few geometry questions.
//
// A command sent to a control that has no window yet reaches nobody and is answered 0, so a 0
// reply means "not skinned" everywhere.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/Controls.h"
#include "framework/Forms.h"

// Sends a message to a control: through its window when it has one, else straight to its
// handler. Returns the answer.
LRESULT SendToControl(fw::TControl* control, UINT msg, WPARAM wParam, LPARAM lParam);
// The skin command with its argument and value. A windowed control is reached through its
// window and answers 0 without one or while it is being destroyed; a windowless control gets
// the command in its handler.
LRESULT SendSkinCommand(fw::TControl* control, uint16_t command, LPARAM value,
                        uint16_t argument = 0);
LRESULT SendSkinCommand(HWND window, uint16_t command, LPARAM value, uint16_t argument = 0);

bool IsSkinnedControl(fw::TControl* control);
bool IsSkinnedWindow(HWND window);

// The plain colour behind a control's or window's children as RGB: what a skinned one answers,
// else the control's own colour; 0xFF00FF (no colour) for none.
int32_t GetControlBgColor(fw::TControl* control);
int32_t GetWindowBgColor(HWND window);

// Asks the form the control sits on to adopt the control's children again.
void NotifyFormAdopt(fw::TControl* control);
// The same for a container that got a new child window: through its framework control when it
// has one, else the top-level window above window adopts all its children again.
void NotifyAdoptNewChild(fw::TControl* control, HWND window);

// Lets deferred children paint: windowed children that show get CmdEndUpdate through their
// window, windowless ones in their handler. Nothing while an animation runs.
void EndUpdateChildren(fw::TWinControl& container);
// CmdEndUpdate to every child window of window.
void EndUpdateChildWindows(HWND window);

// Sends a message down the control tree: windowless children and children without a window get
// it in their handler, skinned windows through their window (they pass it on themselves), and
// below any other window the walk goes on to its children. Children being destroyed are left
// out; the count of children is read again on every step because handlers may remove some.
void BroadcastToChildren(fw::TWinControl& container, UINT msg, WPARAM wParam, LPARAM lParam);
// The message to every direct child window of window.
void SendToChildWindows(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

// The control can take part in painting: it has its window (when windowed) and a parent, and is
// not being created, read, loaded or destroyed.
bool IsControlReady(fw::TControl* control);
// The nearest form among the component and its owners.
fw::TForm* OwnerForm(fw::TComponent* component);
// The form the control sits on: the nearest form among the control and its parents.
fw::TForm* ParentForm(fw::TControl* control);
// The client area in window coordinates.
RECT ClientRectInWindow(HWND window);
// The room the visible children aligned to one side take: heights for top and bottom.
// Windowless children count only when asked; 0 for other alignments.
int SumAlignedSizes(fw::TWinControl& container, fw::TAlign align, bool includeWindowless);
// The top-most ancestor of window, or window itself.
HWND RootWindow(HWND window);
