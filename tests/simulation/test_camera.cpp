#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <utility>

#include "common/random.h"
#include "console/console_test_support.h"
#include "game/platform/headless_services.h"
#include "game/platform/virtual_keys.h"
#include "game/simulation/camera_steering.h"
#include "game/water/grouped_particle_mover.h"
#include "game/water/particle_manager.h"
#include "game/world/camera.h"

namespace {

// A window in the foreground with the pointer over its client; centring is counted.
class PointerWindow : public platform::HeadlessServices {
 public:
  bool isForeground() const override { return foreground; }
  bool isCursorInClient() const override { return inClient; }
  int32_t pointerX() const override { return x; }
  int32_t pointerY() const override { return y; }
  void centerMouse() override {
    ++centred;
    x = clientWidth() / 2;
    y = clientHeight() / 2;
  }

  bool foreground = true;
  bool inClient = true;
  int32_t x = 512;
  int32_t y = 384;
  int centred = 0;
};

// Each test runs in a fresh data folder with no water in the level, so the camera chases
// (0, 0) unless a test puts water there.
class CameraTest : public ConsoleTest {
 protected:
  void SetUp() override {
    ConsoleTest::SetUp();
    rng::seed(7);
  }
  void TearDown() override {
    platform::installServices(nullptr);
    platform::headlessServices().releaseAllKeys();
    platform::headlessServices().setClientSize(1024, 768);
    ConsoleTest::TearDown();
  }

  void start(std::string_view config) {
    data_.write("cfg/camera.cfg", config);
    camera::initialise();
  }
  // One tick that takes the player's input as the platform has it, as the game's tick does.
  static void updateLive(float t) {
    const camera::TurnInput input = camera::readTurnInput();
    camera::update(&input, t);
  }
  static void run(int ticks, float t, bool inputEnabled = true) {
    for (int i = 0; i < ticks; ++i) inputEnabled ? updateLive(t) : camera::update(nullptr, t);
  }
  static void followFrom(Vec2 position) {
    camera::setPosition(position);
    camera::setMode(camera::kFollow);
  }
  static void hold(int virtualKey) { platform::headlessServices().setKeyDown(virtualKey, true); }
  static void setClient(int32_t width, int32_t height) {
    platform::headlessServices().setClientSize(width, height);
  }
};

class CameraView : public CameraTest {};
class CameraSettings : public CameraTest {};
class CameraFollow : public CameraTest {};
class CameraOpeningMove : public CameraTest {};
class CameraZoom : public CameraTest {};
class CameraShake : public CameraTest {};
class CameraTurn : public CameraTest {};
class CameraWithoutConfig : public CameraTest {};

Particle particleAt(Vec2 position) {
  Particle particle;
  particle.position = position;
  return particle;
}

// An ice group whose particles lie far from its centre: only the centre may count.
ParticleGroup groupAt(Vec2 centre, int count) {
  ParticleGroup group;
  group.centre = centre;
  for (int i = 0; i < count; ++i) group.particles.push_back(particleAt({5000.0f, 5000.0f}));
  return group;
}

constexpr std::string_view kAllNegative =
    "rotationSmooth = 1.5 movementInterpolateSpeed = -0.3 maxAngle = -270 "
    "keyboardTurnSpeed = -90 mouseTurnSpeed = -0.5 zoomSpeed = -1.5 zoomWait = -2 "
    "waypointInterpolateSpeed = -0.5 waypointInterpolateDistance = -20 shakeTime = -0.5 "
    "shakeStrenght = -6 shakeSpeed = -200";

}  // namespace

// ---- View size --------------------------------------------------------------------------

TEST_F(CameraView, LandscapeWindowShowsSixHundredUnitsTopToBottom) {
  EXPECT_FLOAT_EQ(camera::viewWidth(), 800.0f);  // the headless 1024 x 768
  EXPECT_FLOAT_EQ(camera::viewHeight(), 600.0f);
  setClient(1280, 720);
  EXPECT_NEAR(camera::viewWidth(), 1066.67f, 0.01f);
  EXPECT_FLOAT_EQ(camera::viewHeight(), 600.0f);
}

