#!/usr/bin/env bash
# Configures and builds into a build folder (default: build/). Extra arguments go to CMake.
# ORVANE_BUILD_DIR picks another folder; the sanitizer build uses build-asan/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
cmake -S "$root" -B "$build" -G Ninja "$@" >/dev/null
cmake --build "$build" -j2
