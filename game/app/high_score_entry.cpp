#include "game/app/high_score_entry.h"

#include <memory>

#include "game/app/game.h"
#include "game/app/high_scores.h"
#include "game/console/console_script.h"
#include "game/gui/high_score_replays.h"
#include "game/gui/high_score_table.h"
#include "game/simulation/replay_file.h"
#include "game/simulation/run_recording.h"

namespace {

// The bytes of the level's last run when it is the run that scored `score`; empty otherwise.
std::string finishedRunReplay(uint32_t score) {
  const auto file = run_recording::lastRunFile(Game::currentMap());
  const replay::ReplayReadResult read = file ? replay::readReplayFile(*file)
                                             : replay::ReplayReadResult{};
  if (!read.replay || read.replay->header.score.score != score) return {};
  const std::vector<uint8_t> bytes = replay::serializeReplay(*read.replay);
  return std::string(bytes.begin(), bytes.end());
}

}  // namespace

void offerHighScore(uint32_t score, GuiScreen& backdrop) {
  if (!high_scores::qualifiesForHighScore(score)) return;
  auto screen = std::make_unique<HighScores>(backdrop);
  window::GLWindowEventListener* previous = window::getEventListener();
  window::setEventListener(screen.get());
  // A quit asked for meanwhile (a script's "Quit") ends the entry as closing the window does.
  while (window::isWindowOpen() && screen->isRunning() && !Game::isQuitRequested()) {
    screen->update();
    window::requestRedraw();
    window::pumpMessages();
    // Scripts go on running, so an automated run can type a name too.
    console_script::advanceFrame();
  }
  window::setEventListener(previous);
  high_score_replays::insertHighScore(high_scores::makeHighScoreEntry(screen->name(), score),
                                      finishedRunReplay(score));
}
