#!/usr/bin/env bash
# Builds the pictures tool and writes the README's pictures of every window
# into docs/pictures (or the folder given as the only argument).
set -euo pipefail
cd "$(dirname "$0")/.."
folder=${1:-docs/pictures}
bash scripts/build.sh --target quillomar_screenshots
build/default/tools/quillomar_screenshots "$folder"
