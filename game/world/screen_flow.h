#pragma once
// Which screen the player sees: play, or one of the ten menus over the level. Exactly one
// menu is current at a time, and the menu before it is remembered for "back" (one step of
// history, not a stack). The ids are the ones every menu action uses. The flow itself needs
// no window: the level's end switches to the level-finished menu in the headless simulator
// too, and the game shows the menu's screen through the listener it installs.

#include <cstdint>
#include <functional>

namespace screen_flow {

enum MenuId : int32_t {
  kPlay = 0,
  kMainMenu = 1,
  kInGameMenu = 2,
  kOptionsMenu = 3,
  kHighScoresMenu = 4,
  kInstructionsMenu = 5,
  kQuitGameMenu = 6,
  kLoadMapMenu = 7,
  kCreditsMenu = 8,
  kLevelFinishedMenu = 9,
  kRestartMenu = 10,
};
constexpr int32_t kMenuCount = 11;

// Told the current menu after every switch (kPlay when play goes on).
using MenuListener = std::function<void(int32_t currentMenu)>;
void setMenuListener(MenuListener listener);

// The previous menu becomes the current one, and `id` the current one; an id outside 0..10
// keeps the current menu (which is still shown again). Back to play, the level clock drops
// the time spent in menus.
void setMenu(int32_t id);
// "Back": the menu that was current before this one.
void back();
int32_t currentMenu();
int32_t previousMenu();
bool isMenuOpen();
// Play with no history, as a new game run starts.
void reset();

}  // namespace screen_flow
