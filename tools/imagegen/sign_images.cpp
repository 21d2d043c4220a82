#include "tools/imagegen/sign_images.h"

#include <algorithm>
#include <cmath>

#include "tools/imagegen/canvas.h"
#include "tools/imagegen/mask.h"
#include "tools/imagegen/noise.h"
#include "tools/imagegen/shape_fill.h"
#include "tools/imagegen/text_mask.h"

namespace {

constexpr int kWidth = 256;
constexpr int kHeight = 128;
// The game shows about 800 x 600 world units, one a pixel on an 800 x 600 window: capitals
// of 20 pixels read there at a glance and still fit a short line on the board.
constexpr int kCapHeight = 20;
constexpr int kLineWidth = 224;
constexpr Colour kWords = rgb(252, 240, 205);
constexpr Colour kInk = rgb(30, 19, 10);

struct Box {
  float left, top, right, bottom;
};

bool insideRoundedBox(float x, float y, Box box, float radius) {
  const float dx = std::max({box.left + radius - x, x - (box.right - radius), 0.0f});
  const float dy = std::max({box.top + radius - y, y - (box.bottom - radius), 0.0f});
  return dx * dx + dy * dy < radius * radius;
}

// A wooden board with a dark frame, grain running across and a nail in each top corner.
void paintBoard(Canvas& canvas, Box box) {
  fillShape(canvas, rgb(50, 32, 18), 1.0f,
            [=](float x, float y) { return insideRoundedBox(x, y, box, 10.0f); });
  const Box inner{box.left + 4, box.top + 4, box.right - 4, box.bottom - 4};
  fillShape(canvas, rgb(124, 82, 45), 1.0f,
            [=](float x, float y) { return insideRoundedBox(x, y, inner, 7.0f); });
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x) {
      if (!insideRoundedBox(float(x) + 0.5f, float(y) + 0.5f, inner, 7.0f)) continue;
      const float bend = 6.0f * valueNoise(x, y, 32, kWidth, 0x5157u);
      const float grain = 0.5f + 0.5f * std::sin((float(y) + bend) * 0.9f);
      canvas.blend(x, y, rgb(78, 48, 24), 0.3f * grain);
    }
  for (const float nx : {inner.left + 8, inner.right - 8})
    fillShape(canvas, rgb(170, 170, 164), 1.0f, [=](float x, float y) {
      return (x - nx) * (x - nx) + (y - inner.top - 8) * (y - inner.top - 8) < 6.0f;
    });
}

// Lays `words` with their capitals centred on (cx, cy): light letters on a dark edge, which
// keeps them sharp on the grain.
void paintWords(Canvas& canvas, const TextMask& words, float cx, float cy) {
  constexpr int kEdge = 3;
  const int x = int(std::lround(cx - float(words.mask.width) * 0.5f));
  const int y =
      int(std::lround(cy - float(words.capHeight) * 0.5f)) - (words.baseline - words.capHeight);
  const Mask padded =
      placed(words.mask, words.mask.width + 2 * kEdge, words.mask.height + 2 * kEdge, kEdge, kEdge);
  canvas.blendMask(grown(padded, 1.6f), x - kEdge, y - kEdge, kInk, 0.85f);
  canvas.blendMask(words.mask, x, y, kWords, 1.0f);
}

// A pale key cap with a dark triangle pointing left (`towards` -1) or right (1), centred
// on (cx, cy).
void paintArrowKey(Canvas& canvas, float cx, float cy, float towards) {
  const Box cap{cx - 16, cy - 15, cx + 16, cy + 15};
  fillShape(canvas, kInk, 1.0f, [=](float x, float y) { return insideRoundedBox(x, y, cap, 6); });
  const Box face{cap.left + 2, cap.top + 2, cap.right - 2, cap.bottom - 4};
  fillShape(canvas, rgb(226, 222, 210), 1.0f,
            [=](float x, float y) { return insideRoundedBox(x, y, face, 5); });
  fillShape(canvas, kInk, 1.0f, [=](float x, float y) {
    const float along = (x - cx) * towards;  // towards the tip
    return along > -6.0f && along < 7.0f && std::abs(y - cy + 1.0f) < (7.0f - along) * 0.62f;
  });
}

// A gold arrow pointing down, its tip at (cx, tip); `grow` widens it for its dark edge.
bool insideDownArrow(float x, float y, float cx, float tip, float grow) {
  const float across = std::abs(x - cx);
  const bool shaft = across < 8.0f + grow && y > tip - 46.0f - grow && y < tip - 20.0f;
  const bool head =
      y < tip + grow * 1.4f && y > tip - 25.0f - grow && across < tip + grow * 1.4f - y;
  return shaft || head;
}

}  // namespace

std::optional<Image> drawTurnSign(const FreeTypeFace& face) {
  const std::optional<TextMask> heading = renderTextToFit(face, "Turn the world", kLineWidth, 22);
  const std::optional<TextMask> mouse = renderTextToFit(face, "or mouse", 130, kCapHeight - 2);
  if (!heading || !mouse) return std::nullopt;
  Canvas canvas(kWidth, kHeight);
  paintBoard(canvas, {2, 2, kWidth - 2, kHeight - 2});
  paintWords(canvas, *heading, kWidth * 0.5f, 44.0f);
  // The two arrow keys, then the words, centred together on the second line.
  const float total = 32 + 6 + 32 + 12 + float(mouse->mask.width);
  const float left = (kWidth - total) * 0.5f;
  paintArrowKey(canvas, left + 16, 88.0f, -1.0f);
  paintArrowKey(canvas, left + 54, 88.0f, 1.0f);
  paintWords(canvas, *mouse, left + 82 + float(mouse->mask.width) * 0.5f, 88.0f);
  return canvas.toImage();
}

std::optional<Image> drawGoalSign(const FreeTypeFace& face) {
  const std::optional<TextMask> first = renderTextToFit(face, "Bring the", kLineWidth, kCapHeight);
  const std::optional<TextMask> second =
      renderTextToFit(face, "water here", kLineWidth, kCapHeight);
  if (!first || !second) return std::nullopt;
  Canvas canvas(kWidth, kHeight);
  constexpr float kTip = kHeight - 2.0f;
  constexpr float kMiddle = kWidth * 0.5f;
  fillShape(canvas, kInk, 1.0f,
            [=](float x, float y) { return insideDownArrow(x, y, kMiddle, kTip, 2.5f); });
  fillShape(canvas, rgb(250, 206, 60), 1.0f,
            [=](float x, float y) { return insideDownArrow(x, y, kMiddle, kTip, 0.0f); });
  paintBoard(canvas, {2, 2, kWidth - 2, 86});
  paintWords(canvas, *first, kMiddle, 30.0f);
  paintWords(canvas, *second, kMiddle, 62.0f);
  return canvas.toImage();
}

std::optional<std::vector<NamedImage>> drawSignImages(const FreeTypeFace& face) {
  std::optional<Image> turn = drawTurnSign(face);
  std::optional<Image> goal = drawGoalSign(face);
  if (!turn || !goal) return std::nullopt;
  std::vector<NamedImage> images;
  images.push_back({"obj/sign_turn.tga", std::move(*turn)});
  images.push_back({"obj/sign_goal.tga", std::move(*goal)});
  return images;
}
