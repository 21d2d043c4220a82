#pragma once
// The pictures that show what a level's trigger areas do. Levels lay a field over each such
// area as a decoration polygon on the layer above the backdrop, so the water passes in front
// of it, and stand a marker next to the areas that matter most.
//
// Fields are 128 x 128, tile and are see-through, so the scenery shows under them. Each has
// its own pattern as well as its own colour, so a player who can't tell the colours apart
// still tells the fields apart: the end area is chequered, a kill area striped across, heat
// flames, cold snowflakes, melting ripples, a checkpoint upright bands, a switch square
// buttons and a draught chevrons pointing where it blows.

#include <vector>

#include "tools/imagegen/image.h"

inline constexpr int kZoneSide = 128;

// gfx/zone/: the fields.
Image drawGoalField();        // green and gold checks with a bright seam and a few sparkles
Image drawHazardField();      // yellow and black bands across the diagonal
Image drawHeatField();        // staggered red, orange and yellow tongues of flame
Image drawFrostField();       // pale blue frost with veins and six-armed snowflakes
Image drawThawField();        // a warm, softly glowing amber wash with ripple rings
Image drawCheckpointField();  // upright violet and white bands, diamonds down the violet
Image drawSwitchField();      // teal, with a square button (a rim and a middle) at each spot
// Faint streaks and chevrons pointing along (dx, dy): each -1, 0 or 1, y down, not both 0.
Image drawDraughtField(int dx, int dy);

// gfx/obj/: markers stood next to the areas. A finish flag of black and white checks and a
// violet checkpoint pennant, both 64 x 128 on a pole 8 pixels in from the left edge that
// reaches the bottom; a yellow warning triangle with an exclamation mark, 64 x 64.
Image drawGoalFlag();
Image drawCheckpointFlag();
Image drawWarningSign();

// Every picture above with its file name below gfx/, in a fixed order.
std::vector<NamedImage> drawZoneImages();
