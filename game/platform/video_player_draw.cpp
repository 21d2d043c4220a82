// The video's texture and its quad; video_player.cpp decides which frame is shown.

#include <GL/gl.h>
#include <GL/glext.h>

#include <vector>

#include "game/platform/gl_state.h"
#include "game/platform/video_player.h"
#include "game/platform/window.h"

void VideoPlayer::createTexture() {
  deleteTexture();
  if (!window::isWindowOpen()) return;
  GLuint name = 0;
  glGenTextures(1, &name);
  texture_ = name;
  glBindTexture(GL_TEXTURE_2D, name);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  // Black until the first frame lands in the corner.
  const std::vector<uint8_t> black(size_t(textureWidth_) * textureHeight_ * 3, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, GLsizei(textureWidth_), GLsizei(textureHeight_), 0,
               GL_RGB, GL_UNSIGNED_BYTE, black.data());
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

void VideoPlayer::uploadFrame(const uint8_t* bgrRows) {
  if (texture_ == 0) return;
  glBindTexture(GL_TEXTURE_2D, texture_);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, GLsizei(format_.width), GLsizei(format_.height),
                  GL_BGR_EXT, GL_UNSIGNED_BYTE, bgrRows);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

void VideoPlayer::deleteTexture() {
  if (texture_ != 0 && window::isWindowOpen()) {
    const GLuint name = texture_;
    glDeleteTextures(1, &name);
  }
  texture_ = 0;
}

void VideoPlayer::draw() const {
  if (!isOpen()) return;
  gl_state::setup2DProjection();
  gl_state::clearScreen(0.0f, 0.0f, 0.0f);
  drawFrame();
  window::swapBuffers();
}

void VideoPlayer::drawFrame() const {
  if (!isOpen() || texture_ == 0) return;
  gl_state::setup2DProjection();
  glEnable(GL_TEXTURE_2D);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_BLEND);
  glBindTexture(GL_TEXTURE_2D, texture_);
  const video::VideoQuad quad = video::videoQuad(format_.width, format_.height,
                                                 window::clientWidth(), window::clientHeight());
  const float u = float(format_.width) / float(textureWidth_);
  const float v = float(format_.height) / float(textureHeight_);
  // The rows are bottom-up, so the texture's first row belongs at the bottom of the quad.
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glBegin(GL_QUADS);
  glTexCoord2f(0.0f, v);
  glVertex2f(quad.left, 0.0f);
  glTexCoord2f(u, v);
  glVertex2f(quad.right, 0.0f);
  glTexCoord2f(u, 0.0f);
  glVertex2f(quad.right, quad.bottom);
  glTexCoord2f(0.0f, 0.0f);
  glVertex2f(quad.left, quad.bottom);
  glEnd();
}
