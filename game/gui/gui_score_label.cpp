#include "game/gui/gui_score_label.h"

#include <algorithm>
#include <string>

#include "game/gui/gui_sound.h"

GuiScoreLabel::GuiScoreLabel() : GuiTextWidget(16.0f) {
  ramp_.time = ramp_.remaining = 4.0f;
  setRampSound(sound::kDefaultSoundName);
}

void GuiScoreLabel::setRampTime(float seconds) {
  ramp_.time = std::max(seconds, 0.01f);
}

void GuiScoreLabel::setRampSound(std::string_view fileName) {
  sound_ = stoppedSound(fileName);
}

void GuiScoreLabel::onReset() {
  ramp_.restart();
  sound_->stop();
}

void GuiScoreLabel::update() {
  const bool counting = mayCount();
  if (counting && !ramp_.started()) playFromStart(sound_.get());
  ramp_.advance(counting);
  if (ramp_.finished()) sound_->stop();
}

uint32_t GuiScoreLabel::shownValue() const {
  if (!ramp_.started()) return 0;
  const uint32_t value = value_ ? value_() : 0;
  return static_cast<uint32_t>(double(value) * double(ramp_.fraction()));
}

void GuiScoreLabel::onPaint() {
  drawStyledText(textStyle(), std::to_string(shownValue()), float(x()), float(y()));
}
