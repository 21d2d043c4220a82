#include "game/gui/intro_screen.h"

#include "game/platform/music.h"

IntroScreen::IntroScreen(std::string_view videoFile, std::string_view musicFile)
    : video_(videoFile), musicFile_(musicFile) {}

void IntroScreen::run() {
  window::GLWindowEventListener* previous = window::getEventListener();
  window::setEventListener(this);
  video_.rewind();
  music::playMusic(musicFile_, false);
  playing_ = true;
  while (window::isWindowOpen() && playing_ && !video_.isFinished()) {
    window::requestRedraw();
    window::pumpMessages();
    if (!window::isWindowOpen()) break;
    // The arrow comes back when the pointer leaves the picture for the desktop.
    window::setCursorMode(window::isCursorInClient() ? 0 : 1);
    video_.update();
    video_.draw();
  }
  playing_ = false;
  music::stopMusic();
  window::setEventListener(previous);
}

void IntroScreen::onMouseDown(int32_t /*x*/, int32_t /*y*/, int32_t /*button*/) {
  playing_ = false;
}

void IntroScreen::onKeyDown(int32_t /*virtualKey*/) {
  playing_ = false;
}

void IntroScreen::onClose() {
  window::destroyWindow();
}
