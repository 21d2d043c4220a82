#pragma once
// The display's modes as SDL's video subsystem lists them, for the resolution list.

#include <vector>

#include "launcher/launcher_choices.h"

struct DisplayModes {
  std::vector<DisplayMode> modes;  // in SDL's order
  ScreenSize desktop;
};

// The first display's modes and desktop size; none when the video subsystem can't start.
DisplayModes readDisplayModes();
