// Handing a sprite batch to the driver: as points where it can (sprite_points_draw.cpp),
// else as quads. Filling the batch needs no OpenGL and lives in sprite_batch.cpp.

#include <GL/gl.h>

#include <algorithm>
#include <iterator>

#include "game/water/sprite_batch.h"
#include "game/water/sprite_points.h"

namespace {

constexpr float kCornerTexture[8] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};

}  // namespace

void SpriteBatch::draw(uint32_t textureId) const {
  if (spriteCount_ == 0) return;
  glBindTexture(GL_TEXTURE_2D, textureId);
  if (!sprite_points::draw(sprites_.data(), spriteCount_)) drawQuads();
}

// Each sprite's four corners from the top-left clockwise, all in its colour. The texture
// corners are the same for every sprite, so only new room gets them.
void SpriteBatch::drawQuads() const {
  quadCorners_.resize(spriteCount_ * 8);
  quadColours_.resize(spriteCount_ * 16);
  for (size_t i = quadTexture_.size() / 8; i < spriteCount_; ++i)
    quadTexture_.insert(quadTexture_.end(), std::begin(kCornerTexture), std::end(kCornerTexture));
  for (size_t i = 0; i < spriteCount_; ++i) {
    const Sprite& s = sprites_[i];
    const float h = s.halfSize;
    const float corners[8] = {s.x - h, s.y - h, s.x + h, s.y - h,
                              s.x + h, s.y + h, s.x - h, s.y + h};
    std::copy(std::begin(corners), std::end(corners), quadCorners_.begin() + ptrdiff_t(i * 8));
    const float rgba[4] = {s.colour.r, s.colour.g, s.colour.b, s.colour.a};
    for (size_t corner = 0; corner < 4; ++corner)
      std::copy(std::begin(rgba), std::end(rgba),
                quadColours_.begin() + ptrdiff_t(i * 16 + corner * 4));
  }
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, quadCorners_.data());
  glTexCoordPointer(2, GL_FLOAT, 0, quadTexture_.data());
  glColorPointer(4, GL_FLOAT, 0, quadColours_.data());
  glDrawArrays(GL_QUADS, 0, GLsizei(spriteCount_ * 4));
  glPopClientAttrib();
}
