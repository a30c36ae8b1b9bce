#!/usr/bin/env bash
# Runs a Windows program of a build folder under Wine; the win64 preset makes it CTest's
# cross-compiling emulator.
#
#   wine-run.sh [--dir STATE] PROGRAM [ARGS...]   run PROGRAM, exit with its exit code
#   wine-run.sh [--dir STATE] --start             open a session and keep it (test fixture setup)
#   wine-run.sh [--dir STATE] --stop              close the kept session (test fixture cleanup)
#
# A session is an Xvfb display (started only when DISPLAY is not given) and a persistent
# wineserver on a throwaway prefix STATE/prefix, made once with "wineboot -i". STATE defaults to
# the folder "wine" of the build folder (the one holding CMakeCache.txt) that holds PROGRAM.
# Several runs may share a session at once: each holds a shared lock while its program runs, and
# the last one out closes the session unless --start asked to keep it. Nothing of Wine is
# written outside STATE, and the only processes ever stopped are the session's own Xvfb (by its
# pid) and the wineserver of the throwaway prefix.
set -euo pipefail

readonly WINE=/usr/lib/wine/wine64
readonly WINESERVER=/usr/lib/wine/wineserver64

die() {
    echo "wine-run: $*" >&2
    exit 125
}

state=""
if [[ ${1-} == --dir ]]; then
    [[ $# -ge 2 ]] || die "--dir needs a folder"
    state=$2
    shift 2
fi
[[ $# -ge 1 ]] || die "usage: wine-run.sh [--dir STATE] --start | --stop | PROGRAM [ARGS...]"
action=$1
shift

if [[ -z $state ]]; then
    [[ $action != --start && $action != --stop ]] || die "$action needs --dir"
    dir=$(dirname "$action")
    [[ -d $dir ]] && dir=$(cd "$dir" && pwd) || dir=/
    while [[ $dir != / && ! -f $dir/CMakeCache.txt ]]; do
        dir=$(dirname "$dir")
    done
    [[ -f $dir/CMakeCache.txt ]] || die "$action is not inside a build folder; pass --dir"
    state=$dir/wine
fi
[[ -x $WINE ]] || die "$WINE is missing (package wine64)"
mkdir -p "$state"
state=$(cd "$state" && pwd)
prefix=$state/prefix

# The caller's display, if any, is used as it is; otherwise the session brings its own.
given_display=${DISPLAY-}

export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# Lock descriptors: 8 guards the session files, 9 is held shared while a program runs. They are
# closed for every process started here, so no wine process or Xvfb keeps a lock alive.
exec 8>"$state/session.lock"
lock_session() { flock 8; }
unlock_session() { flock -u 8; }

xvfb_alive() {
    local pid
    [[ -f $state/xvfb.pid ]] || return 1
    pid=$(<"$state/xvfb.pid")
    [[ -n $pid && -r /proc/$pid/comm && $(</proc/"$pid"/comm) == Xvfb ]]
}

# A session made for another display than the caller's does not count.
session_alive() {
    [[ -f $state/session ]] || return 1
    local session
    session=$(<"$state/session")
    if [[ -n $given_display ]]; then
        [[ $session == "given $given_display" ]]
    else
        [[ $session == own ]] && xvfb_alive
    fi
}

stop_session() {
    "$WINESERVER" -k 8>&- 9>&- 2>/dev/null || true
    "$WINESERVER" -w 8>&- 9>&- 2>/dev/null || true
    if xvfb_alive; then
        local pid
        pid=$(<"$state/xvfb.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            [[ -d /proc/$pid ]] || break
            sleep 0.1
        done
    fi
    rm -f "$state/session" "$state/xvfb.pid" "$state/display"
}

# True once the started Xvfb has written its display number.
start_xvfb() {
    rm -f "$state/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$state/display" \
        </dev/null >>"$state/xvfb.log" 2>&1 8>&- 9>&- &
    local pid=$!
    echo "$pid" >"$state/xvfb.pid"
    for _ in $(seq 100); do
        [[ -s $state/display ]] && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    kill "$pid" 2>/dev/null
    return 1
}

start_session() {
    # A session whose display died may leave wine processes bound to it behind.
    stop_session
    if [[ -n $given_display ]]; then
        echo "given $given_display" >"$state/session"
    else
        # Xvfb picks the first free display itself; one started at the same moment by someone
        # else may take it from under it, so a few tries.
        : >"$state/xvfb.log"
        for _ in 1 2 3 4 5; do
            start_xvfb && break
        done
        [[ -s $state/display ]] || die "Xvfb gave no display (see $state/xvfb.log)"
        echo own >"$state/session"
    fi
    session_display
    if [[ $(cat "$prefix/.quandor-ready" 2>/dev/null) != "$PREFIX_VERSION" ]]; then
        make_prefix
        # Its wineserver saves the registry when it ends by itself.
        "$WINESERVER" -w 8>&- 9>&- 2>/dev/null || true
    fi
    # Kept up between programs, so each test does not pay for Wine's own start-up.
    "$WINESERVER" -p 8>&- 9>&- </dev/null >/dev/null 2>&1 || true
}

# Changing what make_prefix does changes this, so older prefixes are made again.
readonly PREFIX_VERSION=2

make_prefix() {
    rm -rf "$prefix"
    local log=$state/wineboot.log
    "$WINE" wineboot -i 8>&- 9>&- </dev/null >"$log" 2>&1 || die "wineboot -i failed (see $log)"
    # Windows unknown to a window manager: without one on the display, Wine would otherwise
    # wait two seconds for each window it hides, every closed message box among them.
    wine_reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N
    # A crashing program ends instead of waiting for someone to close Wine's crash dialog.
    wine_reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
    echo "$PREFIX_VERSION" >"$prefix/.quandor-ready"
}

wine_reg() {
    "$WINE" reg "$@" /f 8>&- 9>&- </dev/null >>"$state/wineboot.log" 2>&1 ||
        die "wine reg $* failed (see $state/wineboot.log)"
}

session_display() {
    if [[ -n $given_display ]]; then
        export DISPLAY=$given_display
    else
        export DISPLAY=:$(head -n1 "$state/display" | tr -dc 0-9)
    fi
}

ensure_session() {
    if session_alive; then
        session_display
    else
        start_session
    fi
}

# Called with the session lock held and no lock of our own on users.lock.
stop_when_unused() {
    [[ ! -f $state/keep && -f $state/session ]] || return 0
    if flock -n -x 7 7>"$state/users.lock"; then
        stop_session
    fi
}

case $action in
--start)
    lock_session
    ensure_session
    touch "$state/keep"
    unlock_session
    ;;
--stop)
    lock_session
    rm -f "$state/keep"
    stop_when_unused
    unlock_session
    ;;
*)
    lock_session
    ensure_session
    exec 9>"$state/users.lock"
    flock -s 9
    unlock_session
    # Wine may start its own helper processes (explorer, services) from this program; they
    # inherit its output and outlive it. Files, not CTest's pipes, keep CTest from waiting
    # for them. A run that is killed leaves its output in STATE/out.* and STATE/err.*.
    out=$(mktemp "$state/out.XXXXXX")
    err=$(mktemp "$state/err.XXXXXX")
    rc=0
    "$WINE" "$action" "$@" >"$out" 2>"$err" </dev/null 8>&- 9>&- || rc=$?
    cat "$out"
    cat "$err" >&2
    rm -f "$out" "$err"
    exec 9>&-
    lock_session
    stop_when_unused
    unlock_session
    exit "$rc"
    ;;
esac
