#pragma once
// The signs the first level hangs up for a new player: wooden boards with a few light words,
// 256 x 128, large enough to read on an 800 x 600 window.

#include <optional>
#include <vector>

#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/image.h"

// gfx/obj/sign_turn.tga: "Turn the world" over the two arrow keys and "or mouse", by the cup
// the water starts in.
std::optional<Image> drawTurnSign(const FreeTypeFace& face);
// gfx/obj/sign_goal.tga: "Bring the water here" on a board over a gold arrow pointing down
// out of the picture's bottom middle, hung above the end area.
std::optional<Image> drawGoalSign(const FreeTypeFace& face);

// Both signs with their file names below gfx/. Nothing when the face can't set the words.
std::optional<std::vector<NamedImage>> drawSignImages(const FreeTypeFace& face);
