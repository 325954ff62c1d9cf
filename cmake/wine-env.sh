# Sourced by the scripts that run Windows programs: one Wine prefix for the
# build tree, quiet, without the .NET and HTML engines, and no web proxy.
project_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINEPREFIX="${WINEPREFIX:-$project_root/build/mingw/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY

# Creates the prefix when it is missing. Wine's helpers outlive wineboot and
# keep any pipe they inherit open, so their output goes to a file.
wine_prefix_ready() {
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        mkdir -p "$WINEPREFIX"
        wineboot --init >"$WINEPREFIX/../wineboot.log" 2>&1
        wineserver -w
    fi
}

# One persistent wineserver for a whole run, so every test does not pay for
# starting and tearing down the server and the prefix's services. A server
# that a killed run left behind in the prefix refuses a second one; it is
# used instead, and ended with the session.
wine_session_start() {
    wine_prefix_ready
    wineserver -p >/dev/null 2>&1 || true
    wine_quietly wine cmd /c exit
}

# Runs a Wine command whose output is of no interest. When it fails, it says
# so with what it wrote and the state of the display and the wineserver:
# under set -e the calling script would otherwise end without a word.
wine_quietly() {
    local log status=0
    log="$(mktemp)"
    "$@" >"$log" 2>&1 </dev/null || status=$?
    if [ "$status" -ne 0 ]; then
        echo "$*: status $status; $(display_state); $(wineserver_state)" >&2
        cat "$log" >&2
    fi
    rm -f "$log"
    return "$status"
}

# Test windows are Wine's own, not left to an X window manager: on a bare
# Xvfb there is none, and Wine waits two seconds for one at every top-level
# window that is hidden or destroyed.
wine_windows_unmanaged() {
    wine_quietly wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f
}

wine_session_stop() {
    wineserver -k >/dev/null 2>&1 || true
}

# A display for anything that opens a window: the caller's, or a private Xvfb.
xvfb_pid=""
display_ready() {
    if [ -n "${DISPLAY:-}" ]; then
        return 0
    fi
    display_private
}

# A private Xvfb on a display number it picks itself and tells once it is up,
# so runs that start at the same moment never share one.
display_private() {
    local fifo number=""
    fifo="$(mktemp -u)"
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    xvfb_pid=$!
    read -r -t 20 number <"$fifo" || true
    rm -f "$fifo"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        return 1
    fi
    export DISPLAY=":$number"
}

# Whether our display still takes connections, for a message.
display_state() {
    local xvfb=""
    if [ -n "$xvfb_pid" ]; then
        if kill -0 "$xvfb_pid" 2>/dev/null; then
            xvfb=", Xvfb (pid $xvfb_pid) running"
        else
            xvfb=", Xvfb (pid $xvfb_pid) gone"
        fi
    fi
    if xdpyinfo -display "${DISPLAY:-}" >/dev/null 2>&1; then
        echo "display ${DISPLAY:-(none)} up$xvfb"
    else
        echo "display ${DISPLAY:-(none)} not answering$xvfb"
    fi
}

# Whether the prefix's wineserver runs, for a message. The server works in a
# directory named after the prefix's device and inode.
wineserver_state() {
    local directory process name
    directory="$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))"
    for process in /proc/[0-9]*; do
        read -r name 2>/dev/null <"$process/comm" || continue
        if [[ "$name" == wineserver* ]] && [[ "$(readlink "$process/cwd" 2>/dev/null)" == */"$directory" ]]; then
            echo "wineserver up (pid ${process#/proc/})"
            return
        fi
    done
    echo "no wineserver running for $WINEPREFIX"
}

display_stop() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=""
    fi
}

# Ends whatever the calling script still runs in the background. With none
# left, kill would fail, and under set -e end the exit trap there.
background_jobs_stop() {
    local running
    running="$(jobs -p)"
    if [ -n "$running" ]; then
        kill $running 2>/dev/null || true
    fi
}

# Ends the wineserver, our Xvfb and whatever the calling script runs in the
# background when the script exits, however it exits: at its end, at a
# failed step, on Ctrl-C or when it is killed. The script's status stays the
# one it exited with. Bash takes a signal only once the command in the
# foreground is done, so a long step runs in the background and is waited for.
wine_session_stop_on_exit() {
    trap 'wine_session_end' EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM
}

wine_session_end() {
    local status=$?
    background_jobs_stop
    wine_session_stop
    display_stop
    exit "$status"
}
