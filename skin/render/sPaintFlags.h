// Process-wide switches of the user-interface thread that painting consults.
#pragma once

// Set while a window animation runs: deferred children keep waiting until it ends.
inline bool AnimationInProgress = false;
// Set while PaintGraphicControls runs, so that painting it sets off does not start it again.
inline bool GraphicPaintBusy = false;
