#include "tools/imagegen/launcher_background.h"

#include <algorithm>
#include <cmath>

#include "tools/imagegen/deep_water.h"
#include "tools/imagegen/text_mask.h"
#include "tools/imagegen/water_lettering.h"

namespace {

constexpr LightBeam kBeams[] = {{60, 45}, {230, 28}, {380, 55}};
constexpr std::uint32_t kSeed = 0x1a0c4u;
// The pane behind the captions, lists and buttons.
constexpr float kPaneLeft = 4.0f, kPaneTop = 188.0f, kPaneRight = 521.0f, kPaneBottom = 361.0f;
constexpr float kPaneRadius = 10.0f;

float paneDistance(float x, float y) {
  const float cx = (kPaneLeft + kPaneRight) * 0.5f, cy = (kPaneTop + kPaneBottom) * 0.5f;
  const float dx = std::max(std::abs(x - cx) - ((kPaneRight - kPaneLeft) * 0.5f - kPaneRadius), 0.0f);
  const float dy = std::max(std::abs(y - cy) - ((kPaneBottom - kPaneTop) * 0.5f - kPaneRadius), 0.0f);
  return std::hypot(dx, dy) - kPaneRadius;
}

void paintWaterAndPane(Canvas& canvas) {
  for (int y = 0; y < kLauncherHeight; ++y) {
    for (int x = 0; x < kLauncherWidth; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      canvas.blend(x, y, deepWater(px, py, kLauncherHeight, kBeams, kSeed), 1.0f);
      const float d = paneDistance(px, py);
      canvas.blend(x, y, rgb(0, 6, 14), 0.5f * std::clamp(0.5f - d, 0.0f, 1.0f));
      canvas.blend(x, y, rgb(150, 220, 245), 0.3f * std::clamp(1.0f - std::abs(d + 0.5f), 0.0f, 1.0f));
    }
  }
}

}  // namespace

std::optional<Image> drawLauncherBackground(const FreeTypeFace& face) {
  std::optional<TextMask> word = renderTextToFit(face, "VELLMOOR", 440, 90, 3);
  if (!word) return std::nullopt;
  Canvas canvas(kLauncherWidth, kLauncherHeight);
  paintWaterAndPane(canvas);
  const WaterLettering title(std::move(*word));
  title.paint(canvas, (kLauncherWidth - title.width()) / 2, (kPaneTop - title.height()) / 2,
              WaterLook{0.5f, 2.4f, 0.65f});
  return canvas.toImage();
}
