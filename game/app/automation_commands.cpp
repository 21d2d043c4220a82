#include "game/app/automation_commands.h"

#include <GL/gl.h>
#include <SDL.h>
#include <SDL_image.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "common/atomic_file.h"
#include "common/data_path.h"
#include "common/regular_file.h"
#include "common/text.h"
#include "common/user_data_path.h"
#include "game/console/console.h"
#include "game/console/console_script.h"
#include "game/platform/window.h"

namespace automation {
namespace {

// A PNG never needs much more than the raw pixels; this much room on top covers its headers.
constexpr size_t kPngOverhead = 64 * 1024;

// Paths of the screenshots asked for since the last frame was finished.
std::vector<std::string> pendingShots;

// The finished frame before it is shown: after a swap the back buffer's contents are
// undefined, and some drivers never give the front buffer back. The window's alpha means
// nothing, so the picture is made opaque.
std::vector<uint8_t> readFinishedFrame(int32_t width, int32_t height) {
  std::vector<uint8_t> pixels(static_cast<size_t>(width) * height * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
  for (size_t alpha = 3; alpha < pixels.size(); alpha += 4) pixels[alpha] = 255;
  return pixels;
}

// OpenGL rows come bottom-up, PNG rows top-down.
std::string encodePng(const std::vector<uint8_t>& pixels, int32_t width, int32_t height) {
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ABGR8888);
  if (surface == nullptr) return {};
  const size_t rowBytes = static_cast<size_t>(width) * 4;
  for (int32_t y = 0; y < height; ++y)
    std::memcpy(static_cast<uint8_t*>(surface->pixels) + static_cast<size_t>(y) * surface->pitch,
                pixels.data() + static_cast<size_t>(height - 1 - y) * rowBytes, rowBytes);
  std::string png(pixels.size() + kPngOverhead, '\0');
  SDL_RWops* memory = SDL_RWFromMem(png.data(), static_cast<int>(png.size()));
  const bool written = memory != nullptr && IMG_SavePNG_RW(surface, memory, 0) == 0;
  const Sint64 size = written ? SDL_RWtell(memory) : 0;
  if (memory != nullptr) SDL_RWclose(memory);
  SDL_FreeSurface(surface);
  png.resize(size > 0 ? static_cast<size_t>(size) : 0);
  return png;
}

// A relative name is the player's own file, kept in the user data folder (the data folder is
// read-only once installed); a name that starts with a separator is taken where it says.
std::optional<std::filesystem::path> screenshotFile(std::string_view path) {
  const bool absolute = !path.empty() && (path[0] == '/' || path[0] == '\\');
  return absolute ? std::optional(resolveDataPath(path)) : prepareUserDataPath(path);
}

void screenshot(const std::string& path) {
  if (path.empty()) {
    console::print("\nUSAGE: Screenshot < file.png >");
    return;
  }
  pendingShots.push_back(path);
  // The picture is taken when the frame is finished; the script's next line (a key, a Quit)
  // waits for it, so the lines act in their order.
  console_script::holdUntilNextFrame();
}

// Reads "a b c" integers; false unless all `count` are there and are integers.
bool readIntegers(const std::string& line, int32_t* values, size_t count) {
  const std::vector<std::string> words = splitWords(line);
  if (words.size() != count) return false;
  for (size_t i = 0; i < count; ++i) {
    if (!isInteger(words[i])) return false;
    values[i] = toInteger(words[i]);
  }
  return true;
}

void keyPress(int32_t virtualKey) {
  window::injectKey(virtualKey, true);
  window::injectKey(virtualKey, false);
}

void keyDown(int32_t virtualKey) {
  window::injectKey(virtualKey, true);
}
void keyUp(int32_t virtualKey) {
  window::injectKey(virtualKey, false);
}

void mouseClick(const std::string& arguments) {
  int32_t values[3] = {};
  if (!readIntegers(arguments, values, 3)) {
    console::print("\nUSAGE: MouseClick < x > < y > < button: 1 left, 2 right, 4 middle >");
    return;
  }
  window::injectMouseMove(values[0], values[1]);
  window::injectMouseButton(values[0], values[1], values[2], true);
  window::injectMouseButton(values[0], values[1], values[2], false);
}

// Moves the pointer, so the menus' hover follows it.
void mouseMove(const std::string& arguments) {
  int32_t values[2] = {};
  if (!readIntegers(arguments, values, 2)) {
    console::print("\nUSAGE: MouseMove < x > < y >");
    return;
  }
  window::injectMouseMove(values[0], values[1]);
}

// Registered once the console starts; its shut-down removes them with every other entry.
// Each acts on the window or a file, so no replay may hold one.
const console::NamedCommand kEntries[] = {
    {"Screenshot", screenshot}, {"KeyPress", keyPress},     {"KeyDown", keyDown},
    {"KeyUp", keyUp},           {"MouseClick", mouseClick}, {"MouseMove", mouseMove},
};

}  // namespace

void registerCommands() {
  console::addCommands(kEntries);
}

bool saveScreenshot(std::string_view path) {
  // A screenshot takes the place of whatever has its name, so only a regular file may be there:
  // as root, a rename puts even /dev/full aside.
  const std::optional<std::filesystem::path> place = screenshotFile(path);
  if (!place) {
    console::print("\nCan't write the screenshot ");
    console::print(path);
    return false;
  }
  const std::filesystem::path& file = *place;
  if (!isNewOrRegularFile(file)) {
    console::print("\nScreenshot not written: ");
    console::print(file.native());
    console::print(" is not a regular file.");
    return false;
  }
  const int32_t width = window::clientWidth();
  const int32_t height = window::clientHeight();
  if (!window::isWindowOpen() || width <= 0 || height <= 0) {
    console::print("\nNo picture to save: the window is closed or minimised.");
    return false;
  }
  const std::string png = encodePng(readFinishedFrame(width, height), width, height);
  if (png.empty() || !replaceFileAtomically(file, png)) {
    console::print("\nCan't write the screenshot ");
    console::print(file.native());
    return false;
  }
  console::print("\nScreenshot written to ");
  console::print(file.native());
  return true;
}

void takeRequestedScreenshots() {
  for (const std::string& path : pendingShots) saveScreenshot(path);
  pendingShots.clear();
}

}  // namespace automation
