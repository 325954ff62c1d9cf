#!/usr/bin/env bash
# Builds the programs, lays out the program directory build/mingw/dist and
# starts the settings console in a Wine prefix of its own
# (build/mingw/run-prefix). Without a display it runs on a private Xvfb,
# saves a screenshot of the window to build/mingw/admin-screenshot.png and
# closes it.
set -eu
cd "$(dirname "$0")/.."
bash scripts/deps.sh

# Only what the program directory holds, with as many jobs as the machine
# has cores unless the caller sets the level.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target program_directory

# A Wine prefix of its own, apart from the one the tests use, so the console
# shows only what its user chose.
export WINEPREFIX="${WINEPREFIX:-$PWD/build/mingw/run-prefix}"
source cmake/wine-env.sh
if [ -n "${DISPLAY:-}" ]; then
    wine_prefix_ready
    exec wine build/mingw/dist/Admin.exe "$@"
fi

wine_session_stop_on_exit
display_ready
wine_session_start
# A Wine desktop of its own, so the window gets Wine's frame and title bar
# without a window manager.
wine explorer /desktop=Brindlecote,1024x768 build/mingw/dist/Admin.exe "$@" >build/mingw/admin-run.log 2>&1 &
title="$(grep -P '^108\t' resources/strings.txt | cut -f2)"
for _ in $(seq 1 60); do
    xdotool search --name "$title" >/dev/null 2>&1 && break
    sleep 0.5
done
sleep 2
screenshot=build/mingw/admin-screenshot.png
import -window root "$screenshot"
echo "screenshot of the console: $screenshot"
