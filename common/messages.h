#pragma once
// Code in common/ serves both the game and the launcher, which has no console, so it reports
// problems through this sink. The game's console installs itself here when it starts; until
// then, and in the launcher, messages go to standard error.

#include <string_view>

using MessageSink = void (*)(std::string_view text);

// nullptr restores the standard-error sink.
void setMessageSink(MessageSink sink);
void printMessage(std::string_view text);
