#!/usr/bin/env bash
# Runs CTest on a cross-built tree under Wine: one prefix, one persistent
# wineserver and one display for the whole run.
#   scripts/wine-ctest.sh <build dir> [ctest arguments...]
set -eu
cd "$(dirname "$0")/.."
build_dir="$(cd "$1" && pwd)"; shift
export WINEPREFIX="${WINEPREFIX:-$build_dir/wineprefix}"
source cmake/wine-env.sh
# Wine takes each program's code page from the locale: the tests expect the
# 1252 of a C or English one, whatever the caller's. The code page tests
# set a locale of their own.
export LC_ALL=C.UTF-8
wine_session_stop_on_exit
display_ready
wine_session_start
wine_windows_unmanaged
ctest --test-dir "$build_dir" --resource-spec-file "$build_dir/test-resources.json" --output-on-failure -j"${CTEST_PARALLEL_LEVEL:-$(nproc)}" --timeout 300 "$@" &
wait $!
