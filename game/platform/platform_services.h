#pragma once
// What the console and the game core ask of the window, the OpenGL driver and the texture
// manager. The window layer installs its own implementation when it has opened a window; a
// run without one (tools, tests, benchmarks) keeps the headless services, which have no
// display and behave as if an invisible window stayed open until the game quits.

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

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
};

// The services in force: the window layer's, or the headless ones.
Services& services();
// Installs the window layer's services; nullptr goes back to the headless ones.
void installServices(Services* windowServices);

}  // namespace platform
