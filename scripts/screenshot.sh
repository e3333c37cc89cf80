#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the program under a virtual X server and saves a picture of its window.
# Usage: scripts/screenshot.sh [path/to/onomatologia] [output.png]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
program="${1:-$here/build/release/src/onomatologia}"
output="${2:-$here/docs/screenshot.png}"
command -v xvfb-run >/dev/null || { echo "screenshot.sh: needs xvfb-run (package xvfb)" >&2; exit 1; }
command -v import >/dev/null || { echo "screenshot.sh: needs import (package imagemagick)" >&2; exit 1; }
mkdir -p "$(dirname "$output")"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1" & pid=$!
  for _ in $(seq 50); do
    id=$(xwininfo -root -tree 2>/dev/null | grep -m1 "Γενίκευση" | awk "{print \$1}") || true
    [ -n "$id" ] && break
    sleep 0.2
  done
  sleep 1
  if [ -n "${id:-}" ]; then import -window "$id" "$2"; else import -window root "$2"; fi
  kill "$pid"
' _ "$program" "$output"
echo "wrote $output"
