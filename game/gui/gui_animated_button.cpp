#include "game/gui/gui_animated_button.h"

#include <algorithm>

#include "common/data_path.h"
#include "game/gui/gui_screen.h"
#include "game/gui/gui_sound.h"
#include "game/platform/virtual_keys.h"

namespace {

constexpr std::string_view kFallbackSprite = "DEFAULT_SPRITE";

}  // namespace

std::vector<std::string> buttonFrameNames(std::string_view name) {
  std::vector<std::string> names = findFrameFiles(name);
  if (names.empty()) return {std::string(name)};
  std::reverse(names.begin(), names.end());
  return names;
}

void GuiAnimatedButton::setFrames(ButtonState state, std::string_view name) {
  std::vector<TextureHandle>& frames = frames_[static_cast<size_t>(state)];
  frames.clear();
  for (const std::string& file : buttonFrameNames(name)) frames.emplace_back(file, kFallbackSprite);
}

void GuiAnimatedButton::setOverSound(std::string_view fileName) {
  overSound_ = stoppedSound(fileName);
}

void GuiAnimatedButton::setClickedSound(std::string_view fileName) {
  clickedSound_ = stoppedSound(fileName);
}

void GuiAnimatedButton::setDropShadow(bool on, float offsetX, float offsetY,
                                      const GuiColour& colour) {
  dropShadow_ = on;
  shadowX_ = offsetX;
  shadowY_ = offsetY;
  shadowColour_ = colour;
}

void GuiAnimatedButton::setState(ButtonState state) {
  state_ = state;
  frameIndex_ = 0;
  frameTime_ = 0.0f;
}

void GuiAnimatedButton::onHoverEnter() {
  if (state_ != ButtonState::kOutOfFocus) return;
  setState(ButtonState::kInFocus);
  if (overSound_ && !overSound_->isPlaying()) playFromStart(overSound_.get());
}

void GuiAnimatedButton::onMouseDown(int32_t, int32_t, int32_t) {
  if (state_ != ButtonState::kClicked) click();
}

void GuiAnimatedButton::onKeyDown(int32_t key) {
  if ((key == vk::kSpace || key == vk::kReturn) && state_ != ButtonState::kClicked) click();
}

void GuiAnimatedButton::click() {
  setState(ButtonState::kClicked);
  playFromStart(clickedSound_.get());
  if (!owner()) return;
  for (const auto& widget : owner()->widgets()) {
    auto* button = dynamic_cast<GuiAnimatedButton*>(widget.get());
    if (button && button->state_ != ButtonState::kClicked) button->setState(ButtonState::kClicked);
  }
}

void GuiAnimatedButton::animate(float seconds) {
  if (speed_ <= 0.0f || frameCount() == 0) return;
  frameTime_ += seconds;
  if (frameTime_ < 1.0f / speed_) return;
  frameTime_ = 0.0f;
  stepFrame();
}

void GuiAnimatedButton::stepFrame() {
  const int32_t last = static_cast<int32_t>(frameCount()) - 1;
  switch (state_) {
    case ButtonState::kOutOfFocus:
      frameIndex_ = frameIndex_ >= last ? 0 : frameIndex_ + 1;
      break;
    case ButtonState::kInFocus:
      if (isHovered()) {
        frameIndex_ = std::min(frameIndex_ + 1, last);
      } else if (--frameIndex_ < 0) {
        setState(ButtonState::kOutOfFocus);
      }
      break;
    case ButtonState::kClicked:
      frameIndex_ = std::min(frameIndex_ + 1, last);
      break;
  }
}

const TextureHandle* GuiAnimatedButton::currentFrame() const {
  const auto& frames = frames_[static_cast<size_t>(state_)];
  if (frameIndex_ < 0 || static_cast<size_t>(frameIndex_) >= frames.size()) return nullptr;
  return &frames[static_cast<size_t>(frameIndex_)];
}
