#pragma once
// Draws the water body. Every free particle and every particle of an ice lump is a textured,
// coloured square sprite whose look follows its state (water, steam or ice). Each state is
// drawn first as enlarged outline sprites and then as fill sprites on top, so touching
// sprites merge into one body with a rim. Water and steam trail fainter sprites along their
// last three positions; fast particles are drawn larger and dying ones fade. A second set of
// colours, the high-contrast palette, is used while the game asks for it; only the colours
// change, never the sprites' sizes or passes.

#include <string_view>

namespace particle_renderer {

constexpr std::string_view kConfigPath = "cfg//water.cfg";
// The embedded image shown when a sprite texture can't be loaded.
constexpr std::string_view kFallbackSprite = "DEFAULT_SPRITE";

// Colour and outline of one state's sprites.
struct SpriteStyle {
  float r = 0.0f, g = 0.0f, b = 0.0f, a = 0.0f;
  float outlineR = 0.0f, outlineG = 0.0f, outlineB = 0.0f, outlineA = 0.0f;
  float outlineSize = 0.0f;  // added to the half-size of the outline sprite
};

// Read once from water.cfg, where a missing key is 0. The high-contrast styles come from the
// same keys with "highContrast_" in front, all but the outline sizes, which both share.
struct Settings {
  SpriteStyle ice, water, steam;
  SpriteStyle highContrastIce, highContrastWater, highContrastSteam;
  float steamExpansion = 0.0f;  // extra half-size of steam sprites
  float iceExpansion = 0.0f;    // extra half-size of ice sprites
  // Extra half-size per unit of speed and its upper limit, both taken as magnitudes.
  float velocityExpansion = 0.0f;
  float maxVelocityExpansion = 0.0f;
};

// Loads the three sprite textures (those loaded already stay), reads the settings and
// registers "ParticleDraw" (on at start-up; every level load keeps its setting).
void initialise();
// Releases the textures and removes "ParticleDraw".
void shutdown();
// All water in world coordinates, with texturing and alpha blending. Nothing while
// "ParticleDraw" is off or before initialise.
void draw();
// Picks the palette of the next draw: the high-contrast colours or the usual ones.
void setHighContrast(bool on);

const Settings& settings();

}  // namespace particle_renderer
