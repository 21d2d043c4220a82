#pragma once
// A level-result counter: a number that counts up from 0 to its value with a ticking sound.
// A counter can wait for another to finish first, so the results count one after another.

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>

#include "game/gui/gui_ramp.h"
#include "game/gui/gui_text_widget.h"
#include "game/platform/sound_instance.h"

class GuiScoreLabel : public GuiTextWidget {
 public:
  GuiScoreLabel();

  // Raised to at least 0.01 s.
  void setRampTime(float seconds);
  void setValueFunction(std::function<uint32_t()> value) { value_ = std::move(value); }
  void setRampSound(std::string_view fileName);
  // Counts only once `other` has finished counting.
  void setLinkedWidget(const GuiScoreLabel* other) { linked_ = other; }
  const GuiRamp& ramp() const { return ramp_; }

  void onReset() override;
  // One frame's count: the ramp moves on, the sound starts and stops with it.
  void update() override;
  void onPaint() override;
  // The number shown now: 0 before counting, then the value times the fraction counted.
  uint32_t shownValue() const;

 private:
  bool mayCount() const { return !linked_ || linked_->ramp_.finished(); }

  GuiRamp ramp_;
  std::function<uint32_t()> value_;
  std::unique_ptr<sound::SoundInstance> sound_;
  const GuiScoreLabel* linked_ = nullptr;
};
