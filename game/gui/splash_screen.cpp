#include "game/gui/splash_screen.h"

#include <atomic>
#include <chrono>
#include <memory>
#include <string>

#include "common/worker_thread.h"
#include "game/gui/splash_thread.h"
#include "game/platform/window.h"

namespace splash_screen {
namespace {

constexpr auto kReadyPoll = std::chrono::milliseconds(5);
constexpr int32_t kNormalPriority = 0;

struct SplashState {
  SplashFlags flags;
  window::GLWindowEventListener* savedListener = nullptr;
  std::unique_ptr<WorkerThread> thread;
  uint32_t threadsStarted = 0;
};
SplashState& state() {
  static SplashState instance;
  return instance;
}

}  // namespace

void startSplash(std::string_view title) {
  SplashState& s = state();
  if (s.flags.active || !window::isWindowOpen()) return;
  s.savedListener = window::getEventListener();
  window::setEventListener(nullptr);
  s.flags.active = true;
  s.thread = std::make_unique<WorkerThread>(
      [&flags = s.flags, title = std::string(title)] { runSplashThread(flags, title); });
  s.thread->setPriority(kNormalPriority);
  s.flags.ready = false;
  s.flags.framesDrawn = 0;
  ++s.threadsStarted;
  s.thread->resume();
  while (!s.flags.ready) std::this_thread::sleep_for(kReadyPoll);
}

void stopSplash() {
  SplashState& s = state();
  if (!s.flags.active) return;
  s.flags.active = false;
  s.thread.reset();
  window::setEventListener(s.savedListener);
}

bool isActive() {
  return state().flags.active;
}

uint32_t threadsStarted() {
  return state().threadsStarted;
}

uint32_t framesDrawn() {
  return state().flags.framesDrawn;
}

}  // namespace splash_screen
