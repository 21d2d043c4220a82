#include "game/water/sprite_batch.h"

#include <algorithm>

void SpriteBatch::begin(size_t expectedSprites) {
  spriteCount_ = 0;
  if (expectedSprites > sprites_.size()) sprites_.resize(expectedSprites);
}

void SpriteBatch::addSprite(float x, float y, float h, SpriteColour colour) {
  if (!(colour.a > 0.0f)) return;
  if (spriteCount_ == sprites_.size()) sprites_.resize(std::max<size_t>(64, spriteCount_ * 2));
  sprites_[spriteCount_++] = Sprite{x, y, h, colour};
}
