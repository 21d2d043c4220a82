// Sizes, positions and appearance. Positions and outer sizes include the window manager's
// frame, as the game's centring expects; client sizes are the drawable area alone.

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <string>

#include "game/platform/window.h"
#include "game/platform/window_state.h"

namespace window {
namespace {

using detail::state;

struct Frame {
  int top = 0, left = 0, bottom = 0, right = 0;
};

// Without a window manager (or while it hasn't said yet) there is no frame.
Frame frameOf(SDL_Window* window) {
  Frame frame;
  if (SDL_GetWindowBordersSize(window, &frame.top, &frame.left, &frame.bottom, &frame.right) != 0) {
    return {};
  }
  return frame;
}

SDL_DisplayMode desktopMode() {
  SDL_DisplayMode mode{};
  const int display = isWindowOpen() ? SDL_GetWindowDisplayIndex(state().window) : 0;
  if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) return {};
  return mode;
}

bool hasFlag(uint32_t flag) {
  return isWindowOpen() && (SDL_GetWindowFlags(state().window) & flag) != 0;
}

// The window's size as SDL keeps it, also while minimised.
void restoredClientSize(int& width, int& height) {
  width = 0;
  height = 0;
  if (isWindowOpen()) SDL_GetWindowSize(state().window, &width, &height);
}

}  // namespace

void setTitle(std::string_view title) {
  if (isWindowOpen()) SDL_SetWindowTitle(state().window, std::string(title).c_str());
}

std::string getTitle() {
  return isWindowOpen() ? SDL_GetWindowTitle(state().window) : "";
}

int32_t clientWidth() {
  if (isMinimized()) return 0;
  int width = 0, height = 0;
  restoredClientSize(width, height);
  return width;
}

int32_t clientHeight() {
  if (isMinimized()) return 0;
  int width = 0, height = 0;
  restoredClientSize(width, height);
  return height;
}

int32_t windowX() {
  if (!isWindowOpen()) return 0;
  int x = 0, y = 0;
  SDL_GetWindowPosition(state().window, &x, &y);
  return x - frameOf(state().window).left;
}

int32_t windowY() {
  if (!isWindowOpen()) return 0;
  int x = 0, y = 0;
  SDL_GetWindowPosition(state().window, &x, &y);
  return y - frameOf(state().window).top;
}

int32_t outerWidth() {
  if (!isWindowOpen()) return 0;
  int width = 0, height = 0;
  restoredClientSize(width, height);
  const Frame frame = frameOf(state().window);
  return width + frame.left + frame.right;
}

int32_t outerHeight() {
  if (!isWindowOpen()) return 0;
  int width = 0, height = 0;
  restoredClientSize(width, height);
  const Frame frame = frameOf(state().window);
  return height + frame.top + frame.bottom;
}

int32_t desktopWidth() {
  return desktopMode().w;
}

int32_t desktopHeight() {
  return desktopMode().h;
}

void setOuterSize(int32_t width, int32_t height) {
  if (!isWindowOpen() || width <= 0 || height <= 0) return;
  const Frame frame = frameOf(state().window);
  const int clientW = width - frame.left - frame.right;
  const int clientH = height - frame.top - frame.bottom;
  SDL_SetWindowSize(state().window, clientW > 0 ? clientW : 1, clientH > 0 ? clientH : 1);
  detail::refreshDrawable();
  detail::applyViewport();
}

void setClientSize(int32_t width, int32_t height) {
  if (!isWindowOpen() || width <= 0 || height <= 0) return;
  SDL_SetWindowSize(state().window, width, height);
  detail::refreshDrawable();
  glViewport(0, 0, width, height);
}

void setPosition(int32_t x, int32_t y) {
  if (!isWindowOpen()) return;
  const Frame frame = frameOf(state().window);
  SDL_SetWindowPosition(state().window, x + frame.left, y + frame.top);
}

void centerWindow() {
  setPosition(desktopWidth() / 2 - outerWidth() / 2, desktopHeight() / 2 - outerHeight() / 2);
}

void setResizable(bool on) {
  if (isWindowOpen()) SDL_SetWindowResizable(state().window, on ? SDL_TRUE : SDL_FALSE);
}

bool isResizable() {
  return hasFlag(SDL_WINDOW_RESIZABLE);
}

void minimizeWindow() {
  if (isWindowOpen()) SDL_MinimizeWindow(state().window);
}

void bringToFront() {
  if (!isWindowOpen()) return;
  SDL_RaiseWindow(state().window);
  SDL_SetWindowInputFocus(state().window);
}

bool isMinimized() {
  return hasFlag(SDL_WINDOW_MINIMIZED);
}

bool isForeground() {
  return isWindowOpen() && state().foreground;
}

// The box may have no desktop to appear on; the error output always has the text.
void showError(std::string_view text, std::string_view caption) {
  const std::string textCopy(text);
  const std::string captionCopy(caption);
  std::fprintf(stderr, "%s: %s\n", captionCopy.c_str(), textCopy.c_str());
  SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, captionCopy.c_str(), textCopy.c_str(),
                           state().window);
}

}  // namespace window
