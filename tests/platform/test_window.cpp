// The window layer through the real window: drawing read back from the back buffer, and
// input injected through SDL's queue, which the pump translates as it does the user's.

#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "common/console_output.h"
#include "game/platform/gl_state.h"
#include "game/platform/platform_services.h"
#include "game/platform/virtual_keys.h"
#include "game/platform/window.h"
#include "test_support/window_fixture.h"

namespace {

constexpr Rgba kBlack{0, 0, 0, 255};
constexpr Rgba kWhite{255, 255, 255, 255};
constexpr Rgba kRed{255, 0, 0, 255};

struct Click {
  int32_t x, y, button;
  friend bool operator==(const Click&, const Click&) = default;
};

class RecordingListener : public window::GLWindowEventListener {
 public:
  std::vector<std::array<int32_t, 2>> moves;
  std::vector<Click> downs, ups;
  std::vector<int32_t> keyDowns, keyUps;
  // What the queries said while onKeyDown ran.
  std::vector<char> charsInKeyDown;
  std::vector<bool> heldInKeyDown;
  int resizes = 0, closes = 0, destroys = 0, paints = 0, focusLosses = 0;

  void onMouseMove(int32_t x, int32_t y) override { moves.push_back({x, y}); }
  void onMouseDown(int32_t x, int32_t y, int32_t button) override {
    downs.push_back({x, y, button});
  }
  void onMouseUp(int32_t x, int32_t y, int32_t button) override { ups.push_back({x, y, button}); }
  void onKeyDown(int32_t key) override {
    keyDowns.push_back(key);
    charsInKeyDown.push_back(window::keyToChar(key));
    heldInKeyDown.push_back(window::isKeyDown(key));
  }
  void onKeyUp(int32_t key) override { keyUps.push_back(key); }
  void onResize() override { ++resizes; }
  void onClose() override { ++closes; }
  void onDestroy() override { ++destroys; }
  void onPaint() override { ++paints; }
  void onFocusLost() override { ++focusLosses; }
};

// Window events the tests push carry this, so the filter below tells them from the X
// server's.
constexpr int32_t kPushedByTest = 0x54455354;

void pushWindowEvent(SDL_WindowEventID id) {
  SDL_Event event{};
  event.type = SDL_WINDOWEVENT;
  event.window.event = uint8_t(id);
  event.window.windowID = SDL_GetWindowID(window::sdlWindow());
  event.window.data1 = kPushedByTest;
  SDL_PushEvent(&event);
}

// Other test programs open and close windows on the same display at any moment: the focus
// and the pointer's crossings they cause would reach this window at random. Input tests
// keep only the focus and crossing events they push themselves.
int dropDisplayNoise(void*, SDL_Event* event) {
  if (event->type != SDL_WINDOWEVENT) return 1;
  switch (event->window.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
    case SDL_WINDOWEVENT_FOCUS_LOST:
    case SDL_WINDOWEVENT_ENTER:
    case SDL_WINDOWEVENT_LEAVE: return event->window.data1 == kPushedByTest;
    default: return 1;
  }
}

// The real pointer goes to the desktop's corner, away from every test window, so windows
// opening under it make no crossings.
void movePointerAway() {
  SDL_WarpMouseGlobal(0, 0);
}

void typeKey(int32_t key) {
  window::injectKey(key, true);
  window::injectKey(key, false);
}

std::string consoleText() {
  const auto ring = console::outputRing();
  return std::string(ring.data(), console::writePosition());
}

// Drawing ---------------------------------------------------------------------------------

class WindowDrawing : public WindowTest {
 protected:
  // Whether any pixel within one of (x, y) is lit: lines rasterise to either side of an
  // exact pixel edge.
  static bool litNear(int32_t x, int32_t y) {
    for (int32_t dy = -1; dy <= 1; ++dy) {
      for (int32_t dx = -1; dx <= 1; ++dx) {
        if (near(pixelAt(x + dx, y + dy), kWhite, 8)) return true;
      }
    }
    return false;
  }
};

TEST_F(WindowDrawing, QuadLandsOnTheClientPixelsItNames) {
  glColor3f(1.0f, 0.0f, 0.0f);
  glBegin(GL_QUADS);
  glVertex2f(10, 20);
  glVertex2f(30, 20);
  glVertex2f(30, 40);
  glVertex2f(10, 40);
  glEnd();
  EXPECT_TRUE(near(pixelAt(10, 20), kRed));
  EXPECT_TRUE(near(pixelAt(29, 39), kRed));
  EXPECT_TRUE(near(pixelAt(30, 20), kBlack));
  EXPECT_TRUE(near(pixelAt(9, 20), kBlack));
  EXPECT_TRUE(near(pixelAt(10, 40), kBlack));
  EXPECT_TRUE(near(pixelAt(10, 19), kBlack));
}

TEST_F(WindowDrawing, TheProjectionSpansTheWholeClientArea) {
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 800, 600}));
  glColor3f(1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glVertex2f(790, 590);
  glVertex2f(800, 590);
  glVertex2f(800, 600);
  glVertex2f(790, 600);
  glEnd();
  EXPECT_TRUE(near(pixelAt(799, 599), kWhite));
  EXPECT_TRUE(near(pixelAt(790, 590), kWhite));
  EXPECT_TRUE(near(pixelAt(789, 599), kBlack));
  EXPECT_TRUE(near(pixelAt(0, 0), kBlack));
}

