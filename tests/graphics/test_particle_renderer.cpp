#include <GL/gl.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/platform/texture_handle.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/water/particle_renderer.h"
#include "game/water/sprite_batch.h"
#include "graphics/renderer_test_support.h"
#include "test_support/temp_directory.h"

namespace {

// The outline colours of kWaterSettings: each state's fill at half brightness.
constexpr Rgba kWaterOutline{0, 0, 128, 255};
constexpr Rgba kSteamOutline{128, 0, 0, 255};
constexpr Rgba kIceOutline{0, 128, 0, 255};

// The usual colours passed round in high contrast: water red, steam green, ice blue, each
// rim at half; the outline sizes are left to the usual keys.
constexpr const char* kHighContrastColours =
    "highContrast_water_color_r = 1 highContrast_water_color_a = 1 "
    "highContrast_water_outline_color_r = 0.5 highContrast_water_outline_color_a = 1 "
    "highContrast_steam_color_g = 1 highContrast_steam_color_a = 1 "
    "highContrast_steam_outline_color_g = 0.5 highContrast_steam_outline_color_a = 1 "
    "highContrast_ice_color_b = 1 highContrast_ice_color_a = 1 "
    "highContrast_ice_outline_color_b = 0.5 highContrast_ice_outline_color_a = 1";

class ParticleRendererTest : public RendererTest {
 protected:
  void SetUp() override {
    RendererTest::SetUp();
    if (HasFatalFailure()) return;
    startWater();
  }

  // A lump of one particle at `position`.
  static Particle& addIce(Vec2 position, float temperature) {
    ParticleGroup& group = grouped_particle_mover::groupList().emplace_back();
    group.centre = position;
    Particle& p = group.particles.emplace_back();
    p.position = position;
    p.history1 = p.history2 = p.history3 = {-5000.0f, -5000.0f};
    p.temperature = temperature;
    return p;
  }
};

TEST_F(ParticleRendererTest, WaterSteamAndIceShowTheirOwnColours) {
  addParticle({100.0f, 100.0f}, 20.0f);
  addParticle({200.0f, 100.0f}, 100.0f);  // steam from 100 degrees on
  addIce({300.0f, 100.0f}, 150.0f);       // in a lump, whatever its temperature
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlue));
  EXPECT_TRUE(pixelIs(200, 100, kRed));
  EXPECT_TRUE(pixelIs(300, 100, kGreen));
  // Fill half-size 2, outline half-size 2 + 2: a two-pixel rim.
  EXPECT_TRUE(pixelIs(103, 100, kWaterOutline));
  EXPECT_TRUE(pixelIs(203, 100, kSteamOutline));
  EXPECT_TRUE(pixelIs(303, 100, kIceOutline));
  EXPECT_TRUE(pixelIs(105, 100, kBlack));
}

TEST_F(ParticleRendererTest, HighContrastSwapsEachStatesColoursButKeepsItsSizes) {
  startWater(kHighContrastColours);
  addParticle({100.0f, 100.0f}, 20.0f);
  addParticle({200.0f, 100.0f}, 100.0f);
  addIce({300.0f, 100.0f}, 150.0f);
  particle_renderer::setHighContrast(true);
  drawFrame();
  particle_renderer::setHighContrast(false);
  const Rgba fills[] = {kRed, kGreen, kBlue};
  const Rgba rims[] = {kSteamOutline, kIceOutline, kWaterOutline};
  for (int32_t i = 0; i < 3; ++i) {
    const int32_t x = 100 + 100 * i;
    EXPECT_TRUE(pixelIs(x, 100, fills[i]));
    EXPECT_TRUE(pixelIs(x + 3, 100, rims[i]));
    EXPECT_TRUE(pixelIs(x + 5, 100, kBlack)) << "the rim is as wide as in the usual palette";
  }
  clearFrame();
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlue)) << "the usual palette once high contrast is off";
}

TEST_F(ParticleRendererTest, EveryOutlineLiesUnderEveryFillAndFillsGoWaterSteamIce) {
  // Each pair is three units apart, so each one's rim covers the other's fill.
  addParticle({103.0f, 100.0f}, 150.0f);
  addParticle({100.0f, 100.0f}, 20.0f);
  addIce({203.0f, 100.0f}, -10.0f);
  addParticle({200.0f, 100.0f}, 150.0f);
  addIce({303.0f, 100.0f}, -10.0f);
  addParticle({300.0f, 100.0f}, 20.0f);
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlue));
  EXPECT_TRUE(pixelIs(101, 100, kRed)) << "steam fills after water, though listed first";
  EXPECT_TRUE(pixelIs(200, 100, kRed));
  EXPECT_TRUE(pixelIs(201, 100, kGreen)) << "ice fills after steam";
  EXPECT_TRUE(pixelIs(300, 100, kBlue)) << "the ice rim is under the water's fill";
  EXPECT_TRUE(pixelIs(303, 100, kGreen)) << "the water rim is under the ice's fill";
}

