// The private window message every skinned window, control, form provider and the skin manager
// talk through, and the command codes it carries. The command is in the high word of the first
// parameter, a small argument in its low word; the second parameter carries a pointer or value.
#pragma once

#include <cstdint>
#include <string>

inline constexpr unsigned SkinCommandMsg = 0xA100;

inline constexpr uint16_t CmdSkinLoaded = 1;
inline constexpr uint16_t CmdSkinRemoved = 2;
inline constexpr uint16_t CmdSkinRefresh = 3;
inline constexpr uint16_t CmdGetProvider = 4;
// Painting may go on: deferred windows redraw and pass the command to their children.
inline constexpr uint16_t CmdEndUpdate = 6;
inline constexpr uint16_t CmdIsSkinned = 7;
// Argument 1 defers the receiver's painting, 0 lets it go on.
inline constexpr uint16_t CmdSetDeferred = 8;
// Argument 1: paint at once, whatever the parent is doing.
inline constexpr uint16_t CmdSetUrgent = 9;
// Reply 1 while the receiver's picture is out of date or its painting waits.
inline constexpr uint16_t CmdIsDeferred = 10;
inline constexpr uint16_t CmdIsPartlyVisible = 11;
// A pop-up menu window's picture was made again: its frame is painted anew.
inline constexpr uint16_t CmdMenuFrameChanged = 14;
// lParam points at a TveSectionInfo whose Name becomes the receiver's section.
inline constexpr uint16_t CmdSetSection = 15;
// Sent before CmdSkinRefresh: receivers end a fade that is still running.
inline constexpr uint16_t CmdStopFade = 16;
inline constexpr uint16_t CmdBgChanged = 17;
// The application became active; sent to every form with lParam 0.
inline constexpr uint16_t CmdAppActivated = 18;
// Reply 1 when the receiver's background varies over its area.
inline constexpr uint16_t CmdIsBgComplex = 19;
// The parent's background changed; argument 1 redraws at once.
inline constexpr uint16_t CmdRepaintBg = 20;
// Reply: the plain colour behind the control's children.
inline constexpr uint16_t CmdGetBgColor = 21;
inline constexpr uint16_t CmdSetPartlyVisible = 22;
// The receiver's picture is up to date again.
inline constexpr uint16_t CmdBgRepainted = 23;
// lParam: a container whose children the form adopts again (null: the form's own). With
// argument kAdoptWhenMade the form walks its controls once the window being made exists.
inline constexpr uint16_t CmdAdoptAgain = 25;
inline constexpr uint16_t kAdoptWhenMade = 1;
// lParam points at a TveSectionInfo whose Index receives the section index; reply 1.
inline constexpr uint16_t CmdGetSectionIndex = 26;
inline constexpr uint16_t CmdGetCaptionHeight = 27;
inline constexpr uint16_t CmdBecameHot = 29;
inline constexpr uint16_t CmdLostHot = 30;
inline constexpr uint16_t CmdBeginLock = 31;
inline constexpr uint16_t CmdEndLock = 32;
// The receiver and its windowed children drop their pictures.
inline constexpr uint16_t CmdClearCache = 33;
// lParam points at a TsBgQuery the receiver fills; reply 1.
inline constexpr uint16_t CmdGetBg = 34;
// lParam points at the disabled look's flags (kDisabledFade, kDisabledGrey) the receiver may set.
inline constexpr uint16_t CmdGetDisabledKind = 35;
// lParam 1 recomputes the state with the children's; reply the state flags.
inline constexpr uint16_t CmdGetSkinState = 36;
inline constexpr uint16_t CmdGetSkinData = 37;
// lParam: the device context the control is printed into, or null when printing ends.
inline constexpr uint16_t CmdSetPrintDC = 38;
inline constexpr uint16_t CmdBeforeScroll = 51;
inline constexpr uint16_t CmdAfterScroll = 52;
inline constexpr uint16_t CmdGetApplication = 60;
// Reply: MakeLong(left, top) of the client area inside a form's window image.
inline constexpr uint16_t CmdGetClientOffset = 61;
// lParam 1: paint the frame's picture again first; then the frame is copied to the screen.
inline constexpr uint16_t CmdRepaintFrame = 62;

// The window property that marks a top-level window the program makes outside its form framework
// (a shipped plug-in's window, a dialog that window opens): the skin takes it as one of the
// program's own, whatever the rules for other programs' windows and dialogs say.
inline constexpr char kOwnWindowProp[] = "DkOwnWindow";

// The commands whose lParam, when not null, is a pointer or a handle of the receiving process:
// only the receiver's own thread may send them (posted, or sent by another thread or process,
// they are refused).
constexpr bool CarriesLocalPointer(uint16_t command) {
  return command == CmdSetSection || command == CmdAdoptAgain || command == CmdGetSectionIndex ||
         command == CmdGetBg || command == CmdGetDisabledKind || command == CmdSetPrintDC;
}

// What CmdSetSection and CmdGetSectionIndex carry.
struct TveSectionInfo {
  int32_t Index = -1;
  std::string Name;
};

// The first message parameter of a skin command with its argument.
constexpr uintptr_t SkinCommandParam(uint16_t command, uint16_t argument = 0) {
  return (uintptr_t(command) << 16) | argument;
}
