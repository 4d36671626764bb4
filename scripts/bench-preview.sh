#!/usr/bin/env bash
# The preview road, from "プレビュー" to the page rendered in the web view: the example project,
# a project of five 4000 × 3000 JPEG pictures shrunk to 800 × 600 beside djpeg decoding the
# same five files (with the ratio), and a page of 3 MB. Builds the benchmarks first (ORVANE_BUILD_DIR picks the
# build folder).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
runs="${ORVANE_BENCH_RUNS:-5}"
cmake --build "$build" --target bench_preview bench_picture_shrink -j2 >/dev/null
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 XDG_CONFIG_HOME="$work/config"
pictures=()
for i in 1 2 3 4 5; do
    "$build/bench/bench_picture_shrink" --make-input="$work/big$i.jpg"
    pictures+=("$work/big$i.jpg")
done
list="$(IFS=,; echo "${pictures[*]}")"

echo "== example project (examples/shop.PT with examples/values.json), ms"
"$build/bench/bench_preview" --project="$root/examples/shop.PT" \
    --values="$root/examples/values.json" --runs="$runs" 2>/dev/null
echo
echo "== five 4000 x 3000 JPEG pictures shrunk to fit 800 x 600, ms"
"$build/bench/bench_preview" --pictures="$list" --runs="$runs" 2>/dev/null | tee "$work/pictures.txt"
echo
echo "== a page of 3 MB (beyond the 2 MB that setHtml takes), ms"
"$build/bench/bench_preview" --page-bytes=3145728 --runs=2 2>/dev/null
echo
/usr/bin/python3 - "$work" "$runs" "${pictures[@]}" <<'PY'
import subprocess, sys, time
work, runs, files = sys.argv[1], int(sys.argv[2]), sys.argv[3:]
times = []
for _ in range(runs):
    start = time.perf_counter()
    for f in files:
        subprocess.run(["djpeg", "-outfile", "/dev/null", f], check=True)
    times.append((time.perf_counter() - start) * 1000)
djpeg = sorted(times)[len(times) // 2]
median = next(l for l in open(f"{work}/pictures.txt") if l.startswith("median")).split()
total, generate = float(median[1]), float(median[2])
print(f"djpeg, the five files decoded in full (median of {runs})   {djpeg:8.1f} ms")
print(f"preview road / djpeg                                 {total / djpeg:8.2f}x")
print(f"generation and window / djpeg                        {generate / djpeg:8.2f}x")
PY
