#include "game/gui/level_completion_draw.h"

#include <GL/gl.h>

#include <memory>

#include "game/console/console.h"
#include "game/gui/gui_animated_button.h"
#include "game/platform/gl_state.h"
#include "game/platform/window.h"
#include "game/simulation/level_completion.h"
#include "game/world/camera.h"
#include "game/world/level_record.h"

namespace level_completion {
namespace {

constexpr float kScreenWidth = 800.0f;
constexpr float kScreenHeight = 600.0f;

// Made on the first won level's first frame, kept for the rest of the game run.
std::unique_ptr<GuiAnimatedButton> finishAnimation_;

GuiAnimatedButton& finishAnimation() {
  if (finishAnimation_) return *finishAnimation_;
  finishAnimation_ = std::make_unique<GuiAnimatedButton>();
  const FinishAnimationLook& look = finishAnimationLook();
  for (ButtonState state : {ButtonState::kOutOfFocus, ButtonState::kInFocus, ButtonState::kClicked})
    finishAnimation_->setFrames(state, look.frames);
  finishAnimation_->setAnimationSpeed(look.frameRate);
  return *finishAnimation_;
}

bool finishAnimationShown() {
  return level_record::isFinishing() && level_record::finishTimeLeft() > 0.0f;
}

}  // namespace

void updateOverlay() {
  if (timePrintEnabled()) console::print(levelTimeText(level_record::elapsedMs()));
  if (!finishAnimationShown()) return;
  GuiAnimatedButton& animation = finishAnimation();
  // Over the whole view, from transparent to opaque as the finish runs out.
  animation.setSize(int32_t(camera::viewWidth()), int32_t(camera::viewHeight()));
  animation.setPosition(0, 0);
  animation.setColour(1.0f, 1.0f, 1.0f,
                      1.0f - level_record::finishTimeLeft() / finishAnimationTime());
  // Entering the state would restart the frames; the loop only has to be in it.
  if (animation.state() != ButtonState::kOutOfFocus) animation.setState(ButtonState::kOutOfFocus);
  animation.update();
}

void drawOverlay() {
  gl_state::setup2DProjection();
  glScalef(float(window::clientWidth()) / kScreenWidth,
           float(window::clientHeight()) / kScreenHeight, 0.0f);
  if (finishAnimationShown() && finishAnimation_) finishAnimation_->onPaint();
}

void releaseOverlay() {
  finishAnimation_.reset();
}

}  // namespace level_completion
