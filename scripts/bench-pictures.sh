#!/usr/bin/env bash
# Shrinking a 4000 × 3000 JPEG to fit 800 × 600 and storing it as JPEG: the project's two
# paths beside ImageMagick (convert -sample) and beside djpeg decoding the same file, with
# the ratios. Builds the benchmark first (ORVANE_BUILD_DIR picks the build folder).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${ORVANE_BUILD_DIR:-$root/build}"
runs="${ORVANE_BENCH_RUNS:-7}"
ORVANE_BUILD_DIR="$build" bash "$root/scripts/build.sh" >/dev/null
bench="$build/bench/bench_picture_shrink"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
"$bench" --make-input="$work/in.jpg"
# Debian's ImageMagick itself, not a wrapper earlier on the PATH.
magick=/usr/bin/convert
ORVANE_BENCH_JPEG="$work/in.jpg" "$bench" --benchmark_format=json --benchmark_repetitions="$runs" \
    --benchmark_report_aggregates_only=true >"$work/bench.json"
/usr/bin/python3 - "$work" "$runs" "$magick" <<'PY'
import json, subprocess, sys, time
work, runs, magick = sys.argv[1], int(sys.argv[2]), sys.argv[3]
src = f"{work}/in.jpg"

def best_ms(command):
    times = []
    for _ in range(runs):
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        times.append((time.perf_counter() - start) * 1000)
    return min(times)

results = json.load(open(f"{work}/bench.json"))["benchmarks"]
def ours(name):
    return next(b["real_time"] for b in results
                if b["run_name"].split("/")[0] == name and b["aggregate_name"] == "median")

shrunk = ours("BM_ShrunkLoadThenStoreJpeg")
plain = ours("BM_FullLoadShrinkThenStoreJpeg")
im = best_ms([magick, "-sample", "800x600", "-quality", "90", src, f"{work}/im.jpg"])
djpeg = best_ms(["djpeg", "-outfile", "/dev/null", src])
print("4000 x 3000 JPEG -> fit 800 x 600 -> JPEG quality 90 (ms; ours: median, tools: best of %d)" % runs)
for label, ms in [("shrunk load + store (ours)", shrunk), ("full load + shrink + store (ours)", plain),
                  ("ImageMagick convert -sample", im), ("djpeg full decode to /dev/null", djpeg)]:
    print(f"  {label:36s} {ms:8.1f}")
print(f"  ImageMagick / ours (shrunk)          {im / shrunk:8.2f}x  (goal >= 5)")
print(f"  ours (shrunk) / djpeg                {shrunk / djpeg:8.2f}x  (goal <= 1.5)")
print(f"  ours (full) / ours (shrunk)          {plain / shrunk:8.2f}x")
PY
