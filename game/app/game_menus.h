#pragma once
// The game's menus: one screen of each (none for play), made at the first level start of a
// game run, and the background sound that loops while any of them is shown.

#include "game/gui/gui_screen.h"
#include "game/platform/sound_instance.h"

namespace game_menus {

// Makes the ten menus and their background sound unless they exist, and shows each menu as
// it becomes current.
void create();
// Lets the menus and their background sound go at the end of a game run.
void destroy();
// The current menu's screen; nullptr during play.
GuiScreen* currentScreen();
// The sound that loops under the menus; nullptr while there are no menus.
const sound::SoundInstance* backgroundSound();

}  // namespace game_menus
