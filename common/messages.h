#pragma once
// Code in common/ serves both the game and the launcher, which has no console, so it reports
// problems through this sink. The game's console installs itself here when it starts; until
// then, and in the launcher, messages go to standard error.

#include <string>
#include <string_view>

using MessageSink = void (*)(std::string_view text);

// nullptr restores the standard-error sink.
void setMessageSink(MessageSink sink);
void printMessage(std::string_view text);

// Text taken from a file or a command line, cut to 64 characters and "..." for echoing in a
// message, so that a name of a megabyte makes a readable line rather than a megabyte of one.
std::string messageExcerpt(std::string_view text);
