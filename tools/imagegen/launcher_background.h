#pragma once
// The launcher's window picture, gfx/launcher/background.bmp: deep water with the game's name
// in water lettering across the top and a darker pane behind the settings. The launcher
// paints its captions and places its lists and buttons over the pane.

#include <optional>

#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/image.h"

inline constexpr int kLauncherWidth = 525;
inline constexpr int kLauncherHeight = 365;

// Nothing when the face can't set the name.
std::optional<Image> drawLauncherBackground(const FreeTypeFace& face);
