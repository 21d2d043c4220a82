#pragma once
// The intro: four seconds at 15 frames a second, 320 x 240. Dark water rises from the bottom
// of a deep blue night, its surface rolling, bubbles drifting up through it; the name
// "VELLMOOR" surfaces in pale light as the water covers the middle of the picture, holds, and
// the whole picture fades to black before the menu.

#include <vector>

#include "tools/imagegen/freetype_face.h"
#include "tools/videogen/avi_writer.h"

inline constexpr int kIntroWidth = 320;
inline constexpr int kIntroHeight = 240;
inline constexpr int kIntroFramesPerSecond = 15;
inline constexpr int kIntroFrames = 60;

// Without a face the frames are drawn without the name.
std::vector<RgbFrame> drawIntroFrames(const FreeTypeFace* face);
