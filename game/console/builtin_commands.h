#pragma once
// The entries the console registers at its start-up: quitting, clearing, the command
// listing, memory figures, logging, and the window, driver and texture settings.

namespace console {

void registerBuiltinCommands();

}  // namespace console
