#!/usr/bin/env bash
# Builds the INI store's fuzz target (clang, libFuzzer, address and
# undefined-behaviour sanitizers) and runs it for a bounded time on a copy of
# the seed corpus in fuzz/corpus, which stays as committed.
#   scripts/fuzz.sh [seconds]          default 60
# QUILLOMAR_FUZZ_BUILD_DIR names another build folder (default build/fuzz).
# A finding is written to <build folder>/artifacts/ and fails the script.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
build_dir="${QUILLOMAR_FUZZ_BUILD_DIR:-build/fuzz}"

bash scripts/setup.sh
# clang and its fuzzer runtime, from Debian's packages, when missing.
missing=()
for p in clang libclang-rt-14-dev; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo_cmd=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -q
  "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake --preset fuzz -B "$build_dir" >/dev/null
cmake --build "$build_dir" --target ini_fuzzer -j2

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build_dir/artifacts"
cp fuzz/corpus/* "$work/corpus/"
# The target works in memory but for one input in 1,024, which also goes
# through real record files, each flushed to disk; a memory file system
# keeps those fast where there is one.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
# Without the allocation stacks that every allocation would record (a third
# of a run's time): a finding is run again alone, with full stacks, by
# "<build folder>/fuzz/ini_fuzzer <artifact>".
export ASAN_OPTIONS="${ASAN_OPTIONS:-malloc_context_size=0}"
# Inputs up to 64 KB, the record files' own tokens as the dictionary.
"$build_dir/fuzz/ini_fuzzer" "$work/corpus" \
  -max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -max_len=65536 \
  -dict=fuzz/ini.dict -print_final_stats=1 -artifact_prefix="$build_dir/artifacts/"
