#!/usr/bin/env bash
# Draws the program's pictures anew into app/pictures/bitmaps (or the folder
# given as the only argument) with the picture tool, the one place where they
# are drawn. Run it after changing the drawing in tools/pictures and commit
# the bitmaps: a test fails while they differ from the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-app/pictures/bitmaps}
bash scripts/build.sh --target quillomar_draw_pictures
build/default/tools/quillomar_draw_pictures "$folder"
