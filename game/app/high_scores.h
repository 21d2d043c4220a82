#pragma once
// The name entry for a new high score: a screen of its own, not a menu, that offerHighScore
// runs in a loop of its own over the level-finished menu (drawn dimmed behind it) until the
// player confirms a name with Enter, Escape or the OK button, then stays 0.8 s for the
// button's click.

#include <cstdint>
#include <string>

#include "game/gui/gui_animated_button.h"
#include "game/gui/gui_draw.h"
#include "game/gui/gui_screen.h"
#include "game/platform/frame_timer.h"
#include "game/platform/sound_instance.h"
#include "game/platform/texture_handle.h"

class HighScores : public window::GLWindowEventListener {
 public:
  explicit HighScores(GuiScreen& backdrop);

  void onMouseMove(int32_t x, int32_t y) override;
  void onMouseDown(int32_t x, int32_t y, int32_t button) override;
  void onKeyDown(int32_t key) override;
  void onClose() override;
  void onPaint() override;

  // One frame's step, before it is drawn: the entry's own turn after the time since the
  // last, then the menu behind it and the OK button.
  void update();
  // One turn of the close delay and the caret after `seconds`.
  void advance(float seconds);
  bool isRunning() const { return running_; }
  bool isFinished() const { return finished_; }
  const std::string& name() const { return name_; }
  bool caretOn() const { return caretOn_; }
  const GuiAnimatedButton& okButton() const { return okButton_; }

 private:
  void finish();
  // A window pixel on the 800 x 600 area stretched over the window.
  int32_t stretchedX(int32_t x) const;
  int32_t stretchedY(int32_t y) const;
  bool overOkButton(int32_t x, int32_t y) const;
  void drawTexts(float dx, float dy, const GuiColour& colour) const;

  GuiScreen& backdrop_;
  std::string name_;
  bool running_ = true;
  bool finished_ = false;
  float closeDelay_ = 0.8f;
  bool caretOn_ = true;
  float caretTimer_ = 0.5f;
  FrameTimer timer_;
  GuiAnimatedButton okButton_;
  TextureHandle cursor_;
  TextureHandle font_;
  TextStyle text_;
  sound::SoundInstance entrySound_;
};
