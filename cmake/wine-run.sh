#!/usr/bin/env bash
# Runs one Windows program under Wine for CTest. Wine's background processes
# can hold on to inherited pipes, so the program writes to files that are
# copied to our own output once it has ended.
set -u
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
wine_prefix_ready

out="$(mktemp)"
err="$(mktemp)"
program="$*"
outcome="not started"

# Shows what the program wrote. A run that fails without a word from the
# program, or that a signal cut short, says how it ended and whether the
# display and the wineserver it needed were there, since nothing else will.
run_end() {
    local status=$?
    program_stop
    cat "$out"
    # Wine's own warnings (wine32 missing, fixme lines) are noise; the
    # program's stderr is kept apart from them only by content, so show it all.
    cat "$err" >&2
    if [ "$status" -ne 0 ] && [[ ! -s "$out" || "$outcome" == stopped* ]]; then
        echo "wine-run.sh: wine $program: $outcome; $(display_state); $(wineserver_state)" >&2
    fi
    rm -f "$out" "$err"
    display_stop
    exit "$status"
}

# The program, when a signal ends this script while it runs: every job but
# the display is the program.
program_stop() {
    local job
    for job in $(jobs -p); do
        if [ "$job" != "$xvfb_pid" ]; then
            kill "$job" 2>/dev/null
            wait "$job" 2>/dev/null
        fi
    done
}

stopped() {
    outcome="stopped: wine-run.sh got SIG$1"
    exit "$2"
}

trap run_end EXIT
trap 'stopped TERM 143' TERM
trap 'stopped INT 130' INT
# Each test gets an X display of its own: the windows of tests running side
# by side would otherwise take the keyboard focus from one another.
display_private || exit 1

# Bash takes a signal only once the command in the foreground is done, so
# the program runs in the background and is waited for.
wine "$@" >"$out" 2>"$err" </dev/null &
wait $!
rc=$?
outcome="Wine ended with status $rc"
if [ "$rc" -gt 128 ]; then
    outcome+=" (SIG$(kill -l $((rc - 128))))"
fi
if [ ! -s "$out" ]; then
    outcome+=" and no output"
fi
exit $rc
