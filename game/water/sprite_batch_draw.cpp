// Handing a sprite batch to the driver; filling it needs no OpenGL and lives in
// sprite_batch.cpp.

#include <GL/gl.h>

#include "game/water/sprite_batch.h"

void SpriteBatch::draw(uint32_t textureId) const {
  if (spriteCount_ == 0) return;
  glBindTexture(GL_TEXTURE_2D, textureId);
  glPushClientAttrib(GL_CLIENT_VERTEX_ARRAY_BIT);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  glEnableClientState(GL_COLOR_ARRAY);
  glVertexPointer(2, GL_FLOAT, 0, positions_.data());
  glTexCoordPointer(2, GL_FLOAT, 0, textureCoordinates_.data());
  glColorPointer(4, GL_FLOAT, 0, colours_.data());
  glDrawArrays(GL_QUADS, 0, GLsizei(spriteCount_ * 4));
  glPopClientAttrib();
}
