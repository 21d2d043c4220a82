#include "game/entities/sound_sources_draw.h"

#include <string>

#include "game/console/console.h"
#include "game/entities/sound_sources.h"
#include "game/platform/debug_draw_scope.h"
#include "game/platform/font_text.h"

namespace sound_sources {
namespace {

constexpr float kLabelSize = 8.0f;

void drawLabels(const TextureHandle& font, const SourceMap& map) {
  for (const auto& [id, sources] : map) {
    for (const SoundSource& source : sources) {
      // The id as a signed number, as the triggers' overlay shows their target ids.
      const std::string label =
          "id: " + std::to_string(int32_t(source.id)) + " sound: " + source.soundName;
      drawText(font, label, source.position.x, source.position.y, kLabelSize, 1.0f, 1.0f, 1.0f,
               1.0f);
    }
  }
}

}  // namespace

void drawSoundSources() {
  if (!drawFlag()) return;
  const TextureHandle* font = console::fontTexture();
  if (font == nullptr) return;
  const DebugDrawScope scope;
  drawLabels(*font, loopingSources());
  drawLabels(*font, oneShotSources());
}

}  // namespace sound_sources
