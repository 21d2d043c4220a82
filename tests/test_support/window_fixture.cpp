#include "test_support/window_fixture.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

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

namespace {

Rgba readPixel(int32_t x, int32_t y) {
  std::array<uint8_t, 4> bytes{};
  glFinish();
  glReadBuffer(GL_BACK);
  glReadPixels(x, window::clientHeight() - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, bytes.data());
  return {bytes[0], bytes[1], bytes[2], bytes[3]};
}

// The window's pixels as the X server shows them, rows from the top, RGBA. Another thread's
// context may have swapped them there, so they are asked of the server, not of a context.
std::vector<uint8_t> shownPixels(int32_t width, int32_t height) {
  std::vector<uint8_t> rgba(static_cast<size_t>(width) * height * 4, 0);
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(window::sdlWindow(), &info) || info.subsystem != SDL_SYSWM_X11)
    return rgba;
  XImage* image = XGetImage(info.info.x11.display, info.info.x11.window, 0, 0, width, height,
                            AllPlanes, ZPixmap);
  if (image == nullptr) return rgba;
  for (int32_t y = 0; y < height; ++y)
    for (int32_t x = 0; x < width; ++x) {
      const unsigned long pixel = XGetPixel(image, x, y);
      uint8_t* out = &rgba[(static_cast<size_t>(y) * width + x) * 4];
      out[0] = static_cast<uint8_t>((pixel & image->red_mask) >> 16);
      out[1] = static_cast<uint8_t>((pixel & image->green_mask) >> 8);
      out[2] = static_cast<uint8_t>(pixel & image->blue_mask);
      out[3] = 255;
    }
  XDestroyImage(image);
  return rgba;
}

// The back buffer, rows from the top, RGBA.
std::vector<uint8_t> drawnPixels(int32_t width, int32_t height) {
  std::vector<uint8_t> bottomUp(static_cast<size_t>(width) * height * 4);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<uint8_t> rows(bottomUp.size());
  const size_t stride = static_cast<size_t>(width) * 4;
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(&rows[y * stride], &bottomUp[(height - 1 - y) * stride], stride);
  return rows;
}

}  // namespace

Rgba WindowTest::pixelAt(int32_t x, int32_t y) {
  return readPixel(x, y);
}

ScreenPixels WindowTest::shownScreen() {
  const int32_t width = window::clientWidth();
  const int32_t height = window::clientHeight();
  return {width, height, shownPixels(width, height)};
}

Rgba WindowTest::shownPixelAt(int32_t x, int32_t y) {
  return shownScreen().at(x, y);
}

bool WindowTest::near(Rgba actual, Rgba expected, int tolerance) {
  auto close = [tolerance](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) <= tolerance; };
  return close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b);
}

void WindowTest::saveFailureScreenshot() {
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  const std::filesystem::path folder = std::filesystem::current_path() / "failure_screenshots";
  saveScreenshot(folder / (std::string(test->test_suite_name()) + "." + test->name() + ".png"));
}

void WindowTest::saveScreenshot(const std::filesystem::path& file, bool shown) {
  const int32_t width = window::clientWidth();
  const int32_t height = window::clientHeight();
  const std::vector<uint8_t> rows = shown ? shownPixels(width, height) : drawnPixels(width, height);
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
  if (surface == nullptr) return;
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(surface->pixels) + y * surface->pitch,
                rows.data() + static_cast<size_t>(y) * width * 4, static_cast<size_t>(width) * 4);
  std::filesystem::create_directories(file.parent_path());
  IMG_SavePNG(surface, file.string().c_str());
  SDL_FreeSurface(surface);
}
