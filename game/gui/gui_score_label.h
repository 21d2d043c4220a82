#pragma once
// The level-result counters: a number that counts up from 0 to its value with a ticking
// sound, the level time counting up as MM:SS:HH, and the water gauge filling. A counter can
// wait for another to finish first, so the results count one after another.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "game/gui/gui_ramp.h"
#include "game/gui/gui_text_widget.h"
#include "game/platform/sound_instance.h"

// The level time display's text: minutes, seconds and hundredths, two digits each; whole
// hours are dropped.
std::string levelTimeDisplayText(uint32_t ms);

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
  void onPaint() override;
  // One draw's count: the ramp moves on, the sound starts and stops with it.
  void advance();
  // The number shown now: 0 before counting, then the value times the fraction counted.
  uint32_t shownValue() const;

 private:
  bool mayCount() const { return !linked_ || linked_->ramp_.finished(); }

  GuiRamp ramp_;
  std::function<uint32_t()> value_;
  std::unique_ptr<sound::SoundInstance> sound_;
  const GuiScoreLabel* linked_ = nullptr;
};

class GuiLevelTimeDisplay : public GuiTextWidget {
 public:
  GuiLevelTimeDisplay();

  void setRampTime(float seconds) { ramp_.time = seconds; }
  void setLinkedWidget(const GuiScoreLabel* other) { linked_ = other; }
  void onReset() override { ramp_.restart(); }
  void onPaint() override;
  // The level time shown now, in milliseconds: zero until the linked counter has finished.
  uint32_t shownMs() const;

 private:
  bool mayCount() const { return linked_ && linked_->ramp().finished(); }

  GuiRamp ramp_;
  const GuiScoreLabel* linked_ = nullptr;
};

class GuiWaterLevel : public GuiWidget {
 public:
  GuiWaterLevel();

  // Raised to at least 0.0001 s.
  void setRampTime(float seconds);
  void onReset() override { ramp_.restart(); }
  void onPaint() override;
  // The gauge's top edge: the level's water out of 128, times the fraction counted.
  float barTop() const;

 private:
  GuiRamp ramp_;
};