TEST_F(ParticleRendererTest, WaterAndSteamTrailFainterLargerSpritesAlongTheirHistory) {
  Particle& water = addParticle({100.0f, 100.0f}, 20.0f);
  water.history1 = {130.0f, 100.0f};
  water.history2 = {160.0f, 100.0f};
  water.history3 = {190.0f, 100.0f};
  Particle& steam = addParticle({100.0f, 200.0f}, 150.0f);
  steam.history1 = {130.0f, 200.0f};
  steam.history2 = {160.0f, 200.0f};
  steam.history3 = {190.0f, 200.0f};
  Particle& ice = addIce({100.0f, 300.0f}, -10.0f);
  ice.history1 = {130.0f, 300.0f};
  drawFrame();
  EXPECT_TRUE(pixelIs(130, 100, {0, 0, 128, 255}));
  EXPECT_TRUE(pixelIs(162, 100, {0, 0, 64, 255})) << "trail sprites are one unit larger";
  EXPECT_TRUE(pixelIs(190, 100, {0, 0, 32, 255}));
  EXPECT_TRUE(pixelIs(193, 100, kBlack));
  EXPECT_TRUE(pixelIs(130, 200, {128, 0, 0, 255}));
  EXPECT_TRUE(pixelIs(160, 200, {64, 0, 0, 255}));
  EXPECT_TRUE(pixelIs(190, 200, {3, 0, 0, 255}, 2)) << "steam's last trail is 0.0125";
  EXPECT_TRUE(pixelIs(130, 300, kBlack)) << "ice leaves no trail";
}

TEST_F(ParticleRendererTest, AStillWaterParticleStacksItsFourFillSpritesOnOneSpot) {
  startWater("water_color_a = 0.5");
  Particle& still = addParticle({100.0f, 100.0f});
  still.history1 = still.history2 = still.history3 = still.position;
  addParticle({200.0f, 100.0f});
  drawFrame();
  // Over the rim's 127.5: the fill at 0.5 gives 191, the trail at 0.25, 0.125 and 0.0625
  // brings it to 216.
  EXPECT_TRUE(pixelIs(100, 100, {0, 0, 216, 255}));
  EXPECT_TRUE(pixelIs(200, 100, {0, 0, 191, 255})) << "the trail left far behind";
}

TEST_F(ParticleRendererTest, ADyingParticleFadesInEveryPass) {
  addParticle({100.0f, 100.0f}).history1 = {130.0f, 100.0f};
  Particle& dying = addParticle({200.0f, 100.0f});
  dying.history1 = {230.0f, 100.0f};
  dying.killPending = true;
  dying.killTimer = 0.25f;  // half of the kill time left
  Particle& gone = addParticle({300.0f, 100.0f});
  gone.killPending = true;
  gone.killTimer = -0.01f;
  drawFrame();
  EXPECT_TRUE(pixelIs(103, 100, kWaterOutline));
  EXPECT_TRUE(pixelIs(203, 100, {0, 0, 64, 255})) << "outline at half alpha";
  EXPECT_TRUE(pixelIs(100, 100, kBlue));
  // Half the fill over half the outline: 0.5 x 255 + 0.5 x (0.5 x 127.5).
  EXPECT_TRUE(pixelIs(200, 100, {0, 0, 159, 255}));
  EXPECT_TRUE(pixelIs(130, 100, {0, 0, 128, 255}));
  EXPECT_TRUE(pixelIs(230, 100, {0, 0, 64, 255})) << "the trail at half its own alpha";
  EXPECT_TRUE(pixelIs(300, 100, kBlack)) << "a timer past zero draws nothing";
}

TEST_F(ParticleRendererTest, FastParticlesGrowByTheMagnitudesOfTheExpansionSettings) {
  startWater("velocityExpansion = -0.5 maxVelocityExpansion = -3");
  EXPECT_EQ(particle_renderer::settings().velocityExpansion, 0.5f);
  addParticle({100.0f, 100.0f}).speed = 10.0f;  // min(5, 3): fill 5, rim to 7
  addParticle({200.0f, 100.0f}).speed = 2.0f;   // 1: fill 3, rim to 5
  addParticle({300.0f, 100.0f});                // fill 2, rim to 4
  drawFrame();
  EXPECT_TRUE(pixelIs(104, 100, kBlue));
  EXPECT_TRUE(pixelIs(106, 100, kWaterOutline));
  EXPECT_TRUE(pixelIs(108, 100, kBlack));
  EXPECT_TRUE(pixelIs(202, 100, kBlue));
  EXPECT_TRUE(pixelIs(204, 100, kWaterOutline));
  EXPECT_TRUE(pixelIs(206, 100, kBlack));
  EXPECT_TRUE(pixelIs(302, 100, kWaterOutline));
  EXPECT_TRUE(pixelIs(304, 100, kBlack));
}

