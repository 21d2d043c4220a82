#pragma once
// Square sprites collected into vertex arrays and handed to the driver in one call. The
// arrays are kept from batch to batch and written in place, so once they have grown to a
// frame's size, building thousands of sprites a frame allocates nothing.

#include <cstddef>
#include <cstdint>
#include <vector>

struct SpriteColour {
  float r = 1.0f, g = 1.0f, b = 1.0f, a = 1.0f;
};

class SpriteBatch {
 public:
  // Empties the batch, keeping its memory; `expectedSprites` sizes it for the coming pass.
  void begin(size_t expectedSprites);
  // The square (x - h, y - h) .. (x + h, y + h), texture corners (0, 0), (1, 0), (1, 1),
  // (0, 1) from the top-left clockwise, all four corners in `colour`. A sprite without
  // opacity (alpha 0 or less) is left out: blended, it would leave every pixel as it was,
  // and under a software renderer each sprite costs.
  void addSprite(float x, float y, float h, SpriteColour colour);
  // Binds the two-dimensional texture and draws the sprites as quads; the client array
  // state is left as it was found. Nothing is drawn for an empty batch. The one part that
  // needs OpenGL (sprite_batch_draw.cpp).
  void draw(uint32_t textureId) const;
  size_t spriteCount() const { return spriteCount_; }
  // The colour of sprite `sprite`, below spriteCount().
  SpriteColour colour(size_t sprite) const;

 private:
  // Makes room for `sprites` sprites; the texture corners of new room are filled at once,
  // as they are the same for every sprite.
  void reserveSprites(size_t sprites);
  size_t capacity() const { return positions_.size() / kPositionFloats; }

  static constexpr size_t kPositionFloats = 8;  // x, y per corner
  static constexpr size_t kColourFloats = 16;   // r, g, b, a per corner

  size_t spriteCount_ = 0;
  // Sized to the capacity; only the first spriteCount_ sprites are drawn.
  std::vector<float> positions_;
  std::vector<float> colours_;
  std::vector<float> textureCoordinates_;
};
