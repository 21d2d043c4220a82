#pragma once
// What the loading screen shows and how it moves, from "cfg\splashScreen.cfg": a background
// picture of which a centred part is stretched over the window, and a frame animation at a
// place of the virtual 800 x 600 area, and the name of the level that is loading. Plain values and arithmetic, so they are tested
// without a window; the loading screen's thread does the drawing.

#include <cstdint>
#include <string>
#include <string_view>

#include "game/gui/gui_draw.h"

class ConfigFile;

inline constexpr std::string_view kSplashConfigPath = "cfg\\splashScreen.cfg";
inline constexpr std::string_view kSplashBackgroundFallback = "DEFAULT_TEXTURE";
inline constexpr std::string_view kSplashAnimationFallback = "DEFAULT_SPRITE";
inline constexpr std::string_view kSplashFontFallback = "DEFAULT_FONT";

struct SplashSettings {
  std::string background;
  float backgroundWidth = 0.0f;  // the used part of the picture, in its pixels
  float backgroundHeight = 0.0f;
  std::string animation;  // one file of a _FRAME set, or a single picture
  float animationX = 0.0f;
  float animationY = 0.0f;
  float animationSpeed = 0.000001f;  // frames per second, above 0
  std::string font;  // the font sheet the level's name is written in
  float titleY = 300.0f;     // the middle of the name's line in the virtual area
  float titleSize = 24.0f;   // pixels a character
};

// Missing keys leave their defaults; a speed of 0 or less counts as 0.000001 (a still frame).
SplashSettings readSplashSettings(const ConfigFile& config);

// The centred `usedWidth` x `usedHeight` of a picture of the given size, as texture
// coordinates. A used size of 0 or less (a missing key) takes the whole side.
TextureArea centredCrop(float usedWidth, float usedHeight, int32_t textureWidth,
                        int32_t textureHeight);

// The animation's frame: it moves on by one, wrapping, once more than 1/speed seconds have
// gathered, and the gathered time starts again from 0.
class SplashAnimation {
 public:
  SplashAnimation(int32_t frameCount, float framesPerSecond);
  void step(float seconds);
  // Clamped to the frames there are; 0 without frames.
  int32_t frame() const;

 private:
  int32_t frameCount_;
  float secondsPerFrame_;
  float time_ = 0.0f;
  int32_t frame_ = 0;
};
