#!/usr/bin/env bash
# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
export ORVANE_BUILD_DIR="$root/build-asan"
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh" -DORVANE_SANITIZE=ON -DORVANE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
cd "$ORVANE_BUILD_DIR"
ctest --output-on-failure -j2 --timeout 600
