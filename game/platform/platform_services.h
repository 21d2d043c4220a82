#pragma once
// What the console and the game core ask of the window, the OpenGL driver and the texture
// manager. The window layer installs its own implementation when it has opened a window; a
// run without one (tools, tests, benchmarks) keeps the headless services, which have no
// display and behave as if an invisible window stayed open until the game quits.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One game controller's turning controls as they stand: the left stick across (-1 full left,
// 1 full right) and the shoulder triggers (0 at rest, 1 pressed fully).
struct ControllerAxes {
  float stickX = 0.0f;
  float leftTrigger = 0.0f;
  float rightTrigger = 0.0f;
};

class Services {
 public:
  virtual ~Services() = default;

  // A real window with an OpenGL context exists; the queries below need one.
  virtual bool hasDisplay() const = 0;
  // The game goes on while this is true; destroyWindow ends it.
  virtual bool isWindowOpen() const = 0;
  virtual void destroyWindow() = 0;
  // Handles the window's pending events, so it stays responsive during long work.
  virtual void pumpMessages() = 0;

  virtual bool getFullscreen() const = 0;
  virtual void setFullscreen(bool on) = 0;
  virtual int32_t getSampleCount() const = 0;
  virtual bool getVsync() const = 0;
  virtual void setVsync(bool on) = 0;
  virtual std::string rendererName() const = 0;
  virtual std::string extensionList() const = 0;
  // True only when one blank-separated extension equals `name` exactly.
  virtual bool hasExtension(std::string_view name) const = 0;

  // Texture manager: listings are printed on the console by the implementation.
  virtual void printTextureList() = 0;
  virtual void printTextureMemory() = 0;
  virtual void reloadTextures() = 0;
  virtual int32_t getTextureQuality() const = 0;
  virtual void setTextureQuality(int32_t quality) = 0;
  virtual int32_t getAnisotropy() const = 0;
  virtual void setAnisotropy(int32_t level) = 0;

  // The character a virtual key gives on the user's layout with the current modifiers;
  // 0 when it gives none, or more than one.
  virtual char keyToChar(int virtualKey) const = 0;
  // The lock state of a lock key (Insert, Caps Lock).
  virtual bool isKeyToggled(int virtualKey) const = 0;
  // The key is held at this moment, whichever window has the focus.
  virtual bool isKeyDown(int virtualKey) const = 0;

  // The game's window is the one the user works in.
  virtual bool isForeground() const = 0;
  // The pointer is over the client area.
  virtual bool isCursorInClient() const = 0;
  // The pointer in client pixels, origin at the client's top-left, y growing downward.
  virtual int32_t pointerX() const = 0;
  virtual int32_t pointerY() const = 0;
  // The client area in pixels; 0 while the window is minimised.
  virtual int32_t clientWidth() const = 0;
  virtual int32_t clientHeight() const = 0;
  // Puts the pointer on (clientWidth / 2, clientHeight / 2), rounded down to whole pixels.
  virtual void centerMouse() = 0;

  // The game controllers plugged in, in the order they came; a run without a window has none.
  virtual std::vector<ControllerAxes> controllerAxes() const { return {}; }
  virtual std::vector<std::string> controllerNames() const { return {}; }
};

// The services in force: the window layer's, or the headless ones.
Services& services();
// Installs the window layer's services; nullptr goes back to the headless ones.
void installServices(Services* windowServices);

}  // namespace platform
