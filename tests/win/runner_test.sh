#!/usr/bin/env bash
# runner_test.sh RUNNER PROBE STATE: the Wine runner passes arguments, output and exit codes
# through, lets several programs run at once in one session, and closes that session (its Xvfb
# included) when the last one ends. Uses its own state folder, apart from the tests' session.
set -uo pipefail
runner=$1 probe=$2 state=$3
failures=0
fail() {
    echo "runner_test: $*"
    failures=$((failures + 1))
}

rm -rf "$state"
mkdir -p "$state"
# The probe writes text-mode lines: "\r\n" ends them.
run() { DISPLAY="" bash "$runner" --dir "$state" "$probe" "$@" | tr -d '\r'; }

for code in 0 3 255; do
    output=$(run "$code" exit code "$code")
    rc=$?
    [[ $rc -eq $code ]] || fail "exit code $rc, not $code"
    [[ $output == "exit code $code" ]] || fail "output '$output', not 'exit code $code'"
done

# Four at once; each must see its own arguments and give its own code.
pids=()
for i in 1 2 3 4; do
    run "$((10 + i))" parallel "$i" >"$state/out$i" &
    pids+=($!)
done
for i in 1 2 3 4; do
    wait "${pids[$((i - 1))]}"
    rc=$?
    [[ $rc -eq $((10 + i)) ]] || fail "parallel run $i: exit code $rc"
    [[ $(<"$state/out$i") == "parallel $i" ]] || fail "parallel run $i: output $(<"$state/out$i")"
done

[[ ! -e $state/session ]] || fail "the session is still recorded after the last run"
[[ ! -e $state/xvfb.pid ]] || fail "the Xvfb pid file is still there"
[[ -f $state/prefix/.quandor-ready ]] || fail "the prefix was not made"
[[ -f $state/prefix/system.reg ]] || fail "the prefix has no registry"

# A kept session outlives its programs and is closed by --stop, its Xvfb with it.
DISPLAY="" bash "$runner" --dir "$state" --start || fail "--start failed"
xvfb=$(cat "$state/xvfb.pid" 2>/dev/null)
[[ -n $xvfb && -d /proc/$xvfb ]] || fail "no Xvfb after --start"
run 0 kept >/dev/null || fail "run in the kept session failed"
[[ -n $xvfb && -d /proc/$xvfb ]] || fail "the kept session's Xvfb ended with a program"
bash "$runner" --dir "$state" --stop || fail "--stop failed"
[[ -z $xvfb || ! -d /proc/$xvfb ]] || fail "Xvfb $xvfb still runs after --stop"

# A program outside any build folder needs --dir.
output=$(bash "$runner" /nonexistent/program.exe 2>&1)
rc=$?
[[ $rc -ne 0 && $output == *"not inside a build folder"* ]] || fail "no refusal without --dir: $output"

[[ $failures -eq 0 ]] || exit 1
echo "runner_test: ok"