TEST_F(CameraView, PortraitOrSquareWindowShowsEightHundredUnitsAcross) {
  setClient(600, 800);
  EXPECT_FLOAT_EQ(camera::viewWidth(), 800.0f);
  EXPECT_NEAR(camera::viewHeight(), 1066.67f, 0.01f);
  setClient(700, 700);
  EXPECT_FLOAT_EQ(camera::viewWidth(), 800.0f);
  EXPECT_FLOAT_EQ(camera::viewHeight(), 800.0f);
}

TEST_F(CameraView, MinimisedWindowKeepsAFiniteView) {
  setClient(0, 0);
  EXPECT_FLOAT_EQ(camera::viewWidth(), 800.0f);
  EXPECT_FLOAT_EQ(camera::viewHeight(), 600.0f);
  setClient(1024, 0);
  EXPECT_FLOAT_EQ(camera::viewHeight(), 600.0f);
}

// ---- Settings and initialisation --------------------------------------------------------

TEST_F(CameraSettings, SmoothingFactorsAreClampedEverythingElseTakesItsMagnitude) {
  start(kAllNegative);
  const camera::Settings& s = camera::settings();
  EXPECT_FLOAT_EQ(s.rotationSmooth, 1.0f);
  EXPECT_FLOAT_EQ(s.movementInterpolateSpeed, 0.0f);  // clamped, not mirrored
  EXPECT_FLOAT_EQ(s.maxAngle, 180.0f);
  EXPECT_FLOAT_EQ(s.keyboardTurnSpeed, 90.0f);
  EXPECT_FLOAT_EQ(s.mouseTurnSpeed, 0.5f);
  EXPECT_FLOAT_EQ(s.zoomSpeed, 1.5f);
  EXPECT_FLOAT_EQ(s.zoomWait, 2.0f);
  EXPECT_FLOAT_EQ(s.waypointInterpolateSpeed, 0.5f);  // mirrored first, then clamped
  EXPECT_FLOAT_EQ(s.waypointInterpolateDistance, 20.0f);
  EXPECT_FLOAT_EQ(s.shakeTime, 0.5f);
  EXPECT_FLOAT_EQ(s.shakeStrenght, 6.0f);
  EXPECT_FLOAT_EQ(s.shakeSpeed, 200.0f);
}

TEST_F(CameraSettings, WaypointSmoothingStaysBelowOneSoTheOpeningMoveEnds) {
  start("waypointInterpolateSpeed = 3 maxAngle = 45");
  EXPECT_FLOAT_EQ(camera::settings().waypointInterpolateSpeed, 0.99f);
  EXPECT_FLOAT_EQ(camera::settings().maxAngle, 45.0f);
}

