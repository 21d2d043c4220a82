#pragma once
// The trigger types by number and by the name level authors use for them. A level file
// stores the number as a u32, so the null type -1 is 0xFFFFFFFF there. The trigger manager
// builds its action table on this one.

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

struct TriggerTypeName {
  int32_t id;
  std::string_view name;
};

// Every trigger type the game acts on, in ascending id order.
inline constexpr std::array<TriggerTypeName, 36> kTriggerTypeNames = {{
    {-1, "Null_a"},
    {0, "To_ice_a"},
    {1, "To_water_a"},
    {2, "To_steam_a"},
    {3, "Anim_play_loop_1"},
    {4, "Anim_play_once_1"},
    {5, "Anim_stop_1"},
    {100, "Sound_play_1"},
    {101, "Sound_stop_1"},
    {200, "Force_directional_a"},
    {201, "Force_instantenous_a"},
    {202, "Force_multi_dir_pull_a"},
    {203, "Force_multi_dir_push_a"},
    {300, "Entity_remove_1"},
    {301, "Entity_add_1"},
    {401, "Mover_goto_start_1"},
    {402, "Mover_goto_end_1"},
    {403, "Mover_stop_1"},
    {404, "Mover_goto_start_a"},
    {405, "Mover_goto_end_a"},
    {406, "Mover_stop_a"},
    {407, "Mover_goto_start_loop_1"},
    {408, "Mover_goto_end_loop_1"},
    {409, "Mover_goto_start_loop_a"},
    {410, "Mover_goto_end_loop_a"},
    {501, "Emitter_create_burst_1"},
    {502, "Emitter_start_1"},
    {503, "Emitter_stop_1"},
    {601, "Camera_zoom_1"},
    {602, "Camera_zoom_a"},
    {603, "Camera_shake_1"},
    {604, "Camera_shake_a"},
    {701, "Particle_kill_a"},
    {702, "Particle_kill_random_a"},
    {801, "Level_end_a"},
    {901, "Checkpoint_1"},
}};

// The name of trigger type `id`; nullopt for a number the game has no action for.
std::optional<std::string_view> triggerTypeName(int32_t id);

// The id of the type called exactly `name` (letter case counts); nullopt when none is.
std::optional<int32_t> triggerTypeId(std::string_view name);
