#include "game/water/sprite_batch.h"

#include <GL/gl.h>

namespace {

constexpr float kCornerTexture[8] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};

}  // namespace

void SpriteBatch::begin(size_t expectedSprites) {
  positions_.clear();
  colours_.clear();
  positions_.reserve(expectedSprites * 8);
  colours_.reserve(expectedSprites * 16);
}

void SpriteBatch::addSprite(float x, float y, float h, SpriteColour colour) {
  const float corners[8] = {x - h, y - h, x + h, y - h, x + h, y + h, x - h, y + h};
  positions_.insert(positions_.end(), corners, corners + 8);
  for (int corner = 0; corner < 4; ++corner)
    colours_.insert(colours_.end(), {colour.r, colour.g, colour.b, colour.a});
}

void SpriteBatch::growTextureCoordinates() {
  while (textureCoordinates_.size() < positions_.size())
    textureCoordinates_.insert(textureCoordinates_.end(), kCornerTexture, kCornerTexture + 8);
}

void SpriteBatch::draw(uint32_t textureId) {
  if (positions_.empty()) return;
  growTextureCoordinates();
  glBindTexture(GL_TEXTURE_2D, textureId);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, positions_.data());
  glTexCoordPointer(2, GL_FLOAT, 0, textureCoordinates_.data());
  glColorPointer(4, GL_FLOAT, 0, colours_.data());
  glDrawArrays(GL_QUADS, 0, GLsizei(positions_.size() / 2));
  glPopClientAttrib();
}
