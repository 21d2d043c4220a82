#pragma once
// The services of a run without a window. Keys translate as on a US layout with no
// modifier held; lock states and held keys are set by whoever drives the run (tests, the
// simulator). The invisible window has a client of 1024 x 768 pixels, never has the
// foreground and never has the pointer over it, so the mouse turns nothing.

#include <bitset>

#include "game/platform/platform_services.h"

namespace platform {

class HeadlessServices : public Services {
 public:
  bool hasDisplay() const override { return false; }
  void pumpMessages() override {}
  bool isWindowOpen() const override { return open_; }
  void destroyWindow() override { open_ = false; }
  // Opens the invisible window again, for a fresh run in the same process.
  void reopen() { open_ = true; }

  bool getFullscreen() const override { return false; }
  void setFullscreen(bool) override {}
  int32_t getSampleCount() const override { return 1; }
  bool getVsync() const override { return false; }
  void setVsync(bool) override {}
  std::string rendererName() const override { return {}; }
  std::string extensionList() const override { return {}; }
  bool hasExtension(std::string_view) const override { return false; }

  void printTextureList() override {}
  void printTextureMemory() override {}
  void reloadTextures() override {}
  int32_t getTextureQuality() const override { return 0; }
  void setTextureQuality(int32_t) override {}
  int32_t getAnisotropy() const override { return 0; }
  void setAnisotropy(int32_t) override {}

  char keyToChar(int virtualKey) const override;
  bool isKeyToggled(int virtualKey) const override;
  void setKeyToggled(int virtualKey, bool toggled);
  bool isKeyDown(int virtualKey) const override;
  // Holds or releases a key; codes outside 0..255 are ignored.
  void setKeyDown(int virtualKey, bool down);
  // Releases every held key, for a fresh run in the same process.
  void releaseAllKeys() { keysDown_.reset(); }

  bool isForeground() const override { return false; }
  bool isCursorInClient() const override { return false; }
  int32_t pointerX() const override { return 0; }
  int32_t pointerY() const override { return 0; }
  int32_t clientWidth() const override { return clientWidth_; }
  int32_t clientHeight() const override { return clientHeight_; }
  // Gives the invisible window another shape; sizes below 0 are taken as 0.
  void setClientSize(int32_t width, int32_t height);
  void centerMouse() override {}

 private:
  static constexpr int kKeyCount = 256;

  bool open_ = true;
  bool insertToggled_ = false;
  bool capsToggled_ = false;
  std::bitset<kKeyCount> keysDown_;
  int32_t clientWidth_ = 1024;
  int32_t clientHeight_ = 768;
};

// The one headless instance, in force whenever no window has installed its services.
HeadlessServices& headlessServices();

}  // namespace platform