TEST_F(WindowDrawing, ClearScreenFillsEveryPixelWithOpaqueColour) {
  gl_state::clearScreen(0.0f, 0.5f, 1.0f);
  EXPECT_TRUE(near(pixelAt(0, 0), {0, 128, 255, 255}, 1));
  EXPECT_TRUE(near(pixelAt(799, 599), {0, 128, 255, 255}, 1));
  EXPECT_EQ(pixelAt(400, 300).a, 255);
}

std::array<GLfloat, 16> matrix(GLenum which) {
  std::array<GLfloat, 16> values{};
  glGetFloatv(which, values.data());
  return values;
}

TEST_F(WindowDrawing, PopAllStateRestoresMatricesEnablesAndTheMatrixMode) {
  const auto projection = matrix(GL_PROJECTION_MATRIX);
  glMatrixMode(GL_MODELVIEW);
  glTranslatef(5.0f, 6.0f, 0.0f);
  const auto modelView = matrix(GL_MODELVIEW_MATRIX);
  gl_state::pushAllState();
  glEnable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  glColor3f(0.2f, 0.4f, 0.6f);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glRotatef(30.0f, 0.0f, 0.0f, 1.0f);
  glMatrixMode(GL_TEXTURE);
  gl_state::popAllState();
  EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
  EXPECT_EQ(matrix(GL_MODELVIEW_MATRIX), modelView);
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint mode = 0;
  glGetIntegerv(GL_MATRIX_MODE, &mode);
  EXPECT_EQ(mode, GL_MODELVIEW);
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(WindowDrawing, DrawCircleOutlinesTheCircleAndLeavesItsInsideAlone) {
  glColor3f(1.0f, 1.0f, 1.0f);
  gl_state::drawCircle(400.0f, 300.0f, 100.0f, 64);
  EXPECT_TRUE(litNear(500, 300));
  EXPECT_TRUE(litNear(300, 300));
  EXPECT_TRUE(litNear(400, 400));
  EXPECT_TRUE(litNear(400, 200));
  EXPECT_TRUE(litNear(471, 371));  // 45 degrees
  EXPECT_FALSE(litNear(400, 300));
  EXPECT_FALSE(litNear(450, 300));
  EXPECT_FALSE(litNear(520, 300));
}

TEST_F(WindowDrawing, ACircleOfNoSegmentsDrawsNothing) {
  glColor3f(1.0f, 1.0f, 1.0f);
  gl_state::drawCircle(400.0f, 300.0f, 100.0f, 0);
  EXPECT_FALSE(litNear(500, 300));
  EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

// Geometry --------------------------------------------------------------------------------

using WindowGeometry = WindowTest;

TEST_F(WindowGeometry, ClientSizesOfZeroOrBelowChangeNothing) {
  window::setClientSize(0, 100);
  window::setClientSize(100, 0);
  window::setClientSize(-640, 480);
  window::setOuterSize(0, 0);
  window::setOuterSize(640, -1);
  EXPECT_EQ(window::clientWidth(), 800);
  EXPECT_EQ(window::clientHeight(), 600);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 800, 600}));
}

