#include "game/platform/window_services.h"

#include <GL/gl.h>

#include "game/platform/platform_services.h"
#include "game/platform/textures.h"
#include "game/platform/window.h"

namespace window {
namespace {

constexpr int32_t kWindowedWidth = 800;
constexpr int32_t kWindowedHeight = 600;

class WindowServices : public platform::Services {
 public:
  bool hasDisplay() const override { return true; }
  bool isWindowOpen() const override { return window::isWindowOpen(); }
  void destroyWindow() override { window::destroyWindow(); }
  void pumpMessages() override { window::pumpMessages(); }

  bool getFullscreen() const override { return window::isFullscreen(); }
  // Full screen takes the desktop's own size; windowed goes back to the fixed 800 x 600.
  void setFullscreen(bool on) override {
    if (on) {
      window::setFullscreen(true, desktopWidth(), desktopHeight());
    } else {
      window::setFullscreen(false, kWindowedWidth, kWindowedHeight);
      setResizable(false);
    }
  }
  int32_t getSampleCount() const override { return window::getSampleCount(); }
  bool getVsync() const override { return window::getVsync(); }
  void setVsync(bool on) override { window::setVsync(on); }
  std::string rendererName() const override {
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    return name != nullptr ? name : "";
  }
  std::string extensionList() const override { return getExtensionList(); }
  bool hasExtension(std::string_view name) const override { return window::hasExtension(name); }

  void printTextureList() override { textures::printTextureList(); }
  void printTextureMemory() override { textures::printTextureMemory(); }
  void reloadTextures() override { textures::reloadTexturesTimed(); }
  int32_t getTextureQuality() const override { return textures::textureQuality(); }
  void setTextureQuality(int32_t quality) override { textures::setTextureQuality(quality); }
  int32_t getAnisotropy() const override { return textures::anisotropy(); }
  void setAnisotropy(int32_t level) override { textures::setAnisotropy(level); }

  char keyToChar(int virtualKey) const override { return window::keyToChar(virtualKey); }
  bool isKeyToggled(int virtualKey) const override { return window::isKeyToggled(virtualKey); }
  bool isKeyDown(int virtualKey) const override { return window::isKeyDown(virtualKey); }

  bool isForeground() const override { return window::isForeground(); }
  bool isCursorInClient() const override { return window::isCursorInClient(); }
  int32_t pointerX() const override { return cursorX(); }
  int32_t pointerY() const override { return cursorY(); }
  int32_t clientWidth() const override { return window::clientWidth(); }
  int32_t clientHeight() const override { return window::clientHeight(); }
  void centerMouse() override { window::centerMouse(); }

  std::vector<platform::ControllerAxes> controllerAxes() const override {
    return window::controllerAxes();
  }
  std::vector<std::string> controllerNames() const override { return window::controllerNames(); }
};

WindowServices& windowServices() {
  static WindowServices instance;
  return instance;
}

}  // namespace

void installWindowServices() {
  platform::installServices(&windowServices());
}

void removeWindowServices() {
  platform::installServices(nullptr);
}

}  // namespace window
