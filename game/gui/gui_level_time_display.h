#pragma once
// The level time on the level-result screen, counting up as MM:SS:HH once the counter it
// waits for has finished.

#include <cstdint>
#include <string>

#include "game/gui/gui_ramp.h"
#include "game/gui/gui_score_label.h"
#include "game/gui/gui_text_widget.h"

// The level time display's text: minutes, seconds and hundredths, two digits each; whole
// hours are dropped.
std::string levelTimeDisplayText(uint32_t ms);

class GuiLevelTimeDisplay : public GuiTextWidget {
 public:
  GuiLevelTimeDisplay();

  void setRampTime(float seconds) { ramp_.time = seconds; }
  void setLinkedWidget(const GuiScoreLabel* other) { linked_ = other; }
  void onReset() override { ramp_.restart(); }
  // One frame's count, once the linked counter has finished.
  void update() override { ramp_.advance(mayCount()); }
  void onPaint() override;
  // The level time shown now, in milliseconds: zero until the linked counter has finished.
  uint32_t shownMs() const;

 private:
  bool mayCount() const { return linked_ && linked_->ramp().finished(); }

  GuiRamp ramp_;
  const GuiScoreLabel* linked_ = nullptr;
};
