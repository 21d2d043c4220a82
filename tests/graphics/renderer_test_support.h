#pragma once
// Renderer tests draw a level and its water into the test window as the game's frame does,
// in a fresh data folder holding solid-colour textures and the water and camera settings.
// The camera sits at (400, 300), so one world unit is one client pixel and a world point
// (x, y) lands on pixel (x, y).

#include <string>
#include <string_view>

#include "common/vector2.h"
#include "game/level/level_file_format.h"
#include "game/simulation/level_loading.h"
#include "game/water/particle.h"
#include "test_support/temp_directory.h"
#include "test_support/window_fixture.h"

// Texture names of 16 x 16 single-colour images written by the fixture.
constexpr const char* kRedTexture = "gfx\\red.tga";
constexpr const char* kGreenTexture = "gfx\\green.tga";
constexpr const char* kYellowTexture = "gfx\\yellow.tga";
constexpr const char* kMagentaTexture = "gfx\\magenta.tga";
constexpr const char* kCyanTexture = "gfx\\cyan.tga";
constexpr const char* kWhiteTexture = "gfx\\white.tga";
// 64 x 64: the left half red, the right half green.
constexpr const char* kHalvesTexture = "gfx\\halves.tga";

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kRed{255, 0, 0, 255};
constexpr Rgba kGreen{0, 255, 0, 255};
constexpr Rgba kBlue{0, 0, 255, 255};
constexpr Rgba kYellow{255, 255, 0, 255};
constexpr Rgba kMagenta{255, 0, 255, 255};
constexpr Rgba kCyan{0, 255, 255, 255};

class RendererTest : public WindowTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Loads the level through level::loadLevel, so the installed renderers prepare it.
  void loadLevel(const level_file::LevelFileContents& level);
  void loadLevelSource(std::string_view jsonSource);
  // Writes water.cfg (kWaterSettings, then `extra`, whose keys win) and starts the particle
  // manager and renderer on it.
  void startWater(const std::string& extra = "");
  // A free particle at rest at `position` whose history lies far outside the view, so
  // only the sprites at the particle itself show.
  static Particle& addParticle(Vec2 position, float temperature = 20.0f);

  // The level part of the game's frame: camera transform, frame state, layers 0 and 1,
  // the water, layers 2 to 4, each layer moving polygons first.
  static void drawFrame();
  // What has been printed on the console since the last call.
  static std::string takePrinted();
  // A cleared frame in the 2D projection, as each test starts with.
  static void clearFrame();
  // The pixel's colour is within `tolerance` of `expected`; the failure names the pixel.
  static ::testing::AssertionResult pixelIs(int32_t x, int32_t y, Rgba expected, int tolerance = 3);

  // Water blue, steam red, ice green, all opaque; outlines at half brightness two units
  // wide; no enlargement; kill time 0.5 s; no gravity or heat flow.
  static constexpr const char* kWaterSettings =
      "gravity = 0 roomTemperature = 20 heatTransferRate = 0 particleKillTime = 0.5 "
      "waterTexture = gfx\\white.tga steamTexture = gfx\\white.tga iceTexture = gfx\\white.tga "
      "ice_color_r = 0 ice_color_g = 1 ice_color_b = 0 ice_color_a = 1 "
      "ice_outline_color_r = 0 ice_outline_color_g = 0.5 ice_outline_color_b = 0 "
      "ice_outline_color_a = 1 ice_outline_size = 2 "
      "water_color_r = 0 water_color_g = 0 water_color_b = 1 water_color_a = 1 "
      "water_outline_color_r = 0 water_outline_color_g = 0 water_outline_color_b = 0.5 "
      "water_outline_color_a = 1 water_outline_size = 2 "
      "steam_color_r = 1 steam_color_g = 0 steam_color_b = 0 steam_color_a = 1 "
      "steam_outline_color_r = 0.5 steam_outline_color_g = 0 steam_outline_color_b = 0 "
      "steam_outline_color_a = 1 steam_outline_size = 2 "
      "steamExpansion = 0 iceExpansion = 0 velocityExpansion = 0 maxVelocityExpansion = 0 ";

  TempDirectory data_;
  std::unique_ptr<WorkingDirectory> inside_;
};
