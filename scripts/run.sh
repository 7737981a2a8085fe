#!/usr/bin/env bash
# Builds Quillomar and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "Quillomar is a desktop program and needs a graphical session (no display was found)." >&2
  exit 1
fi
bash scripts/build.sh --target quillomar
exec build/default/app/quillomar
