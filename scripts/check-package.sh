#!/usr/bin/env bash
# Builds the Debian package (`make package`), unpacks it into a temporary root and runs the
# unpacked programs from there with a bare environment, so nothing of the build tree is on
# any search path: the package must hold everything the game reads, and the dependencies
# dpkg-shlibdeps computed must be what the programs load.
set -euo pipefail
self=$(realpath "$0")
cd "$(dirname "$self")/.."
build=${BUILD_DIR:-build}

# The second half runs under the display with-display.sh provides.
if [[ "${1:-}" == --run ]]; then
  root=$2
  bare=(env -i PATH=/usr/bin:/bin HOME="$root/home" DISPLAY="$DISPLAY"
        XAUTHORITY="${XAUTHORITY:-}" XDG_CONFIG_HOME="$root/home/config"
        XDG_DATA_HOME="$root/home/data" ALSOFT_DRIVERS=null)
  mkdir -p "$root/home"
  cd "$root/home"
  "${bare[@]}" "$root/usr/bin/vmr_sim" --level lev/01_first_turn.swah --ticks 60 > sim.txt 2>&1 ||
    { tail -20 sim.txt; exit 1; }
  echo "vmr_sim: exit 0, $(grep -E '^(ticks|free_particles|state_hash):' sim.txt | paste -sd ' ')"
  printf 'WaitSeconds 1\nScreenshot package.png\nWait 1\nQuit\n' > script.txt
  "${bare[@]}" "$root/usr/bin/vmr_main" -exec "$root/home/script.txt" > game.txt 2>&1 ||
    { tail -20 game.txt; exit 1; }
  [[ -s data/vellmoor/package.png ]] || { echo "vmr_main wrote no screenshot" >&2; exit 1; }
  echo "vmr_main: exit 0, screenshot $(file -b data/vellmoor/package.png)"
  exit 0
fi

rm -f "$build"/vellmoor_*.deb
start=$SECONDS
make --no-print-directory package BUILD_DIR="$build" > "$build/package.log" 2>&1 ||
  { tail -30 "$build/package.log"; exit 1; }
deb=$(echo "$build"/vellmoor_*.deb)
echo "Built $deb in $((SECONDS - start)) s: $(du -h "$deb" | cut -f1)," \
     "$(dpkg-deb -f "$deb" Installed-Size) KiB installed"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
if file "$root"/usr/bin/* | grep -q 'not stripped'; then
  echo "unstripped programs in the package" >&2
  exit 1
fi
if grep -l "$PWD" "$root"/usr/bin/*; then
  echo "programs in the package name the source tree $PWD" >&2
  exit 1
fi
scripts/with-display.sh "$self" --run "$root"
