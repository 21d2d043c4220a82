#pragma once
// Words set in a proportional face and rendered as coverage, for the labels, the logo and
// the splash the generators draw into pictures (the game's own text uses the font sheets).

#include <optional>
#include <string_view>

#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/mask.h"

struct TextMask {
  Mask mask;          // cropped to the ink
  int baseline = 0;   // rows from the top of the mask down to the baseline
  int capHeight = 0;  // how far a capital H reaches above the baseline
  int pixelSize = 0;  // the size it was set at, pixels an em
};

// `text` on one line at `pixelSize` pixels an em, its letters `tracking` pixels further
// apart than the face sets them, with the face's kerning. Nothing when a glyph fails or the
// text has no ink.
std::optional<TextMask> renderText(const FreeTypeFace& face, std::string_view text, int pixelSize,
                                   int tracking = 0);

// The largest rendering whose ink is at most `maxWidth` wide and whose capitals are at most
// `maxCapHeight` tall.
std::optional<TextMask> renderTextToFit(const FreeTypeFace& face, std::string_view text,
                                        int maxWidth, int maxCapHeight, int tracking = 0);
