#pragma once
// A level's name as a player reads it, taken from its file name: the shipped levels are
// named so the chooser lists them in playing order ("03_heat_and_steam.swah"), and the
// chooser and the loading screen show "Heat and steam".

#include <string>
#include <string_view>

// The file name without its folder and extension, without a leading number and the "_", "-"
// or blank after it; "_" becomes a blank, a capital after a small letter starts a word
// ("testLevel" is "Test level"), and the first letter is a capital. A name with nothing left
// keeps its file name.
std::string readableLevelName(std::string_view path);
