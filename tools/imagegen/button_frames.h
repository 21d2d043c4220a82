#pragma once
// The animated frames of the menu buttons and of the option choosers' arrows. Each comes in
// three sets, as the game's buttons play them: out of focus, a gentle shimmer that loops;
// in focus, a glow that grows and holds its last frame (played backwards when the pointer
// leaves); clicked, a flash and a ripple that settle into a lit, pressed look and hold.
// Files are named stem + "_out", "_in" or "_click", then the frame number (frame_sets.h).

#include <string_view>
#include <vector>

#include "tools/imagegen/image.h"
#include "tools/imagegen/text_mask.h"

// A button frame: a glassy pill of 240 x 48 with room around it for the glow and the game's
// drop shadow. The game draws it at this size, centred on the button's hit rectangle.
inline constexpr int kButtonFrameWidth = 256;
inline constexpr int kButtonFrameHeight = 64;
inline constexpr int kButtonPillWidth = 240;
inline constexpr int kButtonPillHeight = 48;
// A chooser arrow: a rounded triangle of about 14 x 19 in a 32 x 32 frame.
inline constexpr int kArrowFrameSize = 32;

inline constexpr int kOutOfFocusFrames = 8;
inline constexpr int kInFocusFrames = 6;
inline constexpr int kClickedFrames = 6;

// The frames of the three sets of a button with `label` centred on it.
std::vector<NamedImage> drawButtonFrames(std::string_view stem, const TextMask& label);

// The frames of the three sets of an arrow pointing left or right.
std::vector<NamedImage> drawArrowFrames(std::string_view stem, bool pointsLeft);
