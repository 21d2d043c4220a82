#pragma once
// A choice among a few texts ("off", "on"), shown one at a time between a left and a right
// arrow. A click on the left half steps back, on the right half forward, and the Left and
// Right keys do the same; there is no wrap-around, and an arrow that can't move the choice
// is drawn faint.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "game/gui/gui_animated_button.h"
#include "game/gui/gui_text_widget.h"

class GuiOptionChooser : public GuiTextWidget {
 public:
  GuiOptionChooser();

  void setOptions(std::vector<std::string> options);
  const std::vector<std::string>& options() const { return options_; }
  // Clamped to the last option (0 when there are none).
  void setSelectedIndex(size_t index);
  size_t selectedIndex() const { return selected_; }
  // The selected text; empty when there are no options.
  std::string selectedOption() const;

  void setOverSound(std::string_view fileName);
  void setClickedSound(std::string_view fileName);
  GuiAnimatedButton& leftArrow() { return leftArrow_; }
  GuiAnimatedButton& rightArrow() { return rightArrow_; }
  void setArrowState(ButtonState state);

  void onMouseDown(int32_t x, int32_t y, int32_t button) override;
  void onKeyDown(int32_t key) override;
  void onHoverEnter() override;
  void onHoverLeave() override;
  void onReset() override { setArrowState(ButtonState::kOutOfFocus); }
  void update() override;
  void onPaint() override;

 private:
  // One step back (-1) or forward (+1) when there is an option there; true when it moved.
  bool step(int direction);
  void placeArrows(float textLeft, float textRight, float centreY);

  std::vector<std::string> options_;
  size_t selected_ = 0;
  GuiAnimatedButton leftArrow_;
  GuiAnimatedButton rightArrow_;
  std::unique_ptr<sound::SoundInstance> overSound_;
  std::unique_ptr<sound::SoundInstance> clickedSound_;
};