TEST_F(WindowGeometry, SetClientSizeResizesTheClientAndTheViewport) {
  window::setClientSize(640, 480);
  EXPECT_EQ(window::clientWidth(), 640);
  EXPECT_EQ(window::clientHeight(), 480);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 640, 480}));
  EXPECT_GE(window::outerWidth(), 640);
  window::setClientSize(800, 600);
  EXPECT_EQ(window::clientWidth(), 800);
}

TEST_F(WindowGeometry, CenterWindowPutsTheFrameInTheMiddleOfTheDesktop) {
  window::setPosition(10, 20);
  EXPECT_EQ(window::windowX(), 10);
  EXPECT_EQ(window::windowY(), 20);
  window::centerWindow();
  EXPECT_EQ(window::windowX(), window::desktopWidth() / 2 - window::outerWidth() / 2);
  EXPECT_EQ(window::windowY(), window::desktopHeight() / 2 - window::outerHeight() / 2);
  EXPECT_GT(window::desktopWidth(), 0);
}

TEST_F(WindowGeometry, FullScreenWithoutAModeOfThatSizeDoesNothing) {
  window::setCursorMode(0);
  window::setFullscreen(true, 123, 45);
  EXPECT_FALSE(window::isFullscreen());
  EXPECT_EQ(window::clientWidth(), 800);
  EXPECT_EQ(window::getCursorMode(), 0);
  EXPECT_FALSE(window::findDisplayMode(123, 45).has_value());
}

TEST_F(WindowGeometry, TheDesktopSizeIsADisplayMode) {
  const auto mode = window::findDisplayMode(window::desktopWidth(), window::desktopHeight());
  ASSERT_TRUE(mode.has_value());
  EXPECT_EQ(mode->width, window::desktopWidth());
  EXPECT_EQ(mode->height, window::desktopHeight());
}

// Input -----------------------------------------------------------------------------------

class WindowInput : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    SDL_SetEventFilter(dropDisplayNoise, nullptr);
    movePointerAway();
    window::setEventListener(&drain);
    window::pumpMessages();
    window::setEventListener(&listener);
  }
  void TearDown() override {
    window::setEventListener(nullptr);
    SDL_SetEventFilter(nullptr, nullptr);
    WindowTest::TearDown();
  }

  static void takeForeground() {
    pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
    window::pumpMessages();
  }

  RecordingListener drain;
  RecordingListener listener;
};

TEST_F(WindowInput, InjectedKeysReachTheListenerAndTheKeyState) {
  window::injectKey('A', true);
  EXPECT_FALSE(window::isKeyDown('A'));  // not before the pump
  window::pumpMessages();
  EXPECT_EQ(listener.keyDowns, std::vector<int32_t>{'A'});
  EXPECT_EQ(listener.heldInKeyDown, std::vector<bool>{true});
  EXPECT_TRUE(window::isKeyDown('A'));
  EXPECT_FALSE(window::isKeyDown('B'));
  window::injectKey('A', false);
  window::pumpMessages();
  EXPECT_EQ(listener.keyUps, std::vector<int32_t>{'A'});
  EXPECT_FALSE(window::isKeyDown('A'));
  EXPECT_FALSE(platform::services().isKeyDown('A'));
}

TEST_F(WindowInput, InjectedKeysKeepTheirCodes) {
  const std::vector<int32_t> keys{vk::kConsoleToggle, vk::kPageUp,  vk::kPageDown, vk::kEscape,
                                  vk::kPause,         vk::kReturn,  '7',           vk::kF1 + 4,
                                  vk::kNumpad0 + 3,   vk::kOemComma};
  for (const int32_t key : keys) typeKey(key);
  window::pumpMessages();
  EXPECT_EQ(listener.keyDowns, keys);
  EXPECT_EQ(listener.keyUps, keys);
}

