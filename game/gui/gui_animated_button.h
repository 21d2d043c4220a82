#pragma once
// The menus' button, drawn from three animated frame sets: out of focus (a loop), in focus
// (plays once when the pointer arrives and holds; runs backwards out when it leaves) and
// clicked (plays once and holds until the screen is shown again). Clicking one button puts
// every button of its screen into the clicked state, so the whole menu answers the click,
// and its action follows after the delay the menu gives it.

#include <array>
#include <memory>
#include <string_view>
#include <vector>

#include "game/gui/gui_widget.h"
#include "game/platform/frame_timer.h"
#include "game/platform/sound_instance.h"
#include "game/platform/texture_handle.h"

enum class ButtonState { kOutOfFocus = 0, kInFocus = 1, kClicked = 2 };
constexpr size_t kButtonStates = 3;

// The frame files of a button's or chooser arrow's frame-set name, highest-named first; a
// name that finds no file is its own single frame, so a missing set shows the fallback
// sprite.
std::vector<std::string> buttonFrameNames(std::string_view name);

class GuiAnimatedButton : public GuiWidget {
 public:
  void onHoverEnter() override;
  void onMouseDown(int32_t x, int32_t y, int32_t button) override;
  void onKeyDown(int32_t key) override;
  void onReset() override { setState(ButtonState::kOutOfFocus); }
  // One animation step after the time since the previous one.
  void update() override { animate(timer_.tick()); }
  void onPaint() override;

  void setFrames(ButtonState state, std::string_view name);
  void setOverSound(std::string_view fileName);
  void setClickedSound(std::string_view fileName);
  // Frames per second; 0 or less holds the current frame.
  void setAnimationSpeed(float framesPerSecond) { speed_ = framesPerSecond; }
  void setDropShadow(bool on, float offsetX, float offsetY, const GuiColour& colour);

  // Enters `state` at its first frame.
  void setState(ButtonState state);
  ButtonState state() const { return state_; }
  int32_t frameIndex() const { return frameIndex_; }
  // One animation step after `seconds` more of the button's own time.
  void animate(float seconds);
  // The frame shown now; nullptr when the state's list is shorter than the index.
  const TextureHandle* currentFrame() const;
  // Clicked, with its sound, and every other button of the screen clicked with it.
  void click();

 private:
  void stepFrame();
  size_t frameCount() const { return frames_[static_cast<size_t>(state_)].size(); }

  std::array<std::vector<TextureHandle>, kButtonStates> frames_;
  std::unique_ptr<sound::SoundInstance> overSound_;
  std::unique_ptr<sound::SoundInstance> clickedSound_;
  ButtonState state_ = ButtonState::kOutOfFocus;
  int32_t frameIndex_ = 0;
  float frameTime_ = 0.0f;
  float speed_ = 10.0f;
  FrameTimer timer_;
  bool dropShadow_ = false;
  float shadowX_ = 0.0f;
  float shadowY_ = 0.0f;
  GuiColour shadowColour_{0.0f, 0.0f, 0.0f, 1.0f};
};
