// The level-finished menu: the won level's water and time counted up into the score, and the
// way on to the high-score table.
#include <algorithm>
#include <cstdio>

#include "game/app/game.h"
#include "game/app/high_score_entry.h"
#include "game/app/menu_commands.h"
#include "game/app/menus.h"
#include "game/gui/gui_level_time_display.h"
#include "game/gui/level_index.h"
#include "game/gui/level_progress.h"
#include "game/simulation/run_playback.h"
#include "game/world/level_record.h"
#include "game/simulation/level_completion.h"
#include "game/water/grouped_particle_mover.h"

namespace {

constexpr float kFullWater = 128.0f;
constexpr float kShortestWaterRamp = 0.0001f;

// A score counter at (name_x, name_y) in the menu's text look.
GuiScoreLabel* addCounter(GuiScreen& screen, const MenuBuilder& menu, std::string_view name,
                          std::function<uint32_t()> value, std::string_view soundKey) {
  auto counter = std::make_unique<GuiScoreLabel>();
  menu.applyTextLook(*counter);
  counter->setTextSize(menu.own().getFloat("labelFontSizes"));
  counter->setPosition(menu.ownPixel(name, "_x"), menu.ownPixel(name, "_y"));
  counter->setValueFunction(std::move(value));
  counter->setRampSound(menu.own().getString(soundKey));
  counter->setEnabled(false);
  return screen.add(std::move(counter));
}

// The bests before this run, the par, and what the run beat, a line each.
std::string progressText(const std::optional<progress::LevelBest>& before,
                         const progress::Beaten& beaten,
                         const std::optional<level_index::LevelNote>& note) {
  std::string text = before ? "Best so far: " + levelTimeDisplayText(before->timeMs) + ", " +
                                  std::to_string(before->water) + " drops"
                            : std::string("First win of this level");
  if (note && note->parSeconds > 0)
    text += "\nPar: " + levelTimeDisplayText(uint32_t(note->parSeconds) * 1000);
  if (before && (beaten.time || beaten.water)) text += "\n";
  if (before && beaten.time) text += "New best time!";
  if (before && beaten.water) text += beaten.time ? "   New best water!" : "New best water!";
  return text;
}

}  // namespace

Menu_LevelFinished::Menu_LevelFinished() {
  MenuBuilder menu(*this, "cfg\\menu_levelFinished.cfg");
  setClearBeforeDrawing(true);
  setClearColour(0.0f, 0.0f, 0.0f);
  const ConfigFile& own = menu.own();

  auto gauge = std::make_unique<GuiWaterLevel>();
  gauge->setPosition(menu.ownPixel("waterLevel", "_x"), menu.ownPixel("waterLevel", "_y"));
  gauge->setSize(menu.ownPixel("waterLevel", "_w"), menu.ownPixel("waterLevel", "_h"));
  gauge->setEnabled(false);
  waterLevel_ = add(std::move(gauge));

  auto background = std::make_unique<GuiImage>();
  background->setImage(own.getString("backgroundImage"));
  background->setSource({menu.ownFloat("backgroundImage", "_x"),
                         menu.ownFloat("backgroundImage", "_y"),
                         menu.ownFloat("backgroundImage", "_w"),
                         menu.ownFloat("backgroundImage", "_h")});
  background->setSize(int32_t(kVirtualWidth), int32_t(kVirtualHeight));
  background->setEnabled(false);
  add(std::move(background));

  const float labelSize = own.getFloat("labelFontSizes");
  menu.addLabel("waterScoreLabel", "Water score:", labelSize);
  menu.addLabel("timeScoreLabel", "Time  score:", labelSize);
  menu.addLabel("totalScoreLabel", "Total score:", labelSize);
  progressNote_ = menu.addLabel("progressNote", "", own.getFloat("progressNoteFontSize"));

  waterCount_ = addCounter(*this, menu, "waterScoreCount",
                           [] { return uint32_t(level_completion::waterScore()); },
                           "waterRampUpSound");
  GuiScoreLabel* timeCount = addCounter(*this, menu, "timeScoreCount",
                                        level_completion::timeScore, "timeRampUpSound");
  GuiScoreLabel* totalCount = addCounter(*this, menu, "totalScoreCount",
                                         [] { return uint32_t(level_completion::score()); },
                                         "totalRampUpSound");
  waterRampTime_ = std::max(own.getFloat("waterRampUpTime"), kShortestWaterRamp);
  const float timeRampTime = own.getFloat("timeRampUpTime");
  timeCount->setRampTime(timeRampTime);
  timeCount->setLinkedWidget(waterCount_);
  totalCount->setRampTime(own.getFloat("totalRampUpTime"));
  totalCount->setLinkedWidget(timeCount);

  auto timeDisplay = std::make_unique<GuiLevelTimeDisplay>();
  menu.applyTextLook(*timeDisplay);
  const MenuLook& look = menu.look();
  timeDisplay->setTextShadow(true, look.buttonShadowX, look.buttonShadowY,
                             look.buttonShadowColour);
  timeDisplay->setTextSize(menu.general().getFloat("timeDisplay_fontSize"));
  timeDisplay->setPosition(menu.ownPixel("timeDisplay", "_x"), menu.ownPixel("timeDisplay", "_y"));
  timeDisplay->setSize(menu.ownPixel("timeDisplay", "_w"), menu.ownPixel("timeDisplay", "_h"));
  timeDisplay->setRampTime(timeRampTime);
  timeDisplay->setLinkedWidget(waterCount_);
  timeDisplay->setEnabled(false);
  add(std::move(timeDisplay));

  GuiWidget* continueButton = menu.addButton("continueButton", [this] { return continueOnce(); });
  GuiWidget* watchButton = menu.addButton("watchReplayButton", [this] { return watchOnce(); });
  setDefaultWidget(continueButton);
  chainNavigation({continueButton, watchButton});
}

void Menu_LevelFinished::recordProgress() {
  // A watched run was counted when it was played.
  progressNote_->setText("");
  if (run_playback::isPlaying()) return;
  const std::string& level = Game::currentMap();
  const std::optional<progress::LevelBest> before = progress::of(level);
  const progress::Beaten beaten =
      progress::record(level, level_record::elapsedMs(), grouped_particle_mover::totalWater(),
                       uint32_t(std::max<int64_t>(level_completion::score(), 0)));
  progressNote_->setText(progressText(before, beaten, level_index::of(level)));
}

void Menu_LevelFinished::onShow() {
  continued_ = false;
  recordProgress();
  // A fuller result counts longer.
  const float water = float(grouped_particle_mover::totalWater()) / kFullWater;
  waterCount_->setRampTime(waterRampTime_ * water);
  waterLevel_->setRampTime(waterRampTime_ * water);
  GuiScreen::onShow();
}

bool Menu_LevelFinished::offerOnce() {
  if (continued_) return false;
  continued_ = true;
  clearPendingActions();
  offerHighScore(static_cast<uint32_t>(level_completion::score()), *this);
  return true;
}

bool Menu_LevelFinished::watchOnce() {
  if (!offerOnce()) return false;
  Game::requestReplay();
  return true;
}

bool Menu_LevelFinished::continueOnce() {
  if (!offerOnce()) return false;
  Game::requestRestart();
  // The table shows next, and its back leads to the main menu.
  Game::setMenu(screen_flow::kMainMenu);
  Game::setMenu(screen_flow::kHighScoresMenu);
  return true;
}
