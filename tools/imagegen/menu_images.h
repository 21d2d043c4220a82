#pragma once
// The pictures the menu configuration files name, below the data folder's gfx/: the frame
// sets of every menu button and of the option choosers' arrows (gfx/menu/), the logo, the
// level-finished background and the level-complete splash that cfg/game.cfg names.

#include <optional>
#include <vector>

#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/image.h"

// Every menu picture, in a fixed order, labels set in `labelFace`. Nothing when the face
// can't set one of the words.
std::optional<std::vector<NamedImage>> drawMenuImages(const FreeTypeFace& labelFace);
