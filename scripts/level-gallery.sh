#!/usr/bin/env bash
# Renders one overview picture of every shipped level into docs/levels/ and writes
# docs/levels.md around them: each level's name, idea, par time, what its route achieves
# (the score to beat) and picture. The game plays each level under the display (Xvfb
# without one), starts play, and takes its picture at 1280 x 720 through the free view,
# framed on the level's outlines (the green box is what the player sees at that moment).
# Objects are drawn however far they are from the player's view, so the flags and signs by
# distant areas show too. The heads-up display is switched off for the pictures; the game
# keeps its settings in a scratch folder here, so the player's preferences stay as they are.
#   scripts/level-gallery.sh            (after `make game`; BUILD_DIR defaults to build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${BUILD_DIR:-$root/build}" && pwd)
pictures=$root/docs/levels
mkdir -p "$pictures"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# The readable name the game shows: no leading number, "_" read as a blank, a capital first.
readable() {
  local name=${1#[0-9]*_}
  name=${name//_/ }
  echo "${name^}"
}

# "FreeCameraX X", "FreeCameraY Y" and "FreeCameraZoom Z" lines that fit the bounds
# "LEFT TOP RIGHT BOTTOM" into the game's 800 x 600 view with a little room.
framing() {
  awk '{ w = $3 - $1; h = $4 - $2; z = 0.95 * ((800 / w < 600 / h) ? 800 / w : 600 / h);
         printf "FreeCameraX %g\nFreeCameraY %g\nFreeCameraZoom %g\n", ($1 + $3) / 2, ($2 + $4) / 2, z }' <<< "$1"
}

# "Its route wins ..." from the simulator's summary of the level's route, played as the
# window plays it at 60 frames a second.
route_result() {
  local name=$1 summary
  summary=$("$build/bin/vmr_sim" --data "$build/data" --level "lev/$name.swah" --fps 60 \
    --script "$root/data/lev/$name.solution" --json 2> /dev/null) || true
  field() { sed -n "s/^  \"$1\": \(.*\),\?$/\1/p" <<< "$summary" | tr -d ','; }
  if [[ $(field won) != true ]]; then
    echo "Its route does not win."
    return
  fi
  printf 'Its route wins at 60 Hz after %.1f s with %s of 128 drops: a score of %s.\n' \
    "$(field win_seconds)" "$(( $(field free_particles) + $(field ice_particles) ))" \
    "$(field score | sed ':a;s/\B[0-9]\{3\}\>/,&/;ta')"
}

render() {
  local name=$1 bounds=$2
  cat > "$scratch/$name.script" <<SCRIPT
HudDraw 0
MouseMove 2 2
KeyPress 13
KeyPress 13
WaitSeconds 2
FreeCamera 1
FreeCameraReadout 0
ObjectsCull 0
$(framing "$bounds")
Wait 2
Screenshot $pictures/$name.png
Wait 1
Quit
SCRIPT
  (cd "$build/data" && env XDG_CONFIG_HOME="$scratch/config" XDG_DATA_HOME="$scratch/data" \
    ALSOFT_DRIVERS=null "$root/scripts/with-display.sh" "$build/bin/vmr_main" -fullscreen 0 \
    -resolution 1280 720 -map "lev\\$name.swah" -exec "$scratch/$name.script" > /dev/null)
}

{
  echo "# The levels"
  echo
  echo "Every level in the order the level chooser lists them, with what it teaches and the"
  echo "time a good run takes. Its route (\`data/lev/NAME.solution\`) wins it with held keys"
  echo "alone; \`make test\` plays every route at the frame rates players have, and its score"
  echo "at 60 frames a second is the one to beat. The"
  echo "pictures show each whole level through the free view two seconds into play (the green"
  echo "box is what the player sees then), made by \`scripts/level-gallery.sh\`."
  for source in "$root"/data/lev/[0-9]*.json; do
    name=$(basename "$source" .json)
    notes=$("$build/bin/levelc" "$source")
    render "$name" "$(sed -n 's/^bounds: //p' <<< "$notes")"
    echo
    echo "## $(readable "$name")"
    echo
    echo "$(sed -n 's/^idea: //p' <<< "$notes") Par time: $(sed -n 's/^par: //p' <<< "$notes") s."
    echo "$(route_result "$name")"
    echo
    echo "![$(readable "$name")](levels/$name.png)"
  done
} > "$scratch/levels.md"
mv "$scratch/levels.md" "$root/docs/levels.md"
echo "Wrote docs/levels.md and $(ls "$pictures" | wc -l) pictures in docs/levels/"
