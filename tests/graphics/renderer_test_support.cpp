#include "graphics/renderer_test_support.h"

#include <GL/gl.h>

#include <algorithm>

#include "game/console/console.h"
#include "game/level/dynamic_polygon_renderer.h"
#include "game/level/geometry_renderer.h"
#include "game/level/level_data.h"
#include "game/level/level_renderers.h"
#include "game/platform/gl_state.h"
#include "game/platform/tga_reader.h"
#include "game/simulation/level_loading.h"
#include "game/simulation/world_draw.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/water/particle_renderer.h"
#include "game/world/camera.h"
#include "game/world/camera_draw.h"
#include "level/level_test_support.h"

namespace {

std::string printed_;

void collectPrinted(std::string_view text) {
  printed_ += text;
}

std::string solidTga(Rgba colour) {
  platform::TgaImage image{16, 16, {}};
  for (int i = 0; i < 16 * 16; ++i)
    image.bgra.insert(image.bgra.end(), {colour.b, colour.g, colour.r, colour.a});
  const std::vector<uint8_t> bytes = platform::writeTga(image, false);
  return std::string(bytes.begin(), bytes.end());
}

std::string halvesTga() {
  platform::TgaImage image{64, 64, {}};
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      image.bgra.insert(image.bgra.end(),
                        {0, uint8_t(x < 32 ? 0 : 255), uint8_t(x < 32 ? 255 : 0), 255});
  const std::vector<uint8_t> bytes = platform::writeTga(image, false);
  return std::string(bytes.begin(), bytes.end());
}

void writeColourTextures(const TempDirectory& data) {
  const std::pair<const char*, Rgba> textures[] = {
      {"gfx/red.tga", kRed},       {"gfx/green.tga", kGreen},
      {"gfx/yellow.tga", kYellow}, {"gfx/magenta.tga", kMagenta},
      {"gfx/cyan.tga", kCyan},     {"gfx/white.tga", {255, 255, 255, 255}},
  };
  for (const auto& [path, colour] : textures) data.write(path, solidTga(colour));
  data.write("gfx/halves.tga", halvesTga());
}

}  // namespace

void RendererTest::SetUp() {
  WindowTest::SetUp();
  if (HasFatalFailure()) return;
  inside_ = std::make_unique<WorkingDirectory>(data_.path());
  console::initialise();
  console::setOutputListener(collectPrinted);
  printed_.clear();
  level::installLevelRenderers();
  writeColourTextures(data_);
  data_.write("cfg/camera.cfg", "movementInterpolateSpeed = 1 zoomSpeed = 1 maxAngle = 180");
  camera::initialise();
  camera::setPosition({400.0f, 300.0f});
}

void RendererTest::TearDown() {
  WindowTest::TearDown();
  particle_renderer::shutdown();
  particle_manager::shutdown();
  level::clearLevel();
  level::uninstallLevelRenderers();
  console::setOutputListener(nullptr);
  console::shutdown();
  inside_.reset();
}

void RendererTest::loadLevel(const level_file::LevelFileContents& level) {
  const std::vector<uint8_t> bytes = level_file::writeLevelFile(level);
  data_.write("lev/test.swah", std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(level::loadLevel("lev\\test.swah"));
}

void RendererTest::loadLevelSource(std::string_view jsonSource) {
  loadLevel(compiledLevel(jsonSource));
}

void RendererTest::startWater(const std::string& extra) {
  data_.write("cfg/water.cfg", std::string(kWaterSettings) + extra);
  particle_manager::initialise();
  particle_renderer::shutdown();
  particle_renderer::initialise();
  // The switch outlasts a renderer's restart; each test starts with the water shown.
  console::execute("ParticleDraw true");
}

Particle& RendererTest::addParticle(Vec2 position, float temperature) {
  particle_manager::createParticles(position.x, position.y, 0.0f, 1);
  Particle& p = particle_manager::particleList().back();
  p.position = position;
  p.history1 = p.history2 = p.history3 = {-5000.0f, -5000.0f};
  p.temperature = temperature;
  p.speed = 0.0f;
  return p;
}

void RendererTest::drawFrame() {
  camera::applyTransform();
  world_draw::drawWorld();
}

std::string RendererTest::takePrinted() {
  std::string text;
  text.swap(printed_);
  return text;
}

void RendererTest::clearFrame() {
  gl_state::setup2DProjection();
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
}

::testing::AssertionResult RendererTest::pixelIs(int32_t x, int32_t y, Rgba expected,
                                                 int tolerance) {
  const Rgba actual = pixelAt(x, y);
  if (near(actual, expected, tolerance)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "pixel (" << x << ", " << y << ") is " << ::testing::PrintToString(actual)
         << ", expected " << ::testing::PrintToString(expected);
}
