#pragma once
// The menu actions that several menus share, as the game core carries them out.

#include "game/gui/menu_builder.h"
#include "game/world/screen_flow.h"

// Switches to menu `id` (kPlay: back to play).
MenuCommand openMenu(screen_flow::MenuId id);
// Back to the menu that was current before this one.
bool goBack();
// Play starts from the top: no menu, the level's music from its start, the pointer centred.
bool startPlay();
