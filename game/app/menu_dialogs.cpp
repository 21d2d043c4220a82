// The two yes-or-no questions: quitting the game and restarting the level.
#include "game/app/game.h"
#include "game/app/game_config.h"
#include "game/app/menu_commands.h"
#include "game/app/menus.h"
#include "game/platform/music.h"
#include "game/platform/virtual_keys.h"

namespace {

// A question, its "yes" and "no" buttons (no is the default), Left and Right between them.
void buildQuestion(GuiScreen& screen, std::string_view file, std::string_view labelName,
                   std::string_view question, MenuCommand yes) {
  MenuBuilder menu(screen, file);
  menu.addLogo();
  menu.addLabel(labelName, question, menu.ownFloat(labelName, "_fontSize"));
  GuiAnimatedButton* yesButton = menu.addButton("yesButton", std::move(yes), kClosesDialog);
  GuiAnimatedButton* noButton = menu.addButton("noButton", goBack, kClosesDialog);
  noButton->setKeyNavigation(vk::kLeft, yesButton);
  noButton->setKeyNavigation(vk::kTab, yesButton);
  yesButton->setKeyNavigation(vk::kRight, noButton);
  yesButton->setKeyNavigation(vk::kTab, noButton);
  screen.setDefaultWidget(noButton);
}

bool quitGame() {
  Game::requestQuit();
  return true;
}

// The level starts again with its music; a restart lands directly in play.
bool restartLevel() {
  music::playMusic(game_config::musicName(), true);
  Game::requestRestart();
  Game::setMenu(screen_flow::kPlay);
  window::centerMouse();
  return true;
}

}  // namespace

Menu_QuitGame::Menu_QuitGame() {
  buildQuestion(*this, "cfg\\menu_quitGame.cfg", "quitLabel", "Quit game: are you sure?",
                quitGame);
}

Menu_Restart::Menu_Restart() {
  buildQuestion(*this, "cfg\\menu_restart.cfg", "restartLabel", "Restart game: are you sure?",
                restartLevel);
}
