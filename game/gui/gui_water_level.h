#pragma once
// The level-result screen's water gauge, filling up to the level's water once per showing.

#include "game/gui/gui_ramp.h"
#include "game/gui/gui_widget.h"

class GuiWaterLevel : public GuiWidget {
 public:
  GuiWaterLevel();

  // Raised to at least 0.0001 s.
  void setRampTime(float seconds);
  void onReset() override { ramp_.restart(); }
  // One frame's fill.
  void update() override { ramp_.advance(true); }
  void onPaint() override;
  // The gauge's top edge: the level's water out of 128, times the fraction counted.
  float barTop() const;

 private:
  GuiRamp ramp_;
};
