#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) into build-fuzz/ and runs each for
# SECONDS (default 60) on a seed corpus made here. Fails on any crash, leak, time-out or
# out-of-memory. Usage: scripts/fuzz.sh [SECONDS] [TARGET...]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
seconds="${1:-60}"
shift || true
build="$root/build-fuzz"
bash "$root/scripts/setup.sh"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DORVANE_FUZZ=ON -DORVANE_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fuzzers -j2

corpus="$build/corpus"
bash "$root/fuzz/make-seeds.sh" "$corpus"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  mapfile -t targets < <(cd "$build/fuzz" && ls fuzz_* | grep -v '\.' | sort)
fi

failed=0
for t in "${targets[@]}"; do
  mkdir -p "$corpus/$t" "$build/findings/$t"
  log="$build/findings/$t.log"
  if (cd "$build/findings/$t" && "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=1 "$corpus/$t" >"$log" 2>&1); then
    runs=$(grep -m1 'stat::number_of_executed_units' "$log" | awk '{print $2}')
    echo "$t: ok, $runs executions in ${seconds}s"
  else
    echo "$t: FINDING (see $log and $build/findings/$t/)"
    tail -n 30 "$log"
    failed=1
  fi
done
exit $failed
