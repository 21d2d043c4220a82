#include "game/gui/splash_thread.h"

#include <GL/gl.h>
#include <SDL2/SDL.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "common/config_file.h"
#include "game/console/console.h"
#include "game/entities/level_objects.h"
#include "game/gui/gui_screen.h"
#include "game/gui/splash_settings.h"
#include "game/platform/font_text.h"
#include "game/platform/frame_timer.h"
#include "game/platform/gl_state.h"
#include "game/platform/texture_handle.h"
#include "game/platform/window.h"

namespace {

constexpr auto kTurnPause = std::chrono::milliseconds(25);
constexpr int32_t kLargestSide = 65535;
constexpr GuiColour kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr GuiColour kBlack{0.0f, 0.0f, 0.0f, 1.0f};

// Everything the screen shows, taken on this thread so its textures live in this context.
struct SplashPictures {
  SplashSettings settings;
  TextureHandle background;
  TextureHandle font;
  TextureArea crop;
  LevelObject animation;  // resolves its frames the way an animated level object does

  explicit SplashPictures(SplashSettings read)
      : settings(std::move(read)),
        background(settings.background, kSplashBackgroundFallback),
        font(settings.font, kSplashFontFallback),
        crop(centredCrop(settings.backgroundWidth, settings.backgroundHeight, background.width(),
                         background.height())) {
    animation.setSprite(settings.animation);
  }
};

// The window's drawable size, each side kept within 1 .. 65535.
void drawableSize(int32_t& width, int32_t& height) {
  int w = 0, h = 0;
  SDL_GL_GetDrawableSize(window::sdlWindow(), &w, &h);
  width = std::clamp(w, 1, kLargestSide);
  height = std::clamp(h, 1, kLargestSide);
}

// The name centred on its line, over a shadow (an outline in high contrast).
void drawTitle(const SplashPictures& pictures, const std::string& title) {
  if (title.empty()) return;
  const SplashSettings& s = pictures.settings;
  const float top = s.titleY - s.titleSize / 2.0f;
  if (!highContrastText())
    drawTextCentered(pictures.font, title, 2.0f, top + 2.0f, kVirtualWidth, s.titleSize,
                     s.titleSize, 0.0f, 0.0f, 0.0f, 0.8f);
  drawTextCentered(pictures.font, title, 0.0f, top, kVirtualWidth, s.titleSize, s.titleSize, 0.85f,
                   0.95f, 1.0f, 1.0f);
}

void drawTurn(const SplashPictures& pictures, const SplashAnimation& animation,
              const std::string& title) {
  int32_t width = 0, height = 0;
  drawableSize(width, height);
  gl_state::setup2DProjection(width, height);
  glDisable(GL_CULL_FACE);
  glDisable(GL_DEPTH_TEST);
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);

  // The picture is stretched over the whole window, whatever its shape.
  glPushMatrix();
  glScalef(static_cast<float>(width) / kVirtualWidth, static_cast<float>(height) / kVirtualHeight,
           1.0f);
  drawTexturedQuad(pictures.background, 0.0f, 0.0f, kVirtualWidth, kVirtualHeight, pictures.crop,
                   kWhite);
  glPopMatrix();

  // The animation and the name keep their place and shape in the virtual area, like the
  // menus' widgets.
  const VirtualView view = virtualView(width, height);
  glPushMatrix();
  glTranslatef(view.offsetX, view.offsetY, 0.0f);
  glScalef(view.scale, view.scale, 1.0f);
  const std::vector<TextureHandle>& frames = pictures.animation.frames;
  if (!frames.empty()) {
    const TextureHandle& frame = frames[static_cast<size_t>(animation.frame())];
    const SplashSettings& s = pictures.settings;
    drawSpriteCentred(frame, s.animationX + 1.0f, s.animationY + 1.0f, kBlack);
    drawSpriteCentred(frame, s.animationX, s.animationY, kWhite);
  }
  drawTitle(pictures, title);
  glPopMatrix();
}

void drawUntilStopped(SplashFlags& flags, const std::string& title) {
  const SplashPictures pictures(readSplashSettings(ConfigFile(kSplashConfigPath)));
  SplashAnimation animation(static_cast<int32_t>(pictures.animation.frames.size()),
                            pictures.settings.animationSpeed);
  FrameTimer timer;
  flags.ready = true;
  while (flags.active) {
    animation.step(timer.tick());
    drawTurn(pictures, animation, title);
    SDL_GL_SwapWindow(window::sdlWindow());
    ++flags.framesDrawn;
    std::this_thread::sleep_for(kTurnPause);
  }
}  // the pictures are let go here, on this thread, while the context is still current

}  // namespace

void runSplashThread(SplashFlags& flags, const std::string& title) {
  SDL_Window* target = window::sdlWindow();
  SDL_GLContext context = target != nullptr ? SDL_GL_CreateContext(target) : nullptr;
  if (context == nullptr) {
    console::print("\nThe loading screen could not create its OpenGL context: ");
    console::print(SDL_GetError());
    flags.ready = true;
    return;
  }
  drawUntilStopped(flags, title);
  SDL_GL_MakeCurrent(target, nullptr);
  SDL_GL_DeleteContext(context);
}
