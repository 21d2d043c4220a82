#pragma once
// Square sprites collected for one draw call. The batch is kept from pass to pass and
// written in place, so once it has grown to a frame's size, building thousands of sprites a
// frame allocates nothing.

#include <cstddef>
#include <cstdint>
#include <vector>

struct SpriteColour {
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

// The square (x - halfSize, y - halfSize) .. (x + halfSize, y + halfSize) in `colour`; the
// texture runs from (0, 0) at the first corner to (1, 1) at the opposite one.
struct Sprite {
  float x = 0.0f, y = 0.0f, halfSize = 0.0f;
  SpriteColour colour;
};

class SpriteBatch {
 public:
  // Empties the batch, keeping its memory; `expectedSprites` sizes it for the coming pass.
  void begin(size_t expectedSprites);
  // A sprite without opacity (alpha 0 or less) is left out: blended, it would leave every
  // pixel as it was, and under a software renderer each sprite costs.
  void addSprite(float x, float y, float h, SpriteColour colour);
  // Binds the two-dimensional texture and draws the sprites, one point each where the
  // driver runs the sprite point program, else as quads; the client array state is left as
  // it was found. Nothing is drawn for an empty batch. The one part that needs OpenGL
  // (sprite_batch_draw.cpp).
  void draw(uint32_t textureId) const;
  size_t spriteCount() const { return spriteCount_; }
  // The colour of sprite `sprite`, below spriteCount().
  SpriteColour colour(size_t sprite) const { return sprites_[sprite].colour; }

 private:
  void drawQuads() const;

  size_t spriteCount_ = 0;
  // Sized to the capacity; only the first spriteCount_ sprites are drawn.
  std::vector<Sprite> sprites_;
  // The quads' corners, colours and texture corners, filled only when points can't be used.
  mutable std::vector<float> quadCorners_, quadColours_, quadTexture_;
};
