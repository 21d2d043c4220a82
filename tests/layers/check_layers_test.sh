#!/usr/bin/env bash
# The layer check passes on the tree and fails, naming file and line, on a small tree that
# breaks each of its rules once.
set -uo pipefail
check=$1/scripts/check-layers.sh
"$check" "$1" || { echo "the tree itself breaks its layers" >&2; exit 1; }

tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
mkdir -p "$tree"/{common,launcher,game/{platform,level,water,app}}
add() { printf '%s\n' "$2" > "$tree/$1"; }
add game/app/game.h ''
add game/level/x_draw.h ''
add game/level/climbs.cpp '#include "game/app/game.h"'
add game/level/sideways.cpp '#include "game/water/flow.h"'
add game/water/flow.h '#include "game/level/fine.h"'
add game/level/fine.h ''
add game/platform/gl.h '#include <GL/gl.h>'
add common/reach.h '#include "game/platform/gl.h"'
add game/level/reaches_device.cpp '#include "common/reach.h"'
add game/level/includes_drawing.cpp '#include "game/level/x_draw.h"'
add game/level/x_draw.cpp '#include <GL/gl.h>'
add launcher/window.cpp '#include "game/level/fine.h"'

output=$("$check" "$tree" 2>&1) && { echo "a broken tree passed" >&2; exit 1; }
expected=(
  "game/level/climbs.cpp:1: game/level includes game/app/game.h, a layer above it"
  "game/level/sideways.cpp:1: game/level includes game/water/flow.h, a layer above it"
  "common/reach.h:1: common includes game/platform/gl.h, a layer above it"
  "game/level/reaches_device.cpp:1: simulation code reaches #include <GL/gl.h> through game/platform/gl.h"
  "game/level/includes_drawing.cpp:1: simulation code includes the drawing game/level/x_draw.h"
  "launcher/window.cpp:1: the launcher includes only common/ and itself, not game/level/fine.h"
  "6 include(s) break the layers"
)
status=0
for line in "${expected[@]}"; do
  grep -qF "$line" <<< "$output" || { echo "missing: $line" >&2; status=1; }
done
[[ $status == 0 ]] || echo "$output" >&2
exit $status
