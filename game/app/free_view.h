#pragma once
// The free view: a developer's camera that leaves the player's camera where it is. "FreeCamera
// 1" draws the world through it; the arrow keys move it and Page Up and Page Down zoom it
// (from 0.01 to 100), at a speed that is the same on the screen at any zoom. Its marks show the
// player camera's view and, unless switched off, the free view's centre and coordinates.

#include "common/vector2.h"

namespace free_view {

// Registers and removes "FreeCamera", "FreeCameraX", "FreeCameraY", "FreeCameraZoom" and
// "FreeCameraReadout".
void registerConsoleEntries();
void removeConsoleEntries();

// Off, over the origin at zoom 1, as each level starts; the readout stays as it was set.
void leave();
bool isOn();
Vec2 centre();
float zoom();
// The centre cross and its coordinates are drawn.
bool showsReadout();

// Moves and zooms the view by the held keys, over a frame of `frameTime` seconds.
void move(float frameTime);

// The view's transform, in place of the player camera's.
void apply();
// The player camera's view as a green box, and the readout unless it is switched off
// (pictures of whole levels want the box alone).
void drawMarks();

// Off, over the origin at zoom 1 with its readout, as the process began (for tests, which
// run many games in one process).
void reset();

}  // namespace free_view
