#!/usr/bin/env bash
# Runs quandor-engine on a table of cases: good input prints the expected line with exit 0;
# bad input prints nothing on stdout, one line on stderr naming the problem, and exits 2.
set -u
tool=$1
failures=0
start=start
bad_row="XXXXXXXX"
four_b=$(printf '.%.0s' $(seq 1 63))X

ok() { # expected-stdout args...
    local expected=$1; shift
    local out rc
    out=$("$tool" "$@" 2>/tmp/engine_tool_err.$$); rc=$?
    if [[ $rc -ne 0 || "$out" != "$expected" || -s /tmp/engine_tool_err.$$ ]]; then
        echo "FAIL: $* -> rc=$rc out='$out' err='$(cat /tmp/engine_tool_err.$$)' expected '$expected'"
        failures=$((failures + 1))
    fi
}

bad() { # word-expected-on-stderr args...
    local word=$1; shift
    local out err rc
    out=$("$tool" "$@" 2>/tmp/engine_tool_err.$$); rc=$?
    err=$(cat /tmp/engine_tool_err.$$)
    if [[ $rc -ne 2 || -n "$out" || $(wc -l </tmp/engine_tool_err.$$) -ne 1 || "$err" != *"$word"* ]]; then
        echo "FAIL: $* -> rc=$rc out='$out' err='$err' (wanted exit 2 and '$word' on stderr)"
        failures=$((failures + 1))
    fi
}

after_23="...................X.......XX......XO..........................."
ok "2 3 1 4 4" best $start X 1
ok "2 2 4 3 3" best "$after_23" O 1
ok "2 2 -5 2564 1873" best "$after_23" O 6
ok "-1 -1 -99999 0 0" best "OX$(printf '.%.0s' $(seq 1 62))" X 3
ok "1" perft $start X 0
ok "244" perft $start X 4
ok "1396" perft $start O 5
ok "1" perft "$(printf 'X%.0s' $(seq 1 64))" O 12

bad "command" 
bad "unknown command" play $start X 1
bad "length" best "$bad_row" X 1
bad "'.', 'X' and 'O'" best "${four_b%X}Z" X 1
bad "SIDE" best $start B 1
bad "SIDE" best $start x 1
bad "LEVEL" best $start X 0
bad "LEVEL" best $start X 7
bad "LEVEL" best $start X one
bad "LEVEL" best $start X -1
bad "DEPTH" perft $start X 13
bad "DEPTH" perft $start X ""
bad "missing" best $start X
bad "too many" perft $start X 1 2
rm -f /tmp/engine_tool_err.$$
if [[ $failures -ne 0 ]]; then
    echo "$failures engine tool case(s) failed"
    exit 1
fi
echo "all engine tool cases passed"
