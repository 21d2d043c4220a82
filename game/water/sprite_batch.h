#pragma once
// Square sprites collected into vertex arrays and handed to the driver in one call. The
// arrays are kept from batch to batch, so once they have grown to a frame's size, building
// thousands of sprites a frame allocates nothing.

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
  // (0, 1) from the top-left clockwise, all four corners in `colour`.
  void addSprite(float x, float y, float h, SpriteColour colour);
  // Binds the two-dimensional texture and draws the sprites as quads; the client array
  // state is left as it was found. Nothing is drawn for an empty batch.
  void draw(uint32_t textureId);
  size_t spriteCount() const { return positions_.size() / 8; }

 private:
  void growTextureCoordinates();

  std::vector<float> positions_;  // x, y per corner
  std::vector<float> colours_;    // r, g, b, a per corner
  // The same four corners over and over; only ever extended.
  std::vector<float> textureCoordinates_;
};
