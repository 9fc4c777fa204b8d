#!/usr/bin/env bash
# make fuzz FUZZ_SECONDS=60: builds the fuzz targets with clang (build-fuzz,
# AddressSanitizer + UndefinedBehaviorSanitizer + libFuzzer) and runs each for
# FUZZ_SECONDS seconds. Findings are written to build-fuzz/findings/; the
# script fails when any target found a crash, a hang or a broken invariant.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_EACH=${FUZZ_SECONDS:-60}
BUILD=${FUZZ_BUILD:-build-fuzz}
JOBS=${JOBS:-2}

bash scripts/install-deps.sh
CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMARKLET_FUZZ=ON -DMARKLET_BUILD_TESTS=OFF >/dev/null
cmake --build "$BUILD" -j"$JOBS" --target fuzz_all

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
home="$PWD/$BUILD/home"
mkdir -p "$home/runtime" "$BUILD/findings"
chmod 700 "$home/runtime"
export HOME="$home" XDG_RUNTIME_DIR="$home/runtime" XDG_CACHE_HOME="$home/cache"

failed=()
for target in fuzz_number fuzz_colour_text fuzz_codec fuzz_browser_copy fuzz_positions fuzz_commands \
  fuzz_writing_help fuzz_source_map; do
  corpus="$BUILD/corpus/$target"
  mkdir -p "$corpus"
  echo "== $target: ${SECONDS_EACH} s"
  if ! "$BUILD/fuzz/$target" "$corpus" -max_total_time="$SECONDS_EACH" -timeout=10 \
      -rss_limit_mb=4096 -max_len=4096 -print_final_stats=1 \
      -artifact_prefix="$BUILD/findings/$target-" 2>"$BUILD/findings/$target.log"; then
    failed+=("$target")
    tail -n 40 "$BUILD/findings/$target.log"
  fi
  grep -E "^stat::number_of_executed_units|^Done [0-9]+ runs" "$BUILD/findings/$target.log" | tail -n 1 || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (inputs in $BUILD/findings/)"
  exit 1
fi
echo "fuzzing: all passed"
