// The private window message every skinned window, control, form provider and the skin manager
// talk through, and the command codes it carries. The command is in the high word of the first
// parameter, a small argument in its low word; the second parameter carries a pointer or value.
#pragma once

#include <cstdint>

inline constexpr unsigned SkinCommandMsg = 0xA100;

inline constexpr uint16_t CmdSkinLoaded = 1;
inline constexpr uint16_t CmdSkinRemoved = 2;
inline constexpr uint16_t CmdSkinRefresh = 3;
inline constexpr uint16_t CmdGetProvider = 4;
inline constexpr uint16_t CmdEndUpdate = 6;
inline constexpr uint16_t CmdIsSkinned = 7;
// Sent before CmdSkinRefresh: receivers end a fade that is still running.
inline constexpr uint16_t CmdStopFade = 16;
// The application became active; sent to every form with lParam 0.
inline constexpr uint16_t CmdAppActivated = 18;
// Reply: the plain colour behind the control's children.
inline constexpr uint16_t CmdGetBgColor = 21;
inline constexpr uint16_t CmdBecameHot = 29;
inline constexpr uint16_t CmdLostHot = 30;
// lParam points at a TsBgQuery the receiver fills; reply 1.
inline constexpr uint16_t CmdGetBg = 34;
inline constexpr uint16_t CmdGetSkinData = 37;
// Reply: MakeLong(left, top) of the client area inside a form's window image.
inline constexpr uint16_t CmdGetClientOffset = 61;
// lParam 1: paint the frame's picture again first; then the frame is copied to the screen.
inline constexpr uint16_t CmdRepaintFrame = 62;

// The first message parameter of a skin command with its argument.
constexpr uintptr_t SkinCommandParam(uint16_t command, uint16_t argument = 0) {
  return (uintptr_t(command) << 16) | argument;
}
