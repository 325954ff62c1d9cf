#!/usr/bin/env bash
# Builds both lanes and runs every test: the portable core natively (with the
# sanitizers, then a short run of each fuzz target), then the cross-built
# programs and their tests under Wine.
set -eu
cd "$(dirname "$0")/.."
bash scripts/deps.sh
# Builds and test runs take as many jobs as the machine has cores, unless
# the caller sets the levels.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"

cmake --preset native >/dev/null
cmake --build --preset native
ctest --preset native

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
ctest --preset fuzz

cmake --preset mingw >/dev/null
cmake --build --preset mingw
bash scripts/wine-ctest.sh build/mingw

# The Wine lane as it runs at a desktop: with a display already set (here a
# private Xvfb), twice in the same prefix. Each run must end its session and
# pass on CTest's status, or the second one fails.
(
    source cmake/wine-env.sh
    trap display_stop EXIT
    display_private
    for run in 1 2; do
        if ! bash scripts/wine-ctest.sh build/mingw -R '^version_compare_tests$'; then
            echo "scripts/wine-ctest.sh failed with a display set (run $run of 2)" >&2
            exit 1
        fi
    done
)