TEST_F(WindowInput, InjectedKeysWriteWhatAUsKeyboardWrites) {
  typeKey('A');
  window::injectKey(vk::kShift, true);
  typeKey('A');
  typeKey('1');
  typeKey(vk::kConsoleToggle);
  window::injectKey(vk::kShift, false);
  typeKey(vk::kOemSlash);
  typeKey(vk::kReturn);
  window::pumpMessages();
  EXPECT_EQ(listener.charsInKeyDown, (std::vector<char>{'a', 0, 'A', '!', '~', '/', 0}));
  EXPECT_EQ(platform::services().keyToChar(vk::kOemSlash), '/');
}

TEST_F(WindowInput, CapsLockTurnsLettersAndControlSilencesThem) {
  typeKey(vk::kCapsLock);
  typeKey('B');
  window::injectKey(vk::kShift, true);
  typeKey('B');
  window::injectKey(vk::kShift, false);
  window::pumpMessages();
  EXPECT_TRUE(window::isKeyToggled(vk::kCapsLock));
  typeKey(vk::kCapsLock);
  window::injectKey(vk::kControl, true);
  typeKey('C');
  window::injectKey(vk::kControl, false);
  window::pumpMessages();
  EXPECT_FALSE(window::isKeyToggled(vk::kCapsLock));
  EXPECT_EQ(listener.charsInKeyDown, (std::vector<char>{0, 'B', 0, 'b', 0, 0, 0}));
}

TEST_F(WindowInput, InsertTogglesOnEachPress) {
  const bool before = window::isKeyToggled(vk::kInsert);
  typeKey(vk::kInsert);
  window::pumpMessages();
  EXPECT_NE(window::isKeyToggled(vk::kInsert), before);
  EXPECT_EQ(platform::services().isKeyToggled(vk::kInsert), !before);
  typeKey(vk::kInsert);
  window::pumpMessages();
  EXPECT_EQ(window::isKeyToggled(vk::kInsert), before);
}

// A key as the desktop reports it: its position, the layout's keycode and the modifiers,
// followed by the text it wrote, if any.
void pushDesktopKey(SDL_Scancode scancode, SDL_Keycode keycode, uint16_t modifiers,
                    const char* text) {
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.windowID = SDL_GetWindowID(window::sdlWindow());
  key.key.state = SDL_PRESSED;
  key.key.keysym = {scancode, keycode, modifiers, 0};
  SDL_PushEvent(&key);
  if (text != nullptr) {
    SDL_Event typed{};
    typed.type = SDL_TEXTINPUT;
    typed.text.windowID = key.key.windowID;
    SDL_strlcpy(typed.text.text, text, sizeof(typed.text.text));
    SDL_PushEvent(&typed);
  }
  key.type = SDL_KEYUP;
  key.key.state = SDL_RELEASED;
  SDL_PushEvent(&key);
}

TEST_F(WindowInput, DesktopKeysWriteTheTextTheirLayoutGave) {
  // French layout: the key at US "2" writes "é"; the key at US "q" is A.
  pushDesktopKey(SDL_SCANCODE_2, SDLK_2, KMOD_NONE, "\xC3\xA9");
  pushDesktopKey(SDL_SCANCODE_Q, SDLK_a, KMOD_LSHIFT, "A");
  // A dead key and a letter it doesn't combine with write two characters.
  pushDesktopKey(SDL_SCANCODE_W, SDLK_z, KMOD_NONE, "^z");
  // Control held: no text comes, and nothing is written.
  pushDesktopKey(SDL_SCANCODE_C, SDLK_c, KMOD_LCTRL, nullptr);
  window::pumpMessages();
  EXPECT_EQ(listener.keyDowns, (std::vector<int32_t>{'2', 'A', 'Z', 'C'}));
  EXPECT_EQ(listener.charsInKeyDown, (std::vector<char>{char(0xE9), 'A', 0, 0}));
  EXPECT_EQ(listener.keyUps, listener.keyDowns);
}

