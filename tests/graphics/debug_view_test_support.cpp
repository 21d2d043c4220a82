#include "graphics/debug_view_test_support.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "game/console/console.h"
#include "game/level/level_data.h"
#include "game/level/level_file_format.h"
#include "game/platform/tga_reader.h"
#include "game/platform/window.h"
#include "game/simulation/level_loading.h"
#include "tools/levelc/level_source.h"

namespace {

constexpr int32_t kCellPixels = 8;
constexpr int32_t kFontPixels = 16 * kCellPixels;

uint8_t cellRed(uint8_t byte) {
  return uint8_t((byte % 16) * 16 + 8);
}
uint8_t cellGreen(uint8_t byte) {
  return uint8_t((byte / 16) * 16 + 8);
}
constexpr uint8_t kCellBlue = 200;

uint8_t scaled(uint8_t channel, float factor) {
  return uint8_t(std::lround(float(channel) * std::clamp(factor, 0.0f, 1.0f)));
}

}  // namespace

::testing::AssertionResult looksLike(Rgba actual, Rgba expected, int tolerance) {
  auto close = [tolerance](uint8_t a, uint8_t b) { return std::abs(int(a) - int(b)) <= tolerance; };
  if (close(actual.r, expected.r) && close(actual.g, expected.g) && close(actual.b, expected.b)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << ::testing::PrintToString(actual) << " where "
                                       << ::testing::PrintToString(expected) << " was expected";
}

Rgba glyphColour(uint8_t byte) {
  return {cellRed(byte), cellGreen(byte), kCellBlue, 255};
}

Rgba glyphColour(uint8_t byte, float r, float g, float b, float a) {
  return {scaled(cellRed(byte), r * a), scaled(cellGreen(byte), g * a), scaled(kCellBlue, b * a),
          255};
}

void DebugViewTest::SetUp() {
  WindowTest::SetUp();
  inside_ = std::make_unique<WorkingDirectory>(data_.path());
  writeTestFont();
  restartConsole();
}

void DebugViewTest::TearDown() {
  // Back out of the data folder first: failure screenshots are kept beside the test program.
  inside_.reset();
  WindowTest::TearDown();
  resizeClient(800, 600);
  level::clearLevel();
  console::shutdown();
}

bool DebugViewTest::resizeClient(int32_t width, int32_t height) {
  if (window::clientWidth() != width || window::clientHeight() != height) {
    window::setClientSize(width, height);
    window::pumpMessages();
  }
  return window::clientWidth() == width && window::clientHeight() == height;
}

void DebugViewTest::writeTestFont() {
  platform::TgaImage font;
  font.width = kFontPixels;
  font.height = kFontPixels;
  font.bgra.resize(size_t(kFontPixels) * kFontPixels * 4);
  for (int32_t y = 0; y < kFontPixels; ++y) {
    for (int32_t x = 0; x < kFontPixels; ++x) {
      const uint8_t byte = uint8_t((y / kCellPixels) * 16 + x / kCellPixels);
      uint8_t* pixel = &font.bgra[(size_t(y) * kFontPixels + size_t(x)) * 4];
      pixel[0] = kCellBlue;
      pixel[1] = cellGreen(byte);
      pixel[2] = cellRed(byte);
      pixel[3] = byte == ' ' ? 0 : 255;
    }
  }
  const std::vector<uint8_t> bytes = platform::writeTga(font, false);
  data_.write("fonts/test_font.tga", std::string(bytes.begin(), bytes.end()));
}

void DebugViewTest::restartConsole(const std::string& extraSettings) {
  data_.write("cfg/console.cfg", "fontTextureName = fonts\\test_font.tga\n" + extraSettings);
  console::initialise();
  console::clearConsole();
}

void DebugViewTest::loadLevel(const std::string& source) {
  const level_source::CompileResult compiled = level_source::compileLevelSource(source);
  ASSERT_FALSE(compiled.error) << *compiled.error;
  const std::vector<uint8_t> bytes = level_file::writeLevelFile(compiled.contents);
  data_.write("levels/test.lvl", std::string(bytes.begin(), bytes.end()));
  ASSERT_TRUE(level::loadLevel("levels\\test.lvl"));
}

void DebugViewTest::centreOnPixels() {
  glTranslatef(0.5f, 0.5f, 0.0f);
}

std::vector<Rgba> DebugViewTest::readFrame() {
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  const int32_t width = viewport[2];
  const int32_t height = viewport[3];
  std::vector<Rgba> bottomUp(size_t(width) * size_t(height));
  glFinish();
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
  std::vector<Rgba> frame(bottomUp.size());
  for (int32_t y = 0; y < height; ++y) {
    std::copy_n(bottomUp.begin() + ptrdiff_t(height - 1 - y) * width, width,
                frame.begin() + ptrdiff_t(y) * width);
  }
  return frame;
}

int32_t DebugViewTest::countLitPixels() {
  const std::vector<Rgba> frame = readFrame();
  return int32_t(std::count_if(frame.begin(), frame.end(), [](const Rgba& pixel) {
    return pixel.r != 0 || pixel.g != 0 || pixel.b != 0;
  }));
}

bool DebugViewTest::colourAround(int32_t x, int32_t y, Rgba expected, int32_t reach) {
  for (int32_t dy = -reach; dy <= reach; ++dy) {
    for (int32_t dx = -reach; dx <= reach; ++dx) {
      if (near(pixelAt(x + dx, y + dy), expected)) return true;
    }
  }
  return false;
}