TEST_F(ParticleRendererTest, SteamAndIceExpansionsAddToTheirSprites) {
  startWater("steamExpansion = 3 iceExpansion = 1");
  addParticle({100.0f, 100.0f}, 150.0f);  // fill 5, rim to 7
  addIce({200.0f, 100.0f}, -10.0f);       // fill 3, rim to 5
  drawFrame();
  EXPECT_TRUE(pixelIs(104, 100, kRed));
  EXPECT_TRUE(pixelIs(106, 100, kSteamOutline));
  EXPECT_TRUE(pixelIs(108, 100, kBlack));
  EXPECT_TRUE(pixelIs(202, 100, kGreen));
  EXPECT_TRUE(pixelIs(204, 100, kIceOutline));
  EXPECT_TRUE(pixelIs(206, 100, kBlack));
}

TEST_F(ParticleRendererTest, ParticleDrawOffOrNoRendererDrawsNoWater) {
  addParticle({100.0f, 100.0f});
  console::execute("ParticleDraw false");
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlack));
  EXPECT_EQ(particle_manager::particleCount(), 1u);

  console::execute("ParticleDraw true");
  clearFrame();
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlue));

  // The setting outlasts the next level's start; only the console switches it.
  console::execute("ParticleDraw false");
  particle_renderer::initialise();
  clearFrame();
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlack));
  console::execute("ParticleDraw true");

  particle_renderer::shutdown();
  EXPECT_EQ(console::findCommand("ParticleDraw"), nullptr);
  clearFrame();
  drawFrame();
  EXPECT_TRUE(pixelIs(100, 100, kBlack));
}

using SpriteBatchTest = RendererTest;

// A grid of 16 x 16 sprites of the halves texture, one pixel per unit.
void addGrid(SpriteBatch& batch, int32_t columns, int32_t rows) {
  for (int32_t row = 0; row < rows; ++row)
    for (int32_t column = 0; column < columns; ++column)
      batch.addSprite(20.0f + 40.0f * float(column), 20.0f + 40.0f * float(row), 8.0f, {});
}

TEST_F(SpriteBatchTest, ABatchGrowsPastItsExpectedSizeAndDrawsOnlyItsOwnSprites) {
  const TextureHandle halves(kHalvesTexture, "");
  clearFrame();
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_BLEND);
  SpriteBatch batch;
  batch.begin(1);
  addGrid(batch, 20, 15);
  batch.addSprite(400.0f, 300.0f, 8.0f, {1.0f, 1.0f, 1.0f, 0.0f});  // no opacity: left out
  EXPECT_EQ(batch.spriteCount(), 300u);
  batch.draw(halves.textureId());
  // Every sprite, the last ones too, carries the texture from left to right.
  for (const auto& [x, y] : {std::pair{20, 20}, {380, 300}, {780, 580}}) {
    SCOPED_TRACE(::testing::Message() << x << ", " << y);
    EXPECT_TRUE(pixelIs(x - 5, y, kRed));
    EXPECT_TRUE(pixelIs(x + 5, y, kGreen));
  }
  EXPECT_TRUE(pixelIs(40, 20, kBlack)) << "between sprites";

  clearFrame();
  batch.begin(0);
  addGrid(batch, 1, 1);
  batch.draw(halves.textureId());
  EXPECT_TRUE(pixelIs(25, 20, kGreen));
  EXPECT_TRUE(pixelIs(785, 580, kBlack)) << "the last batch's sprites are gone";
}

TEST_F(ParticleRendererTest, TheShippedWaterSettingsNameEveryDrawingKey) {
  const std::string text =
      readFileBytes(std::filesystem::path(VELLMOOR_DATA_DIR) / "cfg/water.cfg");
  const std::optional<ConfigFile> file = ConfigFile::fromText(text);
  ASSERT_TRUE(file.has_value());
  for (const char* key : {"waterTexture", "steamTexture", "iceTexture", "steamExpansion",
                          "iceExpansion", "velocityExpansion", "maxVelocityExpansion"})
    EXPECT_TRUE(file->has(key)) << key;
  for (const char* state : {"ice", "water", "steam"})
    EXPECT_TRUE(file->has(std::string(state) + "_outline_size")) << state;
  for (const std::string palette : {"", "highContrast_"})
    for (const char* state : {"ice", "water", "steam"})
      for (const char* part : {"_color_r", "_color_g", "_color_b", "_color_a", "_outline_color_r",
                               "_outline_color_g", "_outline_color_b", "_outline_color_a"})
        EXPECT_TRUE(file->has(palette + state + part)) << palette << state << part;
  EXPECT_EQ(file->getString("waterTexture"), "gfx\\water.tga");
  EXPECT_EQ(file->getFloat("gravity"), 300.0f) << "the simulation's keys stay";
}

}  // namespace
