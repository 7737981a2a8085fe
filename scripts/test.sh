#!/usr/bin/env bash
# Builds Quillomar and runs every test through CTest, then the core's tests
# as 32-bit Windows programs under Wine (scripts/wine_tests.sh; skipped with a
# note when the machine cannot install Wine, or with QUILLOMAR_SKIP_WINE=1).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
ctest --preset default "$@"
if [ "${QUILLOMAR_SKIP_WINE:-0}" != "1" ]; then
  bash scripts/wine_tests.sh
fi
