#include "game/app/menu_commands.h"

#include "game/app/game.h"
#include "game/app/game_config.h"
#include "game/platform/music.h"

MenuCommand openMenu(screen_flow::MenuId id) {
  return [id] {
    Game::setMenu(id);
    return true;
  };
}

bool goBack() {
  Game::setMenu(Game::previousMenu());
  return true;
}

bool startPlay() {
  Game::setMenu(screen_flow::kPlay);
  music::playMusic(game_config::musicName(), true);
  window::centerMouse();
  return true;
}