TEST_F(WindowInput, TheKeypadWithoutNumLockGivesTheNavigationKeys) {
  pushDesktopKey(SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NONE, nullptr);
  pushDesktopKey(SDL_SCANCODE_KP_3, SDLK_KP_3, KMOD_NONE, nullptr);
  pushDesktopKey(SDL_SCANCODE_KP_8, SDLK_KP_8, KMOD_NUM, "8");
  window::injectKey(vk::kNumpad0 + 8, true);
  window::pumpMessages();
  EXPECT_EQ(listener.keyDowns,
            (std::vector<int32_t>{vk::kUp, vk::kPageDown, vk::kNumpad0 + 8, vk::kNumpad0 + 8}));
  EXPECT_EQ(listener.charsInKeyDown, (std::vector<char>{0, 0, '8', '8'}));
  EXPECT_TRUE(window::isKeyDown(vk::kNumpad0 + 8));
  EXPECT_FALSE(window::isKeyDown(vk::kUp));
  window::injectKey(vk::kNumpad0 + 8, false);
  window::pumpMessages();
}

TEST_F(WindowInput, KeysThatWriteNothingGiveNoCharacter) {
  EXPECT_EQ(window::keyToChar(vk::kShift), 0);
  EXPECT_EQ(window::keyToChar(vk::kF1), 0);
  EXPECT_EQ(window::keyToChar(vk::kEscape), 0);
  EXPECT_EQ(window::keyToChar(0), 0);
  EXPECT_EQ(window::keyToChar(-3), 0);
  EXPECT_EQ(window::keyToChar(4000), 0);
}

TEST_F(WindowInput, InjectedMouseButtonsCarryTheirCodes) {
  window::injectMouseButton(10, 20, window::kLeftButton, true);
  window::injectMouseButton(30, 40, window::kRightButton, true);
  window::injectMouseButton(50, 60, window::kMiddleButton, false);
  window::injectMouseButton(70, 80, 3, true);  // no such button
  window::pumpMessages();
  EXPECT_EQ(listener.downs, (std::vector<Click>{{10, 20, 1}, {30, 40, 2}}));
  EXPECT_EQ(listener.ups, (std::vector<Click>{{50, 60, 4}}));
  EXPECT_EQ(window::cursorX(), 50);
  EXPECT_EQ(window::cursorY(), 60);
}

TEST_F(WindowInput, InjectedMovesPlaceThePointer) {
  window::injectMouseMove(123, 45);
  window::pumpMessages();
  ASSERT_EQ(listener.moves.size(), 1u);
  EXPECT_EQ(listener.moves[0], (std::array<int32_t, 2>{123, 45}));
  EXPECT_EQ(window::cursorX(), 123);
  EXPECT_EQ(window::cursorY(), 45);
  EXPECT_TRUE(window::isCursorInClient());
  EXPECT_EQ(platform::services().pointerX(), 123);
  window::injectMouseMove(-4, 45);
  window::pumpMessages();
  EXPECT_FALSE(window::isCursorInClient());
  window::injectMouseMove(800, 10);
  window::pumpMessages();
  EXPECT_FALSE(window::isCursorInClient());
}

TEST_F(WindowInput, CenterMousePutsThePointerOnTheClientCentre) {
  window::injectMouseMove(-5, -5);
  window::pumpMessages();
  window::centerMouse();
  EXPECT_EQ(window::cursorX(), 400);
  EXPECT_EQ(window::cursorY(), 300);
  EXPECT_EQ(window::clientCentreX(), 400);
  EXPECT_EQ(window::clientCentreY(), 300);
  EXPECT_TRUE(window::isCursorInClient());
  movePointerAway();
}

TEST_F(WindowInput, PaintingOutsideTheClientSwitchesToTheArrow) {
  window::setCursorMode(0);
  window::injectMouseMove(100, 100);
  window::requestRedraw();
  window::pumpMessages();
  EXPECT_EQ(listener.paints, 1);
  EXPECT_EQ(window::getCursorMode(), 0);
  window::injectMouseMove(-10, -10);
  window::requestRedraw();
  window::pumpMessages();
  EXPECT_EQ(listener.paints, 2);
  EXPECT_EQ(window::getCursorMode(), 1);
}

TEST_F(WindowInput, CursorModesOutsideZeroToTwoAreIgnored) {
  window::setCursorMode(2);
  EXPECT_EQ(window::getCursorMode(), 2);
  window::setCursorMode(3);
  window::setCursorMode(-1);
  EXPECT_EQ(window::getCursorMode(), 2);
  window::setCursorMode(1);
  EXPECT_EQ(window::getCursorMode(), 1);
}

