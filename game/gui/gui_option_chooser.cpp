#include "game/gui/gui_option_chooser.h"

#include "game/gui/gui_sound.h"
#include "game/platform/virtual_keys.h"

namespace {

constexpr float kFaintArrow = 0.25f;

// The width and height of the arrow's frame now; 0 without a frame.
float frameWidth(const GuiAnimatedButton& arrow) {
  const TextureHandle* frame = arrow.currentFrame();
  return frame ? float(frame->width()) : 0.0f;
}
float frameHeight(const GuiAnimatedButton& arrow) {
  const TextureHandle* frame = arrow.currentFrame();
  return frame ? float(frame->height()) : 0.0f;
}

}  // namespace

GuiOptionChooser::GuiOptionChooser() : GuiTextWidget(16.0f) {}

void GuiOptionChooser::setOptions(std::vector<std::string> options) {
  options_ = std::move(options);
  setSelectedIndex(selected_);
}

void GuiOptionChooser::setSelectedIndex(size_t index) {
  selected_ = options_.empty() ? 0 : std::min(index, options_.size() - 1);
}

std::string GuiOptionChooser::selectedOption() const {
  return options_.empty() ? std::string() : options_[selected_];
}

void GuiOptionChooser::setOverSound(std::string_view fileName) {
  overSound_ = stoppedSound(fileName);
}

void GuiOptionChooser::setClickedSound(std::string_view fileName) {
  clickedSound_ = stoppedSound(fileName);
}

void GuiOptionChooser::setArrowState(ButtonState state) {
  leftArrow_.setState(state);
  rightArrow_.setState(state);
}

bool GuiOptionChooser::step(int direction) {
  if (direction < 0 && selected_ == 0) return false;
  if (direction > 0 && selected_ + 1 >= options_.size()) return false;
  selected_ = direction < 0 ? selected_ - 1 : selected_ + 1;
  return true;
}

void GuiOptionChooser::onMouseDown(int32_t px, int32_t, int32_t) {
  const bool leftHalf = float(px) <= float(x()) + float(width()) / 2.0f;
  if (step(leftHalf ? -1 : 1)) playFromStart(clickedSound_.get());
}

void GuiOptionChooser::onKeyDown(int32_t key) {
  if (key == vk::kLeft) step(-1);
  if (key == vk::kRight) step(1);
}

void GuiOptionChooser::onHoverEnter() {
  for (GuiAnimatedButton* arrow : {&leftArrow_, &rightArrow_}) {
    arrow->setHoveredFlag(true);
    arrow->onHoverEnter();
  }
  playFromStart(overSound_.get());
}

void GuiOptionChooser::onHoverLeave() {
  for (GuiAnimatedButton* arrow : {&leftArrow_, &rightArrow_}) {
    arrow->setHoveredFlag(false);
    arrow->onHoverLeave();
  }
}

void GuiOptionChooser::placeArrows(float textLeft, float textRight, float centreY) {
  const float leftWidth = frameWidth(leftArrow_), leftHeight = frameHeight(leftArrow_);
  leftArrow_.setPosition(int32_t(textLeft - leftWidth), int32_t(centreY - leftHeight / 2.0f));
  leftArrow_.setSize(int32_t(leftWidth), int32_t(leftHeight));
  const float rightWidth = frameWidth(rightArrow_), rightHeight = frameHeight(rightArrow_);
  rightArrow_.setPosition(int32_t(textRight), int32_t(centreY - rightHeight / 2.0f));
  rightArrow_.setSize(int32_t(rightWidth), int32_t(rightHeight));
  const bool canGoBack = selected_ > 0;
  const bool canGoOn = selected_ + 1 < options_.size();
  leftArrow_.setColour(1.0f, 1.0f, 1.0f, canGoBack ? 1.0f : kFaintArrow);
  rightArrow_.setColour(1.0f, 1.0f, 1.0f, canGoOn ? 1.0f : kFaintArrow);
}

void GuiOptionChooser::update() {
  leftArrow_.update();
  rightArrow_.update();
}

void GuiOptionChooser::onPaint() {
  const TextStyle style = textStyle();
  const std::string text = selectedOption();
  const float centreX = float(x()) + float(width()) / 2.0f;
  const float centreY = float(y()) + float(height()) / 2.0f;
  const float textWidth = float(text.size()) * style.size;
  drawStyledText(style, text, centreX - textWidth / 2.0f, centreY - style.size / 2.0f);
  placeArrows(centreX - textWidth / 2.0f, centreX + textWidth / 2.0f, centreY);
  leftArrow_.onPaint();
  rightArrow_.onPaint();
}
