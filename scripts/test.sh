#!/usr/bin/env bash
# Builds both lanes and runs every test: the portable core natively, then the
# cross-built programs and their tests under Wine.
set -eu
cd "$(dirname "$0")/.."
bash scripts/deps.sh

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset mingw >/dev/null
cmake --build --preset mingw

source cmake/wine-env.sh
display_ready
wine_session_start
status=0
ctest --preset mingw || status=$?
wine_session_stop
display_stop
exit $status
