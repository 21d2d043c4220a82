#include "game/gui/hud.h"

#include <algorithm>

#include "game/gui/gui_level_time_display.h"
#include "game/gui/menu_builder.h"
#include "game/platform/texture_handle.h"
#include "game/simulation/level_completion.h"
#include "game/simulation/player_settings.h"
#include "game/water/grouped_particle_mover.h"
#include "game/world/level_record.h"
#include "game/world/screen_flow.h"

namespace hud {
namespace {

constexpr float kTextSize = 16.0f;

std::optional<TextureHandle> font_;
TextStyle menuStyle_;
std::optional<Frame> shown_;

float shareOfStartWater(double water) {
  return float(std::clamp(water / double(level_record::kStartWater), 0.0, 1.0));
}

// The menus' font, colour and drop shadow, read once per game run.
void loadLook() {
  if (font_) return;
  const ConfigFile general(kMenuGeneralConfigPath);
  const MenuLook look(general);
  font_.emplace(look.font, "DEFAULT_FONT");
  menuStyle_ = {&*font_,          kTextSize,        look.fontColour,      true,
                look.textShadowX, look.textShadowY, look.textShadowColour};
}

WaterGauge waterGauge(uint32_t kept, double needed) {
  return {shareOfStartWater(double(kept)), shareOfStartWater(needed)};
}

}  // namespace

void update() {
  if (!player_settings::hudDraw() || screen_flow::isMenuOpen()) {
    shown_.reset();
    return;
  }
  loadLook();
  Frame& frame = shown_.emplace();
  frame.style = menuStyle_;
  // In high contrast the text's own outline stands in for the shadow.
  frame.style.shadow = !player_settings::highContrast();
  const uint32_t kept = grouped_particle_mover::totalWater();
  frame.gauge = waterGauge(kept, level_completion::neededWater());
  frame.waterText = std::to_string(kept) + " / " + std::to_string(level_record::kStartWater);
  frame.timeText = levelTimeDisplayText(level_record::elapsedMs());
}

const std::optional<Frame>& shownFrame() {
  return shown_;
}

void release() {
  shown_.reset();
  font_.reset();
}

}  // namespace hud
