#pragma once
// Lettering that looks like glass vessels partly filled with water: pale glass above a wavy
// waterline, deep blue water with drifting light and bubbles below it, a bright rim, a dark
// outline and a soft aqua halo that keeps it readable over the dark level scene. The logo
// and the level-complete splash are made of it.

#include <optional>
#include <string_view>
#include <vector>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/freetype_face.h"
#include "tools/imagegen/image.h"
#include "tools/imagegen/text_mask.h"

struct WaterLook {
  float level = 0.55f;  // the waterline's height, as a share of the capitals from the baseline
  float phase = 0.0f;   // radians: the waves' and bubbles' progress through their loop
  float sweep = -1.0f;  // a band of light crossing the word, 0 (left) to 1 (right); < 0 none
};

// One word prepared for painting: its outline, halo and inner fill are worked out once and
// serve every frame.
class WaterLettering {
 public:
  explicit WaterLettering(TextMask word);

  // Paints the word with its mask's top-left at (x, y). The halo and outline reach
  // kLetteringReach pixels past the mask, so leave that much room.
  void paint(Canvas& canvas, int x, int y, const WaterLook& look) const;

  int width() const { return word_.mask.width; }
  int height() const { return word_.mask.height; }

 private:
  void paintFill(Canvas& canvas, int x, int y, const WaterLook& look) const;
  float waterline(float lx, const WaterLook& look) const;
  Colour glassOrWater(float lx, float ly, const WaterLook& look) const;
  Colour withBubbles(Colour colour, float lx, float ly, const WaterLook& look) const;
  Colour withSweep(Colour colour, float lx, float ly, const WaterLook& look) const;

  TextMask word_;
  Mask letters_;  // the word with kLetteringReach clear pixels all round
  Mask outline_;
  Mask halo_;
  Mask inner_;  // the letters shrunk, so the pale rim shows round the fill
  Mask soft_;   // slightly blurred, for the bevel's light
};

inline constexpr int kLetteringReach = 14;

inline constexpr int kLogoWidth = 512;
inline constexpr int kLogoHeight = 128;
inline constexpr int kFinishWidth = 512;
inline constexpr int kFinishHeight = 256;
inline constexpr int kFinishFrames = 12;

// "VELLMOOR", kLogoWidth x kLogoHeight. Nothing when the face can't set the word.
std::optional<Image> drawLogo(const FreeTypeFace& face);

// The level-complete splash: "LEVEL" over "COMPLETE", kFinishWidth x kFinishHeight, a loop
// of kFinishFrames in which the water sloshes, bubbles rise and a band of light crosses the
// words. The game plays it out of focus, which loops, while it fades in. Files named
// `stem`_FRAMEnn.tga (frame_sets.h).
std::optional<std::vector<NamedImage>> drawFinishFrames(const FreeTypeFace& face,
                                                        std::string_view stem);
