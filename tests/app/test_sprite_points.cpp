// Water drawn as sprite points has to look as it does drawn as quads, whichever way the
// view is turned: the same frame is drawn both ways and compared pixel by pixel.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "common/command_registry.h"
#include "app/game_fixture.h"
#include "game/level/level_data.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/water/sprite_points.h"
#include "game/world/camera.h"

namespace {

// The pixels of `a` and `b` further apart than `tolerance` in some colour channel.
int32_t pixelsApart(const ScreenPixels& a, const ScreenPixels& b, int tolerance) {
  int32_t apart = 0;
  for (size_t i = 0; i < a.rgba.size(); i += 4)
    for (size_t c = 0; c < 3; ++c)
      if (std::abs(a.rgba[i + c] - b.rgba[i + c]) > tolerance) {
        ++apart;
        break;
      }
  return apart;
}

// A third of the water turned to steam and a small lump of ice, so all three textures show.
void addSteamAndIce(Vec2 start) {
  int32_t index = 0;
  for (Particle& p : particle_manager::particleList())
    if (index++ % 3 == 0) p.temperature = 150.0f;
  ParticleGroup& lump = grouped_particle_mover::groupList().emplace_back();
  lump.centre = start;
  for (int32_t i = 0; i < 12; ++i)
    lump.particles.emplace_back().position = start + Vec2{float(i % 4) * 3.0f, float(i / 4) * 3.0f};
}

TEST_F(GameTest, WaterDrawnAsPointsLooksAsItDoesAsQuads) {
  if (!sprite_points::available()) GTEST_SKIP() << "the driver draws quads only";
  const Vec2 start = level::waterStart();
  particle_manager::createParticles(start.x, start.y, 25.0f, 500);
  frames(12, 16);  // falling: trails and speed-enlarged sprites
  addSteamAndIce(start);
  const auto frameWith = [](const char* line) {
    console::execute(line);
    Game::draw();
    return shownScreen();
  };
  for (const float angle : {0.0f, 37.0f, 90.0f, 241.0f}) {
    SCOPED_TRACE(angle);
    camera::setAngle(angle);
    const ScreenPixels dry = frameWith("ParticleDraw 0");
    console::execute("ParticleDraw 1");
    const ScreenPixels quads = frameWith("SpritePoints 0");
    const ScreenPixels points = frameWith("SpritePoints 1");
    EXPECT_GT(pixelsApart(dry, quads, 16), 2000) << "the water shows";
    // Levels of detail rounded apart move a pixel by a few steps; a sprite's edge falling
    // on a pixel's centre may cover it one way and not the other.
    EXPECT_LE(pixelsApart(quads, points, 4), 30);
  }
}

}  // namespace
