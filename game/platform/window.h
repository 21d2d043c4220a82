#pragma once
// The game's one window, its OpenGL context and its raw input, on SDL2. There is never more
// than one window, so this is a module with process-wide state rather than a class. Input
// reaches the game two ways: pushed through the one registered event listener, and pulled
// through the key and pointer queries. Keys are Windows virtual-key codes throughout.
//
// While a window is open the layer installs its platform services, so the console and the
// camera reach the real window; when it is destroyed the headless services come back.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/platform/platform_services.h"

struct SDL_Window;

namespace window {

// Receives the window's events. Every operation does nothing unless overridden.
class GLWindowEventListener {
 public:
  virtual ~GLWindowEventListener() = default;
  virtual void onMouseMove(int32_t /*x*/, int32_t /*y*/) {}
  // Buttons: 1 left, 2 right, 4 middle.
  virtual void onMouseDown(int32_t /*x*/, int32_t /*y*/, int32_t /*button*/) {}
  virtual void onMouseUp(int32_t /*x*/, int32_t /*y*/, int32_t /*button*/) {}
  // Auto-repeat sends further key-downs.
  virtual void onKeyDown(int32_t /*virtualKey*/) {}
  virtual void onKeyUp(int32_t /*virtualKey*/) {}
  virtual void onResize() {}
  // The user asked to close the window; it closes when this returns.
  virtual void onClose() {}
  virtual void onDestroy() {}
  virtual void onPaint() {}
  // The window lost the foreground and has been minimised.
  virtual void onFocusLost() {}
  // A game controller was unplugged.
  virtual void onControllerRemoved() {}
};

constexpr int32_t kLeftButton = 1;
constexpr int32_t kRightButton = 2;
constexpr int32_t kMiddleButton = 4;

// Creation and lifetime. createWindow does nothing when a window exists; a window or context
// that can't be made ends the process with a message box and exit code 1.
void createWindow(std::string_view title, int32_t width, int32_t height);
void destroyWindow();
bool isWindowOpen();
// Delivers every pending event to the listener, then minimises a windowed window that has
// lost the foreground and tells the listener.
void pumpMessages();
void requestRedraw();
void setEventListener(GLWindowEventListener* listener);
GLWindowEventListener* getEventListener();
void swapBuffers();

// Geometry and appearance. Sizes and positions are pixels; sizes of 0 or below are ignored.
void setTitle(std::string_view title);
std::string getTitle();
int32_t clientWidth();
int32_t clientHeight();
int32_t windowX();
int32_t windowY();
int32_t outerWidth();
int32_t outerHeight();
int32_t desktopWidth();
int32_t desktopHeight();
void setOuterSize(int32_t width, int32_t height);
void setClientSize(int32_t width, int32_t height);
void setPosition(int32_t x, int32_t y);
void centerWindow();
void setResizable(bool on);
bool isResizable();
void minimizeWindow();
void bringToFront();
bool isMinimized();
bool isForeground();
void showError(std::string_view text, std::string_view caption);

// Display modes: the mode of that size nearest to 60 Hz, if the display has one.
struct DisplayMode {
  int32_t width = 0;
  int32_t height = 0;
  int32_t refreshRate = 0;  // Hz; 0 when the driver doesn't say
};
std::optional<DisplayMode> findDisplayMode(int32_t width, int32_t height);
void setFullscreen(bool on, int32_t width, int32_t height);
bool isFullscreen();

// Cursor modes: 0 hidden (the game draws its own pointer), 1 arrow, 2 crosshair.
void setCursorMode(int32_t mode);
int32_t getCursorMode();
// The pointer in client pixels.
int32_t cursorX();
int32_t cursorY();
// The centre of the client area in the same pixels as the pointer.
int32_t clientCentreX();
int32_t clientCentreY();
bool isCursorInClient();
void centerMouse();
void releaseCursorClip();

// Keyboard, in virtual-key codes.
bool isKeyDown(int32_t virtualKey);
bool isKeyToggled(int32_t virtualKey);
// The character the key gives on the user's layout with the modifiers now held; 0 when it
// gives none or more than one.
char keyToChar(int32_t virtualKey);

// Game controllers plugged in while the window is open, in the order they came.
std::vector<platform::ControllerAxes> controllerAxes();
std::vector<std::string> controllerNames();

// The driver.
std::string getExtensionList();
bool hasExtension(std::string_view name);
bool getVsync();
void setVsync(bool on);
// Recreates the window with n samples per pixel (n below 2: none). False when the driver
// refuses; the window then keeps, or goes back to, the previous count. Textures and display
// lists don't survive, so only start-up calls it.
bool setSampleCount(int32_t samples);
int32_t getSampleCount();

// Events as if the user made them: they are queued and reach the listener, the key state
// and the pointer position at the next pumpMessages. Scripts and tests drive the game so.
void injectKey(int32_t virtualKey, bool down);
void injectMouseMove(int32_t x, int32_t y);
void injectMouseButton(int32_t x, int32_t y, int32_t button, bool down);

// The loading screen draws into this window from a thread of its own, with a context of its
// own: the main thread lets go of its context meanwhile and takes it back afterwards.
SDL_Window* sdlWindow();
void releaseContext();
void restoreContext();

}  // namespace window
