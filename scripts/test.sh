#!/usr/bin/env bash
# Builds Quillomar and runs every test through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --preset default "$@"
