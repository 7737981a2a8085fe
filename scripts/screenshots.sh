#!/usr/bin/env bash
# Builds the pictures tool and writes the README's pictures of every window
# into docs/pictures (or the folder given as the only argument).
#
#   scripts/screenshots.sh [--scale FACTOR] [folder]
# --scale draws the windows as on a screen scaled by FACTOR (1.5, 2: Qt's
# QT_SCALE_FACTOR), into docs/pictures/scale-FACTOR unless a folder is given.
set -euo pipefail
cd "$(dirname "$0")/.."
scale=
if [ "${1:-}" = "--scale" ]; then
  [ $# -ge 2 ] || { echo "usage: $0 [--scale FACTOR] [folder]" >&2; exit 2; }
  scale=$2
  shift 2
fi
if [ -n "$scale" ]; then
  folder=${1:-docs/pictures/scale-$scale}
  export QT_SCALE_FACTOR=$scale
else
  folder=${1:-docs/pictures}
  unset QT_SCALE_FACTOR
fi
bash scripts/build.sh --target quillomar_screenshots
build/default/tools/quillomar_screenshots "$folder"