TEST_F(WindowInput, ResizeTellsTheListenerAndResetsTheViewport) {
  glViewport(0, 0, 10, 10);
  pushWindowEvent(SDL_WINDOWEVENT_SIZE_CHANGED);
  window::pumpMessages();
  EXPECT_EQ(listener.resizes, 1);
  std::array<GLint, 4> viewport{};
  glGetIntegerv(GL_VIEWPORT, viewport.data());
  EXPECT_EQ(viewport, (std::array<GLint, 4>{0, 0, 800, 600}));
}

TEST_F(WindowInput, LosingTheForegroundMinimisesOnceAndReleasesTheKeys) {
  takeForeground();
  ASSERT_TRUE(window::isForeground());
  window::injectKey(vk::kLeft, true);
  window::pumpMessages();
  ASSERT_TRUE(window::isKeyDown(vk::kLeft));

  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  window::pumpMessages();
  EXPECT_EQ(listener.focusLosses, 1);
  EXPECT_FALSE(window::isForeground());
  EXPECT_FALSE(window::isKeyDown(vk::kLeft));
  // Later frames don't minimise and pause again.
  window::pumpMessages();
  window::pumpMessages();
  EXPECT_EQ(listener.focusLosses, 1);

  SDL_RestoreWindow(window::sdlWindow());
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  window::pumpMessages();
  EXPECT_TRUE(window::isForeground());
}

TEST_F(WindowInput, FocusRegainedBeforeThePumpEndsIsNoLoss) {
  takeForeground();
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  pushWindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  window::pumpMessages();
  EXPECT_EQ(listener.focusLosses, 0);
  EXPECT_TRUE(window::isForeground());
}

TEST_F(WindowInput, ACloseRequestTellsTheListenerThenClosesTheWindow) {
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  window::injectKey('A', true);  // left in the queue of the closed window
  window::pumpMessages();
  EXPECT_EQ(listener.closes, 1);
  EXPECT_EQ(listener.destroys, 1);
  EXPECT_TRUE(listener.keyDowns.empty());
  EXPECT_FALSE(window::isWindowOpen());
  openTestWindow();
  window::pumpMessages();
  EXPECT_TRUE(listener.keyDowns.empty());
}

// A listener that closes the window itself, as the game does.
class ClosingListener : public RecordingListener {
 public:
  void onClose() override {
    RecordingListener::onClose();
    window::destroyWindow();
  }
};

TEST_F(WindowInput, AListenerThatClosesTheWindowItselfIsToldOfTheDestructionOnce) {
  ClosingListener closing;
  window::setEventListener(&closing);
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  window::pumpMessages();
  EXPECT_EQ(closing.closes, 1);
  EXPECT_EQ(closing.destroys, 1);
  EXPECT_FALSE(window::isWindowOpen());
  openTestWindow();
}

// Lifetime and driver ---------------------------------------------------------------------

using WindowLifetime = WindowTest;

TEST_F(WindowLifetime, WithNobodyListeningACloseRequestClosesTheWindow) {
  window::setEventListener(nullptr);
  pushWindowEvent(SDL_WINDOWEVENT_CLOSE);
  window::pumpMessages();
  EXPECT_FALSE(window::isWindowOpen());
  EXPECT_FALSE(platform::services().hasDisplay());
  // Without a window the driver's questions have empty answers.
  EXPECT_FALSE(window::setSampleCount(4));
  EXPECT_FALSE(window::hasExtension("GL_ARB_multitexture"));
  EXPECT_EQ(window::getExtensionList(), "");
  EXPECT_EQ(window::clientWidth(), 0);
  openTestWindow();
  EXPECT_TRUE(window::isWindowOpen());
  EXPECT_TRUE(platform::services().hasDisplay());
}

TEST_F(WindowLifetime, DestroyTellsTheListenerOnceAndLetsItGo) {
  RecordingListener listener;
  window::setEventListener(&listener);
  window::destroyWindow();
  window::destroyWindow();
  EXPECT_EQ(listener.destroys, 1);
  EXPECT_EQ(window::getEventListener(), nullptr);
  EXPECT_FALSE(window::isWindowOpen());
  EXPECT_EQ(window::getCursorMode(), 1);
  openTestWindow();
}

