#include <gtest/gtest.h>

#include <string>

#include "game/console/console.h"
#include "game/level/dynamic_polygon_renderer.h"
#include "game/level/geometry_renderer.h"
#include "game/level/level_data.h"
#include "game/level/level_renderers.h"
#include "game/platform/texture_handle.h"
#include "game/simulation/camera_steering.h"
#include "game/simulation/level_loading.h"
#include "game/water/fx_particles.h"
#include "game/world/camera.h"
#include "graphics/renderer_test_support.h"

using namespace level_file;

namespace {

constexpr uint32_t kSwitched = 9;
constexpr uint32_t kCarried = 5;

// A rectangle of the given texture, layer and mode; `id` ties it to movers and triggers.
PolygonRecord rectangle(int32_t left, int32_t top, int32_t right, int32_t bottom,
                        const std::string& texture, int32_t layer = 2, uint32_t id = 0,
                        uint32_t mode = 0) {
  PolygonRecord p;
  p.id = id;
  p.textureName = texture;
  p.surface = 3;
  p.mode = mode;
  p.layer = layer;
  p.points = {{left, top}, {right, top}, {right, bottom}, {left, bottom}};
  return p;
}

// A trigger far outside every test's view that makes the polygons of `id` switchable.
TriggerRecord switchFor(uint32_t id) {
  return {id, 300, 0.0f, {{5000, 5000}, {5010, 5000}, {5010, 5010}, {5000, 5010}}};
}

// A mover that stands still and makes the polygons of `id` moving ones.
MoverRecord moverFor(uint32_t id) {
  return {id, 0.0f, {0, 0}, {0, 10}};
}

// Each text appears in `printed` after the one before it.
::testing::AssertionResult printedInOrder(const std::string& printed,
                                          std::initializer_list<std::string_view> texts) {
  size_t from = 0;
  for (std::string_view text : texts) {
    const size_t at = printed.find(text, from);
    if (at == std::string::npos)
      return ::testing::AssertionFailure() << "no \"" << text << "\" in order in: " << printed;
    from = at + text.size();
  }
  return ::testing::AssertionSuccess();
}

class GeometryRendererTest : public RendererTest {
 protected:
  static Polygon& polygon(size_t index) {
    return *std::next(level::levelPolygons().begin(), index);
  }
  static void redraw() {
    clearFrame();
    drawFrame();
  }
  // Three overlapping polygons of one layer, listed as: the smaller texture name, the larger,
  // the smaller again. Batches go smallest name first, each texture's polygons together, so
  // the larger texture ends on top of both, although the last polygon is listed after it.
  void checkTextureOrder(uint32_t id) {
    const TextureHandle red(kRedTexture, "");
    const TextureHandle green(kGreenTexture, "");
    ASSERT_NE(red.textureId(), green.textureId());
    const bool redIsSmaller = red.textureId() < green.textureId();
    const char* smaller = redIsSmaller ? kRedTexture : kGreenTexture;
    const char* larger = redIsSmaller ? kGreenTexture : kRedTexture;
    LevelFileContents level;
    level.polygons = {rectangle(100, 100, 200, 200, smaller, 2, id),
                      rectangle(150, 100, 250, 200, larger, 2, id),
                      rectangle(200, 100, 300, 200, smaller, 2, id)};
    level.triggers = {switchFor(kSwitched)};
    loadLevel(level);
    drawFrame();
    const Rgba top = redIsSmaller ? kGreen : kRed;
    EXPECT_TRUE(pixelIs(175, 150, top));
    EXPECT_TRUE(pixelIs(225, 150, top)) << "the smaller texture's run comes first";
  }
  static std::string consoleValue(const std::string& line) {
    takePrinted();
    console::execute(line);
    return takePrinted();
  }
};

TEST_F(GeometryRendererTest, LayersStackAroundTheWaterWithMovingPolygonsBelowFixedOnes) {
  LevelFileContents level;
  level.polygons = {
      rectangle(20, 20, 80, 80, kRedTexture, 0),
      rectangle(50, 20, 110, 80, kGreenTexture, 1),
      rectangle(150, 20, 210, 80, kGreenTexture, 1),   // the water in front
      rectangle(250, 20, 310, 80, kYellowTexture, 2),  // the water behind
      rectangle(350, 20, 410, 80, kYellowTexture, 2),
      rectangle(380, 20, 440, 80, kMagentaTexture, 3),
      rectangle(480, 20, 540, 80, kMagentaTexture, 3),
      rectangle(510, 20, 570, 80, kCyanTexture, 4),
      // Fixed polygons listed before a switchable and a carried one still cover them.
      rectangle(630, 20, 690, 80, kGreenTexture, 1),
      rectangle(600, 20, 660, 80, kCyanTexture, 1, kSwitched),
      rectangle(630, 120, 690, 180, kGreenTexture, 1),
      rectangle(600, 120, 660, 180, kCyanTexture, 1, kCarried),
  };
  level.triggers = {switchFor(kSwitched)};
  level.movers = {moverFor(kCarried)};
  loadLevel(level);
  startWater();
  addParticle({180.0f, 50.0f});
  addParticle({280.0f, 50.0f});
  drawFrame();

  EXPECT_TRUE(pixelIs(30, 50, kRed));
  EXPECT_TRUE(pixelIs(65, 50, kGreen)) << "layer 1 over layer 0";
  EXPECT_TRUE(pixelIs(180, 50, kBlue)) << "the water over layer 1";
  EXPECT_TRUE(pixelIs(280, 50, kYellow)) << "layer 2 over the water";
  EXPECT_TRUE(pixelIs(395, 50, kMagenta)) << "layer 3 over layer 2";
  EXPECT_TRUE(pixelIs(525, 50, kCyan)) << "layer 4 over layer 3";
  EXPECT_TRUE(pixelIs(610, 50, kCyan));
  EXPECT_TRUE(pixelIs(645, 50, kGreen)) << "fixed over switchable within a layer";
  EXPECT_TRUE(pixelIs(610, 150, kCyan));
  EXPECT_TRUE(pixelIs(645, 150, kGreen)) << "fixed over moving within a layer";
}

// Objects are drawn with their layer: layer 0 under the water, layer 3 over it, and a mirrored
// one shows its picture's right half on the left.
TEST_F(GeometryRendererTest, ObjectsSitOnTheirLayersAroundTheWaterAndMirroredOnesFlip) {
  LevelFileContents level;
  level.objects = {
      {1, kHalvesTexture, 0, {400, 150}, 0},
      {2, kHalvesTexture, 3, {200, 150}, 1},
  };
  loadLevel(level);
  startWater();
  addParticle({420.0f, 150.0f});
  addParticle({215.0f, 150.0f});
  drawFrame();

  EXPECT_TRUE(pixelIs(380, 150, kRed));
  EXPECT_TRUE(pixelIs(420, 150, kBlue)) << "the water over layer 0";
  EXPECT_TRUE(pixelIs(185, 150, kGreen)) << "mirrored: the right half on the left";
  EXPECT_TRUE(pixelIs(215, 150, kRed)) << "layer 3 over the water";
}

// A half-transparent green sprite over red: an additive emitter adds its share of green to
// the red, an alpha-blended one mixes the two.
TEST_F(GeometryRendererTest, EffectSpritesAddOrMixAsTheirEmitterSays) {
  LevelFileContents level;
  level.polygons = {rectangle(0, 200, 800, 400, kRedTexture, 0)};
  loadLevel(level);
  struct Case {
    bool alpha;
    int32_t x;
    Rgba expected;
  };
  const Case cases[] = {{false, 300, {255, 128, 0, 255}}, {true, 500, {128, 128, 0, 255}}};
  for (const Case& c : cases) {
    FxEmitter emitter = fx_particles::createEmitter();
    emitter.setPosition(float(c.x), 300.0f);
    emitter.textures = {TextureHandle(kWhiteTexture, "")};
    emitter.size1 = emitter.size2 = 40.0f;
    emitter.liveTime1 = emitter.liveTime2 = 100.0f;
    emitter.color1 = emitter.color2 = {0.0f, 1.0f, 0.0f, 0.5f};
    emitter.useAlphaBlending = c.alpha;
    fx_particles::addEmitter(std::move(emitter));
    fx_particles::emit(fx_particles::emitterList().back());
  }
  drawFrame();
  for (const Case& c : cases)
    EXPECT_TRUE(pixelIs(c.x, 300, c.expected, 4)) << (c.alpha ? "alpha-blended" : "additive");
}

TEST_F(GeometryRendererTest, LayersOutsideZeroToFourAreDrawnAsLayerZero) {
  LevelFileContents level;
  level.polygons = {
      // Each pair: a layer-1 polygon listed first, then one under it that gets an unknown
      // layer (level files can't hold one, so it is set after loading).
      rectangle(130, 100, 190, 160, kGreenTexture, 1),
      rectangle(100, 100, 160, 160, kRedTexture, 0),
      rectangle(330, 100, 390, 160, kGreenTexture, 1),
      rectangle(300, 100, 360, 160, kRedTexture, 0, kSwitched),
      rectangle(530, 100, 590, 160, kGreenTexture, 1),
      rectangle(500, 100, 560, 160, kRedTexture, 0, kCarried),
  };
  level.triggers = {switchFor(kSwitched)};
  level.movers = {moverFor(kCarried)};
  loadLevel(level);
  polygon(1).layer = 7;
  polygon(3).layer = -1;
  polygon(5).layer = 5;
  geometry_renderer::initialiseGeometryRenderer();
  dynamic_polygon_renderer::initialiseDynamicRenderer();
  startWater();
  for (const float left : {100.0f, 300.0f, 500.0f}) addParticle({left + 15.0f, 150.0f});
  drawFrame();
  for (const int32_t left : {100, 300, 500}) {
    SCOPED_TRACE(left);
    EXPECT_TRUE(pixelIs(left + 10, 130, kRed));
    EXPECT_TRUE(pixelIs(left + 45, 130, kGreen)) << "drawn under layer 1";
    EXPECT_TRUE(pixelIs(left + 15, 150, kBlue)) << "drawn under the water";
  }
}

TEST_F(GeometryRendererTest, ASwitchedOffPolygonVanishesUntilSwitchedOnAgain) {
  LevelFileContents level;
  level.polygons = {rectangle(100, 100, 200, 200, kRedTexture, 2, kSwitched)};
  level.triggers = {switchFor(kSwitched)};
  loadLevel(level);
  ASSERT_TRUE(polygon(0).switchable);

  drawFrame();
  EXPECT_TRUE(pixelIs(150, 150, kRed));
  polygon(0).enabled = false;
  redraw();
  EXPECT_TRUE(pixelIs(150, 150, kBlack));
  polygon(0).enabled = true;
  redraw();
  EXPECT_TRUE(pixelIs(150, 150, kRed));
}

TEST_F(GeometryRendererTest, DrawLevelGeometryOffHidesOnlyTheFixedPolygons) {
  LevelFileContents level;
  level.polygons = {
      rectangle(100, 100, 200, 200, kRedTexture, 2),
      rectangle(300, 100, 400, 200, kGreenTexture, 2, kCarried),
      rectangle(500, 100, 600, 200, kCyanTexture, 2, kSwitched),
  };
  level.triggers = {switchFor(kSwitched)};
  level.movers = {moverFor(kCarried)};
  loadLevel(level);
  EXPECT_EQ(consoleValue("DrawLevelGeometry"), "\nDrawLevelGeometry is true");

  console::execute("DrawLevelGeometry false");
  drawFrame();
  EXPECT_TRUE(pixelIs(150, 150, kBlack));
  EXPECT_TRUE(pixelIs(350, 150, kGreen));
  EXPECT_TRUE(pixelIs(550, 150, kCyan));

  // Every level starts with its geometry shown.
  loadLevel(level);
  redraw();
  EXPECT_TRUE(pixelIs(150, 150, kRed));
}

TEST_F(GeometryRendererTest, SelfCrossingAndHiddenPolygonsAreNeverDrawn) {
  PolygonRecord bowTie = rectangle(0, 0, 0, 0, kRedTexture);
  bowTie.points = {{100, 100}, {200, 200}, {200, 100}, {100, 200}};
  PolygonRecord switchedBowTie = bowTie;
  switchedBowTie.id = kSwitched;
  for (IntPoint& p : switchedBowTie.points) p.y += 200;
  LevelFileContents level;
  level.polygons = {
      bowTie,
      switchedBowTie,
      rectangle(300, 100, 400, 200, kRedTexture, 2, 0, 2),          // mode 2: solid, invisible
      rectangle(300, 300, 400, 400, kRedTexture, 2, kSwitched, 2),  // the same, switchable
      rectangle(500, 100, 600, 200, kGreenTexture, 2),
  };
  level.triggers = {switchFor(kSwitched)};
  loadLevel(level);
  ASSERT_TRUE(polygon(1).switchable);

  drawFrame();
  EXPECT_TRUE(pixelIs(180, 130, kBlack));
  EXPECT_TRUE(pixelIs(180, 330, kBlack));
  EXPECT_TRUE(pixelIs(350, 150, kBlack));
  EXPECT_TRUE(pixelIs(350, 350, kBlack));
  EXPECT_TRUE(pixelIs(550, 150, kGreen));
}

TEST_F(GeometryRendererTest, PolygonsAreBatchedByTextureNameSmallestFirst) {
  for (const uint32_t id : {0u, kSwitched}) {
    SCOPED_TRACE(id == 0 ? "fixed polygons" : "switchable polygons");
    clearFrame();
    checkTextureOrder(id);
  }
}

TEST_F(GeometryRendererTest, TexturesRepeatOverTheirSizeAndTravelWithTheirPolygon) {
  LevelFileContents level;
  level.polygons = {rectangle(0, 100, 128, 164, kHalvesTexture, 2),
                    rectangle(0, 300, 128, 364, kHalvesTexture, 2, kCarried)};
  level.movers = {moverFor(kCarried)};
  loadLevel(level);
  polygon(1).offset = {32.0f, 0.0f};
  drawFrame();
  // One repeat spans the texture's 64 texels.
  EXPECT_TRUE(pixelIs(16, 130, kRed));
  EXPECT_TRUE(pixelIs(48, 130, kGreen));
  EXPECT_TRUE(pixelIs(80, 130, kRed));
  EXPECT_TRUE(pixelIs(112, 130, kGreen));
  // Moved by 32, the polygon takes its texture along.
  EXPECT_TRUE(pixelIs(16, 330, kBlack));
  EXPECT_TRUE(pixelIs(48, 330, kRed));
  EXPECT_TRUE(pixelIs(80, 330, kGreen));
  EXPECT_TRUE(pixelIs(144, 330, kGreen));
}

TEST_F(GeometryRendererTest, DynamicPolygonsAreCulledAgainstABoxAroundTheCamera) {
  // With the camera at the origin of an 800 x 600 view the box reaches 0.65 x 800 = 520.
  LevelFileContents level;
  level.polygons = {
      rectangle(520, 0, 540, 20, kRedTexture, 2, kSwitched),    // touches the right edge
      rectangle(521, 0, 541, 20, kRedTexture, 2, kSwitched),    // just outside
      rectangle(-540, 0, -520, 20, kRedTexture, 2, kSwitched),  // touches the left edge
      rectangle(0, -541, 20, -521, kRedTexture, 3, kSwitched),  // just above
      rectangle(0, 520, 20, 540, kRedTexture, 3, kSwitched),    // touches the bottom edge
  };
  level.triggers = {switchFor(kSwitched)};
  loadLevel(level);
  camera::setPosition({0.0f, 0.0f});
  const auto queued = [](int32_t layer) {
    return dynamic_polygon_renderer::drawQueue(layer).size();
  };

  dynamic_polygon_renderer::prepareDynamicPolygons();
  EXPECT_EQ(queued(2), 2u);
  EXPECT_EQ(queued(3), 1u);
  dynamic_polygon_renderer::drawDynamicLayer(2);
  dynamic_polygon_renderer::drawDynamicLayer(3);
  EXPECT_EQ(queued(2), 0u) << "drawing empties the queue";

  // The box is tested against the bounding box moved by the offset.
  polygon(1).offset = {-1.0f, 0.0f};
  polygon(3).offset = {0.0f, 1.0f};
  dynamic_polygon_renderer::prepareDynamicPolygons();
  EXPECT_EQ(queued(2), 3u);
  EXPECT_EQ(queued(3), 2u);
  dynamic_polygon_renderer::drawDynamicLayer(2);
  dynamic_polygon_renderer::drawDynamicLayer(3);

  // Zoomed out to 1.5 the box reaches 780.
  polygon(1).offset = {250.0f, 0.0f};  // 771 .. 791
  camera::setMode(camera::kFollow);
  camera::startZoom();
  camera::update(nullptr, 0.5f);
  ASSERT_FLOAT_EQ(camera::zoom(), 1.5f);
  dynamic_polygon_renderer::prepareDynamicPolygons();
  EXPECT_EQ(queued(2), 3u);
  dynamic_polygon_renderer::drawDynamicLayer(2);
  dynamic_polygon_renderer::drawDynamicLayer(3);
}

TEST_F(GeometryRendererTest, ACulledPolygonIsNotDrawnThatFrame) {
  LevelFileContents level;
  level.polygons = {rectangle(100, 100, 200, 200, kRedTexture, 2, kSwitched)};
  level.triggers = {switchFor(kSwitched)};
  loadLevel(level);
  camera::setPosition({5000.0f, 300.0f});
  dynamic_polygon_renderer::prepareDynamicPolygons();
  camera::setPosition({400.0f, 300.0f});
  for (int32_t layer = 0; layer < 5; ++layer) dynamic_polygon_renderer::drawDynamicLayer(layer);
  EXPECT_TRUE(pixelIs(150, 150, kBlack));
  drawFrame();
  EXPECT_TRUE(pixelIs(150, 150, kRed));
}

TEST_F(GeometryRendererTest, LoadingAndClearingPrepareAndReleaseTheRenderersInOrder) {
  LevelFileContents level;
  level.polygons = {rectangle(100, 100, 200, 200, kRedTexture)};
  takePrinted();
  loadLevel(level);
  // The hand-over of a new level clears the old one first, so the shut-downs come twice.
  EXPECT_TRUE(printedInOrder(
      takePrinted(),
      {"\nShutting down level geometry renderer...", "\nShuttrng down dynamic polygon renderer..",
       "\nShutting down level geometry renderer...", "\nInitialising level geometry renderer...",
       "\nLevel geometry prepared for rendering in ", "\nseconds.",
       "\nShuttrng down dynamic polygon renderer..", "\nIntialising dynamic polygon renderer.."}));
  EXPECT_NE(console::findCommand("DrawLevelGeometry"), nullptr);

  level::clearLevel();
  EXPECT_TRUE(printedInOrder(takePrinted(), {"\nShutting down level geometry renderer...",
                                             "\nShuttrng down dynamic polygon renderer.."}));
  EXPECT_EQ(console::findCommand("DrawLevelGeometry"), nullptr);
  drawFrame();
  EXPECT_TRUE(pixelIs(150, 150, kBlack));

  // Without the renderers installed a level loads as in the tools.
  level::uninstallLevelRenderers();
  loadLevel(level);
  EXPECT_EQ(takePrinted().find("renderer"), std::string::npos);
  EXPECT_EQ(console::findCommand("DrawLevelGeometry"), nullptr);
}

}  // namespace
