// Plug-ins: the "*.dll" entries of the folder "plugin" beside the executable, each exporting up
// to three stdcall entry points. A plug-in is never kept loaded: every call loads the library,
// calls one entry point and unloads it again.
#pragma once

#include <string>
#include <vector>

#include "platform/Library.h"

// The entry points, as exported by name.
using TPluginNameProc = void(DK_STDCALL*)(unsigned char* buffer);  // "PluginName"
using TPluginAboutProc = void(DK_STDCALL*)(void* owner);           // "PluginAbout"
using TPluginFormShowProc = void(DK_STDCALL*)();                   // "PluginFormShow"

// Size of the buffer "PluginName" writes its length-prefixed name into.
inline constexpr size_t kPluginNameSize = 256;

// The window that owns the plug-ins' windows, handed to "PluginAbout"; the main window sets it
// when it is created.
void SetPluginOwnerWindow(void* window);

// The full paths of all plug-ins in the order the system lists the folder.
std::vector<std::string> GetPluginList();

// The plug-in's display name; empty when it cannot be loaded or does not export "PluginName".
std::string GetPluginName(const std::string& path);
// Calls "PluginAbout" with the owner window; nothing when it is missing.
void ShowPluginAbout(const std::string& path);
// Calls "PluginFormShow"; nothing when it is missing.
void ShowPluginForm(const std::string& path);
