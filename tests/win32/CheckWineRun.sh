#!/usr/bin/env bash
# Checks what the Wine runner of the tests says about a program that fails
# without a word: Wine's status, the display and the wineserver.
#   CheckWineRun.sh <wine-run.sh>
set -u
runner="$1"
failures=0

fail() {
    printf 'FAILED %s\n' "$*" >&2
    failures=$((failures + 1))
}

# Checks a text against a pattern it must match (or, with "!", must not).
check() {
    local name="$1" text="$2" rule="$3" pattern="$4"
    if [ "$rule" = "!" ]; then
        if grep -Eq -- "$pattern" <<<"$text"; then
            fail "$name: shows /$pattern/ in: $text"
        fi
    elif ! grep -Eq -- "$pattern" <<<"$text"; then
        fail "$name: no /$pattern/ in: $text"
    fi
}

# Runs a Windows command through the runner: its status and what it shows.
run_case() {
    local name="$1" status="$2" rule="$3" pattern="$4"
    shift 4
    local output rc
    output="$(bash "$runner" "$@" 2>&1)"
    rc=$?
    if [ "$rc" -ne "$status" ]; then
        fail "$name: status $rc, expected $status"
    fi
    check "$name" "$output" "$rule" "$pattern"
}

# Stops the runner with SIGTERM once the program runs: its children are
# the display and the program.
stop_case() {
    local name="$1" pattern="$2"
    shift 2
    local output runner_pid rc
    output="$(mktemp)"
    bash "$runner" "$@" >"$output" 2>&1 &
    runner_pid=$!
    while kill -0 "$runner_pid" 2>/dev/null && [ "$(pgrep -c -P "$runner_pid")" -lt 2 ]; do
        sleep 0.05
    done
    kill -TERM "$runner_pid"
    wait "$runner_pid"
    rc=$?
    if [ "$rc" -ne 143 ]; then
        fail "$name: status $rc, expected 143"
    fi
    check "$name" "$(cat "$output")" "=" "$pattern"
    rm -f "$output"
}

state="display :[0-9]+ up, Xvfb \(pid [0-9]+\) running; wineserver up \(pid [0-9]+\)$"
run_case "a silent failure" 3 "=" \
    "^wine-run\.sh: wine cmd /c exit 3: Wine ended with status 3 and no output; $state" cmd /c exit 3
run_case "a failure that says something" 4 "!" "^wine-run\.sh:" cmd /c "echo said&exit 4"
run_case "a silent success" 0 "!" "^wine-run\.sh:" cmd /c exit 0
stop_case "a run stopped" "^wine-run\.sh: wine ping -n 60 127\.0\.0\.1: stopped: wine-run\.sh got SIGTERM; $state" \
    ping -n 60 127.0.0.1

# The states as they read once the display and the server are gone: no
# display answers on :65535 and no process can have an id above 2^22.
source "$(dirname "$runner")/wine-env.sh"
empty_prefix="$(mktemp -d)"
check "a display gone" "$(DISPLAY=:65535 xvfb_pid=4194305 display_state)" "=" \
    "^display :65535 not answering, Xvfb \(pid 4194305\) gone$"
check "no server" "$(WINEPREFIX="$empty_prefix" wineserver_state)" "=" \
    "^no wineserver running for $empty_prefix$"
rmdir "$empty_prefix"

# A step of the session's start that fails says so, with what it wrote.
quiet_output="$(wine_quietly bash -c 'echo "cannot go on" >&2; exit 5' 2>&1)"
quiet_status=$?
if [ "$quiet_status" -ne 5 ]; then
    fail "a failed step: status $quiet_status, expected 5"
fi
check "a failed step" "$quiet_output" "=" "^bash -c .*: status 5; display .*; (wineserver up|no wineserver)"
check "a failed step" "$quiet_output" "=" "^cannot go on$"
check "a quiet step" "$(wine_quietly bash -c 'echo noise' 2>&1)" "!" "."

exit $((failures > 0))
