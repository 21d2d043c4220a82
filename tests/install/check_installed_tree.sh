#!/usr/bin/env bash
# check_installed_tree.sh CMAKE BUILD_DIR: installs the build tree into a temporary prefix, moves
# the installed tree elsewhere and runs its programs from a folder outside it, so they must
# find their data from their own place. Also checks what the desktop reads: the entry, the
# metainfo and the icon at every size.
set -euo pipefail
cmake=$1
build=$(realpath "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

"$cmake" --install "$build" --prefix "$work/installed" > /dev/null
mv "$work/installed" "$work/moved"
tree=$work/moved
app=org.vellmoor.Vellmoor

stamps=$(find "$tree/share/vellmoor" -name '.*')
[[ -z "$stamps" ]] || fail "stamp files installed: $stamps"
for program in "$tree"/bin/*; do
  if readelf -d "$program" | grep -E 'RPATH|RUNPATH' | grep -q "$build"; then
    fail "$program searches the build tree for libraries"
  fi
done

desktop-file-validate "$tree/share/applications/$app.desktop"
appstreamcli validate --no-net "$tree/share/metainfo/$app.metainfo.xml" > /dev/null ||
  fail "appstreamcli rejects the metainfo"
for size in 16 32 48 64 128 256; do
  icon=$tree/share/icons/hicolor/${size}x${size}/apps/$app.png
  file "$icon" | grep -q "PNG image data, $size x $size, 8-bit/color RGBA" ||
    fail "$icon is not a $size x $size RGBA picture"
done

# Both programs start in a folder that is no data folder, with the per-user folders in the
# temporary folder.
mkdir -p "$work/elsewhere" "$work/config" "$work/userdata"
cd "$work/elsewhere"
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/userdata ALSOFT_DRIVERS=null
"$tree/bin/vmr_sim" --level lev/01_first_turn.swah --ticks 30 > "$work/sim.txt" ||
  fail "vmr_sim of the moved tree: $(cat "$work/sim.txt")"
grep -q '^ticks: 30$' "$work/sim.txt" || fail "vmr_sim ran no level: $(cat "$work/sim.txt")"

printf 'WaitSeconds 1\nScreenshot installed.png\nWait 1\nQuit\n' > "$work/script.txt"
"$tree/bin/vmr_main" -exec "$work/script.txt" > "$work/game.txt" 2>&1 ||
  fail "vmr_main of the moved tree: $(tail -20 "$work/game.txt")"
[[ -s "$XDG_DATA_HOME/vellmoor/installed.png" ]] ||
  fail "no screenshot from the moved tree's game: $(tail -20 "$work/game.txt")"
echo "The moved tree runs: $tree"
