#!/usr/bin/env bash
# make bench: builds the release tree (build-perf, -O2) and runs every
# benchmark, printing each figure beside its reference and the ratio.
# Windows that must really appear (start-up, the WebEngine pane) run under
# Xvfb, started here when no DISPLAY is set; the rest run offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BENCH_BUILD:-build-perf}
JOBS=${JOBS:-2}
RUNS=${BENCH_RUNS:-15}

bash scripts/install-deps.sh
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS_RELEASE="-O2 -DNDEBUG" \
  -DMARKLET_BUILD_BENCH=ON >/dev/null
cmake --build "$BUILD" -j"$JOBS" --target bench_all tst_soak
BUILD=$(cd "$BUILD" && pwd)

# The benchmarks' own cache and config folders: the user's are never touched.
home="$BUILD/bench-home"
mkdir -p "$home/cache" "$home/config" "$home/runtime"
chmod 700 "$home/runtime"
export HOME="$home" XDG_CACHE_HOME="$home/cache" XDG_CONFIG_HOME="$home/config" \
  XDG_RUNTIME_DIR="$home/runtime" QTWEBENGINE_DISABLE_SANDBOX=1

xvfb_pid=""
wm_pid=""
cleanup() {
  for pid in $wm_pid $xvfb_pid; do kill "$pid" 2>/dev/null || true; done
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  exec 3< <(Xvfb -displayfd 1 -screen 0 1280x900x24 -nolisten tcp -noreset 2>/dev/null & echo "pid $!")
  read -r _ xvfb_pid <&3
  read -r number <&3
  export DISPLAY=":$number"
  # Windows are mapped and framed by a window manager, as on a desktop.
  openbox >/dev/null 2>&1 &
  wm_pid=$!
  sleep 1
  where="Xvfb $DISPLAY + openbox"
else
  where="display $DISPLAY"
fi

bin="$BUILD/bench"
sample="$home/sample-5mb.htm"
echo "== Start-up, from the process start until its window is mapped and painted, seen from the X server ($where, xcb) =="
QT_QPA_PLATFORM=xcb "$bin/startup_timer" "$RUNS" 1.3 "empty window" \
  marklet "$BUILD/marklet" bare "$bin/bare_window"
echo
echo "== Opening a 5 MB file at start-up until the window is mapped and painted ($where, xcb) =="
"$bin/big_document" --write-sample "$sample" 5 >/dev/null
QT_QPA_PLATFORM=xcb "$bin/startup_timer" "$RUNS" 1.5 "5 MB file given on the command line" \
  marklet "$BUILD/marklet $sample" bare "$bin/bare_window $sample"
echo
echo "== After opening a 5 MB file: memory and processor from the window painted on ($where, xcb) =="
peers=()
featherpad=$(command -v featherpad || true)
if [ -n "$featherpad" ]; then
  peers=(featherpad "$featherpad $sample")
fi
QT_QPA_PLATFORM=xcb "$bin/open_and_type" open 5 marklet "$BUILD/marklet $sample" \
  bare "$bin/bare_window $sample" "${peers[@]}" || echo "(see above)"
echo
echo "== Typing in a 5 MB page, pane off: key -> window pixels, whole programs ($where) =="
if [ -n "$featherpad" ]; then
  QT_QPA_PLATFORM=xcb "$bin/open_and_type" type 30 150 3 marklet "$BUILD/marklet $sample" \
    featherpad "$featherpad $sample" || echo "(see above)"
else
  echo "FeatherPad is not installed (Debian package featherpad): no peer to type beside, skipped"
fi
echo
echo "== Change reaction and opening (Google Benchmark, offscreen) =="
QT_QPA_PLATFORM=offscreen "$bin/bench_editing"
echo
echo "== Typing with the preview pane on ($where, xcb) =="
QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
  "$bin/typing_latency" 40 50 10 1024 5120 2>/dev/null || echo "(see above)"
echo
echo "== Key -> preview pane pixels, patched in place and loading at every change ($where, xcb) =="
for mode in "" --load-every-change; do
  QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
    "$bin/pane_latency" $mode 30 100 10 100 1024 5120 2>/dev/null || echo "(see above)"
done
QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
  "$bin/pane_latency" 50 100 1024 2>/dev/null || echo "(see above)"
echo
echo "== Key -> pane pixels, one key every 300 ms (longer than a frame of the largest pages) =="
for mode in "" --sections; do
  QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
    "$bin/pane_latency" $mode 15 300 1024 5120 2>/dev/null || echo "(see above)"
done
echo
echo "== Key -> pane pixels at a user's rhythms: 100 ms, 300 ms, 1 s apart, after 8 s; beside a bare Qt WebEngine view typed into the same way (bare_pane, run first) =="
QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
  "$bin/pane_latency" --rhythms 20 10 100 1024 5120 2>/dev/null || echo "(see above)"
# The page engine alone at the same rhythms: its own part in the first frame after a pause.
for pair in "1000 10" "8000 5"; do
  read -r every rounds <<<"$pair"
  QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software \
    "$bin/engine_frame" --every "$every" --rounds "$rounds" 1024 2>/dev/null || echo "(see above)"
done
echo
echo "== Keys inside a comment, script, style, textarea or title left open to the end of the page =="
QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
  "$bin/pane_latency" --open-tails 10 5120 2>/dev/null || echo "(see above)"
echo
echo "== The page engine alone: one-character change -> frame (drawn in software, as the pane) =="
for mode in "" --sections; do
  QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb QT_QUICK_BACKEND=software \
    "$bin/engine_frame" $mode 10 1024 5120 2>/dev/null || echo "(see above)"
done
echo
echo "== Key -> edit area pixels with the pane on =="
QT_LOGGING_RULES="qt.webenginecontext.info=false" QT_QPA_PLATFORM=xcb \
  "$bin/pane_latency" --editor 30 100 10 1024 5120 2>/dev/null || echo "(see above)"
echo
echo "== Minified pages, 2 MB and 20 MB on one line ($where, xcb) =="
QT_QPA_PLATFORM=xcb "$bin/long_line" 3 9 2 20 2>/dev/null || echo "(see above)"
echo
echo "== Page checker: from the typing pause to the marks (offscreen) =="
QT_QPA_PLATFORM=offscreen "$bin/check_latency" 7 100 5120 || echo "(see above)"
echo
echo "== 50 MB document (offscreen) =="
QT_QPA_PLATFORM=offscreen "$bin/big_document" 50 || echo "(see above)"
echo
echo "== Soak: snippet insertions on the real edit control (offscreen) =="
MARKLET_SOAK_ITERATIONS=${MARKLET_SOAK_ITERATIONS:-100000} QT_QPA_PLATFORM=offscreen \
  "$BUILD/tests/tst_soak" random_insertions_keep_the_insertion_rule || echo "(see above)"
