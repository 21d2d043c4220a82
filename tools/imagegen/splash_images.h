#pragma once
// The loading screen's pictures, below gfx/splash/: a background of deep water with the
// game's name in water lettering and the word "LOADING", and a drop that falls into a pool
// and spreads rings, as a loop of frames numbered up from FRAME00 (the loading screen plays
// a set in name order).
//
// The background's texture is square and its picture fills the middle 1024 x 768 band, the
// part cfg/splashScreen.cfg names; the game stretches that band over the window, so the
// places below are in the 800 x 600 screen that band becomes.

#include <optional>
#include <vector>

#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/image.h"

inline constexpr int kSplashTextureSize = 1024;
inline constexpr int kSplashPictureHeight = 768;
inline constexpr int kSplashDropSide = 128;
inline constexpr int kSplashDropFrames = 16;

// The background and the drop's frames; nothing when the face can't set the words.
std::optional<std::vector<NamedImage>> drawSplashImages(const FreeTypeFace& face);
