#pragma once
// The game's version, as the window title, the "Version" command and every replay's header
// give it.

#include <string_view>

constexpr std::string_view kVersionText = "1.03";
