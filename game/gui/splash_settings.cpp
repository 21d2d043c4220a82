#include "game/gui/splash_settings.h"

#include <algorithm>

#include "common/config_file.h"

namespace {

constexpr float kSlowestSpeed = 0.000001f;

// The range of one side's coordinates: `used` of `size` texels around the middle.
void centredSpan(float used, int32_t size, float& from, float& to) {
  const float share = used > 0.0f && size > 0 ? used / static_cast<float>(size) : 1.0f;
  from = 0.5f - share / 2.0f;
  to = 0.5f + share / 2.0f;
}

}  // namespace

SplashSettings readSplashSettings(const ConfigFile& config) {
  SplashSettings settings;
  config.read("splashBackground", settings.background);
  config.read("splashBackgroundW", settings.backgroundWidth);
  config.read("splashBackgroundH", settings.backgroundHeight);
  config.read("splashAnimation", settings.animation);
  config.read("splashAnimationX", settings.animationX);
  config.read("splashAnimationY", settings.animationY);
  config.read("splashAnimationSpeed", settings.animationSpeed);
  config.read("splashFont", settings.font);
  config.read("splashTitleY", settings.titleY);
  config.read("splashTitleSize", settings.titleSize);
  if (!(settings.animationSpeed > 0.0f)) settings.animationSpeed = kSlowestSpeed;
  return settings;
}

TextureArea centredCrop(float usedWidth, float usedHeight, int32_t textureWidth,
                        int32_t textureHeight) {
  TextureArea area;
  centredSpan(usedWidth, textureWidth, area.u0, area.u1);
  centredSpan(usedHeight, textureHeight, area.v0, area.v1);
  return area;
}

SplashAnimation::SplashAnimation(int32_t frameCount, float framesPerSecond)
    : frameCount_(std::max(frameCount, 0)),
      secondsPerFrame_(1.0f / std::max(framesPerSecond, kSlowestSpeed)) {}

void SplashAnimation::step(float seconds) {
  time_ += seconds;
  if (time_ <= secondsPerFrame_) return;
  time_ = 0.0f;
  if (++frame_ >= frameCount_) frame_ = 0;
}

int32_t SplashAnimation::frame() const {
  return std::clamp(frame_, 0, std::max(frameCount_ - 1, 0));
}
