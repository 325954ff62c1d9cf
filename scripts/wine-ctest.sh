#!/usr/bin/env bash
# Runs CTest on a cross-built tree under Wine: one prefix, one persistent
# wineserver and one display for the whole run.
#   scripts/wine-ctest.sh <build dir> [ctest arguments...]
set -eu
cd "$(dirname "$0")/.."
build_dir=$1; shift
export WINEPREFIX="${WINEPREFIX:-$(cd "$build_dir" && pwd)/wineprefix}"
source cmake/wine-env.sh
wine_session_stop_on_exit
display_ready
wine_session_start
wine_windows_unmanaged
ctest --test-dir "$build_dir" --output-on-failure -j"${CTEST_PARALLEL_LEVEL:-$(nproc)}" --timeout 300 "$@" &
wait $!
