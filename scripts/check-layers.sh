#!/usr/bin/env bash
# Keeps each folder a layer (docs/architecture.md): every `#include "…"` of the tree may point
# only to its own folder, to a folder of a lower layer, or sideways where the simulation's
# order allows it (level, then water, then entities). Simulation code (world, level, water,
# entities, simulation; not its *_draw and *_renderer files) never reaches a device header
# (OpenGL, SDL, OpenAL, FFmpeg, Vorbis, GTK), whether it includes one itself or through one of
# the headers it includes. Prints each fault with its file and line; exits 1 on any.
#   scripts/check-layers.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# Folders from the bottom up. A file may include any folder ranked at or below its own.
declare -A rank=(
  [common]=1 [game/platform]=2 [game/console]=3 [game/world]=4 [game/level]=5
  [game/water]=6 [game/entities]=7 [game/simulation]=8 [game/gui]=9 [game/app]=10
)
simulation_folders="game/world game/level game/water game/entities game/simulation"
device_header='^#include <(GL/|SDL|AL/|libav|vorbis/|ogg/|gtk/|gdk/)'

faults=0
fault() {
  echo "$1: $2" >&2
  faults=$((faults + 1))
}

is_drawing() {
  [[ $1 =~ _(draw|renderer|renderers)\.(h|cpp)$ ]]
}

folder_of() {
  local folder
  folder=$(dirname "$1")
  [[ $folder == common/* ]] && folder=common
  echo "$folder"
}

# The quoted includes of a file, one "line path" pair per line.
quoted_includes() {
  grep -n '^#include "' "$1" | sed -E 's/^([0-9]+):#include "([^"]+)".*/\1 \2/' || true
}

check_ranks() {
  local file=$1 own own_rank line target target_folder
  own=$(folder_of "$file")
  own_rank=${rank[$own]:-}
  while read -r line target; do
    [[ -z $line ]] && continue
    target_folder=$(folder_of "$target")
    if [[ $own == launcher ]]; then
      [[ $target_folder == common || $target_folder == launcher ]] ||
        fault "$file:$line" "the launcher includes only common/ and itself, not $target"
      continue
    fi
    [[ -z $own_rank ]] && continue
    local target_rank=${rank[$target_folder]:-}
    if [[ -z $target_rank ]]; then
      fault "$file:$line" "$target is outside the game's layers"
    elif ((target_rank > own_rank)); then
      fault "$file:$line" "$own includes $target, a layer above it"
    fi
  done < <(quoted_includes "$file")
}

# Follows quoted includes from a simulation file; the first device header met is a fault.
declare -A seen
reaches_device() {
  local file=$1 via=$2 line target device
  [[ -n ${seen[$file]:-} ]] && return 0
  seen[$file]=1
  device=$(grep -nE "$device_header" "$file" | head -1 || true)
  if [[ -n $device ]]; then
    fault "$via" "simulation code reaches ${device#*:} through $file"
    return 0
  fi
  while read -r line target; do
    [[ -z $line || ! -f $target ]] && continue
    reaches_device "$target" "$via"
  done < <(quoted_includes "$file")
}

check_devices() {
  local file=$1 line target device
  is_drawing "$file" && return 0
  device=$(grep -nE "$device_header" "$file" | head -1 || true)
  [[ -n $device ]] && fault "$file:${device%%:*}" "simulation code includes ${device#*:}"
  while read -r line target; do
    [[ -z $line || ! -f $target ]] && continue
    is_drawing "$target" && fault "$file:$line" "simulation code includes the drawing $target"
    seen=()
    reaches_device "$target" "$file:$line"
  done < <(quoted_includes "$file")
}

while IFS= read -r file; do
  check_ranks "$file"
done < <(find common game launcher -name '*.h' -o -name '*.cpp' | sort)

for folder in $simulation_folders; do
  [[ -d $folder ]] || continue
  while IFS= read -r file; do
    check_devices "$file"
  done < <(find "$folder" -name '*.h' -o -name '*.cpp' | sort)
done

if ((faults > 0)); then
  echo "$faults include(s) break the layers; docs/architecture.md says what each folder may include." >&2
  exit 1
fi
echo "Every include keeps to its layer."
