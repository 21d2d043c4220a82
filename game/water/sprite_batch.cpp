#include "game/water/sprite_batch.h"

#include <algorithm>

namespace {

constexpr float kCornerTexture[8] = {0.0f, 0.0f, 1.0f, 0.0f, 1.0f, 1.0f, 0.0f, 1.0f};

}  // namespace

void SpriteBatch::begin(size_t expectedSprites) {
  spriteCount_ = 0;
  reserveSprites(expectedSprites);
}

void SpriteBatch::reserveSprites(size_t sprites) {
  const size_t had = capacity();
  if (sprites <= had) return;
  positions_.resize(sprites * kPositionFloats);
  colours_.resize(sprites * kColourFloats);
  textureCoordinates_.resize(sprites * kPositionFloats);
  for (size_t sprite = had; sprite < sprites; ++sprite)
    std::copy(std::begin(kCornerTexture), std::end(kCornerTexture),
              textureCoordinates_.begin() + ptrdiff_t(sprite * kPositionFloats));
}

void SpriteBatch::addSprite(float x, float y, float h, SpriteColour colour) {
  if (!(colour.a > 0.0f)) return;
  if (spriteCount_ == capacity()) reserveSprites(std::max<size_t>(64, spriteCount_ * 2));
  const float corners[kPositionFloats] = {x - h, y - h, x + h, y - h, x + h, y + h, x - h, y + h};
  std::copy(std::begin(corners), std::end(corners),
            positions_.data() + spriteCount_ * kPositionFloats);
  float* rgba = colours_.data() + spriteCount_ * kColourFloats;
  for (int corner = 0; corner < 4; ++corner, rgba += 4) {
    rgba[0] = colour.r;
    rgba[1] = colour.g;
    rgba[2] = colour.b;
    rgba[3] = colour.a;
  }
  ++spriteCount_;
}

SpriteColour SpriteBatch::colour(size_t sprite) const {
  const float* rgba = colours_.data() + sprite * kColourFloats;
  return {rgba[0], rgba[1], rgba[2], rgba[3]};
}