bool sdlFullscreen() {
  return (SDL_GetWindowFlags(window::sdlWindow()) & SDL_WINDOW_FULLSCREEN) != 0;
}

TEST_F(WindowLifetime, TheConsolesFullScreenTakesTheDesktopSizeAndLeavesForTheFixedWindow) {
  platform::Services& services = platform::services();
  window::setCursorMode(0);
  services.setFullscreen(true);
  EXPECT_TRUE(services.getFullscreen());
  EXPECT_TRUE(sdlFullscreen());
  // The arrow shows while the display changes; the chosen mode comes back at the next paint.
  EXPECT_EQ(window::getCursorMode(), 0);
  window::setClientSize(640, 480);
  services.setFullscreen(false);
  EXPECT_FALSE(services.getFullscreen());
  EXPECT_FALSE(sdlFullscreen());
  EXPECT_EQ(window::clientWidth(), 800);
  EXPECT_EQ(window::clientHeight(), 600);
  EXPECT_FALSE(window::isResizable());
  EXPECT_EQ(window::windowX(), window::desktopWidth() / 2 - window::outerWidth() / 2);
}

TEST_F(WindowLifetime, DestroyingAFullScreenWindowGivesTheDesktopItsModeBack) {
  SDL_DisplayMode desktop{};
  ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
  window::setFullscreen(true, desktop.w, desktop.h);
  ASSERT_TRUE(window::isFullscreen());
  window::destroyWindow();
  EXPECT_FALSE(window::isFullscreen());
  SDL_DisplayMode current{};
  ASSERT_EQ(SDL_GetCurrentDisplayMode(0, &current), 0);
  EXPECT_EQ(current.w, desktop.w);
  EXPECT_EQ(current.h, desktop.h);
  openTestWindow();
  EXPECT_FALSE(window::isFullscreen());
  EXPECT_FALSE(sdlFullscreen());
}

// The loading screen's way of drawing: the main thread lets go of its context and another
// thread draws into the same window with a context of its own.
TEST_F(WindowLifetime, AnotherThreadDrawsIntoTheWindowWhileTheMainContextIsReleased) {
  window::releaseContext();
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  bool madeContext = false;
  Rgba seen{};
  std::thread splash([&] {
    SDL_GLContext context = SDL_GL_CreateContext(window::sdlWindow());
    madeContext = context != nullptr;
    if (!madeContext) return;
    glViewport(0, 0, window::clientWidth(), window::clientHeight());
    gl_state::clearScreen(0.0f, 1.0f, 0.0f);
    seen = pixelAt(400, 300);
    SDL_GL_MakeCurrent(window::sdlWindow(), nullptr);
    SDL_GL_DeleteContext(context);
  });
  splash.join();
  window::restoreContext();
  ASSERT_TRUE(madeContext) << SDL_GetError();
  EXPECT_TRUE(near(seen, {0, 255, 0, 255}));
  ASSERT_NE(SDL_GL_GetCurrentContext(), nullptr);
  gl_state::clearScreen(0.0f, 0.0f, 1.0f);
  EXPECT_TRUE(near(pixelAt(400, 300), {0, 0, 255, 255}));
}

TEST_F(WindowLifetime, TheWindowsServicesAreInForceWhileItIsOpen) {
  platform::Services& services = platform::services();
  EXPECT_TRUE(services.hasDisplay());
  EXPECT_TRUE(services.isWindowOpen());
  EXPECT_EQ(services.clientWidth(), 800);
  EXPECT_EQ(services.clientHeight(), 600);
  EXPECT_FALSE(services.rendererName().empty());
  EXPECT_EQ(services.extensionList(), window::getExtensionList());
  EXPECT_EQ(services.getSampleCount(), 1);
  // Leaving full screen through the console gives the fixed 800 x 600 window.
  window::setClientSize(640, 480);
  window::setResizable(true);
  ASSERT_TRUE(window::isResizable());
  services.setFullscreen(false);
  EXPECT_FALSE(services.getFullscreen());
  EXPECT_EQ(window::clientWidth(), 800);
  EXPECT_EQ(window::clientHeight(), 600);
  EXPECT_FALSE(window::isResizable());
}

