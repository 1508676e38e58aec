#!/bin/sh
# Rebuilds asset-generator and repaints assets/pictures and assets/icons.
#
#   assets/generate.sh            build in /tmp/reinstall-trainer-assets
#   BUILD_DIR=dir assets/generate.sh
#
# The generator is deterministic: with the same fonts installed, running this
# again changes no bytes, so a diff after it means the drawing code changed.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
build=${BUILD_DIR:-/tmp/reinstall-trainer-assets}

cmake -S "$here/generator" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target asset-generator

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
QT_QPA_PLATFORM=offscreen "$build/asset-generator" "$out"

# Replace wholesale, so a picture dropped from the generator disappears too.
rm -rf "$here/pictures" "$here/icons"
cp -R "$out/pictures" "$here/pictures"
cp -R "$out/icons" "$here/icons"
echo "pictures written to $here/pictures and $here/icons"
