#!/usr/bin/env bash
# Plays every shipped level's route (or the levels named) at the frame rates players have and
# on uneven clocks, with its holds as written and 15 % shorter and longer (25 % for the first
# level), and prints one line a run: the clock, the holds' scale, whether the route kept its
# promises, the water kept and when the win began (seconds of play, and ticks).
#   [VIEW=1280x720] scripts/route-matrix.sh [NAME ...]   NAME as in data/lev/NAME.json;
#   after `make game`. VIEW is the window's size (default 1024x768, the headless one).
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD_DIR:-$root/build}" && pwd)
view=${VIEW:-1024x768}
clocks=("--fps 30" "--fps 60" "--fps 75" "--fps 120" "--fps 144" "--fps 240"
        "--frame-times jitter:1" "--frame-times jitter:2" "--frame-times jitter:3")

if (($# == 0)); then
  set -- $(cd "$root/data/lev" && ls *.solution | sed 's/\.solution$//')
fi
for name in "$@"; do
  spread=0.15
  [[ $name == 01_* ]] && spread=0.25
  for clock in "${clocks[@]}"; do
    for scale in $(awk -v s=$spread 'BEGIN { print 1 - s, 1, 1 + s }'); do
      summary=$("$build/bin/vmr_sim" --data "$build/data" --level "lev/$name.swah" $clock --view "$view" \
        --script "$root/data/lev/$name.solution" --hold-scale "$scale" 2> /dev/null)
      status=$?
      field() { sed -n "s/^$1: //p" <<< "$summary"; }
      water=$(( $(field free_particles) + $(field ice_particles) ))
      verdict=$([[ $status == 0 ]] && echo kept || echo MISSED)
      printf '%-22s %-24s x%-5s %-6s water %3d  win %s s, tick %s\n' "$name" "$clock" \
        "$scale" "$verdict" "$water" "$(field win_seconds)" "$(field win_tick)"
    done
  done
done
