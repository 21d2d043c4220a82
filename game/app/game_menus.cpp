#include "game/app/game_menus.h"

#include <array>
#include <memory>

#include "common/config_file.h"
#include "game/app/game.h"
#include "game/app/menus.h"
#include "game/gui/menu_builder.h"
#include "game/world/screen_flow.h"

namespace game_menus {
namespace {

struct Menus {
  // One screen per menu id; none for play.
  std::array<std::unique_ptr<GuiScreen>, screen_flow::kMenuCount> screens;
  std::unique_ptr<sound::SoundInstance> backgroundSound;
};

Menus& menus() {
  static Menus instance;
  return instance;
}

template <typename Menu>
std::unique_ptr<GuiScreen> make() {
  return std::make_unique<Menu>();
}

// A menu is shown again each time it becomes current, with its sound looping; play stops
// the sound.
void showMenu(int32_t id) {
  Menus& m = menus();
  GuiScreen* screen = m.screens[static_cast<size_t>(id)].get();
  if (!m.backgroundSound) return;
  if (!screen) {
    m.backgroundSound->stop();
    return;
  }
  screen->onShow();
  m.backgroundSound->setVolume(1.0f);
  m.backgroundSound->playLooped();
}

}  // namespace

void create() {
  Menus& m = menus();
  if (m.backgroundSound) return;
  m.screens = {nullptr,
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
  m.backgroundSound = std::make_unique<sound::SoundInstance>(general.getString("menuBgSound"));
  m.backgroundSound->stop();
  screen_flow::setMenuListener(showMenu);
}

void destroy() {
  Menus& m = menus();
  screen_flow::setMenuListener(nullptr);
  screen_flow::reset();
  for (auto& screen : m.screens) screen.reset();
  m.backgroundSound.reset();
}

GuiScreen* currentScreen() {
  return menus().screens[static_cast<size_t>(screen_flow::currentMenu())].get();
}

const sound::SoundInstance* backgroundSound() {
  return menus().backgroundSound.get();
}

}  // namespace game_menus

void Game::setMenu(int32_t id) {
  screen_flow::setMenu(id);
}

int32_t Game::currentMenu() {
  return screen_flow::currentMenu();
}

int32_t Game::previousMenu() {
  return screen_flow::previousMenu();
}
