#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest. Wine's background processes
# can hold on to inherited pipes, so the program writes to files that are
# copied to our own output once it has ended.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_prefix_ready
# Each test gets an X display of its own: the windows of tests running side
# by side would otherwise take the keyboard focus from one another.
trap 'background_jobs_stop; display_stop' EXIT
trap 'exit 143' TERM
trap 'exit 130' INT
display_private || exit 1

out="$(mktemp)"
err="$(mktemp)"
wine "$@" >"$out" 2>"$err" </dev/null &
wait $!
rc=$?
cat "$out"
# Wine's own warnings (wine32 missing, fixme lines) are noise; the program's
# stderr is kept apart from them only by content, so show it all.
cat "$err" >&2
rm -f "$out" "$err"
exit $rc
