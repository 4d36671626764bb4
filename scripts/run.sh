#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program: the desktop program on the example
# project when there is a display; without one, the headless page command makes the example
# pages into out/example/ instead, so the command never fails on a server.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build="${ORVANE_BUILD_DIR:-$root/build}"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$build/orvane" "$root/examples/shop.PT"
fi
echo "No display: making the example pages with the headless command instead."
make="$build/cli/orvane-make"
out="$root/out/example"
for template in '#0' '#1' '#2'; do
  page="page$(echo "$template" | tr -d '#').html"
  "$make" page "$root/examples/shop.PT" --template "$template" \
    --values "$root/examples/values.json" --out "$out" --page "$page"
done
echo "Open $out/page0.html (UTF-8), page1.html (Shift_JIS) or page2.html (EUC-JP) in a browser."
