#include "test_support/window_fixture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <cstring>
#include <ostream>
#include <vector>

#include "game/platform/gl_state.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"

void PrintTo(const Rgba& colour, std::ostream* out) {
  *out << "rgba(" << int(colour.r) << ", " << int(colour.g) << ", " << int(colour.b) << ", "
       << int(colour.a) << ")";
}

void openTestWindow() {
  if (window::isWindowOpen()) return;
  window::createWindow("Vellmoor test", 800, 600);
  textures::initTextures();
}

void WindowTest::SetUp() {
  openTestWindow();
  const char* driver = SDL_GetCurrentVideoDriver();
  ASSERT_NE(driver, nullptr);
  ASSERT_STREQ(driver, "x11") << "drawing tests need an X server; run them through make test";
  gl_state::setup2DProjection();
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
}

void WindowTest::TearDown() {
  if (HasFailure()) saveFailureScreenshot();
}

Rgba WindowTest::pixelAt(int32_t x, int32_t y) {
  std::array<uint8_t, 4> bytes{};
  glFinish();
  glReadBuffer(GL_BACK);
  glReadPixels(x, window::clientHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
  return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

bool WindowTest::near(Rgba actual, Rgba expected, int tolerance) {
  auto close = [tolerance](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) <= tolerance; };
  return close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b);
}

void WindowTest::saveFailureScreenshot() {
  const int32_t width = window::clientWidth();
  const int32_t height = window::clientHeight();
  std::vector<uint8_t> rows(static_cast<size_t>(width) * height * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rows.data());
  // OpenGL reads bottom-up; a PNG is written top-down.
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
  if (surface == nullptr) return;
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch,
                rows.data() + static_cast<size_t>(height - 1 - y) * width * 4,
                static_cast<size_t>(width) * 4);
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path folder = std::filesystem::current_path() / "failure_screenshots";
  std::filesystem::create_directories(folder);
  const std::string file =
      (folder / (std::string(test->test_suite_name()) + "." + test->name() + ".png")).string();
  IMG_SavePNG(surface, file.c_str());
  SDL_FreeSurface(surface);
}
