#include "game/gui/gui_score_label.h"

#include <algorithm>
#include <cstdio>

#include "game/gui/gui_sound.h"
#include "game/simulation/level_completion.h"
#include "game/water/grouped_particle_mover.h"
#include "game/world/level_record.h"

namespace {

constexpr float kFullWater = 128.0f;

}  // namespace

std::string levelTimeDisplayText(uint32_t ms) {
  char text[16];
  std::snprintf(text, sizeof text, "%02u:%02u:%02u", (ms % 3600000u) / 60000u,
                (ms % 60000u) / 1000u, (ms % 1000u) / 10u);
  return text;
}

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

void GuiScoreLabel::advance() {
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
  advance();
  drawStyledText(textStyle(), std::to_string(shownValue()), float(x()), float(y()));
}

GuiLevelTimeDisplay::GuiLevelTimeDisplay() : GuiTextWidget(16.0f) {
  ramp_.time = ramp_.remaining = 5.0f;
}

uint32_t GuiLevelTimeDisplay::shownMs() const {
  if (!mayCount()) return 0;
  return static_cast<uint32_t>(double(level_record::elapsedMs()) * double(ramp_.fraction()));
}

void GuiLevelTimeDisplay::onPaint() {
  ramp_.advance(mayCount());
  drawStyledTextCentred(textStyle(), levelTimeDisplayText(shownMs()), float(x()), float(y()),
                        float(width()), float(height()));
}

GuiWaterLevel::GuiWaterLevel() {
  ramp_.time = ramp_.remaining = 1.0f;
}

void GuiWaterLevel::setRampTime(float seconds) {
  ramp_.time = std::max(seconds, 0.0001f);
}

float GuiWaterLevel::barTop() const {
  const float water = float(grouped_particle_mover::totalWater()) / kFullWater;
  return float(y()) + (1.0f - water * ramp_.fraction()) * float(height());
}
