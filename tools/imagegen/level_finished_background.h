#pragma once
// The picture behind the level-finished menu: calm deep water with light falling through
// it, a dark panel for the score labels, a frame for the level time and a glass tube at the
// left through which the menu's water gauge shows. The menu draws the gauge first and this
// picture over it, so the tube's inside is left see-through.
//
// The places below are the menu's, in its 800 x 600 screen; cfg/menu_levelFinished.cfg puts
// its widgets on them, and the picture's source rectangle is the 800 x 600 at its top-left,
// so one texture pixel lands on one screen pixel.

#include <optional>

#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/image.h"

inline constexpr int kLevelFinishedTextureSize = 1024;  // square, the picture in its top-left
inline constexpr int kLevelFinishedWidth = 800;
inline constexpr int kLevelFinishedHeight = 600;

struct ScreenBox {
  int x, y, w, h;
};
inline constexpr ScreenBox kGaugeTube{56, 120, 56, 400};
inline constexpr ScreenBox kTimeFrame{290, 68, 340, 80};
inline constexpr ScreenBox kScorePanel{160, 186, 600, 204};
inline constexpr int kTotalRuleY = 322;  // the line above the total score

// Nothing when the face can't set the captions.
std::optional<Image> drawLevelFinishedBackground(const FreeTypeFace& captionFace);
