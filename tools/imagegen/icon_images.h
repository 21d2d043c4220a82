#pragma once
// The game's icon for the desktop: a drop of glass half full of water, painted like the
// water lettering of the logo. It is painted once at the largest size and shrunk for the
// others, so every size shows the same picture.

#include <vector>

#include "tools/imagegen/image.h"

// The square sizes a desktop's icon theme asks for, largest last.
inline constexpr int kIconSizes[] = {16, 32, 48, 64, 128, 256};

// One picture for each of kIconSizes, named "NxN.png" after its size.
std::vector<NamedImage> drawIcons();
