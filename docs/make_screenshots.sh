#!/usr/bin/env bash
# Remakes the screenshots in docs/screenshots by walking the chain on the real program under Xvfb.
# Usage: bash docs/make_screenshots.sh [path/to/reinstall-trainer]
set -euo pipefail
cd "$(dirname "$0")/.."
SCREENSHOTS="$PWD/docs/screenshots" bash tests/e2e/walk_chain.sh "${1:-build/reinstall-trainer}"
