#!/usr/bin/env bash
# Builds the platform, store and engine tests with the address and
# undefined-behaviour sanitizers (the "sanitize" preset, without the GUI) and
# runs them. Any sanitizer report fails the test that caused it.
# QUILLOMAR_SANITIZE_BUILD_DIR names another build folder (default build/sanitize).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir="${QUILLOMAR_SANITIZE_BUILD_DIR:-build/sanitize}"

bash scripts/setup.sh
cmake --preset sanitize -B "$build_dir" >/dev/null
cmake --build "$build_dir" -j2
ctest --test-dir "$build_dir" --output-on-failure --no-tests=error --timeout 600 -j2 "$@"
