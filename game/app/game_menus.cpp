// The game's menus: one screen of each, made once per game run, and the background sound
// that loops while any of them is shown.
#include "common/config_file.h"
#include "game/app/game.h"
#include "game/app/game_state.h"
#include "game/app/menus.h"
#include "game/gui/menu_builder.h"

namespace game_state {
namespace {

template <typename Menu>
std::unique_ptr<GuiScreen> make() {
  return std::make_unique<Menu>();
}

// A menu is shown again each time it becomes current, with its sound looping; play stops
// the sound.
void showMenu(int32_t id) {
  State& s = state();
  GuiScreen* screen = s.menus[static_cast<size_t>(id)].get();
  if (!s.menuBackgroundSound) return;
  if (!screen) {
    s.menuBackgroundSound->stop();
    return;
  }
  screen->onShow();
  s.menuBackgroundSound->setVolume(1.0f);
  s.menuBackgroundSound->playLooped();
}

}  // namespace

void createMenus() {
  State& s = state();
  if (s.menuBackgroundSound) return;
  s.menus = {nullptr,
             make<Menu_Main>(),
             make<Menu_InGame>(),
             make<Menu_Options>(),
             make<Menu_HighScores>(),
             make<Menu_Instructions>(),
             make<Menu_QuitGame>(),
             make<Menu_LoadMap>(),
             make<Menu_Credits>(),
             make<Menu_LevelFinished>(),
             make<Menu_Restart>()};
  const ConfigFile general(kMenuGeneralConfigPath);
  s.menuBackgroundSound = std::make_unique<sound::SoundInstance>(general.getString("menuBgSound"));
  s.menuBackgroundSound->stop();
  screen_flow::setMenuListener(showMenu);
}

void destroyMenus() {
  State& s = state();
  screen_flow::setMenuListener(nullptr);
  screen_flow::reset();
  for (auto& menu : s.menus) menu.reset();
  s.menuBackgroundSound.reset();
}

GuiScreen* currentScreen() {
  return state().menus[static_cast<size_t>(screen_flow::currentMenu())].get();
}

}  // namespace game_state

void Game::setMenu(int32_t id) {
  screen_flow::setMenu(id);
}

int32_t Game::currentMenu() {
  return screen_flow::currentMenu();
}

int32_t Game::previousMenu() {
  return screen_flow::previousMenu();
}
