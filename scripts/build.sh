#!/usr/bin/env bash
# Configures and builds the default preset. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default "$@"
