#!/usr/bin/env bash
# Fuzzes picture::decode for a while: run_fuzz.sh [seconds] (default 60).
# Builds with Clang in its own directory (BUILD_DIR, default <repo>/build-fuzz), seeds a corpus with small
# valid PNG and JPEG files, runs libFuzzer and exits non-zero if it found a crash.
set -euo pipefail

seconds="${1:-60}"
if ! [[ "$seconds" =~ ^[0-9]+$ ]]; then
    echo "usage: $0 [seconds]" >&2
    exit 2
fi

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
repo="$(cd "$here/../.." && pwd)"
build="${BUILD_DIR:-$repo/build-fuzz}"
fuzzer="$build/picture_decoder_fuzz"
corpus="$build/corpus"
artifacts="$build/artifacts"
log="$build/fuzz.log"

# tests/fuzz is configured as a top-level project of its own, independent of the main build.
CC=clang CXX=clang++ cmake -S "$here" -B "$build" -DRT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel

mkdir -p "$corpus" "$artifacts"
PICTURE_FUZZ_WRITE_SEEDS="$corpus" "$fuzzer"
if compgen -G "$here/seeds/*" >/dev/null; then
    cp "$here"/seeds/* "$corpus"/
fi

echo "fuzzing picture::decode for ${seconds}s: $fuzzer $corpus"
status=0
"$fuzzer" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$artifacts/" \
    -rss_limit_mb=2560 "$corpus" >"$log" 2>&1 || status=$?

executions="$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")"
corpus_size="$(find "$corpus" -type f | wc -l)"
echo "ran ${executions:-an unknown number of} executions in ${seconds}s; corpus now $corpus_size files"
if [[ $status -ne 0 ]]; then
    tail -n 60 "$log"
    echo "FUZZER FOUND A PROBLEM (exit $status); reproducer in $artifacts, full log in $log" >&2
    exit "$status"
fi
echo "no crashes; full log in $log"
