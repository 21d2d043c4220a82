#pragma once
// The services of a run without a window. Keys translate as on a US layout with no
// modifier held, and lock states are set by whoever drives the run (tests, the simulator).

#include "game/platform/platform_services.h"

namespace platform {

class HeadlessServices final : public Services {
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

 private:
  bool open_ = true;
  bool insertToggled_ = false;
  bool capsToggled_ = false;
};

// The one headless instance, in force whenever no window has installed its services.
HeadlessServices& headlessServices();

}  // namespace platform