TEST_F(WindowLifetime, HasExtensionMatchesWholeNamesOfTheDriversList) {
  const std::string list = window::getExtensionList();
  ASSERT_FALSE(list.empty());
  const std::string first = list.substr(0, list.find(' '));
  EXPECT_TRUE(window::hasExtension(first));
  EXPECT_FALSE(window::hasExtension(first.substr(0, first.size() - 1)));
  EXPECT_FALSE(window::hasExtension(""));
  EXPECT_FALSE(window::hasExtension("GL_VELLMOOR_no_such_extension"));
}

// Where the driver has no swap control (Mesa under Xvfb has none) the interval stays as it
// is and vsync reads as on.
TEST_F(WindowLifetime, VsyncSetsTheSwapIntervalWhereTheDriverHasTheControl) {
  const bool driverControls = SDL_GL_SetSwapInterval(1) == 0;
  const int driverInterval = SDL_GL_GetSwapInterval();
  for (const bool on : {false, true}) {
    window::setVsync(on);
    EXPECT_EQ(SDL_GL_GetSwapInterval(), driverControls ? int(on) : driverInterval) << on;
    EXPECT_EQ(window::getVsync(), on || !driverControls) << on;
  }
}

TEST_F(WindowLifetime, MultisamplingRecreatesTheWindowAndKeepsWhatItHad) {
  RecordingListener listener;
  window::setEventListener(&listener);
  window::setTitle("Kept across recreation");
  window::setCursorMode(2);
  console::clearOutput();

  const bool granted = window::setSampleCount(4);
  ASSERT_TRUE(window::isWindowOpen());
  EXPECT_EQ(window::getEventListener(), &listener);
  EXPECT_EQ(listener.destroys, 0);
  EXPECT_EQ(window::getTitle(), "Kept across recreation");
  EXPECT_EQ(window::getCursorMode(), 2);
  EXPECT_EQ(window::clientWidth(), 800);
  EXPECT_EQ(window::clientHeight(), 600);
  EXPECT_TRUE(platform::services().hasDisplay());
  GLint sampleBuffers = -1;
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  if (granted) {
    EXPECT_EQ(window::getSampleCount(), 4);
    EXPECT_EQ(sampleBuffers, 1);
    EXPECT_TRUE(glIsEnabled(GL_MULTISAMPLE));
    GLint accumulation = -1;
    glGetIntegerv(GL_ACCUM_RED_BITS, &accumulation);
    if (accumulation == 0) {
      EXPECT_NE(consoleText().find("accumulation buffer"), std::string::npos);
    }
  } else {
    EXPECT_EQ(window::getSampleCount(), 1);
    EXPECT_EQ(sampleBuffers, 0);
  }

  // A count no driver offers leaves the window at the count it had.
  EXPECT_FALSE(window::setSampleCount(64));
  EXPECT_EQ(window::getSampleCount(), granted ? 4 : 1);
  EXPECT_EQ(window::getEventListener(), &listener);

  EXPECT_TRUE(window::setSampleCount(0));
  EXPECT_EQ(window::getSampleCount(), 1);
  glGetIntegerv(GL_SAMPLE_BUFFERS, &sampleBuffers);
  EXPECT_EQ(sampleBuffers, 0);
  EXPECT_FALSE(glIsEnabled(GL_MULTISAMPLE));
  EXPECT_TRUE(window::setSampleCount(1));
  EXPECT_EQ(window::getEventListener(), &listener);
  EXPECT_EQ(listener.destroys, 0);

  // The new context draws like the first.
  gl_state::setup2DProjection();
  gl_state::clearScreen(0.0f, 0.0f, 1.0f);
  EXPECT_TRUE(near(pixelAt(400, 300), {0, 0, 255, 255}));
  window::setEventListener(nullptr);
}

TEST_F(WindowLifetime, CreateWindowOnAnOpenWindowDoesNothing) {
  window::createWindow("Second", 320, 200);
  EXPECT_EQ(window::clientWidth(), 800);
  EXPECT_NE(window::getTitle(), "Second");
}

}  // namespace