TEST_F(CameraSettings, InitialiseRereadsTheFileAndResetsEveryState) {
  start(
      "zoomSpeed = 1 keyboardTurnSpeed = 90 maxAngle = 90 shakeTime = 5 shakeStrenght = 6 "
      "shakeSpeed = 10");
  followFrom({50.0f, 50.0f});
  camera::startZoom();
  camera::startShake();
  hold(vk::kLeft);
  run(5, 0.1f);
  ASSERT_GT(camera::zoom(), 1.0f);
  ASSERT_NE(camera::turnRate(), 0.0f);
  ASSERT_NE(camera::shakeOffset(), Vec2{});

  data_.write("cfg/camera.cfg", "zoomSpeed = 2");
  camera::initialise();
  EXPECT_FLOAT_EQ(camera::settings().zoomSpeed, 2.0f);
  EXPECT_FLOAT_EQ(camera::settings().keyboardTurnSpeed, 0.0f);
  EXPECT_EQ(camera::position(), (Vec2{-1000.0f, 0.0f}));
  EXPECT_EQ(camera::angle(), 0.0f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
  EXPECT_EQ(camera::zoom(), 1.0f);
  EXPECT_EQ(camera::mode(), camera::kOpeningMove);
  EXPECT_FALSE(camera::isShaking());
  EXPECT_EQ(camera::shakeOffset(), Vec2{});
}

TEST_F(CameraSettings, ModesOutsideZeroToFourAreIgnored) {
  start("");
  const struct {
    int32_t request, mode;
    bool openingMove;
  } cases[] = {{-1, 1, false}, {0, 0, true}, {4, 4, false}, {5, 1, false}};
  for (const auto& c : cases) {
    camera::setMode(1);
    camera::setMode(c.request);
    EXPECT_EQ(camera::mode(), c.mode) << c.request;
    EXPECT_EQ(camera::isOpeningMove(), c.openingMove) << c.request;
  }
}

// ---- Water centre -----------------------------------------------------------------------

TEST(CameraWaterCentre, NoWaterIsTheOrigin) {
  ParticleGroupList groups;
  EXPECT_EQ(camera::waterCentre({300.0f, 400.0f}, {}, groups), Vec2{});
  groups.push_back(groupAt({100.0f, 100.0f}, 0));  // an empty group weighs nothing
  EXPECT_EQ(camera::waterCentre({300.0f, 400.0f}, {}, groups), Vec2{});
}

TEST(CameraWaterCentre, NearbyWaterCountsMore) {
  const ParticleList particles{particleAt({10.0f, 0.0f}), particleAt({100.0f, 0.0f})};
  // Weights 1/11 and 1/101 from the origin, 1/91 and 1 from (100, 0).
  Vec2 centre = camera::waterCentre({0.0f, 0.0f}, particles, {});
  EXPECT_NEAR(centre.x, 2110.0f / 112.0f, 1e-3f);
  EXPECT_FLOAT_EQ(centre.y, 0.0f);
  centre = camera::waterCentre({100.0f, 0.0f}, particles, {});
  EXPECT_NEAR(centre.x, 9110.0f / 92.0f, 1e-3f);
}

TEST(CameraWaterCentre, IceGroupWeighsAsManyParticlesAsItHoldsAtItsCentre) {
  const ParticleList particles{particleAt({0.0f, -100.0f})};
  ParticleGroupList groups;
  groups.push_back(groupAt({0.0f, 100.0f}, 3));
  const Vec2 centre = camera::waterCentre({0.0f, 0.0f}, particles, groups);
  EXPECT_NEAR(centre.x, 0.0f, 1e-4f);
  EXPECT_NEAR(centre.y, 50.0f, 1e-3f);  // (3 * 100 - 100) / 4
}

// ---- Following --------------------------------------------------------------------------

TEST_F(CameraFollow, CoversTheSameShareInASecondWhateverTheTickLength) {
  start("movementInterpolateSpeed = 0.25 waypointInterpolateSpeed = 0.9");
  for (int ticks : {1, 10, 100}) {
    SCOPED_TRACE(ticks);
    followFrom({400.0f, -200.0f});
    run(ticks, 1.0f / float(ticks));
    EXPECT_NEAR(camera::position().x, 100.0f, 0.01f);
    EXPECT_NEAR(camera::position().y, -50.0f, 0.01f);
  }
}

TEST_F(CameraFollow, ZoomModesFollowWithTheSameSmoothing) {
  start("movementInterpolateSpeed = 0.25 zoomWait = 100");
  camera::setPosition({400.0f, 0.0f});
  camera::setMode(camera::kHoldingOverview);
  run(10, 0.1f);
  EXPECT_NEAR(camera::position().x, 100.0f, 0.01f);
}

TEST_F(CameraFollow, ChasesTheParticleManagersWaterAndIceGroups) {
  ParticleList& particles = particle_manager::particleList();
  ParticleGroupList& groups = grouped_particle_mover::groupList();
  ASSERT_TRUE(particles.empty());
  ASSERT_TRUE(groups.empty());
  particles.push_back(particleAt({200.0f, 0.0f}));
  groups.push_back(groupAt({200.0f, 100.0f}, 4));

  const Vec2 expected = camera::waterCentre({0.0f, 0.0f}, particles, groups);
  EXPECT_EQ(camera::waterCentre({0.0f, 0.0f}), expected);
  start("movementInterpolateSpeed = 0.5");
  followFrom({0.0f, 0.0f});
  updateLive(1.0f);
  EXPECT_NEAR(camera::position().x, expected.x * 0.5f, 1e-3f);
  EXPECT_NEAR(camera::position().y, expected.y * 0.5f, 1e-3f);

  particles.clear();
  groups.clear();
}

// ---- Opening move -----------------------------------------------------------------------

TEST_F(CameraOpeningMove, EndsOnTheTickThatStartsWithinTheDistance) {
  start(
      "waypointInterpolateSpeed = 0.5 waypointInterpolateDistance = 20 "
      "movementInterpolateSpeed = 0.9");
  // From (-1000, 0) the gap to the empty level's origin halves every second.
  for (int second = 0; second < 6; ++second) {
    EXPECT_TRUE(camera::isOpeningMove()) << second;
    updateLive(1.0f);
  }
  EXPECT_TRUE(camera::isOpeningMove());
  EXPECT_FLOAT_EQ(camera::position().x, -15.625f);
  updateLive(1.0f);
  EXPECT_EQ(camera::mode(), camera::kFollow);
  EXPECT_FLOAT_EQ(camera::position().x, -7.8125f);  // the last tick still flies in
}

TEST_F(CameraOpeningMove, AGapEqualToTheDistanceEndsIt) {
  start("waypointInterpolateSpeed = 0.5 waypointInterpolateDistance = 500");
  updateLive(1.0f);
  EXPECT_TRUE(camera::isOpeningMove());
  updateLive(1.0f);
  EXPECT_FALSE(camera::isOpeningMove());
}

// Reduced motion cuts to the water on the first tick and ignores a level's zoom punch; the
// overview the player asks for still zooms.
TEST_F(CameraOpeningMove, ReducedMotionCutsStraightToTheWaterAndIgnoresZoomPunches) {
  start("waypointInterpolateSpeed = 0.5 zoomSpeed = 1");
  camera::setReducedMotion(true);
  updateLive(0.01f);
  EXPECT_EQ(camera::position(), Vec2{});
  camera::startZoomPunch();
  run(5, 0.1f);
  EXPECT_EQ(camera::zoom(), 1.0f);
  camera::startZoom();
  run(5, 0.1f);
  EXPECT_GT(camera::zoom(), 1.0f);
  camera::setReducedMotion(false);
}

// ---- Zoom -------------------------------------------------------------------------------

TEST_F(CameraZoom, RunsOutHoldsAndComesBackToFollowing) {
  start("zoomSpeed = 1 zoomWait = 2");
  camera::setMode(camera::kFollow);
  camera::startZoom();
  EXPECT_EQ(camera::mode(), camera::kZoomingOut);
  updateLive(0.5f);
  updateLive(0.5f);
  EXPECT_FLOAT_EQ(camera::zoom(), 2.0f);
  updateLive(1.0f);
  EXPECT_EQ(camera::zoom(), 2.5f);
  EXPECT_EQ(camera::mode(), camera::kHoldingOverview);
  updateLive(1.5f);
  EXPECT_EQ(camera::mode(), camera::kHoldingOverview);
  updateLive(0.5f);
  EXPECT_EQ(camera::mode(), camera::kZoomingIn);
  EXPECT_EQ(camera::zoom(), 2.5f);
  updateLive(1.0f);
  EXPECT_FLOAT_EQ(camera::zoom(), 1.5f);
  updateLive(1.0f);
  EXPECT_EQ(camera::zoom(), 1.0f);
  EXPECT_EQ(camera::mode(), camera::kFollow);
}

TEST_F(CameraZoom, ANamedNormalZoomIsWhereTheViewStartsAndComesBackTo) {
  start("normalZoom = 0.8 zoomSpeed = 1 zoomWait = 1");
  EXPECT_FLOAT_EQ(camera::zoom(), 0.8f);
  camera::setMode(camera::kFollow);
  camera::startZoom();
  run(3, 1.0f);
  EXPECT_EQ(camera::mode(), camera::kZoomingIn);
  run(2, 1.0f);
  EXPECT_FLOAT_EQ(camera::zoom(), 0.8f);
  EXPECT_EQ(camera::mode(), camera::kFollow);
}

TEST_F(CameraZoom, ARequestDuringTheHoldRestartsIt) {
  start("zoomSpeed = 1 zoomWait = 2");
  camera::setMode(camera::kFollow);
  camera::startZoom();
  updateLive(2.0f);
  ASSERT_EQ(camera::mode(), camera::kHoldingOverview);
  updateLive(1.5f);
  camera::startZoom();
  updateLive(1.5f);
  EXPECT_EQ(camera::mode(), camera::kHoldingOverview);
  updateLive(0.5f);
  EXPECT_EQ(camera::mode(), camera::kZoomingIn);
}

TEST_F(CameraZoom, ARequestDuringTheZoomInZoomsOutAgain) {
  start("zoomSpeed = 1 zoomWait = 1");
  camera::setMode(camera::kFollow);
  camera::startZoom();
  updateLive(2.0f);
  updateLive(1.0f);
  updateLive(0.5f);
  ASSERT_EQ(camera::mode(), camera::kZoomingIn);
  ASSERT_FLOAT_EQ(camera::zoom(), 2.0f);
  camera::startZoom();
  EXPECT_EQ(camera::mode(), camera::kZoomingOut);
  updateLive(0.25f);
  EXPECT_FLOAT_EQ(camera::zoom(), 2.25f);
}

TEST_F(CameraZoom, RequestsDuringTheOpeningMoveOrTheZoomOutChangeNothing) {
  start("zoomSpeed = 1 zoomWait = 2 waypointInterpolateSpeed = 0.9");
  camera::startZoom();
  updateLive(1.0f);
  EXPECT_EQ(camera::mode(), camera::kOpeningMove);
  EXPECT_EQ(camera::zoom(), 1.0f);

  camera::setMode(camera::kFollow);
  camera::startZoom();
  updateLive(0.5f);
  camera::startZoom();
  EXPECT_EQ(camera::mode(), camera::kZoomingOut);
  updateLive(0.5f);
  EXPECT_FLOAT_EQ(camera::zoom(), 2.0f);
}

// ---- Shake ------------------------------------------------------------------------------

TEST_F(CameraShake, OffsetWalksAtShakeSpeedAndMovesTheCentre) {
  start("shakeTime = 1 shakeStrenght = 6 shakeSpeed = 10 movementInterpolateSpeed = 1");
  followFrom({30.0f, 40.0f});
  camera::startShake();
  EXPECT_TRUE(camera::isShaking());
  updateLive(0.125f);
  EXPECT_NEAR(length(camera::shakeOffset()), 1.25f, 1e-5f);
  EXPECT_EQ(camera::centre(), camera::position() + camera::shakeOffset());
  EXPECT_EQ(camera::position(), (Vec2{30.0f, 40.0f}));  // the shake leaves the position alone
}

TEST_F(CameraShake, EveryTargetLiesAtTheShakeStrength) {
  start("shakeTime = 100 shakeStrenght = 6 shakeSpeed = 100000");
  camera::startShake();
  std::set<std::pair<float, float>> seen;
  for (int i = 0; i < 50; ++i) {
    updateLive(0.01f);  // each tick reaches its target and picks the next
    EXPECT_NEAR(length(camera::shakeOffset()), 6.0f, 1e-4f);
    seen.insert({camera::shakeOffset().x, camera::shakeOffset().y});
  }
  EXPECT_GT(seen.size(), 40u);
}

TEST_F(CameraShake, AShakeStartedWhileOneRunsOnlyExtendsItsTime) {
  start("shakeTime = 0.5 shakeStrenght = 6 shakeSpeed = 4");
  camera::startShake();
  updateLive(0.125f);
  const Vec2 first = camera::shakeOffset();
  updateLive(0.125f);
  camera::startShake();
  updateLive(0.125f);
  // Still on the way to the first target: the same direction, three steps out.
  EXPECT_NEAR(camera::shakeOffset().x, first.x * 3.0f, 1e-4f);
  EXPECT_NEAR(camera::shakeOffset().y, first.y * 3.0f, 1e-4f);
  run(2, 0.125f);
  EXPECT_TRUE(camera::isShaking());  // 0.5 s from the second start, not the first
  updateLive(0.125f);
  EXPECT_FALSE(camera::isShaking());
}

TEST_F(CameraShake, OffsetWalksBackToRestAfterTheShake) {
  start("shakeTime = 0.25 shakeStrenght = 6 shakeSpeed = 16");
  camera::startShake();
  run(2, 0.125f);
  EXPECT_FALSE(camera::isShaking());
  EXPECT_NEAR(length(camera::shakeOffset()), 4.0f, 1e-4f);  // the last tick still moved
  updateLive(0.125f);
  EXPECT_NEAR(length(camera::shakeOffset()), 2.0f, 1e-4f);
  run(2, 0.125f);
  EXPECT_EQ(camera::shakeOffset(), Vec2{});
  updateLive(0.125f);
  EXPECT_EQ(camera::shakeOffset(), Vec2{});
}

// ---- Turn -------------------------------------------------------------------------------

TEST_F(CameraTurn, HoldingLeftStopsAtTheLimitWithTheRateCleared) {
  start("keyboardTurnSpeed = 90 maxAngle = 45 rotationSmooth = 0.5");
  hold(vk::kLeft);
  float previous = 0.0f;
  for (int i = 0; i < 300 && camera::angle() < 45.0f; ++i) {
    updateLive(0.01f);
    EXPECT_GT(camera::angle(), previous);
    EXPECT_LE(camera::angle(), 45.0f);
    previous = camera::angle();
  }
  EXPECT_EQ(camera::angle(), 45.0f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
  run(10, 0.01f);
  EXPECT_EQ(camera::angle(), 45.0f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
}

TEST_F(CameraTurn, RightTurnsTheOtherWayAndBothKeysCancel) {
  start("keyboardTurnSpeed = 90 maxAngle = 45 rotationSmooth = 0.5");
  hold(vk::kLeft);
  hold(vk::kRight);
  run(100, 0.01f);
  EXPECT_EQ(camera::angle(), 0.0f);
  platform::headlessServices().setKeyDown(vk::kLeft, false);
  run(300, 0.01f);
  EXPECT_EQ(camera::angle(), -45.0f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
}

TEST_F(CameraTurn, RateSmoothingIsIndependentOfTheTickLength) {
  start("keyboardTurnSpeed = 90 maxAngle = 180 rotationSmooth = 0.25");
  hold(vk::kLeft);
  for (int ticks : {10, 100}) {
    SCOPED_TRACE(ticks);
    camera::initialise();
    run(ticks, 1.0f / float(ticks));
    EXPECT_NEAR(camera::turnRate(), 67.5f, 0.01f);
  }
}

TEST_F(CameraTurn, DisabledInputTurnsNothing) {
  start("keyboardTurnSpeed = 90 maxAngle = 45 rotationSmooth = 0");
  camera::setAngle(10.0f);
  hold(vk::kLeft);
  run(10, 0.1f, false);
  EXPECT_EQ(camera::angle(), 10.0f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
}

TEST_F(CameraTurn, MouseOffsetTurnsAndThePointerIsCentredAgain) {
  PointerWindow window;
  window.x = 522;  // 10 pixels right of the centre of 1024
  platform::installServices(&window);
  start("mouseTurnSpeed = 0.5 maxAngle = 180 rotationSmooth = 0");
  updateLive(0.1f);
  EXPECT_FLOAT_EQ(camera::turnRate(), -5.0f);  // rightward turns like the Right key
  EXPECT_FLOAT_EQ(camera::angle(), -0.5f);
  EXPECT_EQ(window.centred, 1);
  updateLive(0.1f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
  EXPECT_EQ(window.centred, 2);
}

TEST_F(CameraTurn, MouseCountsOnlyInTheForegroundWithThePointerInside) {
  PointerWindow window;
  window.x = 600;
  platform::installServices(&window);
  start("mouseTurnSpeed = 0.5 maxAngle = 180 rotationSmooth = 0");
  window.foreground = false;
  updateLive(0.1f);
  window.foreground = true;
  window.inClient = false;
  updateLive(0.1f);
  EXPECT_EQ(camera::turnRate(), 0.0f);
  EXPECT_EQ(window.centred, 0);
}

// ---- Without camera.cfg -----------------------------------------------------------------

TEST_F(CameraWithoutConfig, JumpsToTheWaterEndsTheMoveAndHoldsStill) {
  camera::initialise();
  EXPECT_NE(takePrinted().find("camera.cfg"), std::string::npos);
  camera::setPosition({300.0f, 400.0f});
  updateLive(0.01f);
  EXPECT_EQ(camera::position(), Vec2{});
  EXPECT_TRUE(camera::isOpeningMove());
  updateLive(0.01f);
  EXPECT_EQ(camera::mode(), camera::kFollow);

  hold(vk::kLeft);
  camera::startZoom();
  camera::startShake();
  run(10, 0.01f);
  EXPECT_EQ(camera::angle(), 0.0f);
  EXPECT_EQ(camera::zoom(), 1.0f);
  EXPECT_EQ(camera::shakeOffset(), Vec2{});
}
