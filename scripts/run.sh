#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program on the example project.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build="${ORVANE_BUILD_DIR:-$root/build}"
if [ -x "$build/cli/orvane-make" ] && [ -f "$root/examples/shop.PT" ]; then
  "$build/cli/orvane-make" info "$root/examples/shop.PT"
else
  echo "Built into $build."
fi
