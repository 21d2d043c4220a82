#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "game/simulation/camera_steering.h"
#include "game/world/camera.h"
#include "game/world/camera_draw.h"
#include "graphics/renderer_test_support.h"

namespace {

class CameraTransformTest : public RendererTest {
 protected:
  // The client pixel the model-view and projection matrices put the world point on.
  static Vec2 clientPoint(Vec2 world) {
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const float x = m[0] * world.x + m[4] * world.y + m[12];
    const float y = m[1] * world.x + m[5] * world.y + m[13];
    return {x, y};  // the 2D projection maps drawing units to pixels one to one
  }
  // A 4 x 4 white square around the world point, untextured.
  static void markWorldPoint(Vec2 p) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glBegin(GL_QUADS);
    glVertex2f(p.x - 2.0f, p.y - 2.0f);
    glVertex2f(p.x + 2.0f, p.y - 2.0f);
    glVertex2f(p.x + 2.0f, p.y + 2.0f);
    glVertex2f(p.x - 2.0f, p.y + 2.0f);
    glEnd();
  }
  // Zoom 2 through an overview zoom of one second at zoom speed 1.
  static void zoomOutToTwo() {
    camera::setMode(camera::kFollow);
    camera::startZoom();
    camera::update(nullptr, 1.0f);
  }
};

constexpr Rgba kWhite{255, 255, 255, 255};

TEST_F(CameraTransformTest, TheCameraCentreLandsOnTheClientCentre) {
  camera::setPosition({1234.0f, -567.0f});
  camera::applyTransform();
  const Vec2 centre = clientPoint({1234.0f, -567.0f});
  EXPECT_NEAR(centre.x, 400.0f, 1e-3f);
  EXPECT_NEAR(centre.y, 300.0f, 1e-3f);
  const Vec2 right = clientPoint({1244.0f, -567.0f});
  EXPECT_NEAR(right.x, 410.0f, 1e-3f) << "800 x 600 pixels show 800 x 600 units";
}

TEST_F(CameraTransformTest, ZoomShrinksAndTheAngleTurnsTheWorldAroundTheCentre) {
  zoomOutToTwo();
  ASSERT_FLOAT_EQ(camera::zoom(), 2.0f);
  camera::setPosition({1000.0f, 1000.0f});
  camera::setAngle(90.0f);
  camera::applyTransform();
  // Turned by -90 degrees and halved: 100 units to the right end up 50 pixels up.
  const Vec2 p = clientPoint({1100.0f, 1000.0f});
  EXPECT_NEAR(p.x, 400.0f, 1e-3f);
  EXPECT_NEAR(p.y, 250.0f, 1e-3f);
  const Vec2 q = clientPoint({1000.0f, 1100.0f});
  EXPECT_NEAR(q.x, 450.0f, 1e-3f) << "100 units down end up 50 pixels to the right";
  EXPECT_NEAR(q.y, 300.0f, 1e-3f);

  markWorldPoint({1100.0f, 1000.0f});
  EXPECT_TRUE(pixelIs(400, 250, kWhite));
  EXPECT_TRUE(pixelIs(450, 300, kBlack));
}

TEST_F(CameraTransformTest, AnOddAngleMatchesTheRotationFormula) {
  camera::setPosition({0.0f, 0.0f});
  camera::setAngle(30.0f);
  camera::applyTransform();
  const float a = 30.0f * 0.017453292f;
  const Vec2 world{120.0f, 40.0f};
  // Rotating by -a: (x cos a + y sin a, -x sin a + y cos a).
  const Vec2 expected{400.0f + world.x * std::cos(a) + world.y * std::sin(a),
                      300.0f - world.x * std::sin(a) + world.y * std::cos(a)};
  const Vec2 p = clientPoint(world);
  EXPECT_NEAR(p.x, expected.x, 1e-3f);
  EXPECT_NEAR(p.y, expected.y, 1e-3f);
  markWorldPoint(world);
  EXPECT_TRUE(pixelIs(int32_t(expected.x), int32_t(expected.y), kWhite));
}

}  // namespace
