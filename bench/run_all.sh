#!/usr/bin/env bash
# Builds the benchmarks if needed and runs every one of them in order, printing their figures.
# docs/performance.md says what each one measures and what the figures were on a 2-core machine.
#
#   bench/run_all.sh                 Release build in build-bench/, 10 runs per start-up variant
#   BUILD_DIR=build bench/run_all.sh use another build tree (it is switched to RT_BENCH=ON)
#   RUNS=20 bench/run_all.sh         more start-up and memory runs
#
# The start-up and memory figures are taken twice: in a real X server (Xvfb, started here on a
# free display and stopped at the end, unless DISPLAY is already set) and with the offscreen
# platform. The other benchmarks run offscreen.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
case $build in /*) ;; *) build=$root/$build ;; esac
runs=${RUNS:-10}
jobs=${JOBS:-2}
targets=(bench_picture_decode bench_bare_window bench_startup bench_memory bench_wait_cpu
         bench_wallpaper_decode bench_repaint)

# ---- Build ------------------------------------------------------------------------------------------
if [[ ! -f $build/CMakeCache.txt ]]; then
    echo "== configuring a Release build in $build"
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DRT_BENCH=ON -DRT_TESTS=OFF >/dev/null
elif ! grep -q '^RT_BENCH:BOOL=ON' "$build/CMakeCache.txt"; then
    cmake -DRT_BENCH=ON "$build" >/dev/null
fi
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$build/CMakeCache.txt")
echo "== building the benchmarks in $build (${build_type:-no build type})"
cmake --build "$build" -j"$jobs" --target "${targets[@]}" >"$build/bench-build.log" 2>&1 ||
    { tail -40 "$build/bench-build.log"; exit 1; }
[[ $build_type == Release ]] ||
    echo "warning: a ${build_type:-untyped} build measures unoptimised toolkit code; the figures in docs/performance.md are Release"
bin=$build/bench

# ---- Environment ------------------------------------------------------------------------------------
# The web engine's sandbox refuses root; the trainer itself switches it off the same way.
[[ $(id -u) != 0 ]] || export QTWEBENGINE_DISABLE_SANDBOX=1
if [[ -z ${XDG_RUNTIME_DIR:-} ]]; then
    export XDG_RUNTIME_DIR=$(mktemp -d /tmp/rt-bench-runtime.XXXXXX)
    chmod 700 "$XDG_RUNTIME_DIR"
fi
unset RT_NO_WEB_ENGINE
log=$build/bench-stderr.log
: >"$log"

xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
}
trap cleanup EXIT

display=${DISPLAY:-}
if [[ -z $display ]] && command -v Xvfb >/dev/null; then
    for number in $(seq 140 199); do
        [[ -e /tmp/.X$number-lock || -e /tmp/.X11-unix/X$number ]] && continue
        Xvfb ":$number" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        xvfb_pid=$!
        for _ in $(seq 50); do
            [[ -e /tmp/.X11-unix/X$number ]] && break
            sleep 0.1
        done
        if [[ -e /tmp/.X11-unix/X$number ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
            display=:$number
            break
        fi
        kill "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=
    done
fi

section() { printf '\n== %s\n' "$1"; }

# ---- 1. Start-up ------------------------------------------------------------------------------------
section "1. start-up to the first drawn frame (goal: desktop at most 1.5x the bare window)"
if [[ -n $display ]]; then
    DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/bench_startup" "$runs" 2>>"$log"
else
    echo "(no X server and no Xvfb: the xcb figures are skipped)"
fi
QT_QPA_PLATFORM=offscreen "$bin/bench_startup" "$runs" 2>>"$log"

# ---- 2. Peak memory ---------------------------------------------------------------------------------
section "2. peak memory at the fresh desktop"
if [[ -n $display ]]; then
    DISPLAY=$display QT_QPA_PLATFORM=xcb "$bin/bench_memory" "$(( (runs + 1) / 2 ))" 2>>"$log"
fi
QT_QPA_PLATFORM=offscreen "$bin/bench_memory" "$(( (runs + 1) / 2 ))" 2>>"$log"

# ---- 3. CPU while a sequence waits ------------------------------------------------------------------
section "3. CPU share while a sequence waits (goal: under 2 % of one core)"
QT_QPA_PLATFORM=offscreen RT_NO_WEB_ENGINE=1 "$bin/bench_wait_cpu" 5000 2>>"$log"
QT_QPA_PLATFORM=offscreen "$bin/bench_wait_cpu" 5000 2>>"$log"

# ---- 4. Wallpaper decoding --------------------------------------------------------------------------
section "4. wallpaper decode and scale, the desktop's path against a full-size decode"
"$bin/bench_wallpaper_decode" 15 2>>"$log"
section "4b. picture decoder alone on synthetic pictures (bench_picture_decode)"
"$bin/bench_picture_decode" 2>>"$log"

# ---- 5. Repaints ------------------------------------------------------------------------------------
section "5. repaint timings against bare widgets filling a colour"
QT_QPA_PLATFORM=offscreen "$bin/bench_repaint" 300 2>>"$log"

printf '\n(the programs'"'"' own warnings went to %s)\n' "$log"
