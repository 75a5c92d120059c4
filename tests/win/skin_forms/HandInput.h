// The pointer and the left button through the platform's input, step by step as a hand gives
// them, for scenarios on a form's frame.
//
// A press on the frame may start the platform's own move or size loop, which then takes the rest
// from the queue itself. So the next step is given from a timer, which whichever loop runs
// dispatches once it has handled the input before it, and only after a mouse hook saw the step
// before taken from the queue: a busy machine changes nothing of the order. Each step carries its
// own time, so that clicks are a double-click only when a test gives them so.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace hand_input {

INPUT Button(bool down);
// A move to a screen point.
INPUT MoveTo(POINT at);
// Puts the cursor at `at`, gives the steps and waits until the last one was taken. Fails, naming
// the step, when they were not all taken within ten seconds; the button is then let go and a loop
// the press started is left, so that no scenario waits forever.
::testing::AssertionResult Mouse(POINT at, std::vector<INPUT> steps);
inline ::testing::AssertionResult Click(POINT at) {
  return Mouse(at, {Button(true), Button(false)});
}

}  // namespace hand_input
