#!/usr/bin/env bash
# Installs what is missing, builds, and runs the program: until the windows arrive, that is
# the headless page command on the example project, writing its page into out/example/.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/setup.sh"
bash "$root/scripts/build.sh"
build="${ORVANE_BUILD_DIR:-$root/build}"
make="$build/cli/orvane-make"
out="$root/out/example"
for template in '#0' '#1' '#2'; do
  page="page$(echo "$template" | tr -d '#').html"
  "$make" page "$root/examples/shop.PT" --template "$template" \
    --values "$root/examples/values.json" --out "$out" --page "$page"
done
echo "Open $out/page0.html (UTF-8), page1.html (Shift_JIS) or page2.html (EUC-JP) in a browser."
