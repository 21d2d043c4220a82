#include "game/app/high_scores.h"

#include <cctype>
#include <cmath>

#include "common/config_file.h"
#include "game/gui/high_score_table.h"
#include "game/gui/menu_builder.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/level_completion.h"

namespace {

constexpr std::string_view kLevelFinishedConfigPath = "cfg\\menu_levelFinished.cfg";
constexpr float kCaretBlink = 0.5f;

bool isNameCharacter(char c) {
  const unsigned char u = static_cast<unsigned char>(c);
  return (u < 128 && std::isalnum(u)) || c == ' ';
}

}  // namespace

HighScores::HighScores(GuiScreen& backdrop)
    : backdrop_(backdrop),
      entrySound_(ConfigFile(level_completion::kGameConfigPath).getString("highScoreSound")) {
  const ConfigFile game(level_completion::kGameConfigPath);
  const ConfigFile general(kMenuGeneralConfigPath);
  const MenuLook look(general);
  cursor_ = TextureHandle(game.getString("cursor"), "");
  font_ = TextureHandle(look.font, "");
  text_ = {&font_, 32.0f, look.fontColour, true, look.textShadowX, look.textShadowY,
           look.textShadowColour};
  buildMenuButton(okButton_, ConfigFile(kLevelFinishedConfigPath), look, "continueButton");
  entrySound_.rewind();
  entrySound_.play();
}

void HighScores::finish() {
  okButton_.onMouseDown(0, 0, window::kLeftButton);
  finished_ = true;
}

void HighScores::onKeyDown(int32_t key) {
  if (finished_) return;
  if (key == vk::kReturn || key == vk::kEscape) {
    finish();
  } else if (key == vk::kBackspace) {
    if (!name_.empty()) name_.pop_back();
  } else if (name_.size() < high_scores::kMaxNameLength) {
    const char c = window::keyToChar(key);
    if (isNameCharacter(c)) name_ += c;
  }
}

int32_t HighScores::stretchedX(int32_t x) const {
  const int32_t width = window::clientWidth();
  return width > 0 ? int32_t(std::lround(double(x) * 800.0 / width)) : x;
}

int32_t HighScores::stretchedY(int32_t y) const {
  const int32_t height = window::clientHeight();
  return height > 0 ? int32_t(std::lround(double(y) * 600.0 / height)) : y;
}

bool HighScores::overOkButton(int32_t x, int32_t y) const {
  const int32_t vx = stretchedX(x), vy = stretchedY(y);
  return vx >= okButton_.x() && vx <= okButton_.x() + okButton_.width() && vy >= okButton_.y() &&
         vy <= okButton_.y() + okButton_.height();
}

void HighScores::onMouseMove(int32_t x, int32_t y) {
  if (finished_) return;
  const bool over = overOkButton(x, y);
  if (over == okButton_.isHovered()) return;
  okButton_.setHoveredFlag(over);
  if (over)
    okButton_.onHoverEnter();
  else
    okButton_.onHoverLeave();
}

void HighScores::onMouseDown(int32_t x, int32_t y, int32_t) {
  if (finished_ || !overOkButton(x, y) || okButton_.state() != ButtonState::kInFocus) return;
  finish();
}

void HighScores::onClose() {
  window::destroyWindow();
}

void HighScores::update() {
  advance(timer_.tick());
  backdrop_.update();
  okButton_.update();
}

void HighScores::advance(float seconds) {
  if (finished_) {
    if (closeDelay_ <= 0.0f) running_ = false;
    closeDelay_ -= seconds;
  }
  const bool blink = caretTimer_ <= 0.0f;
  caretTimer_ -= seconds;
  if (blink) {
    caretTimer_ = kCaretBlink;
    caretOn_ = !caretOn_;
  }
}
