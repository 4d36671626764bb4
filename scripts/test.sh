#!/usr/bin/env bash
# Installs what is missing, builds once and runs every test. This is what CI runs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
cd "${ORVANE_BUILD_DIR:-$root/build}"
ctest --output-on-failure -j2 --timeout 300
