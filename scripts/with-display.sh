#!/usr/bin/env bash
# Runs a command with an X display: the user's own when one is set, otherwise a virtual
# server (Xvfb) with a 24-bit screen large enough for every window the tests open.
set -euo pipefail
if [[ -n "${DISPLAY:-}" ]]; then
  exec "$@"
fi
exec xvfb-run --auto-servernum --server-args="-screen 0 1600x1200x24 -nolisten tcp" "$@"
