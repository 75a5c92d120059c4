// The message record every control handles, and the framework's own message numbers.
//
// A control's WindowProc takes a TMessage by reference and leaves its answer in Result. Windowed
// controls turn each call of their window procedure into one such record, so a handler that is
// put in front of WindowProc sees platform messages and direct Perform calls alike.
#pragma once

#include <windows.h>

#include <functional>

namespace fw {

struct TMessage {
  UINT Msg;
  WPARAM WParam;
  LPARAM LParam;
  LRESULT Result;
};

using TWndMethod = std::function<void(TMessage&)>;

// Messages of the framework itself, above WM_APP and clear of the skin command range (0xA000+).
inline constexpr UINT CM_BASE = 0xB000;
// Posted to a form by Release(): the form deletes itself once the handler that asked has ended.
inline constexpr UINT CM_RELEASE = CM_BASE + 33;
// Notifications that a parent reflects back to the child control they concern: CN_COMMAND and
// CN_NOTIFY carry the original WM_COMMAND / WM_NOTIFY parameters.
inline constexpr UINT CN_BASE = 0xBC00;
inline constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
inline constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;

}  // namespace fw
